// Outlines of the bands, drawn straight onto the control's canvas with a
// 1-pixel white pen in XOR mode and a clear brush: drawing the same outline
// a second time gives the picture back. Afterwards the pen mode is copy and
// the brush solid again.
//
// Pixel rules (the canvas's): a line from (x1, y1) to (x2, y2) paints its
// start pixel and leaves out its end; a rectangle with corners (x1, y1) and
// (x2, y2) outlines the box min..max-1 on both axes, each pixel once, so its
// four corner pixels are inverted whenever the box has width and height.
#include <algorithm>

#include "chart/mouse/ChartMouse.h"

namespace korvo {
namespace {

constexpr TColor Inverted = 0x00FFFFFF;  // what XOR with white does to a colour

void DrawFigure(TCanvas& canvas, const TChartMouse::TOutline& o) {
  TPen& pen = *canvas.Pen();
  pen.SetColor(clWhite);
  pen.SetWidth(1);
  pen.SetStyle(TPenStyle::psSolid);
  pen.SetMode(TPenMode::pmXor);
  canvas.Brush()->SetStyle(TBrushStyle::bsClear);
  if (o.Line) {
    canvas.MoveTo(o.X1, o.Y1);
    canvas.LineTo(o.X2, o.Y2);
  } else {
    canvas.Rectangle(o.X1, o.Y1, o.X2, o.Y2);
  }
  pen.SetMode(TPenMode::pmCopy);
  canvas.Brush()->SetStyle(TBrushStyle::bsSolid);
}

// Notes a pixel the figure inverts, when it lies on the surface inside the
// clip rectangle.
void AddCheck(const TCanvas& canvas, TChartMouse::TOutline& o, int32_t x, int32_t y) {
  if (o.Checks >= 4 || !canvas.ClipRect().Contains(x, y)) return;  // not painted
  const TColor before = canvas.Pixel(x, y);
  if (before == -1) return;  // off the surface
  o.CheckX[size_t(o.Checks)] = x;
  o.CheckY[size_t(o.Checks)] = y;
  o.Before[size_t(o.Checks)] = before;
  ++o.Checks;
}

}  // namespace

void TChartMouse::DrawOutline(TCustomPlotwell& c, TOutline& o, bool line, int32_t x1, int32_t y1, int32_t x2,
                              int32_t y2) {
  o = TOutline{};
  TCanvas* canvas = c.Canvas();
  if (canvas == nullptr) return;
  o.Line = line;
  o.X1 = x1;
  o.Y1 = y1;
  o.X2 = x2;
  o.Y2 = y2;
  if (line) {
    if (x1 != x2 || y1 != y2) AddCheck(*canvas, o, x1, y1);
  } else {
    const int32_t l = std::min(x1, x2), r = std::max(x1, x2), t = std::min(y1, y2), b = std::max(y1, y2);
    if (l < r && t < b) {
      AddCheck(*canvas, o, l, t);
      AddCheck(*canvas, o, r - 1, t);
      AddCheck(*canvas, o, l, b - 1);
      AddCheck(*canvas, o, r - 1, b - 1);
    }
  }
  DrawFigure(*canvas, o);
  o.Drawn = true;
}

void TChartMouse::EraseOutline(TCustomPlotwell& c, TOutline& o) {
  if (!o.Drawn) return;
  o.Drawn = false;
  TCanvas* canvas = c.Canvas();
  if (canvas == nullptr) return;
  // A repaint since the outline was drawn has taken it away already:
  // inverting again would leave a stale outline behind.
  for (int i = 0; i < o.Checks; ++i) {
    const size_t k = size_t(i);
    if (canvas->Pixel(o.CheckX[k], o.CheckY[k]) != (o.Before[k] ^ Inverted)) return;
  }
  DrawFigure(*canvas, o);
}

}  // namespace korvo
