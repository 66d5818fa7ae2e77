// Where a scale draws: a stand-alone scale owns a control-sized surface; a
// scale embedded in a chart draws onto the chart's bitmap and owns none, so
// resizing it allocates nothing.
#include <gtest/gtest.h>

#include "platform/graphics/Bitmap.h"
#include "scale/Scale.h"
#include "support/AllocationCounter.h"

namespace korvo {
namespace {

TEST(ScaleSurface, StandAloneScalesKeepTheirSurface) {
  TScale s(nullptr);
  ASSERT_NE(s.Surface(), nullptr);
  EXPECT_EQ(s.Surface()->Width(), 400);
  s.SetBounds(0, 0, 120, 30);
  EXPECT_EQ(s.Surface()->Width(), 120);
  EXPECT_EQ(s.Surface()->Height(), 30);
  // Embedded it gives the surface up, and gets it back when it stands alone
  // again (sized to the control).
  s.SetEmbedded(true);
  EXPECT_EQ(s.Surface(), nullptr);
  s.SetBounds(0, 0, 200, 50);
  s.SetEmbedded(false);
  ASSERT_NE(s.Surface(), nullptr);
  EXPECT_EQ(s.Surface()->Width(), 200);
  // The defaults of a stand-alone scale are those of a control of its own.
  s.SetEmbedded(true);
  s.SetDefaults();
  EXPECT_FALSE(s.Embedded());
  EXPECT_NE(s.Surface(), nullptr);
}

TEST(ScaleSurface, EmbeddedScalesOwnNoSurface) {
  TScale s(nullptr, TScalePlacement::spEmbedded);
  EXPECT_TRUE(s.Embedded());
  EXPECT_EQ(s.Surface(), nullptr);
  EXPECT_EQ(s.Width(), 400);
  s.SetDefaults();  // a chart's renderer stays what it was made
  EXPECT_TRUE(s.Embedded());
  EXPECT_EQ(s.Surface(), nullptr);
  EXPECT_EQ(test::AllocationsDuring([&] { s.SetBounds(0, 0, 1920, 1080); }), 0);
  // It still draws onto the canvas it is given.
  TBitmap target(1920, 1080);
  s.SetTransparent(true);
  s.SetExternalCanvas(target.Canvas(), 0, 0);
  s.ForcePaint();
  EXPECT_GT(s.NumTicks(), 2);
  // Assigning a stand-alone scale's values keeps the kind of the target.
  TScale alone(nullptr);
  TScale copy(nullptr, TScalePlacement::spEmbedded);
  copy.Assign(alone);
  EXPECT_FALSE(copy.Embedded()) << "Embedded is copied";
  EXPECT_NE(copy.Surface(), nullptr) << "and the surface follows it";
}

}  // namespace
}  // namespace korvo
