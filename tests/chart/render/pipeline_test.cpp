// The paint pipeline: what Paint, the plot refresh of ShowGraph and the
// data render draw, in which order, with which events, and what a failing
// transform leaves on the screen.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "chart/plotwell.h"
#include "support/AllocationCounter.h"
#include "support/TestSupport.h"

namespace korvo::test {
namespace {

// A chart with its window (so that it paints): 200 x 150 with margins 30,
// 10, 20, 30, a plot area of 161 x 101 pixels from control pixel (30, 20),
// and layer 1 spanning x 0..160 and y 0..100: world (x, y) is control pixel
// (30 + x, 120 - y).
class Pipeline : public ::testing::Test {
 protected:
  Pipeline() : chart(nullptr) {
    chart.HandleNeeded();
    chart.SetAutoRedraw(false);
    chart.SetMarginLeft(30);
    chart.SetMarginRight(10);
    chart.SetMarginTop(20);
    chart.SetMarginBottom(30);
    chart.SetBounds(0, 0, 200, 150);
    chart.ApplyLayerRange(1, false, 0, 0, 160, 100, false);
    chart.SetChartFrameColor(clBlack);
  }
  TColor Screen(int x, int y) { return chart.Surface()->Canvas()->Pixel(x, y); }
  void Paint() { chart.Repaint(); }

  TPlotwell chart;
};

TEST_F(Pipeline, PaintSuspendedKeepsTheChartFromPainting) {
  int renders = 0;
  chart.OnBeforeRenderData = [&](TObject*, TCanvas*, int, int) { ++renders; };
  chart.SetPaintSuspended(true);
  Paint();
  EXPECT_EQ(renders, 0);
  chart.SetPaintSuspended(false);
  EXPECT_EQ(renders, 1) << "clearing it paints once";
  chart.SetPaintSuspended(false);
  EXPECT_EQ(renders, 1);
  chart.SetVisible(false);
  Paint();
  EXPECT_EQ(renders, 1) << "an invisible chart does not paint";
}

TEST_F(Pipeline, PaintShowsChartBitmapWithThePlotAreaInIt) {
  chart.SetWindColor(clTeal);
  chart.SetDataColor(clRed);
  chart.Line(10, 50, 100, 50);
  Paint();
  EXPECT_EQ(CountDifferentPixels(*chart.Surface(), *chart.ChartBitmap()), 0);
  EXPECT_EQ(Screen(199, 0), clTeal) << "window background";
  EXPECT_EQ(Screen(30 + 50, 120 - 50), clRed);
  // The plot bitmap sits at (MarginLeft, MarginTop).
  TBitmap plotPart(chart.PlotBitmap()->Width(), chart.PlotBitmap()->Height());
  CopyPixelsFrom(*chart.ChartBitmap(), 30, 20, plotPart);
  EXPECT_EQ(CountDifferentPixels(plotPart, *chart.PlotBitmap()), 0);
  EXPECT_EQ(chart.PlotBitmap()->Width(), 161);
  EXPECT_EQ(chart.PlotBitmap()->Height(), 101);
}

TEST_F(Pipeline, ThePlotFrameIsDrawnLastOnTheOutermostPixels) {
  chart.SetShadowWidth(4);  // the plot area now ends 4 pixels sooner
  chart.SetDataColor(clRed);
  chart.HorizLine(100);  // the top row, under the frame
  chart.Line(5, 99, 5, 99);
  Paint();
  const int right = 200 - 10 - 4, bottom = 150 - 30 - 4;
  for (auto [x, y] : {std::pair{30, 20}, std::pair{right, 20}, std::pair{right, bottom}, std::pair{30, bottom},
                      std::pair{100, 20}, std::pair{30, 70}}) {
    EXPECT_EQ(Screen(x, y), clBlack) << x << "," << y;
  }
  EXPECT_NE(Screen(right + 1, 70), clBlack);
  EXPECT_EQ(Screen(30 + 5, 21), clRed) << "items inside the frame stay";
}

TEST_F(Pipeline, AnnotationsOverDataUnlessDataOverAnnotations) {
  chart.SetDataColor(clRed);
  chart.SetFillColor(clRed);
  chart.Rectangle(20, 80, 60, 40);
  chart.SetAnnotationMode(true);
  chart.SetDataColor(clBlue);
  chart.Line(0, 60, 100, 60);
  Paint();
  EXPECT_EQ(Screen(30 + 40, 120 - 60), clBlue);
  chart.SetDataOverAnnotations(true);
  Paint();
  EXPECT_EQ(Screen(30 + 40, 120 - 60), clRed);
  chart.SetAnnotationsVisible(false);
  chart.SetDataOverAnnotations(false);
  Paint();
  EXPECT_EQ(Screen(30 + 80, 120 - 60), clWhite) << "no annotations at all";
}

TEST_F(Pipeline, AnnotationTextsOnTopOfLinesAddedAfterThem) {
  chart.SetAnnotationMode(true);
  chart.SetTextBkStyle(TTextBkg::tbSolid);
  chart.SetFillColor(clLime);
  chart.TextFont()->SetSize(14);
  chart.TextAt(80, 50, "MMMM");
  chart.SetDataColor(clBlue);
  chart.Line(0, 50, 160, 50);  // through the middle of the text's first line
  chart.SetDataColor(clRed);
  chart.Line(0, 40, 160, 40);  // below the text
  Paint();
  EXPECT_NE(Screen(30 + 80, 120 - 50), clBlue) << "the text covers the line";
  EXPECT_EQ(Screen(30 + 5, 120 - 50), clBlue);
  chart.SetAnnotationTextsOnTop(false);
  Paint();
  EXPECT_EQ(Screen(30 + 80, 120 - 50), clBlue) << "list order: the line over the text";
}

TEST_F(Pipeline, VisibilityByClassAndLayer) {
  chart.SetClassDefault(3);
  chart.SetDataColor(clRed);
  chart.Line(10, 10, 10, 90);
  chart.SetAnnotationMode(true);
  chart.SetDataColor(clBlue);
  chart.Line(20, 10, 20, 90);
  chart.SetClassDefault(4);
  chart.Line(30, 10, 30, 90);
  chart.ApplyLayerRange(2, false, 0, 0, 160, 100, false);
  chart.SetCurrentLayer(2);
  chart.SetClassDefault(0);
  chart.SetDataColor(clGreen);
  chart.Line(40, 10, 40, 90);
  chart.SetClassVisible(3, false);
  chart.SetAnnotationClassVisible(4, false);
  chart.SetLayerVisible(2, false);
  Paint();
  EXPECT_EQ(Screen(30 + 10, 70), clWhite) << "data item of class 3";
  EXPECT_EQ(Screen(30 + 20, 70), clBlue) << "annotation item of class 3";
  EXPECT_EQ(Screen(30 + 30, 70), clWhite) << "annotation item of class 4";
  EXPECT_EQ(Screen(30 + 40, 70), clWhite) << "layer 2";
  chart.SetLayerVisible(2, true);
  Paint();
  EXPECT_EQ(Screen(30 + 40, 70), clGreen);
}

TEST_F(Pipeline, RenderEventsTheirOrderAndWhereThePlotAreaIs) {
  std::vector<std::string> log;
  chart.OnScalesRendered = [&](TObject* sender, TCanvas* canvas, int top, int left) {
    EXPECT_EQ(sender, &chart);
    EXPECT_EQ(canvas, chart.ChartBitmap()->Canvas());
    log.push_back("scales " + std::to_string(top) + " " + std::to_string(left));
  };
  chart.OnBeforeRenderData = [&](TObject*, TCanvas* canvas, int top, int left) {
    log.push_back("before " + std::to_string(top) + " " + std::to_string(left));
    // Control pixel (35, 25) is at canvas (35 - Left, 25 - Top).
    // (A 1 x 1 Rectangle draws nothing: its outline's four sides are empty.)
    canvas->Brush()->SetColor(clFuchsia);
    canvas->FillRect(TRect{35 - left, 25 - top, 36 - left, 26 - top});
  };
  chart.OnBeforeRenderChartItem = [&](TObject*, TpwChartItem&, int index, bool annotation) {
    log.push_back("item " + std::to_string(index) + (annotation ? " a" : " d"));
  };
  chart.OnDataRendered = [&](TObject*, TCanvas* canvas, int top, int left) {
    log.push_back("rendered " + std::to_string(top) + " " + std::to_string(left));
    EXPECT_EQ(canvas->Pixel(50 - left, 20 - top), clRed) << "the line on the top row, before the frame";
  };
  chart.SetDataColor(clRed);
  chart.HorizLine(100);
  chart.SetAnnotationMode(true);
  chart.MoveTo(1.0, 1.0);
  Paint();
  EXPECT_EQ(log, (std::vector<std::string>{"scales 0 0", "before 20 30", "item 0 d", "item 0 a", "rendered 20 30"}));
  EXPECT_EQ(Screen(35, 25), clFuchsia);
  EXPECT_EQ(Screen(50, 20), clBlack) << "the frame over the line";

  log.clear();
  TBitmap other(300, 300);
  chart.RenderData(other.Canvas(), 5, 7, false, false);
  EXPECT_EQ(log, (std::vector<std::string>{"before 13 25", "item 0 d", "item 0 a", "rendered 13 25"}));
  EXPECT_EQ(other.Canvas()->Pixel(10, 12), clFuchsia);
  EXPECT_EQ(other.Canvas()->Pixel(25, 7), clBlack) << "the frame at the origin";
}

TEST_F(Pipeline, AnItemHandlerChangesOnlyThisDrawing) {
  chart.SetDataColor(clBlack);
  chart.Line(10, 50, 100, 50);
  std::vector<TColor> seen;
  chart.OnBeforeRenderChartItem = [&](TObject*, TpwChartItem& item, int, bool) {
    seen.push_back(item.Color);
    item.Color = clRed;
  };
  Paint();
  EXPECT_EQ(Screen(30 + 50, 70), clRed);
  EXPECT_EQ(chart.DataItems()[0].Color, clBlack);
  Paint();
  EXPECT_EQ(seen, (std::vector<TColor>{clBlack, clBlack}));
}

TEST_F(Pipeline, ShowGraphRefreshesOnlyThePlotArea) {
  chart.SetAutoRedraw(true);
  chart.SetWindColor(clTeal);
  Paint();
  Fill(*chart.Surface(), clFuchsia);
  chart.SetDataColor(clRed);
  chart.Line(10, 50, 100, 50);
  chart.ShowGraph();
  EXPECT_EQ(Screen(199, 0), clFuchsia) << "the frame around the plot area is not redrawn";
  EXPECT_EQ(Screen(30 + 50, 70), clRed);
  EXPECT_EQ(Screen(30, 20), clBlack) << "the plot frame comes with the plot area";

  chart.SetAutoRedraw(false);
  Fill(*chart.Surface(), clFuchsia);
  chart.ShowGraph();
  EXPECT_EQ(Screen(199, 0), clTeal) << "without AutoRedraw, a full paint";
}

TEST_F(Pipeline, ShowGraphAfterANewSizeFillsTheNewPlotArea) {
  chart.SetAutoRedraw(true);
  Paint();
  chart.SetBounds(0, 0, 300, 200);  // no paint in between
  EXPECT_EQ(chart.PlotBitmap()->Width(), 300 - 30 - 10 + 1);
  EXPECT_EQ(chart.PlotBitmap()->Height(), 200 - 20 - 30 + 1);
  chart.SetDataColor(clRed);
  chart.Line(0, 50, 160, 50);
  chart.ShowGraph();
  int reddest = -1;  // the last red column on the screen
  for (int y = 0; y < 200; ++y) {
    for (int x = 0; x < 300; ++x) {
      if (Screen(x, y) == clRed) reddest = std::max(reddest, x);
    }
  }
  EXPECT_EQ(reddest, 300 - 10 - 1) << "the line runs to the new plot area's right edge (under the frame: one less)";
}

TEST_F(Pipeline, AFailingTransformRaisesAndLeavesTheScreenAsItWas) {
  chart.SetDataColor(clRed);
  chart.Line(10, 50, 100, 50);
  Paint();
  TBitmap shown;
  shown.Assign(*chart.Surface());
  chart.ApplyLayerRange(3, false, 1, 1, 10, 10, false);
  chart.XProps(3)->SetLogarithmic(true);
  chart.XProps(3)->StoreRangeLow(-1);  // stored without the setter's check
  chart.SetDataColor(clBlue);
  chart.Line(10, 60, 100, 60);
  EXPECT_THROW(Paint(), EKorvoPlotwellError);
  EXPECT_EQ(CountDifferentPixels(*chart.Surface(), shown), 0);
  chart.XProps(3)->StoreRangeLow(1);
  Paint();
  EXPECT_EQ(Screen(30 + 50, 120 - 60), clBlue) << "painting works again";
}

TEST_F(Pipeline, APlotAreaWithoutPixelsPaintsTheRest) {
  chart.SetMarginLeft(300);
  chart.Line(0, 0, 10, 10);
  Paint();
  EXPECT_EQ(chart.PlotBitmap()->Width(), 0);
  EXPECT_EQ(chart.ChartBitmap()->Width(), 200);
}

TEST_F(Pipeline, AWarmRenderAllocatesNothing) {
  chart.SetAutoRedraw(true);
  chart.SetAvoidDuplicateMarks(true);
  chart.SetLongText(1, "a long text\nof two lines, longer than the inline text");
  chart.MoveTo(0.0, 0.0);
  for (int i = 1; i <= 500; ++i) {
    chart.DrawTo(i % 160, (i * 7) % 100);
    chart.MarkAt(i % 160, (i * 7) % 100, uint8_t(i % 3 == 0 ? 19 : (i % 3 == 1 ? 5 : 'x')));
  }
  chart.TextAt(20, 20, "inline");
  chart.LongTextAt(80, 80, 1);
  chart.SetTextBkStyle(TTextBkg::tbSolid);
  chart.TextOffsAt(50, 50, 3, 3, "offset");
  chart.SetAnnotationMode(true);
  chart.SetLongText(2, "annotation\ntext");
  chart.LongTextAt(10, 10, 2, TCoordMode::cmPixel);
  chart.Rectangle(5, 5, 20, 20, false, TCoordMode::cmPixel);
  chart.OnBeforeRenderText = [](TObject*, std::string& text, int, bool) { text += "!"; };
  chart.ShowGraph();
  EXPECT_EQ(AllocationsDuring([&] { chart.ShowGraph(); }), 0);
  TBitmap other(200, 150);
  chart.RenderData(other.Canvas(), 30, 20, false, false);
  EXPECT_EQ(AllocationsDuring([&] { chart.RenderData(other.Canvas(), 30, 20, true, false); }), 0);
}

}  // namespace
}  // namespace korvo::test
