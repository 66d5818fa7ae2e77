// Number rules of the item renderer: every conversion to a pixel clamps
// before it casts, so NaN, infinities and 1e308 never reach an integer cast.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "platform/Types.h"

namespace korvo::render {

inline constexpr int32_t CoordLimit = 30000;

// round(v), halves to even, for |v| <= 2147483647: the conversion
// instruction rounds in the current mode, which is to nearest even, as
// std::nearbyint does.
inline int32_t RoundHalfEven(double v) {
#if defined(__SSE2__)
  return _mm_cvtsd_si32(_mm_set_sd(v));
#else
  return int32_t(std::nearbyint(v));
#endif
}

// A canvas coordinate limited to -30000..30000.
inline int32_t ClampCoord(int64_t v) { return int32_t(std::clamp<int64_t>(v, -CoordLimit, CoordLimit)); }

inline int32_t ClampInt32(int64_t v) { return int32_t(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX)); }

// round(v), halves to even, for a pixel coordinate given as a double: NaN
// is taken as 0, and the value is first kept within +-2^40 (far beyond
// every clamp that follows).
inline int64_t RoundCoord(double v) {
  if (std::isnan(v)) return 0;
  constexpr double Limit = 1099511627776.0;  // 2^40
  return int64_t(std::nearbyint(std::clamp(v, -Limit, Limit)));
}

// The same for a value of any size that ends up as a 32-bit offset.
inline int32_t RoundToInt32(double v) { return ClampInt32(RoundCoord(v)); }

// The pen position moved by a relative step, kept within the 32-bit range.
inline int32_t SaturateAdd(int32_t a, int64_t b) { return ClampInt32(int64_t(a) + b); }

// Item layers outside 1..16 are read as the nearest layer, as WorldToPixel
// reads them.
inline int ClampLayer(int32_t layer) { return layer < 1 ? 1 : (layer > 16 ? 16 : layer); }

// v lies between the two ends, both included, in either order (NaN never).
inline bool Between(double v, double a, double b) { return a <= b ? (v >= a && v <= b) : (v >= b && v <= a); }

// The canvas leaves out the right and bottom edge of Rectangle and Ellipse;
// an item's corners are both included: the larger x (the first when equal)
// and the larger y grow by one.
inline void MakeInclusive(TPoint& a, TPoint& b) {
  const auto grow = [](int32_t& v) { v += v < INT32_MAX; };  // the far edge of the 32-bit range stays
  grow(a.X >= b.X ? a.X : b.X);
  grow(a.Y >= b.Y ? a.Y : b.Y);
}

// The pen width put on the canvas for an item's line width: below 1 is 1;
// above 2^18 the stroke covers every pixel a clamped figure can reach on any
// canvas either way, so the width is kept there.
inline int PenWidthOnCanvas(int32_t w) { return std::clamp<int32_t>(w, 1, 1 << 18); }

// round(v) of a figure offset (a head length times a sine, a depth times a
// cosine), kept within +-2^30 so that sums with clamped coordinates fit 32
// bits.
inline int32_t RoundOffset(double v) {
  if (std::isnan(v)) return 0;
  constexpr double Limit = 1073741824.0;
  return int32_t(std::nearbyint(std::clamp(v, -Limit, Limit)));
}

}  // namespace korvo::render
