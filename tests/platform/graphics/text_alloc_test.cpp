// Once the fonts and glyphs are warm, drawing and measuring text allocates
// nothing. Counts every operator new of this test program while a window is
// open.
#include <gtest/gtest.h>

#include <functional>

#include "platform/graphics/Bitmap.h"
#include "support/AllocationCounter.h"
#include "support/TestSupport.h"

namespace korvo {
namespace {

using test::AllocationsDuring;

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
