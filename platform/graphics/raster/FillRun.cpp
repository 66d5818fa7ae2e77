// Long row fills with 16-byte stores aligned to 16 bytes: the plain loop's
// unaligned stores split a cache line at every fourth store when the row
// starts off a 16-byte boundary (a pixel is 4 bytes), which costs a tenth
// of a fill's time in cache and in memory alike. 32-byte stores gain no more
// where the fill waits on memory, so the base instruction set serves.
#include "platform/graphics/raster/Raster.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include <algorithm>
#include <cstdint>

namespace korvo::raster {

void Target::FillLongRun(TPixel* p, size_t n, TPixel value) {
#if defined(__SSE2__)
  TPixel* const end = p + n;
  while ((reinterpret_cast<uintptr_t>(p) & 15u) != 0) *p++ = value;  // n >= 16: stays in the run
  const __m128i v = _mm_set1_epi32(int(value));
  for (; end - p >= 8; p += 8) {
    _mm_store_si128(reinterpret_cast<__m128i*>(p), v);
    _mm_store_si128(reinterpret_cast<__m128i*>(p + 4), v);
  }
  if (end - p >= 4) {
    _mm_store_si128(reinterpret_cast<__m128i*>(p), v);
    p += 4;
  }
  while (p < end) *p++ = value;
#else
  std::fill_n(p, n, value);
#endif
}

}  // namespace korvo::raster
