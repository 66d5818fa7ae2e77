// The pictures the README shows (docs/) are what the code draws now: a change
// that moves a pixel of the gallery, the scale sheet or the demo's charts
// fails here until plotwell-gallery's output is copied over them.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/graphics/Bitmap.h"
#include "tools/DemoCharts.h"
#include "tools/Gallery.h"
#include "tools/ScaleSheet.h"

namespace korvo {
namespace {

namespace fs = std::filesystem;

// The number of pixels in which `drawn` differs from the picture in docs/.
int64_t PixelsDifferingFromDocs(const TBitmap& drawn, const std::string& name) {
  const fs::path docs = fs::path(PLOTWELL_TEST_DATA) / ".." / "docs" / name;
  TBitmap shown;
  shown.LoadPngFromFile(docs.string());
  EXPECT_EQ(shown.Width(), drawn.Width()) << name;
  EXPECT_EQ(shown.Height(), drawn.Height()) << name;
  if (shown.Width() != drawn.Width() || shown.Height() != drawn.Height()) return -1;
  int64_t differ = 0;
  for (int32_t y = 0; y < drawn.Height(); ++y) {
    for (int32_t x = 0; x < drawn.Width(); ++x) differ += shown.ScanLine(y)[x] != drawn.ScanLine(y)[x];
  }
  return differ;
}

TEST(DocsPictures, AreWhatTheCodeDrawsNow) {
  TBitmap gallery, scales, chart1, chart2;
  gallery::DrawGallery(gallery);
  gallery::DrawScaleSheet(scales);
  gallery::DrawDemoCharts(fs::path(PLOTWELL_TEST_DATA) / ".." / "examples" / "charts", chart1, chart2);
  const char* refresh = " (plotwell-gallery writes it; copy it into docs/)";
  EXPECT_EQ(PixelsDifferingFromDocs(gallery, "gallery.png"), 0) << refresh;
  EXPECT_EQ(PixelsDifferingFromDocs(scales, "scales.png"), 0) << refresh;
  EXPECT_EQ(PixelsDifferingFromDocs(chart1, "demo-plotwell1.png"), 0) << refresh;
  EXPECT_EQ(PixelsDifferingFromDocs(chart2, "demo-plotwell2.png"), 0) << refresh;
}

}  // namespace
}  // namespace korvo
