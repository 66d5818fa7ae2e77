// The coverage blend of glyph pixels, checked exhaustively against the rule
// dst + (ink - dst) * coverage / 255, rounded.
#include <gtest/gtest.h>

#include "platform/graphics/text/Blend.h"

namespace korvo::text {
namespace {

// The rule in plain integer arithmetic: round(dst + (ink - dst) * c / 255).
int Reference(int dst, int ink, int c) {
  const int num = (ink - dst) * c;
  const int q = (2 * num + (num >= 0 ? 255 : -255)) / 510;  // nearest, no ties possible
  return dst + q;
}

TEST(TextBlend, EveryChannelValueAndCoverageRoundsToTheNearest) {
  int wrong = 0;
  for (int dst = 0; dst < 256; ++dst) {
    for (int ink = 0; ink < 256; ++ink) {
      // Each channel gets a different pair so the lanes cannot mask each other.
      const int dst_g = 255 - dst, ink_g = (ink * 7) & 0xFF;
      const int dst_b = (dst * 13) & 0xFF, ink_b = 255 - ink;
      const TPixel d = 0xFF000000u | (uint32_t(dst) << 16) | (uint32_t(dst_g) << 8) | uint32_t(dst_b);
      const TPixel k = 0xFF000000u | (uint32_t(ink) << 16) | (uint32_t(ink_g) << 8) | uint32_t(ink_b);
      for (int c = 0; c < 256; ++c) {
        const TPixel want = 0xFF000000u | (uint32_t(Reference(dst, ink, c)) << 16) |
                            (uint32_t(Reference(dst_g, ink_g, c)) << 8) | uint32_t(Reference(dst_b, ink_b, c));
        wrong += BlendCoverage(d, k, uint32_t(c)) != want;
      }
    }
  }
  EXPECT_EQ(wrong, 0);
}

TEST(TextBlend, NoCoverageKeepsAndFullCoverageReplaces) {
  const TPixel d = RGBToPixel(RGB(1, 128, 254));
  const TPixel k = RGBToPixel(RGB(250, 3, 77));
  EXPECT_EQ(BlendCoverage(d, k, 0), d);
  EXPECT_EQ(BlendCoverage(d, k, 255), k);
  // Coverage 128: red 1 + 249 * 128 / 255 = 125.99 -> 126, green 65.25 -> 65,
  // blue 165.15 -> 165.
  EXPECT_EQ(PixelToColor(BlendCoverage(d, k, 128)), RGB(126, 65, 165));
}

}  // namespace
}  // namespace korvo::text
