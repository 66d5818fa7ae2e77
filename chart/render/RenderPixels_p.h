// Pixel arithmetic shared by the background, grid and overlay steps. Their
// positions come from world values or from label anchors of any size, are
// shifted by origins and margins in 64 bits, and only the final canvas
// coordinate is narrowed, so no sum can overflow and no NaN reaches a cast.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace korvo::render {

// A 64-bit pixel sum as a canvas coordinate: values beyond the 32-bit range
// stick to its ends, which lie far off any canvas.
inline int32_t ClampPixel(int64_t v) { return int32_t(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX)); }

// A pixel position given as a double (a label's PosX in control pixels),
// rounded half to even after clamping to +-2^40, which keeps every later
// 64-bit sum exact and every far position far. False for NaN, which has no
// position at all.
inline bool RoundPixel(double v, int64_t& out) {
  if (std::isnan(v)) return false;
  constexpr double Limit = 1099511627776.0;  // 2^40
  out = int64_t(std::nearbyint(std::clamp(v, -Limit, Limit)));
  return true;
}

}  // namespace korvo::render
