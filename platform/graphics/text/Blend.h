// Blending of anti-aliased coverage onto canvas pixels.
#pragma once

#include <cstdint>

#include "platform/graphics/Color.h"

namespace korvo::text {

// Moves each colour channel of dst towards ink by coverage / 255:
// dst + (ink - dst) * coverage / 255, rounded to the nearest integer (a tie
// cannot occur, 255 being odd). The result is opaque. Coverage 0 keeps dst,
// 255 gives ink.
//
// Computed as round((dst * (255 - c) + ink * c) / 255) with the exact
// rounding division t -> (t + 128 + ((t + 128) >> 8)) >> 8, valid for
// t <= 255 * 255, on red and blue together in 16-bit lanes and on green alone.
inline TPixel BlendCoverage(TPixel dst, TPixel ink, uint32_t coverage) noexcept {
  const uint32_t c = coverage;
  const uint32_t ic = 255 - c;
  uint32_t rb = (dst & 0x00FF00FFu) * ic + (ink & 0x00FF00FFu) * c + 0x00800080u;
  rb = ((rb + ((rb >> 8) & 0x00FF00FFu)) >> 8) & 0x00FF00FFu;
  uint32_t g = ((dst >> 8) & 0xFFu) * ic + ((ink >> 8) & 0xFFu) * c + 0x80u;
  g = (g + (g >> 8)) >> 8;
  return 0xFF000000u | rb | (g << 8);
}

}  // namespace korvo::text
