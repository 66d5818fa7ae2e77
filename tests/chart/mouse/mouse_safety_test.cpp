// Handlers that destroy or reconfigure the chart in the middle of a drag,
// and drags over plot areas without height. Run under the sanitizers:
// nothing may touch a chart after a handler destroyed it.
#include <cmath>
#include <cstdint>
#include <functional>
#include <limits>
#include <stdexcept>

#include "chart/mouse/mouse_fixture.h"

namespace korvo::test {
namespace {

using enum TMouseActMode;

TEST(MouseSafety, AHandlerMayDestroyTheChartMidDrag) {
  HeadlessScope scope;
  MouseChart* c = nullptr;
  // Touches nothing of its own after the delete: the framework runs some
  // events straight from the chart's members.
  const auto kill = [&c] {
    MouseChart* dying = c;
    c = nullptr;
    delete dying;
  };
  const std::pair<TMouseActMode, std::function<void()>> cases[] = {
      {maPan, [&] { c->OnZoomPan = [&](TObject*) { kill(); }; }},
      {maZoomWind, [&] { c->OnZoomPan = [&](TObject*) { kill(); }; }},
      {maSelectRect, [&] { c->OnSelectRect = [&](TObject*, int, double, double, double, double) { kill(); }; }},
      {maPan, [&] { c->OnMouseMoveInChart = [&](TObject*, bool, TShiftState, double, double) { kill(); }; }},
      {maZoomWind, [&] { c->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int, int) { kill(); }; }},
      {maDragCrossH, [&] { c->OnBeforeCrossHairMove = [&](TObject*, TCrossHair*, int, int, bool&) { kill(); }; }},
      {maDragLabel, [&] { c->OnTextLabelMove = [&](TObject*, TTextLabel*) { kill(); }; }},
      {maNone,
       [&] {
         c->YProps(1)->SetMouseAction(maPan);  // a drag on the y scale's band
         c->OnZoomPan = [&](TObject*) { kill(); };
       }},
  };
  int n = 0;
  for (const auto& [mode, hook] : cases) {
    SCOPED_TRACE(n++);
    c = new MouseChart;
    c->SetLayerInUse(2, true);  // a layer still to do after the handler
    c->SetMouseAction(mode);
    if (mode != maNone) c->ArmBoxSelection();
    hook();
    const int x = mode == maNone ? 25 : 60;
    c->Press(x, 60);
    for (int i = 0; i < 3 && c != nullptr; ++i) c->Move(x + 10 * i, 60 + 10 * i);
    if (c != nullptr) c->Release(x + 20, 80);
    EXPECT_EQ(c, nullptr) << "the handler ran";
    delete c;
  }
}

// The remaining steps work with the new settings, and painting is never
// left suspended, not even by an exception.
TEST(MouseSafety, AHandlerMayReconfigureTheChartMidDrag) {
  HeadlessScope scope;
  MouseChart c;
  c.SetLayerInUse(2, true);
  c.SetMouseAction(maSelectRect);
  int reported = 0, zoomPans = 0;
  c.OnSelectRect = [&](TObject*, int, double, double, double, double) {
    ++reported;
    c.SetMarginLeft(150);  // the plot area loses its width
  };
  c.OnZoomPan = [&](TObject*) { ++zoomPans; };
  c.Drag({{60, 60}, {90, 90}});
  EXPECT_EQ(reported, 1) << "no world position for the second layer";
  EXPECT_EQ(zoomPans, 1);
  EXPECT_FALSE(c.PaintSuspended());

  c.SetMarginLeft(50);
  c.SetMouseAction(maPan);
  c.OnZoomPan = [&](TObject*) {
    c.SetMouseAction(maZoomDrag);
    c.ClearGraph();
    c.SetCurrentLayer(2);
  };
  c.Drag({{60, 60}, {70, 70}, {80, 80}, {90, 90}});
  EXPECT_TRUE(std::isfinite(c.XLow()) && std::isfinite(c.XHigh()));
  c.SetMouseAction(maPan);
  c.OnZoomPan = [](TObject*) { throw std::runtime_error("handler"); };
  c.Press(60, 60);
  c.Move(60, 60);
  EXPECT_THROW(c.Move(70, 70), std::runtime_error);
  c.Release(70, 70);
  EXPECT_FALSE(c.PaintSuspended());
}

// Band edges far out are summed without overflow (in 32 bits they would
// wrap round to the other end of the pixel range); crosshairs far away or
// at no number are picked without trouble; no mode divides by a plot area
// without height or converts through it.
TEST(MouseSafety, FarPositionsAndAPlotAreaWithoutHeight) {
  HeadlessScope scope;
  MouseChart c;
  c.YProps(1)->SetScalePos(-2147483600);  // the band ends at MarginLeft + 2147483600
  EXPECT_EQ(c.ScaleAtPos(INT32_MAX, 60), 1);
  c.XProps(1)->SetScalePos(INT32_MAX);
  EXPECT_FALSE(c.InHorizScaleBand(1, -2147483500));

  const double nan = std::numeric_limits<double>::quiet_NaN();
  for (int n = 1; n <= 4; ++n) {
    c.CrossHair(n)->SetLayer(1);
    c.CrossHair(n)->SetMode(TCrossHMode::chBoth);
    c.CrossHair(n)->SetPosX(n == 1 ? nan : 1e300);
    c.CrossHair(n)->SetPosY(n == 2 ? -1e300 : nan);
  }
  c.SetMouseAction(maDragCrossH);
  c.Drag({{100, 60}, {110, 70}});
  EXPECT_DOUBLE_EQ(c.CrossHair(1)->PosX(), 6);

  c.SetMarginTop(116);
  bool inChart = false;
  double wy = 0;
  c.OnMouseMoveInChart = [&](TObject*, bool in, TShiftState, double, double y) {
    inChart = in;
    wy = y;
  };
  for (TMouseActMode mode : {maPan, maPanGrid, maZoomDrag, maZoomWind, maSelectRect, maRubberBand, maDragCrossH,
                             maDragLabel, maDrawMTrace}) {
    c.SetMouseAction(mode);
    c.Drag({{60, 116}, {90, 116}, {120, 116}});
  }
  EXPECT_TRUE(inChart);
  EXPECT_TRUE(std::isnan(wy)) << "no world position without a plot area";
  EXPECT_TRUE(c.MouseTrace().empty());
  EXPECT_DOUBLE_EQ(c.YHigh() - c.YLow(), 10);
}

}  // namespace
}  // namespace korvo::test
