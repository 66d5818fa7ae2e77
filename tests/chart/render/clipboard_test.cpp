// Copying a chart to the clipboard: the picture on the clipboard, in colour
// and in black and white, with and without crosshairs; the screen left
// alone; and the chart's state as before afterwards, also when the copy
// fails.
#include <gtest/gtest.h>

#include <set>
#include <stdexcept>
#include <string>

#include "chart/chart_test_support.h"
#include "chart/plotwell.h"
#include "platform/framework/Application.h"
#include "platform/framework/FormWriter.h"
#include "support/TestSupport.h"

namespace korvo {
namespace {

using test::CountDifferentPixels;
using test::CountPixels;

constexpr TColor Red = RGB(255, 0, 0);
constexpr TColor Blue = RGB(0, 0, 255);
constexpr TColor Green = RGB(0, 160, 0);
constexpr TColor Lime = RGB(0, 255, 0);
constexpr TColor Purple = RGB(128, 0, 255);

// A chart of the demo's first chart's size (372 x 331) with its window, so
// that it paints: margins 60, 20, 20, 40 and a 5-pixel shadow put the plot
// area at columns 60..347 and rows 20..286; layer 1 spans -1..1 both ways.
// Every colour the black-and-white copy replaces is set to a colour of its
// own, and the items draw a red polyline and a blue filled rectangle.
class ChartWithTrace : public TPlotwell {
 public:
  ChartWithTrace() : TPlotwell(nullptr) {}
  using TCustomPlotwell::MouseTraceBuffer;
};

class CopyToClipboard : public ::testing::Test {
 protected:
  CopyToClipboard() {
    chart.HandleNeeded();
    chart.SetBounds(0, 0, 372, 331);
    chart.SetMarginLeft(60);
    chart.SetMarginRight(20);
    chart.SetMarginTop(20);
    chart.SetMarginBottom(40);
    chart.SetShadowWidth(5);
    chart.SetWindColor(clTeal);
    chart.SetChartColor(clYellow);
    chart.SetChartFrameColor(Red);
    chart.Font()->SetColor(clMaroon);
    chart.SetCaption("Caption");
    chart.SetShadowColor(clNavy);
    chart.SetShadowBakColor(clOlive);
    chart.SetGridStyle(GridStyleType::gsLines);
    chart.SetGridColor(Lime);
    chart.SetGridDx(0.5);
    chart.SetGridDy(0.5);
    for (int l = 1; l <= 2; ++l) {
      chart.XProps(l)->SetVisible(true);
      chart.YProps(l)->SetVisible(true);
      chart.XProps(l)->SetColorScale(Purple);
      chart.YProps(l)->SetColorScale(Purple);
      chart.XProps(l)->Font()->SetColor(Green);
      chart.YProps(l)->Font()->SetColor(Green);
    }
    chart.Scale1X()->SetRangeLow(-1);
    chart.Scale1X()->SetRangeHigh(1);
    chart.Scale1Y()->SetRangeLow(-1);
    chart.Scale1Y()->SetRangeHigh(1);
    chart.SetDataColor(Red);
    chart.MoveTo(-0.9, -0.9);
    chart.DrawTo(0.9, 0.9);
    chart.SetDataColor(clBlack);
    chart.SetFillColor(Blue);
    chart.Rectangle(-0.8, 0.2, -0.2, 0.8);
    chart.ShowGraph();
    chart.Repaint();
  }

  const TBitmap& Copied() {
    const TBitmap* b = scope.ws().ClipboardBitmap();
    EXPECT_NE(b, nullptr);
    return *b;
  }
  // Crosshair 1 as a full cross through world (0.1, -0.4), control pixel
  // (218, 206), in blue.
  void CrossHair() {
    chart.CrossHair1()->SetColor(Blue);
    chart.CrossHair1()->SetLineType(TPenStyle::psSolid);
    chart.CrossHair1()->SetPosX(0.1);
    chart.CrossHair1()->SetPosY(-0.4);
    chart.CrossHair1()->SetMode(TCrossHMode::chBoth);
  }
  std::string Settings() { return WriteComponentText(chart); }

  test::HeadlessScope scope;
  ChartWithTrace chart;
};

TEST_F(CopyToClipboard, ColourCopyIsTheWholeControlAsPaintShowsIt) {
  TBitmap screen;
  screen.Assign(*chart.Surface());
  chart.CopyToClipboard(false);
  const TBitmap& copy = Copied();
  ASSERT_EQ(copy.Width(), 372);
  ASSERT_EQ(copy.Height(), 331);
  EXPECT_EQ(CountDifferentPixels(copy, screen), 0) << "window, shadow, caption, scales, grid, items, frame";
  EXPECT_GT(CountPixels(copy, Lime), 0) << "the grid is part of the copy";
  EXPECT_EQ(CountDifferentPixels(*chart.Surface(), screen), 0);
}

TEST_F(CopyToClipboard, CrossHairsOnlyWhenAskedAndTheMouseTraceNever) {
  TBitmap plain;
  chart.CopyToClipboard(false);
  plain.Assign(Copied());

  // A trace stroke across the plot, drawn by every Paint.
  chart.MouseTraceBuffer().push_back(TMouseTracePoint{-0.9, 0.9, 0, Red});
  chart.MouseTraceBuffer().push_back(TMouseTracePoint{0.9, -0.1, 0, Red});
  chart.SetMouseTraceInvert(false);
  CrossHair();
  chart.Repaint();
  ASSERT_GT(CountDifferentPixels(*chart.Surface(), plain), 0) << "the screen shows the trace and the crosshair";

  chart.CopyToClipboard(false);
  EXPECT_EQ(CountDifferentPixels(Copied(), plain), 0) << "without crosshairs, without the trace";

  chart.CopyToClipboard(false, true);
  const TBitmap& with = Copied();
  EXPECT_EQ(with.Canvas()->Pixel(100, 206), Blue);
  EXPECT_EQ(with.Canvas()->Pixel(218, 100), Blue);
  EXPECT_NE(with.Canvas()->Pixel(30, 206), Blue) << "cut to the plot area";
  EXPECT_NE(with.Canvas()->Pixel(218, 300), Blue);
  // Nothing but the crosshair differs from the plain copy.
  EXPECT_EQ(CountDifferentPixels(with, plain), CountPixels(with, Blue) - CountPixels(plain, Blue));
}

TEST_F(CopyToClipboard, BlackAndWhiteReplacesTheChartsColoursForTheCopyOnly) {
  const std::string before = Settings();
  const int history = chart.ZoomHistoryIndex();
  TBitmap screen;
  screen.Assign(*chart.Surface());

  chart.CopyToClipboard(true);
  const TBitmap& copy = Copied();
  ASSERT_EQ(copy.Width(), 372);
  for (TColor replaced : {clTeal, clYellow, Red, clMaroon, clNavy, clOlive, Purple, Green, Blue}) {
    EXPECT_EQ(CountPixels(copy, replaced), 0) << "colour " << replaced;
  }
  EXPECT_EQ(copy.Canvas()->Pixel(2, 2), clWhite) << "window background";
  EXPECT_EQ(copy.Canvas()->Pixel(100, 200), clWhite) << "plot background";
  EXPECT_EQ(copy.Canvas()->Pixel(60, 100), clBlack) << "plot frame";
  EXPECT_EQ(copy.Canvas()->Pixel(370, 1), clWhite) << "shadow background, top right";
  EXPECT_EQ(copy.Canvas()->Pixel(200, 328), clSilver) << "shadow band";
  EXPECT_EQ(copy.Canvas()->Pixel(100, 100), clSilver) << "the filled rectangle";
  EXPECT_GT(CountPixels(copy, Lime), 0) << "the grid keeps its colour";
  // The scale lines along the plot's left and bottom edges are black.
  int black = 0;
  for (int y = 0; y < copy.Height(); ++y) {
    for (int x = 0; x < 60; ++x) black += copy.Canvas()->Pixel(x, y) == clBlack;
  }
  EXPECT_GT(black, 50) << "labels and ticks of the y scale";

  EXPECT_EQ(Settings(), before) << "every property reads as before";
  EXPECT_EQ(chart.ZoomHistoryIndex(), history);
  EXPECT_EQ(chart.Font()->Color(), clMaroon);
  EXPECT_EQ(chart.XProps(2)->Font()->Color(), Green);
  EXPECT_EQ(CountDifferentPixels(*chart.Surface(), screen), 0) << "the screen is not repainted";
  chart.Repaint();
  EXPECT_EQ(CountDifferentPixels(*chart.Surface(), screen), 0) << "the next paint has the colours back";
}

TEST_F(CopyToClipboard, PaintSuspendedKeepsItsEarlierValueAndNothingRepaints) {
  test::CountingChart counting;
  counting.SetBounds(0, 0, 200, 150);
  for (bool suspended : {false, true}) {
    counting.SetPaintSuspended(suspended);
    counting.paints = 0;
    counting.CopyToClipboard(true, true);
    EXPECT_EQ(counting.PaintSuspended(), suspended);
    EXPECT_EQ(counting.paints, 0);
    EXPECT_EQ(Copied().Width(), 200);
  }

  // A chart without its window yet still paints when it gets one.
  test::CountingChart windowless(false);
  windowless.SetBounds(0, 0, 120, 90);
  windowless.CopyToClipboard(false);
  ASSERT_TRUE(windowless.PaintSuspended());
  windowless.HandleNeeded();
  EXPECT_EQ(windowless.paints, 1);
}

// The headless window system with a clipboard that refuses every picture.
class RefusingClipboard : public THeadlessWindowSystem {
 public:
  void SetClipboardBitmap(const TBitmap&) override { throw std::runtime_error("clipboard not available"); }
};

TEST_F(CopyToClipboard, AFailedCopyLeavesTheChartAsItWas) {
  RefusingClipboard refusing;
  TWindowSystem* previous = InstallWindowSystem(&refusing);
  const std::string before = Settings();
  TBitmap screen;
  screen.Assign(*chart.Surface());
  for (bool suspended : {false, true}) {
    chart.SetPaintSuspended(suspended);
    EXPECT_THROW(chart.CopyToClipboard(true, true), std::runtime_error);
    EXPECT_EQ(chart.PaintSuspended(), suspended);
    EXPECT_EQ(Settings(), before);
  }
  InstallWindowSystem(previous);

  chart.SetPaintSuspended(false);
  chart.Repaint();
  EXPECT_EQ(CountDifferentPixels(*chart.Surface(), screen), 0) << "colours and scales are back";
  chart.CopyToClipboard(false);
  EXPECT_EQ(CountDifferentPixels(Copied(), screen), 0);
}

}  // namespace
}  // namespace korvo
