// LineTo and Polyline: the pen's stroke along a path.
#include "platform/graphics/FigureDevice.h"
#include "platform/graphics/raster/LineWalk.h"
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
  CosmeticPolyline(a.target(), s, points, true);
}

namespace {

// LineTo with a wide, dashed, xor or clear pen: kept out of LineTo so the
// solid 1-pixel path needs no stack frame for it.
[[gnu::noinline]] void StyledLineTo(TCanvas& canvas, TPoint from, TPoint to) {
  CanvasAccess a(canvas);
  if (!a.PenVisible()) return;
  if (a.WidePen()) {
    const TPoint path[2] = {from, to};
    WideStroke(a, path, false, a.PenWidth(), a.PenInk());
    return;
  }
  CosmeticStroke s = MakeCosmeticStroke(a);
  CosmeticLine(a.target(), s, from.X, from.Y, to.X, to.Y);
}

}  // namespace

}  // namespace raster

void TCanvas::LineTo(int32_t x, int32_t y) {
  // The pen position is read as two 32-bit values: MoveTo and LineTo store
  // it that way, and one 64-bit load of two fresh 32-bit stores waits for
  // them to retire (a mark's chain of LineTo calls would wait at each). The
  // empty asm keeps the compiler from merging the two loads.
  int32_t x0 = pen_pos_.X, y0 = pen_pos_.Y;
#if defined(__GNUC__)
  asm("" : "+r"(x0), "+r"(y0));
#endif
  const TPoint from = TPoint{x0, y0};
  pen_pos_.X = x;
  pen_pos_.Y = y;
  if (figures_ != nullptr) [[unlikely]] return FigureLine(from, TPoint{x, y});
  if (pen_.Width() <= 1 && pen_.Mode() == TPenMode::pmCopy &&
      (pen_.Style() == TPenStyle::psSolid || pen_.Style() == TPenStyle::psInsideFrame)) {
    // The lines of marks, frames and axes.
    const TRect& c = effective_clip_;
    const raster::Target t{surface_.Bits, surface_.Stride, c.Left, c.Top, c.Right, c.Bottom};
    const TPixel ink = ColorToPixel(pen_.Color());
    const int64_t dx = int64_t(x) - x0, dy = int64_t(y) - y0;
    if (raster::Bounds(t).Paints(from, dx, dy, TPoint{x, y})) {
      raster::SolidSegment(t.Bits, t.Stride, ink, from, dx, dy);
    } else {
      raster::SolidCopyLineClipped(t, ink, x0, y0, x, y);
    }
    return;
  }
  raster::StyledLineTo(*this, from, pen_pos_);
}

void TCanvas::Polyline(std::span<const TPoint> points) {
  if (figures_ != nullptr) [[unlikely]] {
    if (!effective_clip_.IsEmpty() && points.size() >= 2) figures_->Polyline(*this, points);
    return;
  }
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
