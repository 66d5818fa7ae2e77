// Golden-image checks: compare a rendered bitmap with a reference PNG kept
// in the source tree under tests/.
//
//   ExpectMatchesGolden(bmp, "platform/graphics/data/stretch_mirror.png");
//
// compares with tests/platform/graphics/data/stretch_mirror.png and counts the pixels
// that differ (a size difference counts every pixel outside the common part).
// On a mismatch the test fails with the count and writes an
// "expected | diff | actual" strip into golden-failures/<same relative path>
// under the current directory (the test's build directory under CTest); the
// diff shows differing pixels in red over a faded copy of the expected image.
//
// With the environment variable PLOTWELL_UPDATE_GOLDEN=1 a missing or
// different reference is (re)written from the bitmap and the check passes:
// look at the new picture before committing it.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/graphics/Bitmap.h"

namespace korvo::test {

struct TGoldenPlaces {
  std::filesystem::path References;  // the folder the relative paths start from
  std::filesystem::path Failures;    // where failure strips are written
  bool Update = false;               // rewrite references instead of failing
};

// The places of the test programs: References = PLOTWELL_TEST_DATA,
// Failures = ./golden-failures, Update from PLOTWELL_UPDATE_GOLDEN.
TGoldenPlaces DefaultGoldenPlaces();

// The comparison as an assertion result, so that EXPECT_TRUE(MatchesGolden(...))
// reports the caller's line. `tolerated_pixels` differing pixels still pass.
::testing::AssertionResult MatchesGolden(const TBitmap& actual, const std::string& relative_png_path,
                                         long tolerated_pixels = 0);
::testing::AssertionResult MatchesGolden(const TBitmap& actual, const std::string& relative_png_path,
                                         long tolerated_pixels, const TGoldenPlaces& places);

// EXPECT_TRUE(MatchesGolden(actual, relative_png_path)).
void ExpectMatchesGolden(const TBitmap& actual, const std::string& relative_png_path);

// The failure strip for two pictures: expected | diff | actual side by side,
// each column as wide as the wider picture, as tall as the taller one; areas
// outside a picture are grey.
void MakeGoldenStrip(const TBitmap& expected, const TBitmap& actual, TBitmap& strip);

}  // namespace korvo::test
