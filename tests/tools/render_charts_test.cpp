// The form-description renderer: pictures written per chart, and every bad
// input reported with the file and, for descriptions, the line.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>

#include "platform/framework/FormReader.h"
#include "platform/graphics/Bitmap.h"
#include "tools/RenderCharts.h"

namespace korvo::tools {
namespace {

namespace fs = std::filesystem;

class RenderChartsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("plotwell-render-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                                        "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    options_.OutDir = dir_ / "out";
  }
  void TearDown() override { fs::remove_all(dir_); }

  fs::path Write(const std::string& name, const std::string& text) {
    fs::create_directories(dir_);
    const fs::path p = dir_ / name;
    std::ofstream(p, std::ios::binary) << text;
    return p;
  }

  fs::path dir_;
  TRenderOptions options_;
};

constexpr const char* TwoChartsInAForm =
    "object Form1: TForm\n"
    "  Width = 700\n"
    "  Height = 400\n"
    "  object Left: TPlotwell\n"
    "    Width = 300\n"
    "    Height = 200\n"
    "    ChartColor = clYellow\n"
    "  end\n"
    "  object Right: TPlotwell\n"
    "    Left = 320\n"
    "    Width = 250\n"
    "    Height = 180\n"
    "  end\n"
    "end\n";

TEST_F(RenderChartsTest, WritesOnePictureOfEachChartAtItsSize) {
  const auto rendered = RenderChartsInFile(Write("form.txt", TwoChartsInAForm), options_);
  ASSERT_EQ(rendered.size(), 2u);
  EXPECT_EQ(rendered[0].Name, "Left");
  EXPECT_EQ(rendered[0].File, options_.OutDir / "Left.png");
  EXPECT_EQ(rendered[1].Name, "Right");
  TBitmap picture;
  picture.LoadPngFromFile(rendered[0].File.string());
  EXPECT_EQ(picture.Width(), 300);
  EXPECT_EQ(picture.Height(), 200);
  // The plot area is painted in the chart colour: the pixel below and right
  // of its top-left corner (margins 50 and 20 of a new chart).
  EXPECT_EQ(picture.Canvas()->Pixel(60, 30), clYellow);
  picture.LoadPngFromFile(rendered[1].File.string());
  EXPECT_EQ(picture.Width(), 250);
  EXPECT_EQ(picture.Canvas()->Pixel(60, 30), clWhite);
}

TEST_F(RenderChartsTest, FramesAreTimedAndNamesPrefixed) {
  options_.Frames = 5;
  options_.FilePrefix = "demo-";
  const auto rendered = RenderChartsInText("object C: TPlotwell\nend\n", "inline", options_);
  ASSERT_EQ(rendered.size(), 1u);
  EXPECT_GT(rendered[0].MedianMicros, 0);
  EXPECT_LE(rendered[0].FastestMicros, rendered[0].MedianMicros);
  EXPECT_LE(rendered[0].MedianMicros, rendered[0].SlowestMicros);
  EXPECT_TRUE(fs::exists(options_.OutDir / "demo-C.png"));
}

TEST_F(RenderChartsTest, BadInputIsNamed) {
  try {
    RenderChartsInText("object C: TPlotwell\n  GridStyle = gsStripes\nend\n", "bad.txt", options_);
    FAIL() << "a bad value must be refused";
  } catch (const EFormError& e) {
    EXPECT_EQ(e.Line(), 2);
    EXPECT_NE(std::string(e.what()).find("GridStyle"), std::string::npos) << e.what();
  }
  const auto message = [&](auto&& run) {
    try {
      run();
    } catch (const std::runtime_error& e) {
      return std::string(e.what());
    }
    return std::string("(nothing raised)");
  };
  EXPECT_EQ(message([&] { RenderChartsInFile(dir_ / "missing.txt", options_); }),
            (dir_ / "missing.txt").string() + ": cannot open the file");
  EXPECT_EQ(message([&] { RenderChartsInText("object P: TPanel\nend\n", "p.txt", options_); }),
            "p.txt: the description holds no TPlotwell");
  EXPECT_THROW(RenderChartsInText("object F: TForm\n object A: TPlotwell\n end\n object P: TPanel\n"
                                  "  object A: TPlotwell\n  end\n end\nend\n",
                                  "dup.txt", options_),
               EFormError);
  EXPECT_FALSE(fs::exists(options_.OutDir / "A.png")) << "nothing is written for a refused description";
}

// A background picture that cannot be read leaves the chart's plain
// background; the renderer learns why (and says so on standard error).
TEST_F(RenderChartsTest, AnUnreadablePictureIsReportedAndTheChartStillRenders) {
  const std::string form = "object C: TPlotwell\n  BackGroundImg.IncludePath = True\n  BackGroundImg.Name = '";
  const auto error = [&](const std::string& picture) {
    const auto rendered = RenderChartsInText(form + picture + "'\nend\n", "inline", options_);
    EXPECT_TRUE(fs::exists(rendered.at(0).File));
    return rendered.at(0).PictureError;
  };
  EXPECT_EQ(error("/dev/zero"), "Cannot load '/dev/zero': not a regular file (a character device)");
  const fs::path missing = dir_ / "missing.bmp";
  EXPECT_EQ(error(missing.string()), "Cannot load '" + missing.string() + "': cannot open the file (No such file or directory)");
  TBitmap(4, 3).SaveToFile(Write("fine.bmp", "").string());
  EXPECT_EQ(error((dir_ / "fine.bmp").string()), "");
}

}  // namespace
}  // namespace korvo::tools
