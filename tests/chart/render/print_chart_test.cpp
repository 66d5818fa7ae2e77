// Printing a chart on the headless printer: its picture fitted into the
// asked rectangle of the page keeping its aspect and centred, the whole page
// by default, on the current page of a document that is open, and a clear
// error of the chart's class for a rectangle without pixels.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <ostream>
#include <string>

#include "base/korvobase.h"
#include "chart/plotwell.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Printer.h"

namespace korvo {
namespace {

constexpr uint32_t White = 0xFFFFFF;

// A chart whose whole picture stands out from white paper (silver window,
// yellow plot) with a caption, scales, the grid and a blue line. (Marks are
// left out: on a page they take the printer's line-drawn form by design.)
void Dress(TPlotwell& chart, int width, int height) {
  chart.HandleNeeded();
  chart.SetBounds(0, 0, width, height);
  chart.SetWindColor(clSilver);
  chart.SetChartColor(clYellow);
  chart.SetCaption("Printed");
  chart.ApplyLayerRange(1, false, 0, 0, 10, 10, false);
  chart.SetDataColor(clBlue);
  chart.MoveTo(1.0, 1.0);
  chart.DrawTo(9.0, 8.0);
  chart.DrawTo(9.0, 2.0);
  chart.Repaint();
}

// The smallest rectangle within `area` holding every pixel that is not white.
TRect InkBox(const TBitmap& page, const TRect& area) {
  TRect box{area.Right, area.Bottom, area.Left, area.Top};
  for (int y = area.Top; y < area.Bottom; ++y) {
    const TPixel* row = page.ScanLine(y);
    for (int x = area.Left; x < area.Right; ++x) {
      if ((row[x] & White) == White) continue;
      box = {std::min(box.Left, x), std::min(box.Top, y), std::max(box.Right, x + 1), std::max(box.Bottom, y + 1)};
    }
  }
  return box;
}
TRect InkBox(const TBitmap& page) { return InkBox(page, TRect{0, 0, page.Width(), page.Height()}); }

int ChannelDifference(TPixel a, TPixel b) {
  int d = 0;
  for (int shift = 0; shift < 24; shift += 8) {
    d = std::max(d, std::abs(int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF)));
  }
  return d;
}

// The chart's own picture sampled back from the page: the page pixel under
// the centre of each chart pixel, for a picture placed at `box`. Returns the
// share of chart pixels found with their own colour.
double ShareSampledAlike(const TBitmap& page, const TRect& box, const TBitmap& screen) {
  const double sx = double(box.Right - box.Left) / screen.Width(), sy = double(box.Bottom - box.Top) / screen.Height();
  long alike = 0;
  for (int y = 0; y < screen.Height(); ++y) {
    for (int x = 0; x < screen.Width(); ++x) {
      const int px = box.Left + int((x + 0.5) * sx), py = box.Top + int((y + 0.5) * sy);
      alike += (page.ScanLine(py)[px] & White) == (screen.ScanLine(y)[x] & White);
    }
  }
  return double(alike) / (double(screen.Width()) * screen.Height());
}

void ExpectBoxNear(const TRect& got, const TRect& want, const std::string& what) {
  EXPECT_NEAR(got.Left, want.Left, 1) << what;
  EXPECT_NEAR(got.Top, want.Top, 1) << what;
  EXPECT_NEAR(got.Right, want.Right, 1) << what;
  EXPECT_NEAR(got.Bottom, want.Bottom, 1) << what;
}

const TBitmap& OnlyPage() {
  const auto& pages = Printer()->Pages();
  EXPECT_EQ(pages.size(), 1u);
  return *pages.back();
}

// ---- fitted into the asked rectangle ---------------------------------------------

struct TFitCase {
  const char* Name;
  int Width, Height;  // the chart
  TRect Asked;        // the page rectangle; empty: the whole page (Print())
  TRect Expected;     // where the picture lands, worked out by hand
};

std::ostream& operator<<(std::ostream& os, const TFitCase& c) { return os << c.Name; }

class PrintFitted : public ::testing::TestWithParam<TFitCase> {};

TEST_P(PrintFitted, ThePagesInkIsThePictureScaledKeepingAspectAndCentred) {
  const TFitCase& c = GetParam();
  TPlotwell chart(nullptr);
  Dress(chart, c.Width, c.Height);
  ASSERT_FALSE(Printer()->Printing());
  if (c.Asked.Right > c.Asked.Left) {
    chart.Print(c.Asked);
  } else {
    chart.Print();
  }
  // A document of its own, closed again, one page.
  EXPECT_FALSE(Printer()->Printing());
  const TBitmap& page = OnlyPage();
  ASSERT_EQ(page.Width(), TPrinter::PageWidthPixels);
  ASSERT_EQ(page.Height(), TPrinter::PageHeightPixels);
  const TRect ink = InkBox(page);
  ExpectBoxNear(ink, c.Expected, c.Name);
  // What lies there is the chart's picture (its text rasterised afresh at
  // the page's size, so not every pixel; shrunk, 1-pixel lines stay whole
  // device pixels and the samples miss more of them).
  const bool shrunk = c.Expected.Right - c.Expected.Left < c.Width;
  EXPECT_GE(ShareSampledAlike(page, ink, *chart.Surface()), shrunk ? 0.93 : 0.97) << c.Name;
}

// 300 x 200 into 600 x 600 is twice its size, 200 down from the top; a tall
// chart is centred across; 3 1/3 times lands between pixels; the whole A4
// page at 300 pixels per inch fits 2480 / 300 = 8.27 times, 1653 high.
INSTANTIATE_TEST_SUITE_P(
    Rectangles, PrintFitted,
    ::testing::Values(TFitCase{"TwiceIntoASquare", 300, 200, {100, 100, 700, 700}, {100, 200, 700, 600}},
                      TFitCase{"SameSizeCentredDown", 300, 200, {50, 40, 350, 640}, {50, 240, 350, 440}},
                      TFitCase{"TallCentredAcross", 200, 300, {0, 0, 1000, 600}, {300, 0, 700, 600}},
                      TFitCase{"HalfSize", 300, 200, {10, 20, 160, 120}, {10, 20, 160, 120}},
                      TFitCase{"BetweenPixels", 300, 200, {0, 0, 1000, 1000}, {0, 167, 1000, 833}},
                      TFitCase{"WholePage", 300, 200, {}, {0, 927, 2480, 2580}}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(PrintChart, AtItsOwnSizeThePageHoldsTheChartsPicture) {
  TPlotwell chart(nullptr);
  Dress(chart, 300, 200);
  const TRect at{123, 45, 123 + 300, 45 + 200};
  chart.Print(at);
  const TBitmap& page = OnlyPage();
  const TBitmap& screen = *chart.Surface();
  EXPECT_EQ(InkBox(page), at);
  // Nearly every pixel is the screen's. Text is rasterised by another
  // engine (its anti-aliased edges differ a little), and a slanted line is
  // stroked as a band one pixel wide, which now and then takes a pixel the
  // stepped line leaves beside it: any pixel far from the screen's has its
  // colour on the screen within one pixel.
  long same = 0;
  for (int y = 0; y < at.Bottom - at.Top; ++y) {
    for (int x = 0; x < at.Right - at.Left; ++x) {
      const TPixel p = page.ScanLine(at.Top + y)[at.Left + x];
      const int d = ChannelDifference(p, screen.ScanLine(y)[x]);
      same += d == 0;
      if (d < 128) continue;
      bool near = false;
      for (int v = std::max(y - 1, 0); v <= std::min(y + 1, screen.Height() - 1); ++v) {
        for (int u = std::max(x - 1, 0); u <= std::min(x + 1, screen.Width() - 1); ++u) {
          near = near || ChannelDifference(p, screen.ScanLine(v)[u]) < 128;
        }
      }
      EXPECT_TRUE(near) << "page pixel " << x << "," << y;
    }
  }
  EXPECT_GE(same, 300 * 200 * 97 / 100);
}

TEST(PrintChart, InsideAnOpenDocumentTwoChartsShareThePage) {
  TPlotwell first(nullptr), second(nullptr);
  Dress(first, 300, 200);
  Dress(second, 200, 300);
  second.SetChartColor(clAqua);
  second.Repaint();
  const int w = TPrinter::PageWidthPixels, h = TPrinter::PageHeightPixels;
  const TRect top{0, 0, w, h / 2}, bottom{0, h / 2, w, h};
  Printer()->BeginDoc();
  first.Print(top);
  EXPECT_TRUE(Printer()->Printing());
  second.Print(bottom);
  EXPECT_TRUE(Printer()->Printing());
  Printer()->EndDoc();
  const TBitmap& page = OnlyPage();
  // 2480 / 300 = 8.27 wide limits the first (1653 high, centred in 1754);
  // 1754 / 300 = 5.85 high limits the second (1169 wide, centred in 2480).
  const TRect firstBox = InkBox(page, top), secondBox = InkBox(page, bottom);
  ExpectBoxNear(firstBox, TRect{0, 50, 2480, 1704}, "first");
  ExpectBoxNear(secondBox, TRect{655, 1754, 1824, 3508}, "second");
  EXPECT_GE(ShareSampledAlike(page, firstBox, *first.Surface()), 0.95);
  EXPECT_GE(ShareSampledAlike(page, secondBox, *second.Surface()), 0.95);
}

TEST(PrintChart, NothingToPrintIsTheChartsError) {
  TPlotwell chart(nullptr);
  Dress(chart, 300, 200);
  // (A chart always has pixels: it keeps room for a plot area.)
  struct TCase {
    const char* Name;
    TRect Asked;
  };
  const TCase cases[] = {{"no width", {10, 10, 10, 500}},
                         {"no height", {10, 10, 500, 10}},
                         {"reversed", {500, 500, 10, 10}},
                         {"beyond the 32-bit plane", {INT32_MAX - 5, 0, INT32_MIN + 5, 100}}};
  for (const bool open : {false, true}) {
    if (open) Printer()->BeginDoc();
    for (const TCase& c : cases) {
      try {
        chart.Print(c.Asked);
        ADD_FAILURE() << c.Name << ": printed";
      } catch (const EKorvoPlotwellError& e) {
        EXPECT_NE(std::string(e.what()).find("Cannot print"), std::string::npos) << c.Name << ": " << e.what();
      } catch (const std::exception& e) {
        ADD_FAILURE() << c.Name << ": not the chart's error class: " << e.what();
      }
      // A document of its own is not left open; an open one stays open.
      EXPECT_EQ(Printer()->Printing(), open) << c.Name;
    }
    if (open) {
      Printer()->EndDoc();
      EXPECT_EQ(InkBox(OnlyPage()).Right, 0) << "the failed prints drew on the page";
    }
  }
}

}  // namespace
}  // namespace korvo
