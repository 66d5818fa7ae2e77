// Panning and zooming with the wheel and the keys (WheelAndKeyNavigation).
#include <cmath>
#include <limits>

#include "chart/mouse/mouse_fixture.h"
#include "platform/framework/Properties.h"

namespace korvo::test {
namespace {

using enum TShiftFlag;

// The width of an axis in its own measure (the logarithm's on a logarithmic axis).
double Width(const TScaleProps& p) {
  return p.Logarithmic() ? std::log(p.RangeHigh() / p.RangeLow()) : p.RangeHigh() - p.RangeLow();
}

// Every turn keeps the world point under the pointer at its pixel and
// divides the width of each zoomed axis by 1.25 per notch; one repaint and
// one OnZoomPan a turn.
TEST(Navigation, WheelZoomsAroundThePointer) {
  struct Case {
    const char* name;
    TShiftState shift;
    int delta, x, y;
    bool logX, reversedY, isometric, zoomsX, zoomsY;
  };
  const Case cases[] = {
      {"notch in", {}, 120, 70, 46, false, false, false, true, true},
      {"two notches out", {}, -240, 133, 100, false, false, false, true, true},
      {"Ctrl: x only", {ssCtrl}, 120, 70, 46, false, false, false, true, false},
      {"Shift: y only", {ssShift}, -120, 70, 46, false, false, false, false, true},
      {"Ctrl and Shift: both", {ssCtrl, ssShift}, 120, 70, 46, false, false, false, true, true},
      {"Isometric: both", {ssCtrl}, 120, 70, 46, false, false, true, true, true},
      {"half a notch, log x, reversed y", {}, 60, 90, 30, true, true, false, true, true},
  };
  HeadlessScope scope;
  for (const Case& k : cases) {
    MouseChart c;
    c.SetWheelAndKeyNavigation(true);
    c.SetIsometric(k.isometric);
    c.Ranges(1, k.logX ? 1 : 0, k.logX ? 1000 : 10, k.reversedY ? 10 : 0, k.reversedY ? 0 : 10);
    c.XProps(1)->SetLogarithmic(k.logX);
    int zoomPans = 0;
    c.OnZoomPan = [&](TObject*) { ++zoomPans; };
    double wx = 0, wy = 0;
    c.PixelToWorld(1, k.x, k.y, wx, wy);
    const double w0 = Width(*c.XProps(1)), h0 = Width(*c.YProps(1));
    c.paints = 0;
    EXPECT_TRUE(c.DispatchMouseWheel(k.shift, k.delta, TPoint{k.x, k.y})) << k.name;
    int32_t px = 0, py = 0;
    c.WorldToPixel(1, wx, wy, px, py);
    EXPECT_EQ(px, k.x) << k.name;
    EXPECT_EQ(py, k.y) << k.name;
    const double f = std::pow(1.25, k.delta / 120.0);
    EXPECT_NEAR(w0 / Width(*c.XProps(1)), k.zoomsX ? f : 1, 1e-12) << k.name;
    EXPECT_NEAR(h0 / Width(*c.YProps(1)), k.zoomsY ? f : 1, 1e-12) << k.name;
    EXPECT_EQ(c.paints, 1) << k.name;
    EXPECT_EQ(zoomPans, 1) << k.name;
  }
}

// Off by default; handled by the program; over the margins; with a button
// held: the ranges stay, and the framework's wheel events still fire.
// Limits cut a zoom (also while MouseAction pans) and MinRange holds an axis.
TEST(Navigation, WheelLeavesAloneWhatItShould) {
  HeadlessScope scope;
  MouseChart c;
  int wheels = 0;
  bool handle = false;
  c.OnMouseWheel = [&](TObject*, TShiftState, int, const TPoint&, bool& handled) {
    ++wheels;
    handled = handle;
  };
  EXPECT_FALSE(c.WheelAndKeyNavigation());
  EXPECT_FALSE(c.Focusable());
  EXPECT_FALSE(c.DispatchMouseWheel({}, 120, TPoint{70, 46}));
  c.SetWheelAndKeyNavigation(true);
  EXPECT_TRUE(c.Focusable());
  EXPECT_FALSE(c.DispatchMouseWheel({}, 120, TPoint{30, 46})) << "over the margin";
  c.Press(70, 46);
  c.DispatchMouseWheel({}, 120, TPoint{70, 46});
  c.Release(70, 46);
  handle = true;
  EXPECT_TRUE(c.DispatchMouseWheel({}, 120, TPoint{70, 46}));
  EXPECT_EQ(wheels, 4);
  EXPECT_DOUBLE_EQ(c.XLow(), 0);
  EXPECT_DOUBLE_EQ(c.YHigh(), 10);

  handle = false;
  const long double inf = std::numeric_limits<long double>::infinity();
  c.SetMouseAction(TMouseActMode::maPan);
  c.SetRangeLimits(0, -inf, 10, inf);
  c.YProps(1)->SetMinRange(9);
  c.DispatchMouseWheel({}, -120, TPoint{70, 46});  // x -0.5..12 asked
  EXPECT_DOUBLE_EQ(c.XLow(), 0);
  EXPECT_DOUBLE_EQ(c.XHigh(), 10);
  c.Ranges(1, 0, 10, 0, 10);
  c.DispatchMouseWheel({}, 120, TPoint{70, 46});  // y 8 wide asked
  EXPECT_DOUBLE_EQ(c.XHigh() - c.XLow(), 8);
  EXPECT_DOUBLE_EQ(c.YLow(), 0);
  EXPECT_DOUBLE_EQ(c.YHigh(), 10);
  EXPECT_EQ(c.MouseAction(), TMouseActMode::maPan);
}

TEST(Navigation, KeysPanAndZoom) {
  struct Case {
    uint16_t key;
    TShiftState shift;
    double x0, x1, y0, y1;            // the ranges before (a logarithmic x when x0 is 1)
    double xLo, xHi, yLo, yHi;        // and after
  };
  const Case cases[] = {
      {VK_LEFT, {}, 0, 10, 0, 10, -1, 9, 0, 10},
      {VK_RIGHT, {}, 0, 10, 0, 10, 1, 11, 0, 10},
      {VK_UP, {}, 0, 10, 0, 10, 0, 10, 1, 11},
      {VK_DOWN, {}, 0, 10, 0, 10, 0, 10, -1, 9},
      {VK_UP, {}, 0, 10, 10, 0, 0, 10, 9, -1},  // reversed: what lies above
      {VK_RIGHT, {}, 1, 1000, 0, 10, std::pow(10, 0.3), std::pow(10, 3.3), 0, 10},
      {VK_OEM_PLUS, {ssShift}, 0, 10, 0, 10, 1, 9, 1, 9},
      {VK_ADD, {}, 0, 10, 0, 10, 1, 9, 1, 9},
      {VK_SUBTRACT, {}, 0, 10, 0, 10, -1.25, 11.25, -1.25, 11.25},
      {VK_OEM_MINUS, {ssShift}, 0, 10, 0, 10, -1.25, 11.25, -1.25, 11.25},
      {VK_RIGHT, {ssCtrl}, 0, 10, 0, 10, 0, 10, 0, 10},  // left to the program
      {'A', {}, 0, 10, 0, 10, 0, 10, 0, 10},
  };
  HeadlessScope scope;
  MouseChart c;
  c.SetWheelAndKeyNavigation(true);
  for (const Case& k : cases) {
    c.XProps(1)->SetLogarithmic(false);
    c.Ranges(1, k.x0, k.x1, k.y0, k.y1);
    c.XProps(1)->SetLogarithmic(k.x0 == 1);
    uint16_t key = k.key;
    c.DispatchKeyDown(key, k.shift);
    EXPECT_EQ(key == 0, k.xLo != k.x0 || k.yLo != k.y0) << k.key << " taken when it acted";
    EXPECT_NEAR(c.XLow(), k.xLo, 1e-9) << k.key;
    EXPECT_NEAR(c.XHigh(), k.xHi, 1e-9) << k.key;
    EXPECT_NEAR(c.YLow(), k.yLo, 1e-12) << k.key;
    EXPECT_NEAR(c.YHigh(), k.yHi, 1e-12) << k.key;
  }
  // Off, or taken by OnKeyDown: nothing.
  c.XProps(1)->SetLogarithmic(false);
  c.Ranges(1, 0, 10, 0, 10);
  bool take = true;
  c.OnKeyDown = [&](TObject*, uint16_t& key, TShiftState) { key = take ? 0 : key; };
  uint16_t key = VK_LEFT;
  c.DispatchKeyDown(key, {});
  take = false;
  c.SetWheelAndKeyNavigation(false);
  c.DispatchKeyDown(key = VK_LEFT, {});
  EXPECT_EQ(key, VK_LEFT);
  EXPECT_DOUBLE_EQ(c.XLow(), 0);
}

// A burst of steps of one kind records one state; a step that comes too
// late, of another kind, or after a press starts a new one. Backspace and
// Home step back through them.
TEST(Navigation, BurstsRecordOneStateAndKeysStepBack) {
  HeadlessScope scope;
  MouseChart c;
  c.SetWheelAndKeyNavigation(true);
  int64_t now = 1000;
  c.SetNavigationClock([&] { return now; });
  int zoomPans = 0;
  c.OnZoomPan = [&](TObject*) { ++zoomPans; };
  const auto wheelAt = [&](int64_t t) {
    now = t;
    c.DispatchMouseWheel({}, 120, TPoint{100, 66});
  };
  const auto keyAt = [&](int64_t t, uint16_t key) {
    now = t;
    c.DispatchKeyDown(key, {});
    return key == 0;
  };
  c.ResetZoomHistory();
  const int start = c.ZoomHistoryIndex();
  c.paints = 0;
  for (int64_t t : {1000, 1100, 1399}) wheelAt(t);
  EXPECT_EQ(c.paints, 3);
  EXPECT_EQ(c.ZoomHistoryIndex(), start + 1);
  EXPECT_DOUBLE_EQ(c.ZoomHistory(1, start).XHigh, c.XHigh()) << "the latest ranges";
  const double afterBurst = c.XHigh();
  wheelAt(1699);  // 300 ms later
  c.Press(60, 60);
  c.Release(60, 60);
  wheelAt(1710);
  EXPECT_TRUE(keyAt(1720, VK_LEFT));
  EXPECT_TRUE(keyAt(1730, VK_LEFT));
  EXPECT_EQ(c.ZoomHistoryIndex(), start + 4);
  zoomPans = 0;
  EXPECT_TRUE(keyAt(1740, VK_BACK));
  EXPECT_TRUE(keyAt(1750, VK_BACK));
  EXPECT_TRUE(keyAt(1760, VK_BACK));
  EXPECT_DOUBLE_EQ(c.XHigh(), afterBurst);
  EXPECT_TRUE(keyAt(1770, VK_HOME));
  EXPECT_DOUBLE_EQ(c.XHigh(), 10);
  EXPECT_FALSE(keyAt(1780, VK_BACK)) << "nothing further back";
  EXPECT_EQ(zoomPans, 4);
  EXPECT_TRUE(c.ZoomForward());
  EXPECT_DOUBLE_EQ(c.XHigh(), afterBurst);
}

TEST(Navigation, WrittenToFormDescriptionsOnlyWhenOn) {
  HeadlessScope scope;
  MouseChart c;
  const TPropInfo* p = TPlotwell::ClassInfo().FindProperty("WheelAndKeyNavigation");
  ASSERT_NE(p, nullptr);
  EXPECT_TRUE(p->IsDefault(c));
  c.SetWheelAndKeyNavigation(true);
  EXPECT_FALSE(p->IsDefault(c));
  MouseChart copy;
  copy.Assign(c);
  EXPECT_TRUE(copy.WheelAndKeyNavigation());
}

}  // namespace
}  // namespace korvo::test
