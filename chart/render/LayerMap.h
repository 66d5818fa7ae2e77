// The world-to-canvas map of one layer, inline for the loops that map every
// point of a list or a series (ItemRenderer.cpp, SeriesItems.cpp).
#pragma once

#include <algorithm>
#include <cmath>
#include <cstring>
#if defined(__SSE2__)
#include <immintrin.h>
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

namespace render {

// The vector steps of TLayerMap::Points on a linear layer: the canvas pixel
// is round(k v + o) + d, clamped to +-CoordLimit. Kernels return how many
// leading points they mapped (a multiple of their width) and set bit j of
// slow[j / 64] for each of those points that is finite but whose pixel
// FastLinearPixel's test cannot vouch for.
struct TLinearSteps {
  double kx, ox, ky, oy, dx, dy;
};

// finite[] bytes of four points from their 4-bit mask.
inline constexpr uint32_t FiniteBytes[16] = {
    0x00000000, 0x00000001, 0x00000100, 0x00000101, 0x00010000, 0x00010001, 0x00010100, 0x00010101,
    0x01000000, 0x01000001, 0x01000100, 0x01000101, 0x01010000, 0x01010001, 0x01010100, 0x01010101};

#if defined(__SSE2__)
// Two points at a time, rounding by the 1.5 * 2^52 trick (which rounds half
// to even, as the conversion instruction does, for |w| < 2^51).
inline int MapLinearSse2(const TLinearSteps& m, const double* xs, const double* ys, int n, int32_t* px,
                         int32_t* py, uint8_t* finite, uint64_t* slow) {
  const __m128d magic = _mm_set1_pd(0x1.8p52), zero = _mm_setzero_pd(), half = _mm_set1_pd(0.5);
  const __m128d abs = _mm_castsi128_pd(_mm_set1_epi64x(0x7fffffffffffffff));
  const __m128d far = _mm_set1_pd(2147483000.0), tiny = _mm_set1_pd(0x1p-49);
  const __m128d lo = _mm_set1_pd(-CoordLimit), hi = _mm_set1_pd(CoordLimit);
  const __m128d kx = _mm_set1_pd(m.kx), ox = _mm_set1_pd(m.ox), ky = _mm_set1_pd(m.ky), oy = _mm_set1_pd(m.oy);
  const __m128d aox = _mm_and_pd(ox, abs), aoy = _mm_and_pd(oy, abs);
  const __m128d dx = _mm_set1_pd(m.dx), dy = _mm_set1_pd(m.dy);
  // Whether FastLinearPixel takes w = kv + o, rounded to r, as exact.
  const auto sure = [&](__m128d kv, __m128d w, __m128d r, __m128d ao) {
    const __m128d margin = _mm_sub_pd(half, _mm_and_pd(_mm_sub_pd(w, r), abs));
    const __m128d bound = _mm_mul_pd(_mm_add_pd(_mm_and_pd(kv, abs), ao), tiny);
    return _mm_and_pd(_mm_cmplt_pd(_mm_and_pd(w, abs), far), _mm_cmpgt_pd(margin, bound));
  };
  int j = 0;
  for (int w = 0; j + 2 <= n; ++w) {
    uint64_t bits = 0;
    for (const int end = std::min(n, j + 64); j + 2 <= end; j += 2) {
      const __m128d x = _mm_loadu_pd(xs + j), y = _mm_loadu_pd(ys + j);
      const __m128d kvx = _mm_mul_pd(kx, x), wx = _mm_add_pd(kvx, ox);
      const __m128d kvy = _mm_mul_pd(ky, y), wy = _mm_add_pd(kvy, oy);
      const __m128d rx = _mm_sub_pd(_mm_add_pd(wx, magic), magic);
      const __m128d ry = _mm_sub_pd(_mm_add_pd(wy, magic), magic);
      const int ok = _mm_movemask_pd(_mm_and_pd(sure(kvx, wx, rx, aox), sure(kvy, wy, ry, aoy)));
      const int fin =
          _mm_movemask_pd(_mm_and_pd(_mm_cmpeq_pd(_mm_sub_pd(x, x), zero), _mm_cmpeq_pd(_mm_sub_pd(y, y), zero)));
      // max and min give their second operand for NaN, so a point that is
      // not sure still converts without trouble (and is mapped again).
      const __m128i cx = _mm_cvttpd_epi32(_mm_min_pd(_mm_max_pd(_mm_add_pd(rx, dx), lo), hi));
      const __m128i cy = _mm_cvttpd_epi32(_mm_min_pd(_mm_max_pd(_mm_add_pd(ry, dy), lo), hi));
      _mm_storel_epi64(reinterpret_cast<__m128i*>(px + j), cx);
      _mm_storel_epi64(reinterpret_cast<__m128i*>(py + j), cy);
      const uint16_t bytes = uint16_t(FiniteBytes[fin]);
      std::memcpy(finite + j, &bytes, 2);
      bits |= uint64_t(fin & ~ok) << (j & 63);
    }
    slow[w] = bits;
  }
  return j;
}

// Four points at a time, the same steps in 256-bit registers (no fused
// multiply-add: k v is rounded before o is added, as in FastLinearPixel).
[[gnu::target("avx2")]] inline int MapLinearAvx2(const TLinearSteps& m, const double* xs, const double* ys, int n,
                                                 int32_t* px, int32_t* py, uint8_t* finite, uint64_t* slow) {
  const __m256d magic = _mm256_set1_pd(0x1.8p52), zero = _mm256_setzero_pd(), half = _mm256_set1_pd(0.5);
  const __m256d abs = _mm256_castsi256_pd(_mm256_set1_epi64x(0x7fffffffffffffff));
  const __m256d far = _mm256_set1_pd(2147483000.0), tiny = _mm256_set1_pd(0x1p-49);
  const __m256d lo = _mm256_set1_pd(-CoordLimit), hi = _mm256_set1_pd(CoordLimit);
  const __m256d kx = _mm256_set1_pd(m.kx), ox = _mm256_set1_pd(m.ox), ky = _mm256_set1_pd(m.ky);
  const __m256d oy = _mm256_set1_pd(m.oy);
  const __m256d aox = _mm256_and_pd(ox, abs), aoy = _mm256_and_pd(oy, abs);
  const __m256d dx = _mm256_set1_pd(m.dx), dy = _mm256_set1_pd(m.dy);
  // (A lambda would not take the function's target.)
#define PLOTWELL_SURE(kv, w, r, ao)                                                                      \
  _mm256_and_pd(_mm256_cmp_pd(_mm256_and_pd(w, abs), far, _CMP_LT_OQ),                                  \
                _mm256_cmp_pd(_mm256_sub_pd(half, _mm256_and_pd(_mm256_sub_pd(w, r), abs)),             \
                              _mm256_mul_pd(_mm256_add_pd(_mm256_and_pd(kv, abs), ao), tiny), _CMP_GT_OQ))
  int j = 0;
  for (int w = 0; j + 4 <= n; ++w) {
    uint64_t bits = 0;
    for (const int end = std::min(n, j + 64); j + 4 <= end; j += 4) {
      const __m256d x = _mm256_loadu_pd(xs + j), y = _mm256_loadu_pd(ys + j);
      const __m256d kvx = _mm256_mul_pd(kx, x), wx = _mm256_add_pd(kvx, ox);
      const __m256d kvy = _mm256_mul_pd(ky, y), wy = _mm256_add_pd(kvy, oy);
      const __m256d rx = _mm256_sub_pd(_mm256_add_pd(wx, magic), magic);
      const __m256d ry = _mm256_sub_pd(_mm256_add_pd(wy, magic), magic);
      const int ok = _mm256_movemask_pd(_mm256_and_pd(PLOTWELL_SURE(kvx, wx, rx, aox), PLOTWELL_SURE(kvy, wy, ry, aoy)));
      const int fin = _mm256_movemask_pd(_mm256_and_pd(_mm256_cmp_pd(_mm256_sub_pd(x, x), zero, _CMP_EQ_OQ),
                                                       _mm256_cmp_pd(_mm256_sub_pd(y, y), zero, _CMP_EQ_OQ)));
      const __m128i cx = _mm256_cvttpd_epi32(_mm256_min_pd(_mm256_max_pd(_mm256_add_pd(rx, dx), lo), hi));
      const __m128i cy = _mm256_cvttpd_epi32(_mm256_min_pd(_mm256_max_pd(_mm256_add_pd(ry, dy), lo), hi));
      _mm_storeu_si128(reinterpret_cast<__m128i*>(px + j), cx);
      _mm_storeu_si128(reinterpret_cast<__m128i*>(py + j), cy);
      std::memcpy(finite + j, &FiniteBytes[fin], 4);
      bits |= uint64_t(fin & ~ok) << (j & 63);
    }
    slow[w] = bits;
  }
  return j;
}
#undef PLOTWELL_SURE
#endif

}  // namespace render

// Maps n points at once: (px[j], py[j]) = Point(x[j], y[j]) for every point
// whose coordinates are both finite (finite[j] = 1); finite[j] = 0 for the
// others, whose px and py are left undefined. On a linear layer the points
// go through FastLinearPixel's steps several at a time in vector registers
// (four with AVX2, two with SSE2); the points whose pixel those steps cannot
// vouch for go through Point one by one, found by a bit mask.
inline void TItemRenderer::TLayerMap::Points(const TCustomPlotwell& c, const double* xs, const double* ys, int n,
                                             int32_t* px, int32_t* py, uint8_t* finite) const {
  constexpr int Words = MaxPointsAtOnce / 64;
  uint64_t slow[Words] = {};
  int j = 0;
#if defined(__SSE2__)
  if (linear_) {
    static const bool avx2 = __builtin_cpu_supports("avx2");
    const render::TLinearSteps m{kx_, ox_, ky_, oy_, double(dx_), double(dy_)};
    j = avx2 ? render::MapLinearAvx2(m, xs, ys, n, px, py, finite, slow)
             : render::MapLinearSse2(m, xs, ys, n, px, py, finite, slow);
  }
#endif
  for (; j < n; ++j) {
    finite[j] = std::isfinite(xs[j]) && std::isfinite(ys[j]);
    slow[j >> 6] |= uint64_t(finite[j]) << (j & 63);
  }
  for (int w = 0; w < Words; ++w) {
    for (uint64_t bits = slow[w]; bits != 0; bits &= bits - 1) {
      const int k = w * 64 + __builtin_ctzll(bits);
      const TPoint p = Point(c, xs[k], ys[k]);
      px[k] = p.X;
      py[k] = p.Y;
    }
  }
}

}  // namespace korvo
