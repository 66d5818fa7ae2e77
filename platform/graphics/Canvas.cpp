// Canvas state, clipping and single pixels. The figures live in raster/,
// text in CanvasText.cpp, bitmap copies in CanvasBlit.cpp.
#include "platform/graphics/Canvas.h"

#include "platform/graphics/FigureDevice.h"

#include "platform/graphics/raster/ShapeStamps.h"
#include "platform/graphics/raster/StampRuns.h"

#include <algorithm>

namespace korvo {

TCanvas::TCanvas() = default;
TCanvas::~TCanvas() = default;

void TCanvas::SetSurface(const TPixelSurface& surface) {
  surface_ = surface;
  UpdateEffectiveClip();
}

void TCanvas::UpdateEffectiveClip() {
  TRect r = figures_ != nullptr ? TRect{0, 0, figure_size_.cx, figure_size_.cy}
                                : TRect{0, 0, surface_.Width, surface_.Height};
  r.Left = std::max(r.Left, clip_.Left);
  r.Top = std::max(r.Top, clip_.Top);
  r.Right = std::min(r.Right, clip_.Right);
  r.Bottom = std::min(r.Bottom, clip_.Bottom);
  if (r.IsEmpty() || (surface_.Bits == nullptr && figures_ == nullptr)) r = TRect{0, 0, 0, 0};
  effective_clip_ = r;
}

void TCanvas::SetClipRect(const TRect& r) {
  clip_ = r;
  UpdateEffectiveClip();
}

void TCanvas::ResetClipRect() {
  clip_ = TRect{INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX};
  UpdateEffectiveClip();
}

void TCanvas::MoveTo(int32_t x, int32_t y) { pen_pos_ = TPoint{x, y}; }

TColor TCanvas::Pixel(int32_t x, int32_t y) const {
  if (surface_.Bits == nullptr || x < 0 || y < 0 || x >= surface_.Width || y >= surface_.Height) return -1;
  return PixelToColor(surface_.Bits[y * surface_.Stride + x]);
}

void TCanvas::SetPixel(int32_t x, int32_t y, TColor color) {
  if (!ClipRect().Contains(x, y)) return;
  if (figures_ != nullptr) [[unlikely]] return figures_->Fill(*this, TRect{x, y, x + 1, y + 1}, color);
  surface_.Bits[y * surface_.Stride + x] = ColorToPixel(color);
}

TSize TCanvas::TextExtent(std::string_view text) { return TSize{TextWidth(text), TextHeight(text)}; }

}  // namespace korvo
