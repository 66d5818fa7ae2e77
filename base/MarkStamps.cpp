#include "base/MarkStamps.h"

#include <algorithm>
#include <array>

#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Printer.h"

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

void Add(std::vector<TStampPixel>& pixels, TRect& box, int32_t dx, int32_t dy) {
  if (pixels.empty()) box = TRect{dx, dy, dx + 1, dy + 1};
  box = TRect{std::min(box.Left, dx), std::min(box.Top, dy), std::max(box.Right, dx + 1), std::max(box.Bottom, dy + 1)};
  pixels.push_back(TStampPixel{int8_t(dx), int8_t(dy)});
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
  for (int32_t y = 0; y < kSide; ++y) {
    for (int32_t x = 0; x < kSide; ++x) {
      switch (a.classes[size_t(y) * kSide + size_t(x)]) {
        case kPen:
          Add(s.PenPixels, s.PenBox, x - kCentre, y - kCentre);
          break;
        case kBrush:
          Add(s.BrushPixels, s.BrushBox, x - kCentre, y - kCentre);
          break;
        case kOther:
          return TMarkStamp{};
        default:
          break;
      }
    }
  }
  s.BrushStyleAfter = a.brush_after;
  s.MovesPen = a.moved;
  s.PenEnd = a.pen_end;
  s.Valid = true;
  return s;
}

using StampTable = std::array<std::array<TMarkStamp, 2>, kGeometricKinds>;

StampTable BuildTable() {
  StampTable t;
  for (uint8_t k = 0; k < kGeometricKinds; ++k) {
    t[k][0] = Build(k, TBrushStyle::bsSolid);
    t[k][1] = Build(k, TBrushStyle::bsClear);
  }
  return t;
}

const StampTable& Table() {
  static const StampTable table = BuildTable();
  return table;
}

}  // namespace

const TMarkStamp& MarkStamp(uint8_t kind, TBrushStyle entry) {
  static const TMarkStamp none;
  if (kind >= kGeometricKinds) return none;
  return Table()[kind][entry == TBrushStyle::bsSolid ? 0 : 1];
}

bool DrawStampedMark(TCanvas* canvas, uint8_t kind, int32_t x, int32_t y) {
  const TPen* pen = canvas->Pen();
  if (kind >= kGeometricKinds || pen->Width() > 1 || pen->Style() != TPenStyle::psSolid ||
      pen->Mode() != TPenMode::pmCopy) {
    return false;
  }
  if (PrinterCreated() && canvas == Printer()->Canvas()) return false;
  TBrush* brush = canvas->Brush();
  const TMarkStamp& s = Table()[kind][brush->Style() == TBrushStyle::bsSolid ? 0 : 1];
  if (!s.Valid) return false;
  if (!s.BrushPixels.empty()) canvas->StampPixels(x, y, s.BrushPixels, s.BrushBox, brush->Color());
  if (!s.PenPixels.empty()) canvas->StampPixels(x, y, s.PenPixels, s.PenBox, pen->Color());
  if (brush->Style() != s.BrushStyleAfter) brush->SetStyle(s.BrushStyleAfter);
  if (s.MovesPen) canvas->SetPenPos(TPoint{x + s.PenEnd.X, y + s.PenEnd.Y});
  return true;
}

}  // namespace korvo
