// The world-to-canvas map of one layer, inline for the loops that map every
// point of a list or a series (ItemRenderer.cpp, SeriesItems.cpp).
#pragma once

#include <cmath>

#include "chart/CustomPlotwell.h"
#include "chart/render/ItemRenderer.h"
#include "chart/render/RenderMath.h"

namespace korvo {

// One linear axis in double arithmetic. WorldToPixel's extended-precision
// value and this one lie within 2^-50 (|k v| + |o|) of each other, so both
// round to the same pixel unless this value lies that close to a half
// pixel; then (and for NaN, far values and logarithmic axes) false, and the
// caller asks WorldToPixel.
inline bool FastLinearPixel(double k, double o, double v, int32_t& pixel) {
  const double kv = k * v;
  const double w = kv + o;
  if (!(std::fabs(w) < 2147483000.0)) return false;
  const int32_t r = render::RoundHalfEven(w);
  const double margin = 0.5 - std::fabs(w - double(r));
  if (!(margin > (std::fabs(kv) + std::fabs(o)) * 0x1p-49)) return false;
  pixel = r;
  return true;
}

[[gnu::always_inline]] inline TPoint TItemRenderer::TLayerMap::Point(const TCustomPlotwell& c, double x,
                                                                     double y) const {
  int32_t px, py;
  if (!linear_ || !FastLinearPixel(kx_, ox_, x, px) || !FastLinearPixel(ky_, oy_, y, py)) {
    c.WorldToPixel(layer_, x, y, px, py);
  }
  return TPoint{render::ClampCoord(px + dx_), render::ClampCoord(py + dy_)};
}

[[gnu::always_inline]] inline int32_t TItemRenderer::TLayerMap::X(const TCustomPlotwell& c, double x) const {
  int32_t px, py;
  if (!linear_x_ || !FastLinearPixel(kx_, ox_, x, px)) c.WorldToPixel(layer_, x, 0, px, py);
  return render::ClampCoord(px + dx_);
}

[[gnu::always_inline]] inline int32_t TItemRenderer::TLayerMap::Y(const TCustomPlotwell& c, double y) const {
  int32_t px, py;
  if (!linear_y_ || !FastLinearPixel(ky_, oy_, y, py)) c.WorldToPixel(layer_, 0, y, px, py);
  return render::ClampCoord(py + dy_);
}

}  // namespace korvo
