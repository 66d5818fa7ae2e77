// The run fills under every solid span of the canvas: each writes the value
// into exactly the pixels of its run, whatever the run's length and however
// its ends sit against 16-, 32- and 64-byte boundaries, in every instruction
// set the processor can run.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/graphics/raster/Raster.h"

namespace korvo::raster {
namespace {

TEST(RasterFill, EveryFillWritesItsRunAndNothingElse) {
  constexpr TPixel kGround = 0xA5A5A5A5u, kValue = 0x01234567u;
  constexpr size_t kGuard = 24, kMaxOffset = 16, kMaxLength = 100;  // 16 offsets: every pixel of a cache line
  struct Fill {
    std::string Name;
    LongRunFill::Fn Run;
    size_t MinLength;
  };
  std::vector<Fill> fills{{"FillPixels", Target::FillPixels, 0}};
  for (const LongRunFill& f : LongRunFills()) fills.push_back({f.Name, f.Fill, 16});

  alignas(64) TPixel buffer[kGuard + kMaxOffset + kMaxLength + kGuard];
  for (const Fill& fill : fills) {
    for (size_t offset = 0; offset < kMaxOffset; ++offset) {
      for (size_t n = fill.MinLength; n <= kMaxLength; ++n) {
        std::fill(std::begin(buffer), std::end(buffer), kGround);
        const size_t first = kGuard + offset, last = first + n;
        fill.Run(buffer + first, n, kValue);
        const auto wrong = std::find_if(std::begin(buffer), std::end(buffer), [&](const TPixel& p) {
          const size_t i = size_t(&p - buffer);
          return p != (i >= first && i < last ? kValue : kGround);
        });
        if (wrong != std::end(buffer)) {
          ADD_FAILURE() << fill.Name << ": " << n << " pixels at offset " << offset << ", pixel "
                        << (wrong - buffer) - ptrdiff_t(first) << " of the run is " << std::hex << *wrong;
          break;
        }
      }
    }
  }
}

// The canvas's long runs go to the last (widest) fill, and on a processor
// with AVX2 that is the 32-byte one.
TEST(RasterFill, LongRunsUseTheWidestFill) {
  alignas(32) TPixel row[40] = {};
  Target::FillPixels(row + 1, 33, 7);  // a long run: the first one chooses
  EXPECT_EQ(Target::long_run_fill.load(), LongRunFills().back().Fill);
  EXPECT_EQ(std::string(LongRunFills().front().Name), "base");
#if defined(__x86_64__) && defined(__GNUC__)
  EXPECT_EQ(std::string(LongRunFills().back().Name), __builtin_cpu_supports("avx2") ? "avx2" : "base");
#endif
}

}  // namespace
}  // namespace korvo::raster
