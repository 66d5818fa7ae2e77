// Outlines of the bands, drawn straight onto the control's canvas with a
// 1-pixel white pen in XOR mode and a clear brush: drawing the same outline
// a second time gives the picture back, whatever other inverted outlines
// were drawn or erased in between. Afterwards the pen mode is copy and the
// brush solid again.
//
// Pixel rules (the canvas's): a line from (x1, y1) to (x2, y2) paints its
// start pixel and leaves out its end; a rectangle with corners (x1, y1) and
// (x2, y2) outlines the box min..max-1 on both axes, each pixel once, and
// nothing when the box has no width or height.
#include "chart/mouse/ChartMouse.h"

namespace korvo {
namespace {

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
  DrawFigure(*canvas, o);
  o.Drawn = true;
  o.Presents = c.mouse_.Presents;
}

// A picture put onto the control since the outline was drawn has taken it
// away: inverting again would leave a stale outline behind.
void TChartMouse::EraseOutline(TCustomPlotwell& c, TOutline& o) {
  if (!o.Drawn) return;
  o.Drawn = false;
  if (o.Presents != c.mouse_.Presents) return;
  TCanvas* canvas = c.Canvas();
  if (canvas != nullptr) DrawFigure(*canvas, o);
}

}  // namespace korvo
