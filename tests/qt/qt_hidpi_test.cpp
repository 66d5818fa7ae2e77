// Screens of more than one device pixel a pixel: the window system shows a
// chart (and a stand-alone scale) drawn at the device's resolution, text
// rasterised at ratio x 96 pixels per inch and the figures where the
// surface has them; at a ratio of 1 exactly the surface. The pictures are
// taken as a screen of the ratio gets them (QWidget::render into an image of
// that device pixel ratio); CTest also runs these tests under
// QT_SCALE_FACTOR=2 and 1.5, where the screen itself has the ratio.
#include <gtest/gtest.h>

#include <QImage>
#include <QPixmap>
#include <QTest>
#include <QWidget>
#include <QWindow>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <memory>

#include "chart/plotwell.h"
#include "qt/qt_fixture.h"
#include "scale/Scale.h"
#include "tools/DemoCharts.h"
#include "tools/InkCompare.h"

namespace korvo::qttest {
namespace {

using inktest::InkFoundWithinOnePixel;
using inktest::InkOf;

std::unique_ptr<TBitmap> BitmapOf(const QImage& shown) {
  const QImage image = shown.convertToFormat(QImage::Format_RGB32);
  auto b = std::make_unique<TBitmap>(image.width(), image.height());
  b->SetPixelFormat(TPixelFormat::pf32bit);
  for (int y = 0; y < image.height(); ++y) {
    std::memcpy(b->ScanLine(y), image.constScanLine(y), size_t(image.width()) * sizeof(TPixel));
  }
  return b;
}

// What the widget shows on a screen of `ratio` (a part of a device pixel
// counting as one, as QWidget::grab counts).
std::unique_ptr<TBitmap> Shown(QWidget* widget, double ratio) {
  QImage image(int(std::lround(widget->width() * ratio)), int(std::lround(widget->height() * ratio)),
               QImage::Format_RGB32);
  image.setDevicePixelRatio(ratio);
  image.fill(Qt::magenta);
  widget->render(&image);
  return BitmapOf(image);
}

bool SamePixels(const TBitmap& a, const TBitmap& b) {
  if (a.Width() != b.Width() || a.Height() != b.Height()) return false;
  for (int y = 0; y < a.Height(); ++y) {
    if (std::memcmp(a.ScanLine(y), b.ScanLine(y), size_t(a.Width()) * sizeof(TPixel)) != 0) return false;
  }
  return true;
}

// Of the aligned 2 x 2 blocks in rows top..bottom-1 of a picture at ratio
// 2 that hold anything but the background (the colour at (top, top)), the
// share not of one colour: 0
// for a surface enlarged pixel by pixel, high for text drawn at the device's
// resolution.
double MixedBlockShare(const TBitmap& b, int top, int bottom) {
  const TPixel background = b.ScanLine(top)[top];
  int inked = 0, mixed = 0;
  for (int y = top; y + 1 < bottom; y += 2) {
    for (int x = 0; x + 1 < b.Width(); x += 2) {
      const TPixel p[4] = {b.ScanLine(y)[x], b.ScanLine(y)[x + 1], b.ScanLine(y + 1)[x], b.ScanLine(y + 1)[x + 1]};
      if (p[0] == background && p[1] == background && p[2] == background && p[3] == background) continue;
      ++inked;
      mixed += !(p[0] == p[1] && p[0] == p[2] && p[0] == p[3]);
    }
  }
  return inked == 0 ? 0 : double(mixed) / inked;
}

// The surface enlarged pixel by pixel, as a screen showed it before.
std::unique_ptr<TBitmap> Enlarged(const TBitmap& surface, int factor) {
  auto b = std::make_unique<TBitmap>(surface.Width() * factor, surface.Height() * factor);
  for (int y = 0; y < b->Height(); ++y) {
    for (int x = 0; x < b->Width(); ++x) b->ScanLine(y)[x] = surface.ScanLine(y / factor)[x / factor];
  }
  return b;
}

void ExpectInkWhereTheSurfaceHasIt(const TBitmap& device, double ratio, const TBitmap& surface, double share) {
  const int w = surface.Width(), h = surface.Height();
  const std::vector<bool> back = InkOf(*inktest::Downsampled(device, ratio, w, h)), screen = InkOf(surface);
  EXPECT_GE(InkFoundWithinOnePixel(back, screen, w, h), share) << "ink the surface lacks";
  EXPECT_GE(InkFoundWithinOnePixel(screen, back, w, h), share) << "the surface's ink missing";
}

class QtHiDpi : public ::testing::Test {
 protected:
  void SetUp() override {
    chart = gallery::DemoChart(std::filesystem::path(PLOTWELL_TEST_DATA) / ".." / "examples" / "charts", 1);
    chart->OnDataRendered = [this](TObject*, TCanvas*, int, int) { ++renders; };
    widget = ControlWidget(chart.get(), THostOwnership::hoProgram);
    widget->show();
    ASSERT_TRUE(ProcessUntil([&] { return !chart->PaintPending() && widget->isVisible(); }));
    WindowSystem()->ProcessMessages();
  }
  void TearDown() override {
    chart.reset();
    WindowSystem()->ProcessMessages();
  }
  const TBitmap& Surface() const { return *chart->Surface(); }

  std::unique_ptr<TPlotwell> chart;
  QWidget* widget = nullptr;
  int renders = 0;
};

TEST_F(QtHiDpi, AtRatiosTheChartIsDrawnAtTheDevicesResolutionWhereTheSurfaceHasIt) {
  // A ratio of 1: the surface itself, pixel for pixel.
  EXPECT_TRUE(SamePixels(*Shown(widget, 1), Surface()));

  const std::unique_ptr<TBitmap> two = Shown(widget, 2);
  ASSERT_EQ(two->Width(), 2 * chart->Width());
  ASSERT_EQ(two->Height(), 2 * chart->Height());
  ExpectInkWhereTheSurfaceHasIt(*two, 2, Surface(), 0.95);
  // The caption above the plot: glyphs of device pixels, not of 2 x 2
  // blocks as the enlarged surface has them.
  const int band = 2 * chart->MarginTop();
  EXPECT_GT(MixedBlockShare(*two, 0, band), 0.3);
  EXPECT_EQ(MixedBlockShare(*Enlarged(Surface(), 2), 0, band), 0.0);

  for (double ratio : {1.5, 1.25}) {
    SCOPED_TRACE(ratio);
    const std::unique_ptr<TBitmap> shown = Shown(widget, ratio);
    ASSERT_EQ(shown->Width(), int(std::lround(chart->Width() * ratio)));
    ExpectInkWhereTheSurfaceHasIt(*shown, ratio, Surface(), 0.95);
  }
}

TEST_F(QtHiDpi, ThePictureIsDrawnAgainOnlyWhenTheSurfaceChanged) {
  const std::unique_ptr<TBitmap> first = Shown(widget, 2);
  const int after = renders;
  EXPECT_TRUE(SamePixels(*Shown(widget, 2), *first));
  EXPECT_EQ(renders, after) << "a second expose draws nothing anew";

  // ShowGraph: the surface's plot area changes, and so does the picture.
  chart->ClearGraph();
  chart->MoveTo(-1.0, 1.0);
  chart->DrawTo(1.0, -1.0);
  chart->ShowGraph();
  const std::unique_ptr<TBitmap> second = Shown(widget, 2);
  EXPECT_EQ(renders, after + 2) << "the surface's quick refresh, then the plot area at the ratio";
  EXPECT_FALSE(SamePixels(*second, *first));
  ExpectInkWhereTheSurfaceHasIt(*second, 2, Surface(), 0.95);
}

// The kept picture, redrawn where the chart reports its changes (ShowGraph:
// the plot area) and found by comparison otherwise, is the picture drawn
// afresh after every step, including a show at ratio 1 in between (after
// which the chart's report no longer counts from the picture's last draw).
TEST_F(QtHiDpi, TheKeptPictureIsTheFreshOneAfterReportedAndUnreportedChanges) {
  const auto frame = [&](double y) {
    chart->ClearGraph();
    chart->MoveTo(-1.0, y);
    chart->DrawTo(1.0, -y);
    chart->ShowGraph();
  };
  const auto fresh = [&] {
    auto device = std::make_unique<TBitmap>(2 * chart->Width(), 2 * chart->Height());
    device->SetPixelFormat(TPixelFormat::pf32bit);
    EXPECT_TRUE(chart->PaintScaled(device->Canvas()->Surface(), 2, TRect{0, 0, chart->Width(), chart->Height()}));
    return device;
  };
  const struct {
    double y;
    double showFirstAt;  // 0: no show before the one at ratio 2
  } steps[] = {{1, 0}, {0.5, 0}, {1, 1}, {0.25, 1}, {0.25, 0}};
  for (const auto& step : steps) {
    SCOPED_TRACE(step.y);
    SCOPED_TRACE(step.showFirstAt);
    frame(step.y);
    if (step.showFirstAt != 0) Shown(widget, step.showFirstAt);
    EXPECT_TRUE(SamePixels(*Shown(widget, 2), *fresh()));
  }
}

TEST_F(QtHiDpi, AZoomBandsOutlineIsShownInvertedAtTheRatio) {
  chart->SetMouseAction(TMouseActMode::maZoomWind);
  QWindow* window = widget->windowHandle();
  ASSERT_NE(window, nullptr);
  const int x1 = chart->MarginLeft() + 40, y1 = chart->MarginTop() + 30, x2 = x1 + 100, y2 = y1 + 80;
  QTest::mousePress(window, Qt::LeftButton, Qt::NoModifier, QPoint(x1, y1));
  QTest::mouseMove(window, QPoint(x2, y2));
  // The outline on the surface: its top edge's middle pixel inverted.
  const int mx = (x1 + x2) / 2;
  const TPixel plot = Surface().ScanLine(y1 + 5)[mx];
  ASSERT_EQ(Surface().ScanLine(y1)[mx], plot ^ 0xFFFFFFu);
  const std::unique_ptr<TBitmap> shown = Shown(widget, 2);
  EXPECT_EQ(shown->ScanLine(2 * y1)[2 * mx], plot ^ 0xFFFFFFu);
  EXPECT_EQ(shown->ScanLine(2 * y1 + 1)[2 * mx + 1], plot ^ 0xFFFFFFu);
  EXPECT_EQ(shown->ScanLine(2 * y1 + 10)[2 * mx], plot);
  QTest::mouseRelease(window, Qt::LeftButton, Qt::NoModifier, QPoint(x2, y2));
  WindowSystem()->ProcessMessages();
  ExpectInkWhereTheSurfaceHasIt(*Shown(widget, 2), 2, Surface(), 0.95);
}

// The screen's own ratio (1, or QT_SCALE_FACTOR's): the widget's grab is
// the picture drawn at that ratio, and the mouse comes in logical pixels.
TEST_F(QtHiDpi, TheScreensRatioShowsThatPictureAndTheMouseSpeaksLogicalPixels) {
  const double ratio = widget->devicePixelRatioF();
  const QImage grabbed = widget->grab().toImage();
  EXPECT_EQ(grabbed.width(), int(std::lround(chart->Width() * ratio)));
  EXPECT_TRUE(SamePixels(*BitmapOf(grabbed), ratio == 1 ? Surface() : *Shown(widget, ratio)));
  QTest::mouseMove(widget->windowHandle(), QPoint(123, 77));
  EXPECT_EQ(chart->LastMouseX(), 123);
  EXPECT_EQ(chart->LastMouseY(), 77);
}

TEST(QtHiDpiScale, AStandAloneScaleIsDrawnAtTheRatio) {
  std::unique_ptr<TScale> scale = std::make_unique<TScale>(nullptr);
  scale->SetBounds(0, 0, 300, 60);
  QWidget* widget = ControlWidget(scale.get(), THostOwnership::hoProgram);
  widget->show();
  ASSERT_TRUE(ProcessUntil([&] { return !scale->PaintPending() && widget->isVisible(); }));
  EXPECT_TRUE(SamePixels(*Shown(widget, 1), *scale->Surface()));
  const std::unique_ptr<TBitmap> two = Shown(widget, 2);
  ExpectInkWhereTheSurfaceHasIt(*two, 2, *scale->Surface(), 0.9);
  // The labels' rows (the frame and ticks are straight lines, whole blocks).
  EXPECT_GT(MixedBlockShare(*two, 2 * 5, 2 * 32), 0.3) << "its labels at the device's resolution";
  EXPECT_EQ(MixedBlockShare(*Enlarged(*scale->Surface(), 2), 2 * 5, 2 * 32), 0.0);
  scale.reset();
  WindowSystem()->ProcessMessages();
}

}  // namespace
}  // namespace korvo::qttest
