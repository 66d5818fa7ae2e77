// A stand-alone scale owns a control-sized surface; a scale embedded in a
// chart draws onto the chart's bitmap and owns none, so resizing it
// allocates nothing.
#include <gtest/gtest.h>

#include "platform/graphics/Bitmap.h"
#include "scale/Scale.h"
#include "support/AllocationCounter.h"

namespace korvo {
namespace {

TEST(ScaleSurface, OnlyStandAloneScalesOwnOne) {
  TScale alone(nullptr);
  alone.SetBounds(0, 0, 120, 30);
  EXPECT_EQ(alone.Surface()->Width(), 120);
  alone.SetEmbedded(true);
  EXPECT_EQ(alone.Surface(), nullptr);
  alone.SetDefaults();  // a control of its own again, with its surface
  ASSERT_NE(alone.Surface(), nullptr);
  EXPECT_EQ(alone.Surface()->Height(), 30);

  TScale renderer(nullptr, TScalePlacement::spEmbedded);
  renderer.SetDefaults();  // stays what it was made
  EXPECT_TRUE(renderer.Embedded());
  EXPECT_EQ(renderer.Surface(), nullptr);
  EXPECT_EQ(test::AllocationsDuring([&] { renderer.SetBounds(0, 0, 1920, 1080); }), 0);
  TBitmap target(1920, 1080);
  renderer.SetTransparent(true);
  renderer.SetExternalCanvas(target.Canvas(), 0, 0);
  renderer.ForcePaint();
  EXPECT_GT(renderer.NumTicks(), 2) << "it still draws onto the canvas it is given";
}

}  // namespace
}  // namespace korvo
