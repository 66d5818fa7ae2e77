// Panning and zooming with the wheel and the keys (WheelAndKeyNavigation).
#include <cmath>
#include <limits>

#include "chart/mouse/mouse_fixture.h"
#include "platform/framework/Properties.h"

namespace korvo::test {
namespace {

using enum TShiftFlag;

// The width of an axis in its own measure (in the logarithm on a logarithmic one).
double Width(const TScaleProps& p) {
  return p.Logarithmic() ? std::log(p.RangeHigh() / p.RangeLow()) : p.RangeHigh() - p.RangeLow();
}

// Every turn keeps the world point under the pointer at its pixel and
// divides the width of each zoomed axis by 1.25 per notch, with one repaint
// and one OnZoomPan.
TEST(Navigation, WheelZoomsAroundThePointer) {
  struct Case {
    TShiftState shift;
    int delta, x, y;
    bool logX, reversedY, isometric, zoomsX, zoomsY;
  };
  const Case cases[] = {
      {{}, 120, 70, 46, false, false, false, true, true},          {{}, -240, 133, 100, false, false, false, true, true},
      {{ssCtrl}, 120, 70, 46, false, false, false, true, false},   {{ssShift}, -120, 70, 46, false, false, false, false, true},
      {{ssCtrl, ssShift}, 120, 70, 46, false, false, false, true, true},
      {{ssCtrl}, 120, 70, 46, false, false, true, true, true},     {{}, 60, 90, 30, true, true, false, true, true},
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
    int32_t px = 0, py = 0;
    c.PixelToWorld(1, k.x, k.y, wx, wy);
    const double w0 = Width(*c.XProps(1)), h0 = Width(*c.YProps(1)), f = std::pow(1.25, k.delta / 120.0);
    c.paints = 0;
    EXPECT_TRUE(c.DispatchMouseWheel(k.shift, k.delta, TPoint{k.x, k.y}));
    c.WorldToPixel(1, wx, wy, px, py);
    EXPECT_EQ(px, k.x) << k.delta << " " << k.x;
    EXPECT_EQ(py, k.y) << k.delta << " " << k.x;
    EXPECT_NEAR(w0 / Width(*c.XProps(1)), k.zoomsX ? f : 1, 1e-12);
    EXPECT_NEAR(h0 / Width(*c.YProps(1)), k.zoomsY ? f : 1, 1e-12);
    EXPECT_EQ(c.paints + zoomPans, 2);
  }
}

// Off (the default), over the margins, with a button held or when the
// program handles the turn: nothing but the framework's events. A zoom is
// cut at the range limits even while MouseAction pans, and MinRange holds.
TEST(Navigation, WheelKeepsLimitsAndLeavesAloneWhatItShould) {
  HeadlessScope scope;
  MouseChart c;
  int wheels = 0;
  c.OnMouseWheel = [&](TObject*, TShiftState, int, const TPoint&, bool& handled) { handled = ++wheels == 4; };
  uint16_t key = VK_LEFT;
  c.DispatchKeyDown(key, {});
  EXPECT_FALSE(c.DispatchMouseWheel({}, 120, TPoint{70, 46}) || c.Focusable() || key != VK_LEFT);
  c.SetWheelAndKeyNavigation(true);
  EXPECT_FALSE(c.DispatchMouseWheel({}, 120, TPoint{30, 46}));
  c.Press(70, 46);
  c.DispatchMouseWheel({}, 120, TPoint{70, 46});
  c.Release(70, 46);
  c.DispatchMouseWheel({}, 120, TPoint{70, 46});
  EXPECT_EQ(wheels, 4);
  EXPECT_DOUBLE_EQ(c.XHigh() - c.XLow() + c.YHigh() - c.YLow(), 20);

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
  EXPECT_DOUBLE_EQ(c.YHigh() - c.YLow(), 10);
}

TEST(Navigation, KeysPanAndZoom) {
  struct Case {
    uint16_t key;
    TShiftState shift;
    double x0, x1, y0, y1;      // the ranges before (a logarithmic x from 1)
    double xLo, xHi, yLo, yHi;  // and after
  };
  const Case cases[] = {
      {VK_LEFT, {}, 0, 10, 0, 10, -1, 9, 0, 10},
      {VK_RIGHT, {}, 0, 10, 0, 10, 1, 11, 0, 10},
      {VK_DOWN, {}, 0, 10, 0, 10, 0, 10, -1, 9},
      {VK_UP, {}, 0, 10, 10, 0, 0, 10, 9, -1},  // reversed: what lies above
      {VK_RIGHT, {}, 1, 1000, 0, 10, std::pow(10, 0.3), std::pow(10, 3.3), 0, 10},
      {VK_OEM_PLUS, {ssShift}, 0, 10, 0, 10, 1, 9, 1, 9},
      {VK_SUBTRACT, {}, 0, 10, 0, 10, -1.25, 11.25, -1.25, 11.25},
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
    EXPECT_EQ(key == 0, k.xLo != k.x0 || k.yLo != k.y0) << k.key << " taken when it acts";
    EXPECT_NEAR(c.XLow(), k.xLo, 1e-9) << k.key;
    EXPECT_NEAR(c.XHigh(), k.xHi, 1e-9) << k.key;
    EXPECT_NEAR(c.YLow(), k.yLo, 1e-12) << k.key;
    EXPECT_NEAR(c.YHigh(), k.yHi, 1e-12) << k.key;
  }
}

// A burst of steps of one kind records one state; a step that comes too
// late, of another kind, or after a press starts a new one. Backspace and
// Home step back through them and fire OnZoomPan.
TEST(Navigation, BurstsRecordOneStateAndKeysStepBack) {
  HeadlessScope scope;
  MouseChart c;
  c.SetWheelAndKeyNavigation(true);
  int64_t now = 0;
  c.SetNavigationClock([&] { return now; });
  int zoomPans = 0;
  c.OnZoomPan = [&](TObject*) { ++zoomPans; };
  const auto at = [&](int64_t t, uint16_t key) {  // 0: a wheel turn
    now = t;
    if (key == 0) return c.DispatchMouseWheel({}, 120, TPoint{100, 66});
    c.DispatchKeyDown(key, {});
    return key == 0;
  };
  c.ResetZoomHistory();
  const int start = c.ZoomHistoryIndex();
  for (int64_t t : {1000, 1100, 1399}) at(t, 0);
  EXPECT_EQ(c.ZoomHistoryIndex(), start + 1);
  EXPECT_DOUBLE_EQ(c.ZoomHistory(1, start).XHigh, c.XHigh()) << "the latest ranges";
  const double burst = c.XHigh();
  at(1699, 0);  // 300 ms later
  c.Drag({{60, 60}});
  at(1710, 0);
  at(1720, VK_LEFT);
  at(1730, VK_LEFT);
  EXPECT_EQ(c.ZoomHistoryIndex(), start + 4);
  zoomPans = 0;
  for (int64_t t : {1740, 1750, 1760}) EXPECT_TRUE(at(t, VK_BACK));
  EXPECT_DOUBLE_EQ(c.XHigh(), burst);
  EXPECT_TRUE(at(1770, VK_HOME));
  EXPECT_DOUBLE_EQ(c.XHigh(), 10);
  EXPECT_FALSE(at(1780, VK_BACK)) << "nothing further back";
  EXPECT_EQ(zoomPans, 4);
  EXPECT_TRUE(c.ZoomForward());
  EXPECT_DOUBLE_EQ(c.XHigh(), burst);
}

TEST(Navigation, WrittenToFormDescriptionsOnlyWhenOnAndCopied) {
  HeadlessScope scope;
  MouseChart c, copy;
  const TPropInfo* p = TPlotwell::ClassInfo().FindProperty("WheelAndKeyNavigation");
  EXPECT_TRUE(p->IsDefault(c));
  c.SetWheelAndKeyNavigation(true);
  EXPECT_FALSE(p->IsDefault(c));
  copy.Assign(c);
  EXPECT_TRUE(copy.WheelAndKeyNavigation());
}

}  // namespace
}  // namespace korvo::test
