// The chart at a screen's device pixel ratio: the picture RenderTo draws,
// through RenderScaledPicture (figures in whole device pixels, text
// rasterised at the device's resolution), plus the inverted band and box
// outlines the mouse has on the control at the time.
//
// When only pixels of the plot area changed since the last call (ShowGraph's
// quick refresh, a crosshair or a band moved over the plot), only the plot
// area is drawn again: its background, data render and crosshairs, clipped
// to it exactly as the whole picture clips them, so that the result is the
// whole picture's pixel for pixel. The frame around it (the scales, caption,
// shadow) stays as the last call drew it.
//
// The figures are drawn by TScaledRasterDevice (platform/graphics/vector/ScaledRasterDevice.h), which
// hands what it does not draw itself (text, ellipses, polygons, pictures,
// wide and inverting pens) to RenderScaledPicture's cairo device.
//
// A recorded mouse trace is drawn onto the control segment by segment as
// the mouse moves, and the quick refresh leaves it out: which of its
// segments the control shows cannot be told from here, so such a chart is
// left to the window system's enlarged surface.
#include "chart/CustomPlotwell.h"
#include "platform/graphics/vector/ScaledRasterDevice.h"
#include "platform/graphics/Canvas.h"
#include "platform/graphics/vector/PictureOutput.h"

namespace korvo {
namespace {

void DrawAtRatio(const TPixelSurface& target, double ratio, int32_t width, int32_t height, const TDrawPicture& draw) {
  RenderScaledPicture(target, TPoint{0, 0}, ratio, width, height, [&](TCanvas& figures) {
    TScaledRasterDevice device(target, ratio, figures.FigureDevice());
    TCanvas canvas;
    canvas.SetFigureDevice(&device, width, height);
    draw(canvas);
  });
}

}  // namespace

bool TCustomPlotwell::PaintScaled(const TPixelSurface& target, double ratio, const TRect& changed) {
  if ((!Visible() && !IsDesigning()) || IsLoading() || paint_suspended_) return false;
  if (!mouse_trace_.empty()) return false;
  const TRect whole{0, 0, Width(), Height()};
  const TRect plot{margin_left_, margin_top_, margin_left_ + plot_bitmap_->Width(),
                   margin_top_ + plot_bitmap_->Height()};
  const bool plotOnly = changed != whole && changed.Left >= plot.Left && changed.Top >= plot.Top &&
                        changed.Right <= plot.Right && changed.Bottom <= plot.Bottom;

  // The outlines as XorOutline.cpp draws them, on the control while no
  // picture came since they were drawn.
  const auto drawOutlines = [&](TCanvas& canvas) {
    for (const TXorOutline* o : {&mouse_.BandOutline, &mouse_.BoxOutline}) {
      if (!o->Drawn || o->Presents != mouse_.Presents) continue;
      canvas.Pen()->SetColor(clWhite);
      canvas.Pen()->SetWidth(1);
      canvas.Pen()->SetStyle(TPenStyle::psSolid);
      canvas.Pen()->SetMode(TPenMode::pmXor);
      canvas.Brush()->SetStyle(TBrushStyle::bsClear);
      if (o->Line) {
        canvas.MoveTo(o->X1, o->Y1);
        canvas.LineTo(o->X2, o->Y2);
      } else {
        canvas.Rectangle(o->X1, o->Y1, o->X2, o->Y2);
      }
      canvas.Pen()->SetMode(TPenMode::pmCopy);
    }
  };

  if (!plotOnly) {
    DrawAtRatio(target, ratio, Width(), Height(), [&](TCanvas& canvas) {
      RenderPicture(false, true, &canvas);
      drawOutlines(canvas);
    });
    return true;
  }
  // The plot area's steps of RenderPicture, with painting suspended as
  // there, so that a handler's change does not paint from inside.
  struct TSuspend {
    bool& flag;
    const bool was;
    explicit TSuspend(bool& f) : flag(f), was(f) { flag = true; }
    ~TSuspend() { flag = was; }
  } suspend(paint_suspended_);
  DrawAtRatio(target, ratio, Width(), Height(), [&](TCanvas& canvas) {
    canvas.SetClipRect(plot);
    PaintPlotBackground(&canvas, margin_left_, margin_top_, plot_bitmap_->Width(), plot_bitmap_->Height());
    RenderData(&canvas, margin_left_, margin_top_, false, false);
    DrawCrossHairs(0, 0, canvas);
    canvas.ResetClipRect();
    drawOutlines(canvas);
  });
  return true;
}

}  // namespace korvo
