// The arithmetic conventions of the scale, in extended precision.
//   Round  to the nearest integer, halves to even (the default rounding mode)
//   Int    truncation toward zero, kept in floating point
//   Frac   the part that Int drops: x - Int(x)
// Pixels are 32-bit: ClampToPixel limits a value to +-2147483647 first, so
// no NaN or infinity ever reaches an integer conversion.
#pragma once

#include <cmath>
#include <cstdint>

namespace korvo {

using Extended = long double;

inline Extended Round(Extended x) { return std::nearbyint(x); }
inline Extended Int(Extended x) { return std::trunc(x); }
inline Extended Frac(Extended x) { return x - std::trunc(x); }

constexpr int32_t MaxPixelCoordinate = 2147483647;

// Rounds half to even after limiting to -2147483647 .. 2147483647; NaN gives 0.
inline int32_t ClampToPixel(Extended x) {
  if (std::isnan(x)) return 0;
  if (x >= MaxPixelCoordinate) return MaxPixelCoordinate;
  if (x <= -MaxPixelCoordinate) return -MaxPixelCoordinate;
  return int32_t(std::nearbyint(x));
}

}  // namespace korvo
