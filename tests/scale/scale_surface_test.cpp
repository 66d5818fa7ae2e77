// A stand-alone scale owns a control-sized surface; a scale embedded in a
// chart draws onto the chart's bitmap and owns none, so resizing it
// allocates nothing. A scale saves the picture it shows.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "base/korvobase.h"
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

TEST(ScaleSurface, SavesThePictureItShows) {
  const std::string png = (std::filesystem::temp_directory_path() / ("scale-" + std::to_string(::getpid()) + ".png")).string();
  for (const bool transparent : {false, true}) {
    TScale scale(nullptr);
    scale.SetBounds(0, 0, 200, 40);
    scale.SetTransparent(transparent);
    scale.HandleNeeded();
    scale.Repaint();
    scale.SaveToFile(png);
    TBitmap saved;
    saved.LoadPngFromFile(png);
    std::filesystem::remove(png);
    ASSERT_EQ(saved.Width(), 200);
    long differ = 0;
    for (int y = 0; y < 40; ++y) {
      for (int x = 0; x < 200; ++x) differ += saved.Canvas()->Pixel(x, y) != scale.Surface()->Canvas()->Pixel(x, y);
    }
    EXPECT_EQ(differ, 0) << "transparent " << transparent;
  }
  TScale scale(nullptr);
  try {
    scale.SaveToFile("scale.jpg");
    ADD_FAILURE() << "saved a .jpg";
  } catch (const EKorvoError& e) {
    EXPECT_STREQ(e.what(), "Cannot save 'scale.jpg': unknown picture type '.jpg' (the name must end in .png, .bmp, .svg or .pdf)");
  }
}

}  // namespace
}  // namespace korvo
