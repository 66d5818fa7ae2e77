// The masks the mark series' backward pass reads its points by
// (SeriesMarks.cpp), and the short steps of a line (SeriesItems.cpp): which
// points lie in the view, which share their centre with the point after
// them, which are finite; bit j of words[j / 64] stands for point j. The
// scalar definitions (the *Tail functions) and vector kernels that must
// agree with them bit for bit (tests/chart/render/series_kernels_test.cpp).
#pragma once

#include <algorithm>
#include <cstdint>
#if defined(__SSE2__)
#include <immintrin.h>
#endif

namespace korvo::render {

// The view's box in world units (NaN lies in no box).
struct TView {
  double xl, xh, yl, yh;
};

// Sets the bit of each point from .. n - 1 that lies in the view.
inline void InViewTail(const double* x, const double* y, int from, int n, const TView& v, uint64_t* words) {
  for (int j = from; j < n; ++j) {
    const bool in = x[j] >= v.xl && x[j] <= v.xh && y[j] >= v.yl && y[j] <= v.yh;
    words[j / 64] |= uint64_t(in) << (j % 64);
  }
}

// Sets the bit of each point from .. n - 1 whose centre is that of the point
// after it, the last point's compared with (nextX, nextY).
inline void SameTail(const int32_t* px, const int32_t* py, int from, int n, int32_t nextX, int32_t nextY,
                     uint64_t* words) {
  // (from is never negative; said so, GCC proves the reads in bounds.)
  if (from < 0) from = 0;
  for (int j = from; j < n; ++j) {
    const int32_t x1 = j + 1 < n ? px[j + 1] : nextX, y1 = j + 1 < n ? py[j + 1] : nextY;
    words[j / 64] |= uint64_t(px[j] == x1 && py[j] == y1) << (j % 64);
  }
}

// Sets the bit of each point 0 .. n - 1 whose finite flag is set (words
// cleared by the caller).
inline void FiniteBits(const uint8_t* finite, int n, uint64_t* words) {
  int j = 0;
#if defined(__SSE2__)
  for (; j + 16 <= n; j += 16) {
    const __m128i f = _mm_loadu_si128(reinterpret_cast<const __m128i*>(finite + j));
    const uint64_t bits = uint32_t(_mm_movemask_epi8(_mm_cmpgt_epi8(f, _mm_setzero_si128())));
    words[j / 64] |= bits << (j % 64);
  }
#endif
  for (; j < n; ++j) words[j / 64] |= uint64_t(finite[j] != 0) << (j % 64);
}

// A kernel sets the bits of the points 0 .. k - 1, in words the caller has
// cleared, and returns k; the tail adds the rest. A centre kernel leaves
// the last point to the tail (k < n).
using TInViewKernel = int (*)(const double* x, const double* y, int n, const TView& v, uint64_t* words);
using TSameKernel = int (*)(const int32_t* px, const int32_t* py, int n, uint64_t* words);

// ORs the bits of points 0 .. n - 1 of src into dst from point `offset` on
// (src's bits past n clear; dst holds at least offset + n bits).
inline void OrBits(uint64_t* dst, int offset, const uint64_t* src, int n) {
  const int shift = offset % 64;
  uint64_t* d = dst + offset / 64;
  for (int w = 0; w * 64 < n; ++w) {
    d[w] |= src[w] << shift;
    if (shift != 0 && (src[w] >> (64 - shift)) != 0) d[w + 1] |= src[w] >> (64 - shift);
  }
}

#if defined(__SSE2__)
inline int InViewSse2(const double* x, const double* y, int n, const TView& v, uint64_t* words) {
  const __m128d lx = _mm_set1_pd(v.xl), hx = _mm_set1_pd(v.xh), ly = _mm_set1_pd(v.yl), hy = _mm_set1_pd(v.yh);
  int j = 0;
  for (int w = 0; j + 2 <= n; ++w) {
    uint64_t bits = 0;
    for (const int end = std::min(n, j + 64); j + 2 <= end; j += 2) {
      const __m128d vx = _mm_loadu_pd(x + j), vy = _mm_loadu_pd(y + j);
      const __m128d in = _mm_and_pd(_mm_and_pd(_mm_cmpge_pd(vx, lx), _mm_cmple_pd(vx, hx)),
                                    _mm_and_pd(_mm_cmpge_pd(vy, ly), _mm_cmple_pd(vy, hy)));
      bits |= uint64_t(_mm_movemask_pd(in)) << (j & 63);
    }
    words[w] = bits;
  }
  return j;
}

inline int SameSse2(const int32_t* px, const int32_t* py, int n, uint64_t* words) {
  const auto load = [](const int32_t* p) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p)); };
  int j = 0;
  for (int w = 0; j + 5 <= n; ++w) {
    uint64_t bits = 0;
    for (const int end = std::min(n - 1, j + 64); j + 4 <= end; j += 4) {
      const __m128i eq = _mm_and_si128(_mm_cmpeq_epi32(load(px + j), load(px + j + 1)),
                                       _mm_cmpeq_epi32(load(py + j), load(py + j + 1)));
      bits |= uint64_t(_mm_movemask_ps(_mm_castsi128_ps(eq))) << (j & 63);
    }
    words[w] = bits;
  }
  return j;
}

[[gnu::target("avx2")]] inline int InViewAvx2(const double* x, const double* y, int n, const TView& v,
                                              uint64_t* words) {
  const __m256d lx = _mm256_set1_pd(v.xl), hx = _mm256_set1_pd(v.xh);
  const __m256d ly = _mm256_set1_pd(v.yl), hy = _mm256_set1_pd(v.yh);
  int j = 0;
  for (int w = 0; j + 4 <= n; ++w) {
    uint64_t bits = 0;
    for (const int end = std::min(n, j + 64); j + 4 <= end; j += 4) {
      const __m256d vx = _mm256_loadu_pd(x + j), vy = _mm256_loadu_pd(y + j);
      const __m256d inX = _mm256_and_pd(_mm256_cmp_pd(vx, lx, _CMP_GE_OQ), _mm256_cmp_pd(vx, hx, _CMP_LE_OQ));
      const __m256d inY = _mm256_and_pd(_mm256_cmp_pd(vy, ly, _CMP_GE_OQ), _mm256_cmp_pd(vy, hy, _CMP_LE_OQ));
      bits |= uint64_t(_mm256_movemask_pd(_mm256_and_pd(inX, inY))) << (j & 63);
    }
    words[w] = bits;
  }
  return j;
}

[[gnu::target("avx2")]] inline int SameAvx2(const int32_t* px, const int32_t* py, int n, uint64_t* words) {
  int j = 0;
  for (int w = 0; j + 9 <= n; ++w) {
    uint64_t bits = 0;
    for (const int end = std::min(n - 1, j + 64); j + 8 <= end; j += 8) {
      const __m256i x0 = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(px + j));
      const __m256i x1 = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(px + j + 1));
      const __m256i y0 = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(py + j));
      const __m256i y1 = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(py + j + 1));
      const __m256i eq = _mm256_and_si256(_mm256_cmpeq_epi32(x0, x1), _mm256_cmpeq_epi32(y0, y1));
      bits |= uint64_t(_mm256_movemask_ps(_mm256_castsi256_ps(eq))) << (j & 63);
    }
    words[w] = bits;
  }
  return j;
}
#endif

struct TMaskKernels {
  TInViewKernel inView;
  TSameKernel same;
};

// The kernels for this processor (none without SSE2: the tails do it all).
inline TMaskKernels ChooseMaskKernels() {
#if defined(__SSE2__)
  if (__builtin_cpu_supports("avx2")) return {InViewAvx2, SameAvx2};
  return {InViewSse2, SameSse2};
#else
  return {[](const double*, const double*, int, const TView&, uint64_t*) { return 0; },
          [](const int32_t*, const int32_t*, int, uint64_t*) { return 0; }};
#endif
}

}  // namespace korvo::render
