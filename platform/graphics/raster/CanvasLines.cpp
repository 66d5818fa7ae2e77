// LineTo and Polyline: the pen's stroke along a path.
#include "platform/graphics/raster/Raster.h"

namespace korvo {

namespace raster {

namespace {

CosmeticStroke MakeCosmeticStroke(const CanvasAccess& a) {
  CosmeticStroke s;
  s.Pen = a.PenInk();
  s.Dash = PatternFor(a.canvas.Pen()->Style());
  if (s.Dash.Period != 0 && a.BrushVisible()) {
    // The opaque background of dashed lines is the brush colour.
    s.GapVisible = true;
    s.Gap = a.BrushInk();
  }
  return s;
}

}  // namespace

void StrokeClosedPath(CanvasAccess& a, std::span<const TPoint> points) {
  if (!a.PenVisible() || points.empty()) return;
  if (a.WidePen()) {
    WideStroke(a, points, true, a.PenWidth(), a.PenInk());
    return;
  }
  // The open path, then the closing side, as one stroke.
  CosmeticStroke s = MakeCosmeticStroke(a);
  CosmeticPolyline(a.target(), s, points);
  CosmeticLine(a.target(), s, points.back().X, points.back().Y, points.front().X, points.front().Y);
}

}  // namespace raster

void TCanvas::LineTo(int32_t x, int32_t y) {
  const TPoint from = pen_pos_;
  pen_pos_ = TPoint{x, y};
  raster::CanvasAccess a(*this);
  if (!a.PenVisible()) return;
  if (a.WidePen()) {
    const TPoint path[2] = {from, pen_pos_};
    raster::WideStroke(a, path, false, a.PenWidth(), a.PenInk());
    return;
  }
  raster::CosmeticStroke s = raster::MakeCosmeticStroke(a);
  raster::CosmeticLine(a.target(), s, from.X, from.Y, x, y);
}

void TCanvas::Polyline(std::span<const TPoint> points) {
  raster::CanvasAccess a(*this);
  if (!a.PenVisible() || points.size() < 2) return;
  if (a.WidePen()) {
    raster::WideStroke(a, points, false, a.PenWidth(), a.PenInk());
    return;
  }
  raster::CosmeticStroke s = raster::MakeCosmeticStroke(a);
  raster::CosmeticPolyline(a.target(), s, points);
}

}  // namespace korvo
