// The chart the item tests draw: 120 x 120 pixels with margins of 10 on
// every side, so the plot area is 101 x 101 pixels (columns and rows 0..100
// of the plot bitmap), and layer 1 spans x 0..100 and y 0..100: world
// (x, y) lands on plot pixel (x, 100 - y). The plot frame and the chart
// colour are white, so a render shows only the items. The data render is
// run straight onto a bitmap of the test (origin 0, 0 unless a test moves
// it), and the same pixels are drawn for comparison with the canvas calls
// that the rule of each kind names.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "chart/plotwell.h"
#include "chart/render/ItemRenderer.h"
#include "support/TestSupport.h"

namespace korvo::test {

inline constexpr double NaN = std::numeric_limits<double>::quiet_NaN();
inline constexpr double Inf = std::numeric_limits<double>::infinity();

class ItemChart : public ::testing::Test {
 protected:
  ItemChart() : chart(nullptr), bmp(101, 101), ref(101, 101) {
    chart.SetMarginLeft(10);
    chart.SetMarginRight(10);
    chart.SetMarginTop(10);
    chart.SetMarginBottom(10);
    chart.SetBounds(0, 0, 120, 120);
    chart.ApplyLayerRange(1, false, 0, 0, 100, 100, false);
    chart.SetChartColor(clWhite);
    chart.SetChartFrameColor(clWhite);
    Fill(ref, clWhite);
    ResetReference();
  }

  // The data render onto `bmp`, cleared to white first.
  TBitmap& Render(bool monochrome = false, int32_t x0 = 0, int32_t y0 = 0) {
    Fill(bmp, clWhite);
    chart.RenderData(bmp.Canvas(), x0, y0, monochrome, true);
    return bmp;
  }
  // `ref`'s canvas as a render pass leaves it at the start: pen, brush and
  // font white, pen solid and 1 wide, solid brush.
  void ResetReference() {
    TCanvas* c = ref.Canvas();
    c->Pen()->SetColor(clWhite);
    c->Pen()->SetStyle(TPenStyle::psSolid);
    c->Pen()->SetWidth(1);
    c->Brush()->SetColor(clWhite);
    c->Brush()->SetStyle(TBrushStyle::bsSolid);
    c->Font()->SetColor(clWhite);
  }
  TCanvas* Ref() { return ref.Canvas(); }
  // Keeps in `before` a copy of `target` as the data render leaves it just
  // before the plot frame (which covers the plot area's outermost pixels).
  void SnapshotBeforeFrame(const TBitmap& target) {
    chart.OnDataRendered = [this, &target](TObject*, TCanvas*, int, int) { before.Assign(target); };
  }
  // Pixels that differ between the render and the reference, once the
  // reference has the render's last step too: the (white) plot frame on the
  // outermost rows and columns.
  long Differences() {
    TCanvas* c = ref.Canvas();
    c->Pen()->SetWidth(1);
    c->Pen()->SetStyle(TPenStyle::psSolid);
    c->Pen()->SetColor(clWhite);
    c->MoveTo(0, 0);
    c->LineTo(100, 0);
    c->LineTo(100, 100);
    c->LineTo(0, 100);
    c->LineTo(0, 0);
    return CountDifferentPixels(bmp, ref);
  }
  std::string Pic(const TRect& r, TColor ink = clBlack) { return Picture(bmp, r, ink, clWhite); }

  TPlotwell chart;
  TBitmap bmp;
  TBitmap ref;
  TBitmap before;
};

inline TColor PixelAt(const TBitmap& b, int32_t x, int32_t y) { return b.Canvas()->Pixel(x, y); }

// Records the points of every Polyline the batch draws.
struct BatchLog {
  std::vector<std::vector<TPoint>> batches;
  static void Observe(void* self, std::span<const TPoint> points) {
    static_cast<BatchLog*>(self)->batches.emplace_back(points.begin(), points.end());
  }
  void Attach(TCustomPlotwell& chart) { chart.ItemRenderer()->SetBatchObserver(&Observe, this); }
};

}  // namespace korvo::test
