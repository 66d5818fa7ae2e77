// Canvas state, clipping and single pixels. The figures live in raster/,
// text in CanvasText.cpp, bitmap copies in CanvasBlit.cpp.
#include "platform/graphics/Canvas.h"

#include <algorithm>

namespace korvo {

TCanvas::TCanvas() = default;
TCanvas::~TCanvas() = default;

void TCanvas::SetSurface(const TPixelSurface& surface) {
  surface_ = surface;
  UpdateEffectiveClip();
}

void TCanvas::UpdateEffectiveClip() {
  TRect r{0, 0, surface_.Width, surface_.Height};
  r.Left = std::max(r.Left, clip_.Left);
  r.Top = std::max(r.Top, clip_.Top);
  r.Right = std::min(r.Right, clip_.Right);
  r.Bottom = std::min(r.Bottom, clip_.Bottom);
  if (r.IsEmpty() || surface_.Bits == nullptr) r = TRect{0, 0, 0, 0};
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
  surface_.Bits[y * surface_.Stride + x] = ColorToPixel(color);
}

void TCanvas::StampPixels(int32_t x, int32_t y, std::span<const TStampPixel> pixels, const TRect& box, TColor color) {
  const TRect& c = effective_clip_;
  const TPixel ink = ColorToPixel(color);
  const int64_t x1 = int64_t(x) + box.Left, y1 = int64_t(y) + box.Top;
  const int64_t x2 = int64_t(x) + box.Right, y2 = int64_t(y) + box.Bottom;
  if (x1 >= c.Left && y1 >= c.Top && x2 <= c.Right && y2 <= c.Bottom) {
    TPixel* origin = surface_.Bits + ptrdiff_t(y) * surface_.Stride + x;
    for (const TStampPixel p : pixels) origin[ptrdiff_t(p.DY) * surface_.Stride + p.DX] = ink;
    return;
  }
  if (x2 <= c.Left || y2 <= c.Top || x1 >= c.Right || y1 >= c.Bottom) return;
  for (const TStampPixel p : pixels) {
    const int64_t px = int64_t(x) + p.DX, py = int64_t(y) + p.DY;
    if (px >= c.Left && py >= c.Top && px < c.Right && py < c.Bottom) {
      surface_.Bits[ptrdiff_t(py) * surface_.Stride + ptrdiff_t(px)] = ink;
    }
  }
}

TSize TCanvas::TextExtent(std::string_view text) { return TSize{TextWidth(text), TextHeight(text)}; }

}  // namespace korvo
