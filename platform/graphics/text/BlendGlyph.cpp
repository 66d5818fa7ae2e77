// The scalar and the AVX2 glyph blends. The vector path does the arithmetic
// of BlendCoverage in 16-bit lanes, four pixels (sixteen channels) at a
// time: t = dst * (255 - c) + ink * c + 128 never exceeds 65153, and
// (t + (t >> 8)) >> 8 is the rounded quotient by 255, so the lanes never
// overflow and the pixels are the scalar blend's. A row's last 1..3 pixels
// use masked loads and stores, so nothing past the row is touched.
#include "platform/graphics/text/BlendGlyph.h"

#include <immintrin.h>

#include <cstring>

#include "platform/graphics/text/Blend.h"

namespace korvo::text {

void BlendGlyphScalar(TPixel* dst, ptrdiff_t stride, const uint8_t* coverage, ptrdiff_t pitch, int32_t width,
                      int32_t rows, TPixel ink) {
  for (int32_t r = 0; r < rows; ++r, dst += stride, coverage += pitch) {
    for (int32_t i = 0; i < width; ++i) {
      const uint32_t c = coverage[i];
      if (c != 0) dst[i] = BlendCoverage(dst[i], ink, c);
    }
  }
}

namespace {

[[gnu::target("avx2")]] inline __m128i Blend4(__m128i d, uint32_t cov4, __m256i ink16) {
  const __m128i c8 = _mm_cvtsi32_si128(int(cov4));
  // Each pixel's coverage in its four channels' lanes.
  const __m128i spread = _mm_shuffle_epi8(c8, _mm_setr_epi8(0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2, 2, 3, 3, 3, 3));
  const __m256i c = _mm256_cvtepu8_epi16(spread);
  const __m256i ic = _mm256_sub_epi16(_mm256_set1_epi16(255), c);
  __m256i t = _mm256_add_epi16(_mm256_mullo_epi16(_mm256_cvtepu8_epi16(d), ic), _mm256_mullo_epi16(ink16, c));
  t = _mm256_add_epi16(t, _mm256_set1_epi16(128));
  t = _mm256_srli_epi16(_mm256_add_epi16(t, _mm256_srli_epi16(t, 8)), 8);
  __m128i out = _mm_packus_epi16(_mm256_castsi256_si128(t), _mm256_extracti128_si256(t, 1));
  out = _mm_or_si128(out, _mm_set1_epi32(int(0xFF000000u)));
  const __m128i untouched = _mm_cmpeq_epi32(_mm_cvtepu8_epi32(c8), _mm_setzero_si128());
  return _mm_blendv_epi8(out, d, untouched);
}

[[gnu::target("avx2")]] void Avx2Rows(TPixel* dst, ptrdiff_t stride, const uint8_t* coverage, ptrdiff_t pitch,
                                      int32_t width, int32_t rows, TPixel ink) {
  const __m256i ink16 = _mm256_cvtepu8_epi16(_mm_set1_epi32(int(ink)));
  const int32_t whole = width & ~3;
  const int32_t tail = width - whole;
  // Lanes 0..tail-1 of the last, partial group of four.
  const __m128i tail_mask = _mm_cmpgt_epi32(_mm_set1_epi32(tail), _mm_setr_epi32(0, 1, 2, 3));
  for (int32_t r = 0; r < rows; ++r, dst += stride, coverage += pitch) {
    for (int32_t i = 0; i < whole; i += 4) {
      uint32_t c4;
      std::memcpy(&c4, coverage + i, 4);
      auto* p = reinterpret_cast<__m128i*>(dst + i);
      _mm_storeu_si128(p, Blend4(_mm_loadu_si128(p), c4, ink16));
    }
    if (tail != 0) {
      uint32_t c4;
      std::memcpy(&c4, coverage + whole, 4);  // within the read slack
      auto* p = reinterpret_cast<int*>(dst + whole);
      _mm_maskstore_epi32(p, tail_mask, Blend4(_mm_maskload_epi32(p, tail_mask), c4, ink16));
    }
  }
}

bool HasAvx2() {
  static const bool has = __builtin_cpu_supports("avx2");
  return has;
}

}  // namespace

bool BlendGlyphAvx2(TPixel* dst, ptrdiff_t stride, const uint8_t* coverage, ptrdiff_t pitch, int32_t width,
                    int32_t rows, TPixel ink) {
  if (!HasAvx2()) return false;
  Avx2Rows(dst, stride, coverage, pitch, width, rows, ink);
  return true;
}

void BlendGlyph(TPixel* dst, ptrdiff_t stride, const uint8_t* coverage, ptrdiff_t pitch, int32_t width, int32_t rows,
                TPixel ink) {
  if (HasAvx2()) {
    Avx2Rows(dst, stride, coverage, pitch, width, rows, ink);
  } else {
    BlendGlyphScalar(dst, stride, coverage, pitch, width, rows, ink);
  }
}

}  // namespace korvo::text
