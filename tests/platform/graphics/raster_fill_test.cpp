// The run fills under the canvas's solid spans, in every instruction set the
// processor can run: each writes exactly its run, whatever the run's length
// and its ends' offsets in a cache line.
#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <string>
#include <vector>

#include "platform/graphics/raster/Raster.h"

namespace korvo::raster {
namespace {

TEST(RasterFill, EveryFillWritesItsRunAndNothingElse) {
  std::vector<std::pair<std::string, LongRunFill::Fn>> fills{{"FillPixels", Target::FillPixels}};
  for (const LongRunFill& f : LongRunFills()) fills.emplace_back(f.Name, f.Fill);
  alignas(64) TPixel px[24 + 16 + 100 + 24];
  for (const auto& [name, fill] : fills) {
    for (size_t offset = 0; offset < 16; ++offset) {
      for (size_t n = name == "FillPixels" ? 0 : 16; n <= 100; ++n) {
        std::fill(std::begin(px), std::end(px), 0xA5A5A5A5u);
        fill(px + 24 + offset, n, 0x01234567u);
        for (size_t i = 0; i < std::size(px); ++i) {
          const bool in = i >= 24 + offset && i < 24 + offset + n;
          ASSERT_EQ(px[i], in ? 0x01234567u : 0xA5A5A5A5u) << name << ", " << n << " pixels at " << offset;
        }
      }
    }
  }
  // The canvas's long runs take the last, widest fill: AVX2's where the processor has it.
  EXPECT_EQ(Target::long_run_fill.load(), LongRunFills().back().Fill);
#if defined(__x86_64__) && defined(__GNUC__)
  EXPECT_EQ(std::string(LongRunFills().back().Name), __builtin_cpu_supports("avx2") ? "avx2" : "base");
#endif
}

}  // namespace
}  // namespace korvo::raster
