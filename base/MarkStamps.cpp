#include "base/MarkStamps.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <utility>

#include "platform/graphics/Bitmap.h"

namespace korvo {
namespace {

constexpr uint8_t kGeometricKinds = 52;
// Marks reach at most 8 pixels from their centre; the recording bitmap
// leaves room on every side, so a pixel on its border means the mark grew.
constexpr int32_t kSide = 32, kCentre = 16;

enum PixelClass : uint8_t { kUntouched, kPen, kBrush, kOther };

struct Recording {
  std::array<uint8_t, size_t(kSide) * kSide> classes{};
  TBrushStyle brush_after = TBrushStyle::bsSolid;
  bool moved = false;
  TPoint pen_end{};
};

// Draws the mark's figures on a background of `ground` with the pen in
// `pen` and the brush in `brush`, then sorts its pixels by colour.
Recording Record(uint8_t kind, TBrushStyle entry, TColor ground, TColor pen, TColor brush, TPoint pen_start) {
  TBitmap bitmap(kSide, kSide);
  TCanvas* c = bitmap.Canvas();
  c->Brush()->SetStyle(TBrushStyle::bsSolid);
  c->Brush()->SetColor(ground);
  c->FillRect(TRect{0, 0, kSide, kSide});
  c->Pen()->SetWidth(1);
  c->Pen()->SetStyle(TPenStyle::psSolid);
  c->Pen()->SetMode(TPenMode::pmCopy);
  c->Pen()->SetColor(pen);
  c->Brush()->SetColor(brush);
  c->Brush()->SetStyle(entry);
  c->SetPenPos(pen_start);
  DrawGeometricMarkFigures(c, kind, kCentre, kCentre);

  Recording r;
  const TPixel g = ColorToPixel(ground), p = ColorToPixel(pen), b = ColorToPixel(brush);
  for (int32_t y = 0; y < kSide; ++y) {
    const TPixel* row = bitmap.ScanLine(y);
    for (int32_t x = 0; x < kSide; ++x) {
      const bool border = x == 0 || y == 0 || x == kSide - 1 || y == kSide - 1;
      const PixelClass k = row[x] == g ? kUntouched : border ? kOther : row[x] == p ? kPen : row[x] == b ? kBrush : kOther;
      r.classes[size_t(y) * kSide + size_t(x)] = k;
    }
  }
  r.brush_after = c->Brush()->Style();
  r.moved = c->PenPos() != pen_start;
  r.pen_end = TPoint{c->PenPos().X - kCentre, c->PenPos().Y - kCentre};
  return r;
}

// Adds the pixel (dx, dy) in `ink` to rows built from top to bottom and
// left to right, one ink at a time.
void Add(std::vector<TStampRow>& rows, uint8_t ink, int32_t dx, int32_t dy) {
  if (rows.empty() || rows.back().DY != dy || rows.back().Ink != ink) {
    rows.push_back(TStampRow{int8_t(dy), int8_t(dx), ink, 0});
  }
  rows.back().Mask |= 1u << (dx - rows.back().DX);  // a row is narrower than the 32-pixel recording
}

// Two recordings in unrelated colours and from different pen positions must
// agree, pixel by pixel and in the state left behind; otherwise the mark
// depends on something a stamp does not hold and keeps its figures.
TMarkStamp Build(uint8_t kind, TBrushStyle entry) {
  const Recording a = Record(kind, entry, TColor(0x030201), TColor(0x0A0AC8), TColor(0x0AC80A), TPoint{-1000, -1000});
  const Recording b = Record(kind, entry, TColor(0xFAFAFA), TColor(0xFF0000), TColor(0xFF00FF), TPoint{-2000, 5});
  TMarkStamp s;
  if (a.classes != b.classes || a.brush_after != b.brush_after || a.moved != b.moved ||
      (a.moved && a.pen_end != b.pen_end)) {
    return s;
  }
  if (std::find(a.classes.begin(), a.classes.end(), kOther) != a.classes.end()) return s;
  std::vector<TStampRow> rows;
  for (const auto& [cls, ink] : {std::pair{kBrush, uint8_t(0)}, std::pair{kPen, uint8_t(1)}}) {
    for (int32_t y = 0; y < kSide; ++y) {
      for (int32_t x = 0; x < kSide; ++x) {
        if (a.classes[size_t(y) * kSide + size_t(x)] == cls) Add(rows, ink, x - kCentre, y - kCentre);
      }
    }
  }
  s.Stamp = TStamp(std::move(rows));
  s.BrushStyleAfter = a.brush_after;
  s.MovesPen = a.moved;
  s.PenEnd = a.pen_end;
  s.Valid = true;
  return s;
}

using StampTable = std::array<std::array<TMarkStamp, 2>, kGeometricKinds>;

[[gnu::noinline]] StampTable BuildTable() {
  StampTable t;
  for (uint8_t k = 0; k < kGeometricKinds; ++k) {
    t[k][0] = Build(k, TBrushStyle::bsSolid);
    t[k][1] = Build(k, TBrushStyle::bsClear);
  }
  return t;
}

// The table once built, for the path that must not wait on (or call into)
// the first use's initialisation.
std::atomic<const StampTable*> built_table{nullptr};

const StampTable& Table() {
  static const StampTable table = BuildTable();
  built_table.store(&table, std::memory_order_release);
  return table;
}


// The stamp that stands for mark `kind` on `canvas` as it is, or null where
// the canvas's state needs the figures.
[[gnu::always_inline]] inline const TMarkStamp* StampFor(TCanvas* canvas, uint8_t kind) {
  const TPen* pen = canvas->Pen();
  if (kind >= kGeometricKinds || pen->Width() > 1 || pen->Style() != TPenStyle::psSolid ||
      pen->Mode() != TPenMode::pmCopy) {
    return nullptr;
  }
  if (canvas->ForDevice()) return nullptr;
  const TMarkStamp& s = Table()[kind][canvas->Brush()->Style() == TBrushStyle::bsSolid ? 0 : 1];
  return s.Valid ? &s : nullptr;
}

// Paints stamp `s` at (x, y) and leaves the brush style and pen position as
// the figures would. The pixels come last, as a tail call: a mark's stores
// are then its pixels and little else.
[[gnu::always_inline]] inline void Replay(TCanvas* canvas, const TMarkStamp& s, int32_t x, int32_t y) {
  TBrush* brush = canvas->Brush();
  const TStampInks inks{ColorToPixel(brush->Color()), ColorToPixel(canvas->Pen()->Color())};
  if (brush->Style() != s.BrushStyleAfter) brush->SetStyle(s.BrushStyleAfter);
  if (s.MovesPen) canvas->SetPenPos(TPoint{x + s.PenEnd.X, y + s.PenEnd.Y});
  if (!s.Stamp.Rows().empty()) canvas->Stamp(TPoint{x, y}, s.Stamp, inks);
}

}  // namespace

const TMarkStamp& MarkStamp(uint8_t kind, TBrushStyle entry) {
  static const TMarkStamp none;
  if (kind >= kGeometricKinds) return none;
  return Table()[kind][entry == TBrushStyle::bsSolid ? 0 : 1];
}

bool DrawStampedMark(TCanvas* canvas, uint8_t kind, int32_t x, int32_t y) {
  const TMarkStamp* s = StampFor(canvas, kind);
  if (s == nullptr) return false;
  Replay(canvas, *s, x, y);
  return true;
}

namespace {

[[gnu::noinline]] void DrawStampOrFiguresSlowly(TCanvas* canvas, uint8_t kind, int32_t x, int32_t y) {
  const TMarkStamp* s = StampFor(canvas, kind);
  if (s == nullptr) return DrawGeometricMarkFigures(canvas, kind, x, y);
  Replay(canvas, *s, x, y);
}

}  // namespace

// The common case calls nothing but the canvas's stamp, as a tail call, so
// it saves no registers: anything unusual (the first mark, the printer,
// system colours, a pen the stamps do not stand for) takes the slow path.
void DrawStampOrFigures(TCanvas* canvas, uint8_t kind, int32_t x, int32_t y) {
  const StampTable* table = built_table.load(std::memory_order_acquire);
  TPen* pen = canvas->Pen();
  TBrush* brush = canvas->Brush();
  const TPixel pen_ink = pen->StampInk(), brush_ink = brush->StampInk();
  if (table == nullptr || kind >= kGeometricKinds || pen_ink == 0 || brush_ink == 0 || canvas->ForDevice()) {
    return DrawStampOrFiguresSlowly(canvas, kind, x, y);
  }
  const TMarkStamp& s = (*table)[kind][brush->Style() == TBrushStyle::bsSolid ? 0 : 1];
  if (!s.Valid) return DrawGeometricMarkFigures(canvas, kind, x, y);
  brush->SetStyle(s.BrushStyleAfter);
  if (s.MovesPen) canvas->SetPenPos(TPoint{x + s.PenEnd.X, y + s.PenEnd.Y});
  if (s.Stamp.Rows().empty()) return;
  return canvas->Stamp(TPoint{x, y}, s.Stamp, TStampInks{brush_ink, pen_ink});
}

}  // namespace korvo
