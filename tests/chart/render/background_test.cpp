// The plot background: plot colour and frame, the eleven area modes, and the
// picture from a BMP file in its three fill modes, including files that
// cannot be read.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <unistd.h>

#include "chart/render/PictureTiling.h"
#include "chart/render/render_fixture.h"

namespace korvo {
namespace {

using test::At;

constexpr TColor Area = RGB(255, 0, 0);
constexpr TColor Stale = RGB(1, 2, 3);

TColor PicturePixel(int x, int y) { return RGB(10 + 40 * x, 20 + 50 * y, 200); }

void PaintPicture(TBitmap& bmp) {
  for (int y = 0; y < bmp.Height(); ++y) {
    for (int x = 0; x < bmp.Width(); ++x) bmp.Canvas()->SetPixel(x, y, PicturePixel(x, y));
  }
}

class Background : public ::testing::Test {
 protected:
  Background() : plot(201, 101) {  // the fixture chart's plot bitmap
    dir = std::filesystem::temp_directory_path() / ("plotwell-bkg-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    chart.SetChartColor(clWhite);
    chart.SetChartFrameColor(clBlack);
    chart.BackGroundImg()->SetAreaColor(Area);
    chart.BackGroundImg()->SetIncludePath(true);
    chart.Ranges(1, -2, 2, -2, 2);  // the area -1..1: columns 50..150, rows 25..75
  }
  ~Background() override { std::filesystem::remove_all(dir); }
  std::string File(const char* name) { return (dir / name).string(); }
  void UsePicture(int w, int h, TBkgFill mode) {
    TBitmap bmp(w, h);
    PaintPicture(bmp);
    bmp.SaveToFile(File("picture.bmp"));
    chart.BackGroundImg()->SetName(File("picture.bmp"));
    chart.BackGroundImg()->SetFillMode(mode);
  }
  // Paints onto stale pixels and counts those that differ from `expected`.
  int Mismatches(const std::function<TColor(int, int)>& expected) {
    test::Fill(plot, Stale);
    chart.PaintPlotBackground(plot.Canvas(), 0, 0, plot.Width(), plot.Height());
    int n = 0;
    for (int y = 0; y < plot.Height(); ++y) {
      for (int x = 0; x < plot.Width(); ++x) n += At(plot, x, y) != expected(x, y);
    }
    return n;
  }
  static TColor Plain(int x, int y) { return x == 0 || y == 0 || x == 200 || y == 100 ? clBlack : clWhite; }

  test::RenderChart chart;
  TBitmap plot;
  std::filesystem::path dir;
};

TEST_F(Background, TheElevenAreaModes) {
  plot.Canvas()->Brush()->SetStyle(TBrushStyle::bsClear);  // as a label may leave it
  const auto in = [](int v, int lo, int hi) { return v >= lo && v < hi; };
  const std::pair<TBGAreaMode, std::function<bool(int, int)>> cases[] = {
      {TBGAreaMode::bamNone, [](int, int) { return false; }},
      {TBGAreaMode::bamLeft, [](int x, int) { return x < 50; }},
      {TBGAreaMode::bamRight, [](int x, int) { return x >= 150; }},
      {TBGAreaMode::bamTop, [](int, int y) { return y < 25; }},
      {TBGAreaMode::bamBottom, [](int, int y) { return y >= 75; }},
      {TBGAreaMode::bamVStripe, [&](int x, int) { return in(x, 50, 150); }},
      {TBGAreaMode::bamHStripe, [&](int, int y) { return in(y, 25, 75); }},
      {TBGAreaMode::bamRect, [&](int x, int y) { return in(x, 50, 150) && in(y, 25, 75); }},
      {TBGAreaMode::bamRectInv, [&](int x, int y) { return !(in(x, 50, 150) && in(y, 25, 75)); }},
      {TBGAreaMode::bamVStripeInv, [&](int x, int) { return !in(x, 50, 150); }},
      {TBGAreaMode::bamHStripeInv, [&](int, int y) { return !in(y, 25, 75); }},
  };
  for (const auto& [mode, area] : cases) {
    chart.BackGroundImg()->SetAreaMode(mode);
    EXPECT_EQ(Mismatches([&](int x, int y) { return area(x, y) ? Area : Plain(x, y); }), 0) << int(mode);
  }
  // A bound far outside is kept near the plot.
  chart.BackGroundImg()->SetAreaMode(TBGAreaMode::bamVStripe);
  chart.BackGroundImg()->SetAreaLeft(-1e300);
  EXPECT_EQ(Mismatches([&](int x, int y) { return x < 150 ? Area : Plain(x, y); }), 0);
}

TEST_F(Background, PictureInItsThreeFillModes) {
  chart.BackGroundImg()->SetAreaMode(TBGAreaMode::bamRect);  // not drawn with a picture
  UsePicture(3, 2, TBkgFill::bfSimple);
  EXPECT_EQ(Mismatches([](int x, int y) { return x < 3 && y < 2 ? PicturePixel(x, y) : Plain(x, y); }), 0);
  EXPECT_EQ(chart.PictureBitmap()->Width(), 3);
  UsePicture(3, 2, TBkgFill::bfTile);
  EXPECT_EQ(Mismatches([](int x, int y) { return PicturePixel(x % 3, y % 2); }), 0);
  UsePicture(2, 2, TBkgFill::bfStretch);
  EXPECT_EQ(Mismatches([](int x, int y) { return PicturePixel(x * 2 / 201, y * 2 / 101); }), 0);
  EXPECT_FALSE(chart.BackGroundImg()->Name().empty());
}

TEST_F(Background, UnreadablePicturesGiveThePlainBackgroundAndDropTheName) {
  std::ofstream(File("garbage.bmp"), std::ios::binary) << "BM this is not a picture";
  unsigned char header[54] = {'B', 'M'};  // 0 x 2 pixels, 24 bits
  header[10] = 54, header[14] = 40, header[22] = 2, header[26] = 1, header[28] = 24;
  std::ofstream(File("zero.bmp"), std::ios::binary).write(reinterpret_cast<char*>(header), sizeof header);
  chart.BackGroundImg()->SetAreaMode(TBGAreaMode::bamRect);
  for (const char* name : {"missing.bmp", "garbage.bmp", "zero.bmp"}) {
    for (TBkgFill mode : {TBkgFill::bfSimple, TBkgFill::bfStretch, TBkgFill::bfTile}) {
      chart.BackGroundImg()->SetName(File(name));
      chart.BackGroundImg()->SetFillMode(mode);
      EXPECT_EQ(Mismatches(Plain), 0) << name << ": no area on this paint";
      EXPECT_EQ(chart.BackGroundImg()->Name(), "") << name;
    }
  }
  EXPECT_EQ(chart.PictureBitmap()->Width(), 10) << "the picture bitmap is left as it was";
  EXPECT_EQ(Mismatches([](int x, int y) { return x >= 50 && x < 150 && y >= 25 && y < 75 ? Area : Plain(x, y); }), 0);
}

// The chart stays silent about an unreadable picture, but keeps why on the
// background object for a caller that wants to tell its user.
TEST_F(Background, TheLastLoadErrorIsKeptUntilANewName) {
  TBakGndImg& image = *chart.BackGroundImg();
  image.SetName(File("missing.bmp"));
  Mismatches(Plain);
  EXPECT_EQ(image.LoadError(), "Cannot load '" + File("missing.bmp") + "': cannot open the file (No such file or directory)");
  UsePicture(3, 2, TBkgFill::bfSimple);
  EXPECT_EQ(image.LoadError(), "") << "a new name clears it";
  Mismatches([](int x, int y) { return x < 3 && y < 2 ? PicturePixel(x, y) : Plain(x, y); });
  EXPECT_EQ(image.LoadError(), "");
}

TEST(PictureTiling, TilesReachPastTheAreaAndEmptyOnesAreNone) {
  TBitmap picture(3, 2), target(40, 30), empty;
  PaintPicture(picture);
  test::Fill(target, Stale);
  // 10 x 6 at (5, 7): 4 columns (5..16) and 3 rows (7..12) of tiles.
  EXPECT_TRUE(TilePicture(*target.Canvas(), picture, 5, 7, 10, 6));
  for (int y = 0; y < 30; ++y) {
    for (int x = 0; x < 40; ++x) {
      const bool tiled = x >= 5 && x < 17 && y >= 7 && y < 13;
      ASSERT_EQ(At(target, x, y), tiled ? PicturePixel((x - 5) % 3, (y - 7) % 2) : Stale) << x << ", " << y;
    }
  }
  // Cut by the clip, keeping the phase of a start left of the canvas.
  target.Canvas()->SetClipRect(TRect{0, 0, 8, 30});
  TilePicture(*target.Canvas(), picture, -4, 0, 20, 4);
  EXPECT_EQ(At(target, 0, 0), PicturePixel(1, 0));
  EXPECT_EQ(At(target, 8, 0), Stale);
  EXPECT_FALSE(TilePicture(*target.Canvas(), empty, 0, 0, 10, 10));
  EXPECT_FALSE(TilePicture(*target.Canvas(), picture, 0, 0, 0, 10));
}

TEST(PictureTiling, OnePixelOverALargeArea) {
  TBitmap picture(1, 1), target(2000, 2000);
  picture.Canvas()->SetPixel(0, 0, Area);
  EXPECT_TRUE(TilePicture(*target.Canvas(), picture, 0, 0, 2000, 2000));
  EXPECT_EQ(test::CountPixels(target, Area), 2000 * 2000);
}

// A chart that paints its plot background whenever it paints and records
// how deeply paints nest.
class PaintingChart : public test::RenderChart {
 public:
  PaintingChart() { HandleNeeded(); }
  int paints = 0, depth = 0, deepest = 0;

 protected:
  void Paint() override {
    ++paints;
    deepest = std::max(deepest, ++depth);
    PaintPlotBackground(PlotBitmap()->Canvas(), 0, 0, PlotBitmap()->Width(), PlotBitmap()->Height());
    --depth;
  }
};

TEST(BackgroundName, DroppingTheNameInsideAPaintDoesNotPaintAgain) {
  PaintingChart chart;
  chart.BackGroundImg()->SetIncludePath(true);
  const int before = chart.paints;
  chart.BackGroundImg()->SetName("/nonexistent/plotwell/picture.bmp");  // repaints
  EXPECT_EQ(chart.paints, before + 1);
  EXPECT_EQ(chart.deepest, 1);
  EXPECT_EQ(chart.BackGroundImg()->Name(), "");
  chart.BackGroundImg()->SetAreaMode(TBGAreaMode::bamLeft);
  EXPECT_EQ(chart.paints, before + 2) << "the chart still hears of changes";
}

}  // namespace
}  // namespace korvo
