// The whole-glyph blend: every path gives each pixel BlendCoverage's value,
// leaves zero-coverage pixels exactly as they were, and touches nothing
// outside the rows and widths it is given.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "platform/graphics/text/Blend.h"
#include "platform/graphics/text/BlendGlyph.h"

namespace korvo::text {
namespace {

using Path = void (*)(TPixel*, ptrdiff_t, const uint8_t*, ptrdiff_t, int32_t, int32_t, TPixel);

void Avx2OrSkip(TPixel* d, ptrdiff_t s, const uint8_t* c, ptrdiff_t p, int32_t w, int32_t r, TPixel ink) {
  if (!BlendGlyphAvx2(d, s, c, p, w, r, ink)) GTEST_SKIP() << "no AVX2 on this processor";
}

// A glyph of random coverage (a third zero, a sixth full) on a surface of
// random pixels, some not opaque, with a border around the blended box.
TEST(TextBlendGlyph, EveryPathMatchesThePixelBlendAndStaysInItsBox) {
  const Path paths[] = {BlendGlyph, BlendGlyphScalar, Avx2OrSkip};
  std::mt19937 rng(3);
  std::uniform_int_distribution<uint32_t> any;
  for (Path path : paths) {
    for (int32_t width = 0; width <= 21; ++width) {
      for (int32_t rows : {1, 3, 8}) {
        const ptrdiff_t pitch = width + 5, stride = width + 9;
        std::vector<uint8_t> coverage(size_t(pitch * rows) + CoverageReadSlack);
        for (uint8_t& c : coverage) {
          const uint32_t v = any(rng) % 6;
          c = v < 2 ? 0 : v == 2 ? 255 : uint8_t(any(rng));
        }
        std::vector<TPixel> surface(size_t(stride * (rows + 2)));
        for (TPixel& p : surface) p = any(rng) % 4 == 0 ? any(rng) : (any(rng) | 0xFF000000u);
        const std::vector<TPixel> before = surface;
        const TPixel ink = 0xFF000000u | (any(rng) & 0xFFFFFFu);
        path(surface.data() + stride + 2, stride, coverage.data(), pitch, width, rows, ink);
        if (testing::Test::IsSkipped()) return;
        for (ptrdiff_t y = 0; y < rows + 2; ++y) {
          for (ptrdiff_t x = 0; x < stride; ++x) {
            const size_t at = size_t(y * stride + x);
            const bool inside = y >= 1 && y <= rows && x >= 2 && x < 2 + width;
            TPixel want = before[at];
            if (inside) {
              const uint32_t c = coverage[size_t((y - 1) * pitch + (x - 2))];
              if (c != 0) want = BlendCoverage(before[at], ink, c);
            }
            ASSERT_EQ(surface[at], want) << "width " << width << " rows " << rows << " at " << x << "," << y;
          }
        }
      }
    }
  }
}

}  // namespace
}  // namespace korvo::text
