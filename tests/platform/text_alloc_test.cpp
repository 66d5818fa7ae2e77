// Once the fonts and glyphs are warm, drawing and measuring text allocates
// nothing. Counts every operator new of this test program while a window is
// open.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <functional>
#include <new>

#include "platform/Bitmap.h"
#include "support/TestSupport.h"

namespace {
std::atomic<bool> g_counting{false};
std::atomic<long> g_allocations{0};
}  // namespace

// The replacement pair uses malloc and free on purpose.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"

void* operator new(std::size_t n) {
  if (g_counting.load(std::memory_order_relaxed)) g_allocations.fetch_add(1, std::memory_order_relaxed);
  if (void* p = std::malloc(n != 0 ? n : 1)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace korvo {
namespace {

long AllocationsDuring(const std::function<void()>& f) {
  g_allocations = 0;
  g_counting = true;
  f();
  g_counting = false;
  return g_allocations.load();
}

TEST(TextAllocations, WarmTextOutTextWidthAndTextHeightAllocateNothing) {
  TBitmap bmp(1000, 800);
  TCanvas* c = bmp.Canvas();
  c->Brush()->SetStyle(TBrushStyle::bsClear);
  c->Font()->SetSize(10);
  const auto work = [c](int rounds) {
    unsigned seed = 12345;
    for (int i = 0; i < rounds; ++i) {
      seed = seed * 1103515245u + 12345u;
      const int32_t x = int32_t(seed % 1100) - 50;
      const int32_t y = int32_t((seed >> 11) % 900) - 50;
      c->Font()->SetHeight(i % 2 == 0 ? -13 : 14);  // two faces, looked up again each time
      c->Brush()->SetStyle(i % 3 == 0 ? TBrushStyle::bsSolid : TBrushStyle::bsClear);
      c->Font()->SetStyle(i % 5 == 0 ? TFontStyles{TFontStyle::fsUnderline} : TFontStyles{});
      c->TextOut(x, y, "-12.50");
      c->TextOut(x, y + 20, "\xC2\xB5s 45\xC2\xB0");
      (void)c->TextWidth("-12.50");
      (void)c->TextHeight("-12.50");
    }
  };
  work(4);  // warm-up: faces and glyphs
  EXPECT_EQ(AllocationsDuring([&] { work(2000); }), 0);
  // The counter works: a new face is an allocation.
  EXPECT_GT(AllocationsDuring([&] {
              c->Font()->SetHeight(-29);
              (void)c->TextWidth("x");
            }),
            0);
}

}  // namespace
}  // namespace korvo
