// The world-to-canvas map of one layer, inline for the loops that map every
// point of a list or a series (ItemRenderer.cpp, SeriesItems.cpp).
#pragma once

#include <cmath>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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
// others, whose px and py are left undefined. On a linear layer two points
// go through FastLinearPixel's steps at a time in vector registers, rounding
// by the 1.5 * 2^52 trick (which rounds half to even, as the conversion
// instruction does, for |w| < 2^51); the points whose pixel those steps
// cannot vouch for go through Point one by one.
inline void TItemRenderer::TLayerMap::Points(const TCustomPlotwell& c, const double* xs, const double* ys, int n,
                                             int32_t* px, int32_t* py, uint8_t* finite) const {
  uint8_t slow[MaxPointsAtOnce];
  int j = 0;
#if defined(__SSE2__)
  if (linear_) {
    const __m128d magic = _mm_set1_pd(0x1.8p52), zero = _mm_setzero_pd(), half = _mm_set1_pd(0.5);
    const __m128d abs = _mm_castsi128_pd(_mm_set1_epi64x(0x7fffffffffffffff));
    const __m128d far = _mm_set1_pd(2147483000.0), tiny = _mm_set1_pd(0x1p-49);
    const __m128d lo = _mm_set1_pd(-render::CoordLimit), hi = _mm_set1_pd(render::CoordLimit);
    const __m128d kx = _mm_set1_pd(kx_), ox = _mm_set1_pd(ox_), ky = _mm_set1_pd(ky_), oy = _mm_set1_pd(oy_);
    const __m128d aox = _mm_and_pd(ox, abs), aoy = _mm_and_pd(oy, abs);
    const __m128d dx = _mm_set1_pd(double(dx_)), dy = _mm_set1_pd(double(dy_));
    // Whether FastLinearPixel takes w = kv + o, rounded to r, as exact.
    const auto sure = [&](__m128d kv, __m128d w, __m128d r, __m128d ao) {
      const __m128d margin = _mm_sub_pd(half, _mm_and_pd(_mm_sub_pd(w, r), abs));
      const __m128d bound = _mm_mul_pd(_mm_add_pd(_mm_and_pd(kv, abs), ao), tiny);
      return _mm_and_pd(_mm_cmplt_pd(_mm_and_pd(w, abs), far), _mm_cmpgt_pd(margin, bound));
    };
    for (; j + 2 <= n; j += 2) {
      const __m128d x = _mm_loadu_pd(xs + j), y = _mm_loadu_pd(ys + j);
      const __m128d kvx = _mm_mul_pd(kx, x), wx = _mm_add_pd(kvx, ox);
      const __m128d kvy = _mm_mul_pd(ky, y), wy = _mm_add_pd(kvy, oy);
      const __m128d rx = _mm_sub_pd(_mm_add_pd(wx, magic), magic);
      const __m128d ry = _mm_sub_pd(_mm_add_pd(wy, magic), magic);
      const int ok = _mm_movemask_pd(_mm_and_pd(sure(kvx, wx, rx, aox), sure(kvy, wy, ry, aoy)));
      const int fin = _mm_movemask_pd(
          _mm_and_pd(_mm_cmpeq_pd(_mm_sub_pd(x, x), zero), _mm_cmpeq_pd(_mm_sub_pd(y, y), zero)));
      // max and min give their second operand for NaN, so a point that is
      // not sure still converts without trouble (and is mapped again).
      const __m128i cx = _mm_cvttpd_epi32(_mm_min_pd(_mm_max_pd(_mm_add_pd(rx, dx), lo), hi));
      const __m128i cy = _mm_cvttpd_epi32(_mm_min_pd(_mm_max_pd(_mm_add_pd(ry, dy), lo), hi));
      _mm_storel_epi64(reinterpret_cast<__m128i*>(px + j), cx);
      _mm_storel_epi64(reinterpret_cast<__m128i*>(py + j), cy);
      finite[j] = uint8_t(fin & 1);
      finite[j + 1] = uint8_t(fin >> 1);
      slow[j] = uint8_t(!(ok & 1));
      slow[j + 1] = uint8_t(!(ok & 2));
    }
  }
#endif
  for (; j < n; ++j) {
    finite[j] = std::isfinite(xs[j]) && std::isfinite(ys[j]);
    slow[j] = 1;
  }
  for (j = 0; j < n; ++j) {
    if (slow[j] && finite[j]) {
      const TPoint p = Point(c, xs[j], ys[j]);
      px[j] = p.X;
      py[j] = p.Y;
    }
  }
}

}  // namespace korvo
