#include "base/Marks.h"

#include "base/MarkStamps.h"

#include <algorithm>
#include <climits>
#include <span>

#include "platform/graphics/Canvas.h"

namespace korvo {
namespace {

// No mark reaches further than 8 pixels from its centre. Keeping the centre
// this far inside the 32-bit range makes every corner computable without
// overflow; a centre that far out is off every surface either way.
constexpr int32_t MarkReach = 16;

int32_t ClampCentre(int32_t v) { return std::clamp(v, INT32_MIN + MarkReach, INT32_MAX - MarkReach); }

// The printer's page, or a canvas of figures (a vector file, a picture at
// another resolution), where single pixels would be dots too small to see
// or blurred: such canvases get the line-drawn figures.
bool OnPrinter(TCanvas* canvas) { return canvas->ForDevice(); }

// Restores the brush colour the mark found, whatever the figure did to it.
class BrushColorKeeper {
 public:
  explicit BrushColorKeeper(TCanvas* canvas) : canvas_(canvas), color_(canvas->Brush()->Color()) {}
  ~BrushColorKeeper() { canvas_->Brush()->SetColor(color_); }
  BrushColorKeeper(const BrushColorKeeper&) = delete;
  BrushColorKeeper& operator=(const BrushColorKeeper&) = delete;

 private:
  TCanvas* canvas_;
  TColor color_;
};

// The drawing steps of one mark, centred on (X, Y).
struct MarkPainter {
  TCanvas* C;
  int32_t X;
  int32_t Y;

  void Line(int32_t x1, int32_t y1, int32_t x2, int32_t y2) const {
    C->MoveTo(X + x1, Y + y1);
    C->LineTo(X + x2, Y + y2);
  }
  // Four arms of `d` pixels with the end points left out, as LineTo draws.
  void Plus(int32_t d) const {
    Line(-d, 0, d, 0);
    Line(0, -d, 0, d);
  }
  void Cross(int32_t d) const {
    Line(-d, -d, d, d);
    Line(-d, d, d, -d);
  }
  // One MoveTo and a LineTo per following point.
  template <size_t N>
  void Chain(const std::array<TPoint, N>& offsets) const {
    C->MoveTo(X + offsets[0].X, Y + offsets[0].Y);
    for (size_t i = 1; i < N; ++i) C->LineTo(X + offsets[i].X, Y + offsets[i].Y);
  }
  void SquareChain(int32_t d) const { Chain(std::array<TPoint, 5>{{{-d, -d}, {-d, d}, {d, d}, {d, -d}, {-d, -d}}}); }
  void DiamondChain(int32_t d) const { Chain(std::array<TPoint, 5>{{{-d, 0}, {0, d}, {d, 0}, {0, -d}, {-d, 0}}}); }

  void Filled() const { C->Brush()->SetColor(C->Pen()->Color()); }
  template <class Draw>
  void Hollow(Draw draw) const {
    C->Brush()->SetStyle(TBrushStyle::bsClear);
    draw();
    C->Brush()->SetStyle(TBrushStyle::bsSolid);
  }

  void Square(int32_t d) const { C->Rectangle(X - d, Y - d, X + d + 1, Y + d + 1); }
  void Box(int32_t x1, int32_t y1, int32_t x2, int32_t y2) const { C->Rectangle(X + x1, Y + y1, X + x2, Y + y2); }
  void Oval(int32_t x1, int32_t y1, int32_t x2, int32_t y2) const { C->Ellipse(X + x1, Y + y1, X + x2, Y + y2); }
  template <size_t N>
  void Poly(const std::array<TPoint, N>& offsets) const {
    std::array<TPoint, N> points;
    for (size_t i = 0; i < N; ++i) points[i] = TPoint{X + offsets[i].X, Y + offsets[i].Y};
    C->Polygon(std::span<const TPoint>(points));
  }
  void Diamond(int32_t d) const { Poly(std::array<TPoint, 4>{{{-d, 0}, {0, d}, {d, 0}, {0, -d}}}); }
  void Triangle(const std::array<TPoint, 3>& offsets) const { Poly(offsets); }
};

// The triangles, as offsets from the centre.
constexpr std::array<TPoint, 3> SmallDownTriangle = {{{-2, 0}, {0, 2}, {2, 0}}};    // 29, 31
constexpr std::array<TPoint, 3> DownTriangle = {{{-3, 0}, {0, 3}, {3, 0}}};         // 30, 32
constexpr std::array<TPoint, 3> TallDownTriangle = {{{-4, -3}, {0, 4}, {4, -3}}};   // 33, 34
constexpr std::array<TPoint, 3> TallUpTriangle = {{{-4, 3}, {0, -4}, {4, 3}}};      // 35, 36
constexpr std::array<TPoint, 3> SmallLeftTriangle = {{{3, -2}, {-2, 0}, {3, 2}}};   // 40, 41
constexpr std::array<TPoint, 3> LeftTriangle = {{{4, -3}, {-3, 0}, {4, 3}}};        // 42, 43
constexpr std::array<TPoint, 3> SmallRightTriangle = {{{-3, -2}, {2, 0}, {-3, 2}}}; // 44, 45
constexpr std::array<TPoint, 3> RightTriangle = {{{-4, -3}, {3, 0}, {-4, 3}}};      // 46, 47

void DrawGeometricMark(const MarkPainter& m, uint8_t kind) {
  TCanvas* c = m.C;
  const TColor ink = c->Pen()->Color();
  switch (kind) {
    case 0:
      c->SetPixel(m.X, m.Y, ink);
      break;
    case 1:
    case 2:
    case 3:
      if (OnPrinter(c)) {
        m.Plus(kind + 1);
      } else {
        DrawMarkGlyph(c, kind, m.X, m.Y, ink);
      }
      break;
    case 4:
    case 5:
    case 6:
      if (OnPrinter(c)) {
        m.Cross(kind - 2);
      } else {
        DrawMarkGlyph(c, kind, m.X, m.Y, ink);
      }
      break;
    case 7:
    case 8:
    case 9:
      m.Filled();
      m.Square(kind - 6);
      break;
    case 10:
    case 11:
    case 12:
      m.SquareChain(kind - 9);
      break;
    case 13:
      m.DiamondChain(3);
      c->SetPixel(m.X, m.Y, ink);
      break;
    case 14:
    case 15:
      m.Filled();
      m.Diamond(kind - 12);
      break;
    case 16:
      m.Hollow([&] { m.Oval(-2, -2, 3, 3); });
      break;
    case 17:
      m.Hollow([&] { m.Oval(-3, -3, 4, 4); });
      break;
    case 18:
      if (OnPrinter(c)) {
        // Zero-length strokes: a wide printer pen paints a dot at each.
        for (int32_t i = 1; i <= 7; ++i) {
          for (int32_t j = 1; j <= 7; ++j) {
            if ((i + j) % 2 == 0) m.Line(i - 4, j - 4, i - 4, j - 4);
          }
        }
      } else {
        DrawMarkGlyph(c, 18, m.X, m.Y, ink);
      }
      break;
    case 19:
      m.DiamondChain(3);
      break;
    case 20:
    case 21: {
      const int32_t d = kind - 17;
      m.Line(0, 0, -d, d);
      m.Line(0, 0, d, d);
      break;
    }
    case 22:
    case 23: {
      const int32_t d = kind - 19;
      m.Line(0, 0, -d, -d);
      m.Line(0, 0, d, -d);
      break;
    }
    case 24:
      m.Filled();
      m.Oval(-3, -3, 4, 4);
      break;
    case 25:
      if (OnPrinter(c)) {
        m.Line(-3, -3, 3, 3);
        m.Line(-3, -2, 2, 3);
        m.Line(-2, -3, 3, 2);
        m.Line(-3, 3, 3, -3);
        m.Line(-3, 2, 2, -3);
        m.Line(-2, 3, 3, -2);
      } else {
        m.Line(-3, -3, 4, 4);
        m.Line(-3, -2, 3, 4);
        m.Line(-2, -3, 4, 3);
        m.Line(-3, 3, 4, -4);
        m.Line(-3, 2, 3, -4);
        m.Line(-2, 3, 4, -3);
      }
      break;
    case 26:
      m.Filled();
      m.Oval(-2, -2, 3, 3);
      break;
    case 27:
      m.Hollow([&] { m.Oval(-2, -2, 2, 2); });
      break;
    case 28:
      m.Filled();
      m.Oval(-2, -2, 2, 2);
      break;
    case 29:
      m.Filled();
      m.Triangle(SmallDownTriangle);
      break;
    case 30:
      m.Filled();
      m.Triangle(DownTriangle);
      break;
    case 31:
      m.Hollow([&] { m.Triangle(SmallDownTriangle); });
      break;
    case 32:
      m.Hollow([&] { m.Triangle(DownTriangle); });
      break;
    case 33:
      m.Hollow([&] { m.Triangle(TallDownTriangle); });
      break;
    case 34:
      m.Filled();
      m.Triangle(TallDownTriangle);
      break;
    case 35:
      m.Hollow([&] { m.Triangle(TallUpTriangle); });
      break;
    case 36:
      m.Filled();
      m.Triangle(TallUpTriangle);
      break;
    case 37:
      m.Line(-3, 0, 4, 0);
      m.Line(0, 0, 0, -8);
      break;
    case 38:
      m.Line(-3, -2, 4, -2);
      m.Line(-3, 2, 4, 2);
      m.Line(0, -2, 0, 2);
      break;
    case 39:
      m.Hollow([&] { m.Oval(-3, -3, 4, 4); });
      m.Line(-3, 0, 4, 0);
      m.Line(0, -3, 0, 4);
      break;
    case 40:
      m.Hollow([&] { m.Triangle(SmallLeftTriangle); });
      break;
    case 41:
      m.Filled();
      m.Triangle(SmallLeftTriangle);
      break;
    case 42:
      m.Hollow([&] { m.Triangle(LeftTriangle); });
      break;
    case 43:
      m.Filled();
      m.Triangle(LeftTriangle);
      break;
    case 44:
      m.Hollow([&] { m.Triangle(SmallRightTriangle); });
      break;
    case 45:
      m.Filled();
      m.Triangle(SmallRightTriangle);
      break;
    case 46:
      m.Hollow([&] { m.Triangle(RightTriangle); });
      break;
    case 47:
      m.Filled();
      m.Triangle(RightTriangle);
      break;
    case 48:
      m.Hollow([&] { m.Box(-3, -3, 4, 4); });
      m.Line(-3, 0, 4, 0);
      m.Line(0, -3, 0, 4);
      break;
    case 49:
      m.Hollow([&] { m.Box(-2, -2, 3, 3); });
      m.Line(-4, 0, 5, 0);
      m.Line(0, -4, 0, 5);
      break;
    case 50:
      c->Brush()->SetStyle(TBrushStyle::bsSolid);
      m.Line(-4, 0, 5, 0);
      m.Line(0, -4, 0, 5);
      m.Line(-3, -3, 4, 4);
      m.Line(-3, 3, 4, -4);
      break;
    case 51:
      c->Brush()->SetStyle(TBrushStyle::bsSolid);
      m.Line(-4, 0, 5, 0);
      m.Line(0, -4, 0, 5);
      m.Line(-1, -3, 2, -3);
      m.Line(-1, 3, 2, 3);
      m.Line(-3, -1, -3, 2);
      m.Line(3, -1, 3, 2);
      break;
    default:
      break;
  }
}

// Character codes 0x80..0x9F of the Western single-byte code page
// (Windows-1252); the five codes it leaves undefined stay control codes.
// Codes 0xA0..0xFF are the same in that code page and in Unicode.
constexpr uint16_t kCodePage1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

// Kept out of DrawMark, whose common path (a geometric mark) then needs no
// stack frame: it ends in a tail call to the stamp.
[[gnu::noinline]] void DrawCharacterMark(TCanvas* canvas, uint8_t kind, int32_t x, int32_t y) {
  unsigned code = kind >= 200 && kind <= 209 ? unsigned('0') + (kind - 200u) : kind;
  if (code >= 0x80 && code < 0xA0) code = kCodePage1252High[code - 0x80];
  // The character as UTF-8: at most three bytes for these code points.
  char bytes[3];
  size_t length = 1;
  if (code < 0x80) {
    bytes[0] = char(code);
  } else if (code < 0x800) {
    bytes[0] = char(0xC0 | (code >> 6));
    bytes[1] = char(0x80 | (code & 0x3F));
    length = 2;
  } else {
    bytes[0] = char(0xE0 | (code >> 12));
    bytes[1] = char(0x80 | ((code >> 6) & 0x3F));
    bytes[2] = char(0x80 | (code & 0x3F));
    length = 3;
  }
  const std::string_view text(bytes, length);
  const int32_t w = canvas->TextWidth(text);
  const int32_t h = canvas->TextHeight(text);
  canvas->Font()->SetColor(canvas->Pen()->Color());
  canvas->Brush()->SetStyle(TBrushStyle::bsClear);
  const auto corner = [](int32_t centre, int32_t extent) {
    return int32_t(std::clamp<int64_t>(int64_t(centre) - extent / 2, INT32_MIN, INT32_MAX));
  };
  canvas->TextOut(corner(x, w), corner(y, h), text);
}

}  // namespace

void DrawMarkGlyph(TCanvas* canvas, int glyph, int32_t x, int32_t y, TColor color) {
  if (canvas == nullptr || glyph < 0 || size_t(glyph) >= MarkGlyphs.size()) return;
  x = ClampCentre(x);
  y = ClampCentre(y);
  const TMarkGlyph& rows = MarkGlyphs[size_t(glyph)];
  for (int32_t r = 0; r < 7; ++r) {
    const uint8_t bits = rows[size_t(r)];
    if (bits == 0) continue;
    for (int32_t b = 0; b < 7; ++b) {
      if (bits & (1u << b)) canvas->SetPixel(x + 3 - b, y - 3 + r, color);
    }
  }
}

void DrawMark(TCanvas* canvas, uint8_t kind, int32_t x, int32_t y) {
  if (canvas == nullptr) return;
  x = ClampCentre(x);
  y = ClampCentre(y);
  if (kind >= 52) {
    return DrawCharacterMark(canvas, kind, x, y);
  }
  return DrawStampOrFigures(canvas, kind, x, y);
}

void DrawGeometricMarkFigures(TCanvas* canvas, uint8_t kind, int32_t x, int32_t y) {
  BrushColorKeeper keep_brush_color(canvas);
  DrawGeometricMark(MarkPainter{canvas, x, y}, kind);
}

}  // namespace korvo
