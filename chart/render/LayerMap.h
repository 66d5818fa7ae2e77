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

// Maps n points at once: (px[j], py[j]) = Point(x[j], y[j]) for every point
// whose coordinates are both finite (finite[j] = 1); finite[j] = 0 for the
// others, whose px and py are left undefined. On a linear layer the loop
// below runs without branches over plain arrays (so the compiler can use
// vector instructions), rounding by the 1.5 * 2^52 trick, which rounds half
// to even as the conversion instruction does for |w| < 2^51; the points it
// cannot vouch for (FastLinearPixel's conditions) go through Point.
inline void TItemRenderer::TLayerMap::Points(const TCustomPlotwell& c, const double* xs, const double* ys, int n,
                                             int32_t* px, int32_t* py, uint8_t* finite) const {
  uint8_t slow[MaxPointsAtOnce];
  if (linear_) {
    constexpr double Magic = 0x1.8p52;
    const double kx = kx_, ox = ox_, ky = ky_, oy = oy_;
    const double dx = double(dx_), dy = double(dy_);
    const double lim = render::CoordLimit;
    for (int j = 0; j < n; ++j) {
      const double x = xs[j], y = ys[j];
      const double kvx = kx * x, wx = kvx + ox;
      const double kvy = ky * y, wy = kvy + oy;
      const double rx = (wx + Magic) - Magic, ry = (wy + Magic) - Magic;
      const bool okx = std::fabs(wx) < 2147483000.0 &&
                       0.5 - std::fabs(wx - rx) > (std::fabs(kvx) + std::fabs(ox)) * 0x1p-49;
      const bool oky = std::fabs(wy) < 2147483000.0 &&
                       0.5 - std::fabs(wy - ry) > (std::fabs(kvy) + std::fabs(oy)) * 0x1p-49;
      finite[j] = (x - x == 0) & (y - y == 0);
      slow[j] = !(okx & oky);
      // A failed point may hold NaN here: it is mapped again below.
      const double cx = okx ? std::min(std::max(rx + dx, -lim), lim) : 0;
      const double cy = oky ? std::min(std::max(ry + dy, -lim), lim) : 0;
      px[j] = int32_t(cx);
      py[j] = int32_t(cy);
    }
  } else {
    for (int j = 0; j < n; ++j) {
      finite[j] = std::isfinite(xs[j]) && std::isfinite(ys[j]);
      slow[j] = 1;
    }
  }
  for (int j = 0; j < n; ++j) {
    if (slow[j] && finite[j]) {
      const TPoint p = Point(c, xs[j], ys[j]);
      px[j] = p.X;
      py[j] = p.Y;
    }
  }
}

}  // namespace korvo
