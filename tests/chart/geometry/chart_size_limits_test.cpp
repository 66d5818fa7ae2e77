// The chart's size and margins near the limits: a change that would make the
// chart or its plot bitmap larger than MaxChartPixels is refused with an
// error naming it, and leaves the chart as it was; margins at the 32-bit
// limits otherwise draw without overflow (the sanitizer build checks).
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "base/korvobase.h"
#include "chart/plotwell.h"
#include "platform/Exceptions.h"

namespace korvo {
namespace {

std::string ErrorOf(const std::function<void()>& f) {
  try {
    f();
  } catch (const EKorvoPlotwellError& e) {  // the chart's own class, which callers catch
    return e.what();
  }
  return "(no error)";
}

class ChartSizeLimits : public ::testing::Test {
 protected:
  ChartSizeLimits() : chart(nullptr) {
    chart.SetName("Chart");
    chart.SetBounds(0, 0, 372, 300);
    chart.Scale1X()->SetVisible(true);
    chart.Scale1Y()->SetVisible(true);
    chart.MoveTo(0, 0);
    chart.DrawTo(1, 1);
    chart.HandleNeeded();  // a surface, so that Repaint paints
  }
  // The chart's whole state that a refused change must not touch.
  std::string State() {
    return std::to_string(chart.Width()) + "x" + std::to_string(chart.Height()) + " margins " +
           std::to_string(chart.MarginLeft()) + "," + std::to_string(chart.MarginRight()) + "," +
           std::to_string(chart.MarginTop()) + "," + std::to_string(chart.MarginBottom()) + " plot " +
           std::to_string(chart.PlotBitmap()->Width()) + "x" + std::to_string(chart.PlotBitmap()->Height());
  }
  TPlotwell chart;
};

TEST_F(ChartSizeLimits, ARefusedMarginNamesItselfAndChangesNothing) {
  const std::string before = State();
  EXPECT_EQ(ErrorOf([&] { chart.SetMarginLeft(INT32_MIN); }),
            "TPlotwell 'Chart': MarginLeft -2147483648 would make the chart 372 x 300 pixels with a plot area of "
            "2147483647 x 241; each may have at most 67108864 pixels");
  EXPECT_NE(ErrorOf([&] { chart.SetMarginBottom(-100000000); }), "(no error)");
  EXPECT_EQ(State(), before);
  chart.Repaint();

  // Large margins that leave no plot area, and the far negative ones that
  // still fit, draw without overflow.
  for (const int32_t m : {INT32_MAX, INT32_MAX - 1, -2000}) {
    SCOPED_TRACE(m);
    chart.SetMarginLeft(m);
    chart.SetMarginTop(m);
    chart.SetMarginRight(m);
    chart.SetMarginBottom(m == -2000 ? 0 : m);
    chart.Repaint();
    chart.ShowGraph();
  }
}

TEST_F(ChartSizeLimits, ASizeBeyondTheLimitIsRefusedBeforeAnythingIsAllocated) {
  const std::string before = State();
  EXPECT_EQ(ErrorOf([&] { chart.SetBounds(0, 0, 100000, 100000); }),
            "TPlotwell 'Chart': the size 100000 x 100000 would make the chart 100000 x 100000 pixels with a plot area "
            "of 99931 x 99941; each may have at most 67108864 pixels");
  EXPECT_NE(ErrorOf([&] { chart.SetBounds(0, 0, INT32_MAX, INT32_MAX); }), "(no error)");
  EXPECT_EQ(State(), before);
  // The largest square fits and paints.
  chart.SetBounds(0, 0, 8192, 8192);
  EXPECT_EQ(chart.Width(), 8192);
  chart.Repaint();
}

}  // namespace
}  // namespace korvo
