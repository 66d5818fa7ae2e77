// The golden-image support of the tests, run against a scratch folder.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include <unistd.h>

#include "support/Golden.h"
#include "support/TestSupport.h"

namespace korvo::test {
namespace {

class GoldenImages : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = std::filesystem::temp_directory_path() /
            ("plotwell_golden_" + std::to_string(getpid()) + "_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    std::filesystem::remove_all(root_);
    places_.References = root_ / "refs";
    places_.Failures = root_ / "failures";
  }
  void TearDown() override { std::filesystem::remove_all(root_); }

  static void Paint(TBitmap& bmp) {
    Fill(bmp, clWhite);
    bmp.ScanLine(1)[2] = RGBToPixel(clNavy);
  }

  std::filesystem::path root_;
  TGoldenPlaces places_;
};

TEST_F(GoldenImages, MissingReferenceFailsAndSaysHowToCreateIt) {
  TBitmap bmp(4, 3);
  Paint(bmp);
  const ::testing::AssertionResult r = MatchesGolden(bmp, "area/case.png", 0, places_);
  EXPECT_FALSE(r);
  EXPECT_NE(std::string(r.message()).find("does not exist; run the test with PLOTWELL_UPDATE_GOLDEN=1"), std::string::npos)
      << r.message();
  EXPECT_FALSE(std::filesystem::exists(places_.References / "area/case.png"));
  EXPECT_TRUE(std::filesystem::exists(places_.Failures / "area/case.png"));
}

TEST_F(GoldenImages, UpdateWritesTheReferenceWhichThenMatches) {
  TBitmap bmp(4, 3);
  Paint(bmp);
  places_.Update = true;
  EXPECT_TRUE(MatchesGolden(bmp, "area/case.png", 0, places_));
  places_.Update = false;
  EXPECT_TRUE(MatchesGolden(bmp, "area/case.png", 0, places_));
  EXPECT_FALSE(std::filesystem::exists(places_.Failures));
}

TEST_F(GoldenImages, MismatchCountsPixelsAndWritesTheStrip) {
  TBitmap bmp(4, 3);
  Paint(bmp);
  places_.Update = true;
  ASSERT_TRUE(MatchesGolden(bmp, "case.png", 0, places_));
  places_.Update = false;

  bmp.ScanLine(0)[0] = RGBToPixel(clLime);
  const ::testing::AssertionResult r = MatchesGolden(bmp, "case.png", 0, places_);
  EXPECT_FALSE(r);
  const std::string message = r.message();
  EXPECT_NE(message.find("1 pixels differ"), std::string::npos) << message;
  EXPECT_NE(message.find((places_.Failures / "case.png").string()), std::string::npos) << message;
  EXPECT_TRUE(MatchesGolden(bmp, "case.png", 1, places_)) << "one tolerated pixel";

  TBitmap strip;
  strip.LoadPngFromFile((places_.Failures / "case.png").string());
  ASSERT_EQ(strip.Width(), 12);
  ASSERT_EQ(strip.Height(), 3);
  // expected | diff | actual: the changed pixel is white, red, lime; the navy
  // one appears faded in the middle.
  EXPECT_EQ(strip.Canvas()->Pixel(0, 0), clWhite);
  EXPECT_EQ(strip.Canvas()->Pixel(4, 0), clRed);
  EXPECT_EQ(strip.Canvas()->Pixel(8, 0), clLime);
  EXPECT_EQ(strip.Canvas()->Pixel(2, 1), clNavy);
  EXPECT_EQ(strip.Canvas()->Pixel(10, 1), clNavy);
  EXPECT_EQ(strip.Canvas()->Pixel(6, 1), RGB(0xBF, 0xBF, 0xDF));
}

TEST_F(GoldenImages, SizeDifferenceCountsTheUncoveredPixels) {
  TBitmap bmp(4, 3);
  Paint(bmp);
  places_.Update = true;
  ASSERT_TRUE(MatchesGolden(bmp, "case.png", 0, places_));
  places_.Update = false;
  TBitmap wider(5, 3);
  Paint(wider);
  const ::testing::AssertionResult r = MatchesGolden(wider, "case.png", 0, places_);
  EXPECT_FALSE(r);
  EXPECT_NE(std::string(r.message()).find("3 pixels differ"), std::string::npos) << r.message();
  EXPECT_NE(std::string(r.message()).find("expected 4 x 3, actual 5 x 3"), std::string::npos) << r.message();
}

TEST(GoldenStrip, GreyOutsideEitherPicture) {
  TBitmap expected(1, 2), actual(2, 1), strip;
  Fill(expected, clBlack);
  Fill(actual, clBlack);
  MakeGoldenStrip(expected, actual, strip);
  ASSERT_EQ(strip.Width(), 6);
  ASSERT_EQ(strip.Height(), 2);
  EXPECT_EQ(Picture(strip, Rect(0, 0, 6, 2), {{clBlack, 'k'}, {clGray, '-'}, {clRed, 'r'}, {RGB(0xBF, 0xBF, 0xBF), 'f'}}),
            "k-frkk\n"
            "k-r---\n");
}

}  // namespace
}  // namespace korvo::test
