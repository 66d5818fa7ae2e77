#include "support/Golden.h"

#include <algorithm>
#include <cstdlib>
#include <iostream>
#include <system_error>

#include "platform/Exceptions.h"

namespace korvo::test {
namespace {

constexpr TPixel kDiffColour = 0xFFFF0000u;  // red
constexpr TPixel kOutsideColour = 0xFF808080u;

// A pixel of the picture, or nothing outside it.
bool PixelAt(const TBitmap& b, int32_t x, int32_t y, TPixel& p) {
  if (x >= b.Width() || y >= b.Height()) return false;
  p = b.ScanLine(y)[x];
  return true;
}

TPixel Faded(TPixel p) {
  // Three quarters white, so the red marks stand out.
  const auto fade = [](uint32_t c) { return (c + 3 * 255) / 4; };
  return 0xFF000000u | fade((p >> 16) & 0xFF) << 16 | fade((p >> 8) & 0xFF) << 8 | fade(p & 0xFF);
}

long CountDifferences(const TBitmap& expected, const TBitmap& actual) {
  const int32_t w = std::max(expected.Width(), actual.Width());
  const int32_t h = std::max(expected.Height(), actual.Height());
  long n = 0;
  for (int32_t y = 0; y < h; ++y) {
    for (int32_t x = 0; x < w; ++x) {
      TPixel e = 0, a = 0;
      const bool in_e = PixelAt(expected, x, y, e);
      const bool in_a = PixelAt(actual, x, y, a);
      if (in_e != in_a || (in_e && e != a)) ++n;
    }
  }
  return n;
}

std::string SizeText(const TBitmap& b) { return std::to_string(b.Width()) + " x " + std::to_string(b.Height()); }

// Writes the bitmap as PNG, creating its folder; returns an error text or "".
std::string WritePng(const TBitmap& b, const std::filesystem::path& path) {
  std::error_code ec;
  std::filesystem::create_directories(path.parent_path(), ec);
  if (ec) return "cannot create " + path.parent_path().string() + ": " + ec.message();
  try {
    b.SavePngToFile(path.string());
  } catch (const EInvalidGraphic& e) {
    return e.what();
  }
  return "";
}

}  // namespace

TGoldenPlaces DefaultGoldenPlaces() {
  TGoldenPlaces places;
  places.References = PLOTWELL_TEST_DATA;
  places.Failures = std::filesystem::current_path() / "golden-failures";
  const char* update = std::getenv("PLOTWELL_UPDATE_GOLDEN");
  places.Update = update != nullptr && std::string(update) == "1";
  return places;
}

void MakeGoldenStrip(const TBitmap& expected, const TBitmap& actual, TBitmap& strip) {
  const int32_t w = std::max(expected.Width(), actual.Width());
  const int32_t h = std::max(expected.Height(), actual.Height());
  strip.SetPixelFormat(TPixelFormat::pf24bit);
  strip.SetSize(3 * w, h);
  for (int32_t y = 0; y < h; ++y) {
    TPixel* row = strip.ScanLine(y);
    for (int32_t x = 0; x < w; ++x) {
      TPixel e = 0, a = 0;
      const bool in_e = PixelAt(expected, x, y, e);
      const bool in_a = PixelAt(actual, x, y, a);
      row[x] = in_e ? e : kOutsideColour;
      row[2 * w + x] = in_a ? a : kOutsideColour;
      const bool same = in_e == in_a && (!in_e || e == a);
      row[w + x] = !same ? kDiffColour : in_e ? Faded(e) : kOutsideColour;
    }
  }
}

::testing::AssertionResult MatchesGolden(const TBitmap& actual, const std::string& relative_png_path,
                                         long tolerated_pixels, const TGoldenPlaces& places) {
  const std::filesystem::path reference = places.References / relative_png_path;
  const std::filesystem::path failure = places.Failures / relative_png_path;
  if (actual.Empty()) {
    return ::testing::AssertionFailure() << "the picture for golden image " << reference.string()
                                         << " is empty (" << SizeText(actual) << ")";
  }

  TBitmap expected;
  const bool exists = std::filesystem::exists(reference);
  if (exists) {
    try {
      expected.LoadPngFromFile(reference.string());
    } catch (const EInvalidGraphic& e) {
      if (!places.Update) return ::testing::AssertionFailure() << "golden image unreadable: " << e.what();
    }
  }
  const long differing = exists ? CountDifferences(expected, actual) : -1;
  if (differing == 0 || (differing > 0 && differing <= tolerated_pixels)) return ::testing::AssertionSuccess();

  if (places.Update) {
    const std::string error = WritePng(actual, reference);
    if (!error.empty()) return ::testing::AssertionFailure() << "cannot update golden image: " << error;
    std::cout << "[ GOLDEN   ] wrote " << reference.string() << " (" << SizeText(actual) << ")\n";
    return ::testing::AssertionSuccess();
  }

  if (!exists) {
    const std::string error = WritePng(actual, failure);
    return ::testing::AssertionFailure()
           << "golden image " << reference.string() << " does not exist; run the test with "
           << "PLOTWELL_UPDATE_GOLDEN=1 to create it from the current picture, look at it, then commit it"
           << (error.empty() ? "; the current picture is in " + failure.string() : "; " + error);
  }

  TBitmap strip;
  MakeGoldenStrip(expected, actual, strip);
  const std::string error = WritePng(strip, failure);
  return ::testing::AssertionFailure()
         << differing << " pixels differ from golden image " << reference.string() << " (expected "
         << SizeText(expected) << ", actual " << SizeText(actual) << ")"
         << (error.empty() ? "; expected | diff | actual in " + failure.string() : "; " + error);
}

::testing::AssertionResult MatchesGolden(const TBitmap& actual, const std::string& relative_png_path,
                                         long tolerated_pixels) {
  return MatchesGolden(actual, relative_png_path, tolerated_pixels, DefaultGoldenPlaces());
}

void ExpectMatchesGolden(const TBitmap& actual, const std::string& relative_png_path) {
  EXPECT_TRUE(MatchesGolden(actual, relative_png_path)) << "golden image " << relative_png_path;
}

}  // namespace korvo::test
