// The plot background: the plain plot colour with its frame, the eleven area
// modes, and the picture from a BMP file in its three fill modes, including
// files that cannot be read.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <unistd.h>

#include "chart/render/PictureTiling.h"
#include "chart/render/render_fixture.h"

namespace korvo {
namespace {

using test::At;
using test::RenderChart;

constexpr TColor Plot = clWhite;
constexpr TColor Frame = clBlack;
constexpr TColor Area = RGB(255, 0, 0);
constexpr TColor Stale = RGB(1, 2, 3);

// A directory of its own for the picture files of one test.
class TempDir {
 public:
  TempDir() {
    path_ = std::filesystem::temp_directory_path() /
            ("plotwell-bkg-" + std::to_string(::getpid()) + "-" + std::to_string(counter_++));
    std::filesystem::create_directories(path_);
  }
  ~TempDir() { std::filesystem::remove_all(path_); }
  std::string File(const std::string& name) const { return (path_ / name).string(); }

 private:
  std::filesystem::path path_;
  static inline int counter_ = 0;
};

TColor PicturePixel(int x, int y) { return RGB(10 + 40 * x, 20 + 50 * y, 200); }

// A w x h picture with a different colour in every pixel, written as BMP.
std::string WritePicture(const TempDir& dir, int w, int h) {
  TBitmap bmp(w, h);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) bmp.Canvas()->SetPixel(x, y, PicturePixel(x, y));
  }
  const std::string path = dir.File("picture.bmp");
  bmp.SaveToFile(path);
  return path;
}

class Background : public ::testing::Test {
 protected:
  Background() {
    chart.SetChartColor(Plot);
    chart.SetChartFrameColor(Frame);
    chart.BackGroundImg()->SetAreaColor(Area);
    chart.BackGroundImg()->SetIncludePath(true);
    plot.SetSize(201, 101);  // the plot bitmap of the fixture chart
    test::Fill(plot, Stale);
  }
  void Paint() { chart.PaintPlotBackground(plot.Canvas(), 0, 0, plot.Width(), plot.Height()); }
  // Pixels that differ from what `expected` says.
  int Mismatches(const std::function<TColor(int, int)>& expected) {
    int n = 0;
    for (int y = 0; y < plot.Height(); ++y) {
      for (int x = 0; x < plot.Width(); ++x) n += At(plot, x, y) != expected(x, y);
    }
    return n;
  }
  bool PlainAt(int x, int y) const { return x == 0 || y == 0 || x == 200 || y == 100; }
  TColor Plain(int x, int y) const { return PlainAt(x, y) ? Frame : Plot; }

  RenderChart chart;
  TBitmap plot;
};

TEST_F(Background, PlainPlotColourWithItsFrame) {
  plot.Canvas()->Brush()->SetStyle(TBrushStyle::bsClear);  // as a label may leave it
  plot.Canvas()->Pen()->SetWidth(3);
  Paint();
  EXPECT_EQ(Mismatches([&](int x, int y) { return Plain(x, y); }), 0);
}

TEST_F(Background, TheElevenAreaModes) {
  // Layer 1 on -2..2 both ways: the default area -1..1 lies at columns
  // 50..150 and rows 25..75 of the plot bitmap.
  chart.Ranges(1, -2, 2, -2, 2);
  const auto inside = [](int v, int lo, int hi) { return v >= lo && v < hi; };
  struct Case {
    TBGAreaMode mode;
    std::function<bool(int, int)> area;
  };
  const Case cases[] = {
      {TBGAreaMode::bamNone, [](int, int) { return false; }},
      {TBGAreaMode::bamLeft, [&](int x, int) { return x < 50; }},
      {TBGAreaMode::bamRight, [&](int x, int) { return x >= 150; }},
      {TBGAreaMode::bamTop, [&](int, int y) { return y < 25; }},
      {TBGAreaMode::bamBottom, [&](int, int y) { return y >= 75; }},
      {TBGAreaMode::bamVStripe, [&](int x, int) { return inside(x, 50, 150); }},
      {TBGAreaMode::bamHStripe, [&](int, int y) { return inside(y, 25, 75); }},
      {TBGAreaMode::bamRect, [&](int x, int y) { return inside(x, 50, 150) && inside(y, 25, 75); }},
      {TBGAreaMode::bamRectInv, [&](int x, int y) { return !(inside(x, 50, 150) && inside(y, 25, 75)); }},
      {TBGAreaMode::bamVStripeInv, [&](int x, int) { return !inside(x, 50, 150); }},
      {TBGAreaMode::bamHStripeInv, [&](int, int y) { return !inside(y, 25, 75); }},
  };
  for (const Case& c : cases) {
    chart.BackGroundImg()->SetAreaMode(c.mode);
    test::Fill(plot, Stale);
    Paint();
    // The area rectangles cover their right and bottom edge's pixels too:
    // the plot bitmap is one pixel wider and higher than the plot's span.
    EXPECT_EQ(Mismatches([&](int x, int y) { return c.area(x, y) ? Area : Plain(x, y); }), 0)
        << "mode " << int(c.mode);
  }
}

TEST_F(Background, AreaBoundsFarOutsideAreKeptNearThePlot) {
  chart.BackGroundImg()->SetAreaMode(TBGAreaMode::bamVStripe);
  chart.BackGroundImg()->SetAreaLeft(-1e300);
  chart.BackGroundImg()->SetAreaRight(50);  // column 50 of the plot bitmap
  Paint();
  EXPECT_EQ(Mismatches([&](int x, int y) { return x < 50 ? Area : Plain(x, y); }), 0);
}

TEST_F(Background, AreaOnACanvasWithAnotherOrigin) {
  chart.Ranges(1, -2, 2, -2, 2);
  chart.BackGroundImg()->SetAreaMode(TBGAreaMode::bamRect);
  TBitmap big(230, 120);
  test::Fill(big, Stale);
  chart.PaintPlotBackground(big.Canvas(), 20, 10, 201, 101);
  EXPECT_EQ(At(big, 19, 10), Stale);
  EXPECT_EQ(At(big, 20, 10), Frame);
  EXPECT_EQ(At(big, 20 + 50, 10 + 25), Area);
  EXPECT_EQ(At(big, 20 + 49, 10 + 25), Plot);
  EXPECT_EQ(At(big, 20 + 149, 10 + 74), Area);
  EXPECT_EQ(At(big, 20 + 150, 10 + 74), Plot);
  EXPECT_EQ(At(big, 20 + 201, 10 + 50), Stale);
}

TEST_F(Background, PictureAtItsOwnSize) {
  TempDir dir;
  chart.BackGroundImg()->SetName(WritePicture(dir, 3, 2));
  chart.BackGroundImg()->SetFillMode(TBkgFill::bfSimple);
  chart.BackGroundImg()->SetAreaMode(TBGAreaMode::bamRect);  // not drawn with a picture
  Paint();
  EXPECT_EQ(Mismatches([&](int x, int y) { return x < 3 && y < 2 ? PicturePixel(x, y) : Plain(x, y); }), 0);
  EXPECT_EQ(chart.PictureBitmap()->Width(), 3);
  EXPECT_FALSE(chart.BackGroundImg()->Name().empty());
}

TEST_F(Background, PictureStretchedOverThePlot) {
  TempDir dir;
  chart.BackGroundImg()->SetName(WritePicture(dir, 2, 2));
  chart.BackGroundImg()->SetFillMode(TBkgFill::bfStretch);
  Paint();
  // Column x shows source column x * 2 / 201, row y source row y * 2 / 101.
  EXPECT_EQ(Mismatches([&](int x, int y) { return PicturePixel(x * 2 / 201, y * 2 / 101); }), 0);
}

TEST_F(Background, PictureTiled) {
  TempDir dir;
  chart.BackGroundImg()->SetName(WritePicture(dir, 3, 2));
  chart.BackGroundImg()->SetFillMode(TBkgFill::bfTile);
  Paint();
  EXPECT_EQ(Mismatches([&](int x, int y) { return PicturePixel(x % 3, y % 2); }), 0);
}

TEST(PictureTiling, LastColumnAndRowReachPastTheAreaAndTheClipCuts) {
  TBitmap picture(3, 2);
  for (int y = 0; y < 2; ++y) {
    for (int x = 0; x < 3; ++x) picture.Canvas()->SetPixel(x, y, PicturePixel(x, y));
  }
  TBitmap target(40, 30);
  test::Fill(target, Stale);
  // 10 x 6 at (5, 7): 4 columns (5..16) and 3 rows (7..12) of tiles.
  EXPECT_TRUE(TilePicture(*target.Canvas(), picture, 5, 7, 10, 6));
  const TRect tiles{5, 7, 17, 13};
  for (int y = 0; y < 30; ++y) {
    for (int x = 0; x < 40; ++x) {
      const TColor want = tiles.Contains(x, y) ? PicturePixel((x - 5) % 3, (y - 7) % 2) : Stale;
      ASSERT_EQ(At(target, x, y), want) << x << ", " << y;
    }
  }
  // Starting left of the canvas keeps the phase of the true start.
  test::Fill(target, Stale);
  target.Canvas()->SetClipRect(TRect{0, 0, 8, 30});
  TilePicture(*target.Canvas(), picture, -4, 0, 20, 4);
  EXPECT_EQ(At(target, 0, 0), PicturePixel(1, 0));  // column 4 of the tiling
  EXPECT_EQ(At(target, 7, 1), PicturePixel(2, 1));
  EXPECT_EQ(At(target, 8, 0), Stale);
}

TEST(PictureTiling, EmptyPictureOrAreaPlacesNoTiles) {
  TBitmap empty;
  TBitmap target(10, 10);
  test::Fill(target, Stale);
  EXPECT_FALSE(TilePicture(*target.Canvas(), empty, 0, 0, 10, 10));
  TBitmap picture(2, 2);
  EXPECT_FALSE(TilePicture(*target.Canvas(), picture, 0, 0, 0, 10));
  EXPECT_FALSE(TilePicture(*target.Canvas(), picture, 0, 0, 10, -5));
  EXPECT_EQ(test::CountPixels(target, Stale), 100);
}

TEST(PictureTiling, OnePixelOverALargeArea) {
  TBitmap picture(1, 1);
  picture.Canvas()->SetPixel(0, 0, Area);
  TBitmap target(2000, 2000);
  EXPECT_TRUE(TilePicture(*target.Canvas(), picture, 0, 0, 2000, 2000));
  EXPECT_EQ(test::CountPixels(target, Area), 2000 * 2000);
}

// ---- pictures that cannot be read -----------------------------------------

TEST_F(Background, MissingFileDrawsThePlainBackgroundAndDropsTheName) {
  TempDir dir;
  chart.Ranges(1, -2, 2, -2, 2);
  chart.BackGroundImg()->SetName(dir.File("no-such-picture.bmp"));
  chart.BackGroundImg()->SetAreaMode(TBGAreaMode::bamRect);
  Paint();
  EXPECT_EQ(Mismatches([&](int x, int y) { return Plain(x, y); }), 0) << "no area on this paint";
  EXPECT_EQ(chart.BackGroundImg()->Name(), "");
  EXPECT_EQ(chart.PictureBitmap()->Width(), 10) << "the picture bitmap is left as it was";
  // The next paint is the plain background with the area.
  Paint();
  EXPECT_EQ(At(plot, 100, 50), Area);
}

TEST_F(Background, CorruptAndZeroWidthFilesAreDroppedToo) {
  TempDir dir;
  const std::string garbage = dir.File("garbage.bmp");
  std::ofstream(garbage, std::ios::binary) << "BM this is not a picture";
  // A header that says 0 x 2 pixels.
  const std::string zero = dir.File("zero.bmp");
  {
    unsigned char h[54] = {'B', 'M'};
    h[10] = 54;          // pixel data offset
    h[14] = 40;          // info header size
    h[22] = 2;           // height 2, width 0
    h[26] = 1;           // planes
    h[28] = 24;          // bits per pixel
    std::ofstream(zero, std::ios::binary).write(reinterpret_cast<const char*>(h), sizeof h);
  }
  for (const std::string& file : {garbage, zero}) {
    for (TBkgFill mode : {TBkgFill::bfSimple, TBkgFill::bfStretch, TBkgFill::bfTile}) {
      chart.BackGroundImg()->SetName(file);
      chart.BackGroundImg()->SetFillMode(mode);
      test::Fill(plot, Stale);
      Paint();
      EXPECT_EQ(Mismatches([&](int x, int y) { return Plain(x, y); }), 0) << file;
      EXPECT_EQ(chart.BackGroundImg()->Name(), "") << file;
    }
  }
}

// A chart that paints its plot background whenever it paints, and records
// how deeply paints nest.
class PaintingChart : public RenderChart {
 public:
  PaintingChart() {
    HandleNeeded();
    paints = 0;
  }
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
  // Setting the name repaints; that paint finds no file and drops the name.
  chart.BackGroundImg()->SetName("/nonexistent/plotwell/picture.bmp");
  EXPECT_EQ(chart.paints, before + 1);
  EXPECT_EQ(chart.deepest, 1);
  EXPECT_EQ(chart.BackGroundImg()->Name(), "");
  // The chart still hears of later changes.
  chart.BackGroundImg()->SetAreaMode(TBGAreaMode::bamLeft);
  EXPECT_EQ(chart.paints, before + 2);
}

}  // namespace
}  // namespace korvo
