// Handlers that destroy or reconfigure the chart in the middle of a drag,
// and drags over degenerate plot areas. Run under the sanitizers: nothing
// may touch a chart after a handler destroyed it.
#include <cmath>
#include <functional>
#include <limits>
#include <stdexcept>
#include <string>

#include "chart/mouse/mouse_fixture.h"

namespace korvo::test {
namespace {

using enum TMouseActMode;

struct DestroyCase {
  const char* name;
  TMouseActMode mode;
  std::function<void(MouseChart*&)> hook;  // installs a handler that deletes the chart
};

TEST(MouseSafety, AHandlerMayDestroyTheChartMidDrag) {
  HeadlessScope scope;
  // The handler touches nothing of its own after the delete: the framework
  // runs some events straight from the chart's members.
  const auto kill = [](MouseChart*& c) {
    return [&c] {
      MouseChart* dying = c;
      c = nullptr;
      delete dying;
    };
  };
  const DestroyCase cases[] = {
      {"OnZoomPan of a pan", maPan, [&](MouseChart*& c) { c->OnZoomPan = [k = kill(c)](TObject*) { k(); }; }},
      {"OnZoomPan of a zoom drag", maZoomDrag,
       [&](MouseChart*& c) { c->OnZoomPan = [k = kill(c)](TObject*) { k(); }; }},
      {"OnSelectRect", maSelectRect,
       [&](MouseChart*& c) { c->OnSelectRect = [k = kill(c)](TObject*, int, double, double, double, double) { k(); }; }},
      {"OnRubberBand", maRubberBand,
       [&](MouseChart*& c) { c->OnRubberBand = [k = kill(c)](TObject*, int, double, double, double, double) { k(); }; }},
      {"OnZoomPan of a zoom window", maZoomWind,
       [&](MouseChart*& c) { c->OnZoomPan = [k = kill(c)](TObject*) { k(); }; }},
      {"OnMouseMoveInChart", maPan,
       [&](MouseChart*& c) {
         c->OnMouseMoveInChart = [k = kill(c)](TObject*, bool, TShiftState, double, double) { k(); };
       }},
      {"OnMouseMove", maPan,
       [&](MouseChart*& c) { c->OnMouseMove = [k = kill(c)](TObject*, TShiftState, int, int) { k(); }; }},
      {"OnMouseDown", maZoomWind,
       [&](MouseChart*& c) {
         c->OnMouseDown = [k = kill(c)](TObject*, TMouseButton, TShiftState, int, int) { k(); };
       }},
      {"OnBeforeCrossHairMove", maDragCrossH,
       [&](MouseChart*& c) {
         c->OnBeforeCrossHairMove = [k = kill(c)](TObject*, TCrossHair*, int, int, bool&) { k(); };
       }},
      {"OnCrossHairMove", maDragCrossH,
       [&](MouseChart*& c) { c->OnCrossHairMove = [k = kill(c)](TObject*, TCrossHair*) { k(); }; }},
      {"OnTextLabelMove", maDragLabel,
       [&](MouseChart*& c) { c->OnTextLabelMove = [k = kill(c)](TObject*, TTextLabel*) { k(); }; }},
      {"OnZoomPan of a scale band", maNone,
       [&](MouseChart*& c) {
         c->YProps(1)->SetMouseAction(maPan);
         c->OnZoomPan = [k = kill(c)](TObject*) { k(); };
       }},
  };
  for (const DestroyCase& dc : cases) {
    SCOPED_TRACE(dc.name);
    MouseChart* c = new MouseChart;
    c->SetLayerInUse(2, true);  // a second layer to reach after the handler
    c->SetMouseAction(dc.mode);
    if (dc.mode != maNone) c->ArmBoxSelection();  // the box clamps the point into the plot area
    dc.hook(c);
    const int x0 = dc.mode == maNone ? 25 : 60;
    const int points[][2] = {{x0, 60}, {x0 + 10, 70}, {x0 + 20, 80}};
    c->Press(points[0][0], points[0][1]);
    for (const auto& p : points) {
      if (c == nullptr) break;
      c->Move(p[0], p[1]);
    }
    if (c != nullptr) c->Release(points[2][0], points[2][1]);
    EXPECT_EQ(c, nullptr) << "the handler ran";
    delete c;
  }
}

// A handler that changes the chart's settings mid-drag: the remaining
// steps work with the new settings and nothing fails.
TEST(MouseSafety, AHandlerMayReconfigureTheChartMidDrag) {
  HeadlessScope scope;
  MouseChart c;
  c.SetLayerInUse(2, true);
  c.Ranges(2, 0, 100, 0, 100);
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

  // The pan's handler switches to another mode and clears the layers.
  c.SetMarginLeft(50);
  c.SetMouseAction(maPan);
  c.OnZoomPan = [&](TObject*) {
    c.SetMouseAction(maZoomDrag);
    c.ClearGraph();
    c.SetCurrentLayer(2);
  };
  c.Drag({{60, 60}, {60, 60}, {70, 70}, {80, 80}, {90, 90}});
  EXPECT_FALSE(c.PaintSuspended());
  EXPECT_TRUE(std::isfinite(c.XLow()) && std::isfinite(c.XHigh()));

  // An exception from a handler leaves painting as it was.
  c.SetMouseAction(maPan);
  c.OnZoomPan = [](TObject*) { throw std::runtime_error("handler"); };
  c.Press(60, 60);
  c.Move(60, 60);
  EXPECT_THROW(c.Move(70, 70), std::runtime_error);
  c.Release(70, 70);
  EXPECT_FALSE(c.PaintSuspended());
  c.OnZoomPan = nullptr;
  c.paints = 0;
  c.Drag({{60, 60}, {70, 70}});
  EXPECT_EQ(c.paints, 1);
}

// Crosshairs and labels at positions that are no numbers, or far away, are
// picked and dragged without trouble; so is a chart without a plot area.
TEST(MouseSafety, OddPositionsAndEmptyPlotAreas) {
  HeadlessScope scope;
  MouseChart c;
  const double nan = std::numeric_limits<double>::quiet_NaN();
  for (int n = 1; n <= 4; ++n) {
    c.CrossHair(n)->SetLayer(1);
    c.CrossHair(n)->SetMode(TCrossHMode::chBoth);
    c.CrossHair(n)->SetPosX(n == 1 ? nan : 1e300);
    c.CrossHair(n)->SetPosY(n == 2 ? -1e300 : nan);
  }
  int dx = 0;
  c.OnBeforeCrossHairMove = [&](TObject*, TCrossHair*, int ddx, int, bool&) { dx = ddx; };
  c.SetMouseAction(maDragCrossH);
  c.Drag({{100, 60}, {100, 60}, {110, 70}});
  EXPECT_DOUBLE_EQ(c.CrossHair(1)->PosX(), 6);
  EXPECT_NE(dx, 0);
  TTextLabel& label = *c.TextLabel(1);
  label.SetAttachToData(TTxtLblAttachMode::tlamNone);
  label.SetPosX(1e300);
  label.SetVisible(true);
  label.SetMode(TTxtLblMode::tlBox);
  c.SetMouseAction(maDragLabel);
  c.Drag({{100, 60}, {100, 60}, {110, 70}});
  EXPECT_DOUBLE_EQ(label.PosX(), 110);

  // A plot area without height: no mode divides by it or converts through it.
  c.SetMarginTop(116);
  for (TMouseActMode mode : {maPan, maPanGrid, maZoomDrag, maZoomWind, maSelectRect, maRubberBand, maDragCrossH,
                             maDragLabel, maDrawMTrace}) {
    c.SetMouseAction(mode);
    c.Drag({{60, 116}, {60, 116}, {90, 116}, {120, 116}});
  }
  EXPECT_TRUE(c.MouseTrace().empty());
  EXPECT_DOUBLE_EQ(c.YHigh() - c.YLow(), 10);
}

}  // namespace
}  // namespace korvo::test
