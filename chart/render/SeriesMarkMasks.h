// The masks the mark series' backward pass reads a block of points by
// (SeriesMarks.cpp): which points lie in the view, which share their centre
// with the point after them. A scalar definition and vector kernels that
// must agree with it bit for bit (tests/chart/render/series_kernels_test.cpp).
#pragma once

#include <algorithm>
#include <cstdint>
#if defined(__SSE2__)
#include <immintrin.h>
#endif

#include "chart/render/SeriesBlock.h"

namespace korvo::render {

// The view's box in world units (NaN lies in no box).
struct TView {
  double xl, xh, yl, yh;
};

// The masks of a block's points: bit j of inView[j / 64] set when point j
// lies in the view, bit j of same[j / 64] when point j has the centre of
// point j + 1 (the block's last point compared with the centre after it).
// A kernel sets the bits of the points 0 .. k - 1 in words the caller has
// cleared and returns k (every j < k has a j + 1 in the block); MasksTail
// adds the bits of the rest.
using TMasksKernel = int (*)(const TSeriesBlock& b, int n, const TView& v, uint64_t* inView, uint64_t* same);

inline void MasksTail(const TSeriesBlock& b, int from, int n, const TView& v, int32_t nextX, int32_t nextY,
                      uint64_t* inView, uint64_t* same) {
  for (int j = from; j < n; ++j) {
    const bool in = b.x[j] >= v.xl && b.x[j] <= v.xh && b.y[j] >= v.yl && b.y[j] <= v.yh;
    const int32_t x1 = j + 1 < n ? b.px[j + 1] : nextX, y1 = j + 1 < n ? b.py[j + 1] : nextY;
    inView[j / 64] |= uint64_t(in) << (j % 64);
    same[j / 64] |= uint64_t(b.px[j] == x1 && b.py[j] == y1) << (j % 64);
  }
}

#if defined(__SSE2__)
// Four points a step: two by two in view, four centres at once.
inline int MasksSse2(const TSeriesBlock& b, int n, const TView& v, uint64_t* inView, uint64_t* same) {
  const __m128d lx = _mm_set1_pd(v.xl), hx = _mm_set1_pd(v.xh), ly = _mm_set1_pd(v.yl), hy = _mm_set1_pd(v.yh);
  const auto in = [&](int j) {
    const __m128d x = _mm_loadu_pd(b.x + j), y = _mm_loadu_pd(b.y + j);
    return _mm_movemask_pd(_mm_and_pd(_mm_and_pd(_mm_cmpge_pd(x, lx), _mm_cmple_pd(x, hx)),
                                      _mm_and_pd(_mm_cmpge_pd(y, ly), _mm_cmple_pd(y, hy))));
  };
  const auto load = [](const int32_t* p) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p)); };
  int j = 0;
  for (int w = 0; j + 5 <= n; ++w) {
    uint64_t inBits = 0, sameBits = 0;
    for (const int end = std::min(n - 1, j + 64); j + 4 <= end; j += 4) {
      const __m128i eq = _mm_and_si128(_mm_cmpeq_epi32(load(b.px + j), load(b.px + j + 1)),
                                       _mm_cmpeq_epi32(load(b.py + j), load(b.py + j + 1)));
      inBits |= uint64_t(in(j) | in(j + 2) << 2) << (j & 63);
      sameBits |= uint64_t(_mm_movemask_ps(_mm_castsi128_ps(eq))) << (j & 63);
    }
    inView[w] = inBits;
    same[w] = sameBits;
  }
  return j;
}

// Eight points a step in 256-bit registers.
[[gnu::target("avx2")]] inline int MasksAvx2(const TSeriesBlock& b, int n, const TView& v, uint64_t* inView,
                                      uint64_t* same) {
  const __m256d lx = _mm256_set1_pd(v.xl), hx = _mm256_set1_pd(v.xh);
  const __m256d ly = _mm256_set1_pd(v.yl), hy = _mm256_set1_pd(v.yh);
  int j = 0;
  for (int w = 0; j + 9 <= n; ++w) {
    uint64_t inBits = 0, sameBits = 0;
    for (const int end = std::min(n - 1, j + 64); j + 8 <= end; j += 8) {
      int in = 0;
      for (int h = 0; h < 2; ++h) {
        const __m256d x = _mm256_loadu_pd(b.x + j + 4 * h), y = _mm256_loadu_pd(b.y + j + 4 * h);
        const __m256d inX = _mm256_and_pd(_mm256_cmp_pd(x, lx, _CMP_GE_OQ), _mm256_cmp_pd(x, hx, _CMP_LE_OQ));
        const __m256d inY = _mm256_and_pd(_mm256_cmp_pd(y, ly, _CMP_GE_OQ), _mm256_cmp_pd(y, hy, _CMP_LE_OQ));
        in |= _mm256_movemask_pd(_mm256_and_pd(inX, inY)) << (4 * h);
      }
      const __m256i x0 = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(b.px + j));
      const __m256i x1 = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(b.px + j + 1));
      const __m256i y0 = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(b.py + j));
      const __m256i y1 = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(b.py + j + 1));
      const __m256i eq = _mm256_and_si256(_mm256_cmpeq_epi32(x0, x1), _mm256_cmpeq_epi32(y0, y1));
      inBits |= uint64_t(in) << (j & 63);
      sameBits |= uint64_t(_mm256_movemask_ps(_mm256_castsi256_ps(eq))) << (j & 63);
    }
    inView[w] = inBits;
    same[w] = sameBits;
  }
  return j;
}
#endif

inline TMasksKernel ChooseMasksKernel() {
#if defined(__SSE2__)
  return __builtin_cpu_supports("avx2") ? MasksAvx2 : MasksSse2;
#else
  return [](const TSeriesBlock&, int, const TView&, uint64_t*, uint64_t*) { return 0; };
#endif
}

}  // namespace korvo::render
