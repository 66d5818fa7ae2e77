// The chart the mouse tests drive: 160 x 148 pixels with margins 50, 10, 16,
// 32 (left, right, top, bottom) and no shadow, so the plot area runs from
// column 50 to 150 and row 16 to 116 (W = H = 100), and layer 1 spans x and
// y 0..10: world (x, y) is control pixel (50 + 10x, 116 - 10y). It has its
// window, so it paints (each paint counted), and input goes through the
// framework's dispatch, as the window system delivers it.
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <utility>

#include "chart/chart_test_support.h"
#include "chart/plotwell.h"
#include "platform/framework/Application.h"

namespace korvo::test {

class MouseChart : public TPlotwell {
 public:
  MouseChart() : TPlotwell(nullptr) {
    SetMarginLeft(50);
    SetMarginRight(10);
    SetMarginTop(16);
    SetMarginBottom(32);
    SetBounds(0, 0, 160, 148);
    Ranges(1, 0, 10, 0, 10);
    HandleNeeded();
    paints = 0;
  }
  void Ranges(int layer, double xlo, double xhi, double ylo, double yhi) {
    ApplyLayerRange(layer, false, xlo, ylo, xhi, yhi, false);
  }
  double XLow(int layer = 1) const { return XProps(layer)->RangeLow(); }
  double XHigh(int layer = 1) const { return XProps(layer)->RangeHigh(); }
  double YLow(int layer = 1) const { return YProps(layer)->RangeLow(); }
  double YHigh(int layer = 1) const { return YProps(layer)->RangeHigh(); }

  // Input as the window system hands it over; `left` adds the held left
  // button to the shift state of a move.
  void Move(int x, int y, bool left = true) {
    TShiftState s;
    if (left) s.Include(TShiftFlag::ssLeft);
    DispatchMouseMove(s, x, y);
  }
  void Press(int x, int y, TMouseButton b = TMouseButton::mbLeft) { DispatchMouseDown(b, Held(b), x, y); }
  void Release(int x, int y, TMouseButton b = TMouseButton::mbLeft) { DispatchMouseUp(b, TShiftState{}, x, y); }
  // Press at the first point, moves through the others, release at the last.
  void Drag(std::initializer_list<std::pair<int, int>> points) {
    const auto* p = points.begin();
    Press(p->first, p->second);
    for (; p != points.end(); ++p) Move(p->first, p->second);
    Release((p - 1)->first, (p - 1)->second);
  }
  // The pixels the control shows.
  const TBitmap& Shown() const { return *Surface(); }

  int paints = 0;
  using TCustomPlotwell::MouseTraceBuffer;

 protected:
  void Paint() override {
    ++paints;
    TPlotwell::Paint();
  }

 private:
  static TShiftState Held(TMouseButton b) {
    switch (b) {
      case TMouseButton::mbLeft: return {TShiftFlag::ssLeft};
      case TMouseButton::mbRight: return {TShiftFlag::ssRight};
      default: return {TShiftFlag::ssMiddle};
    }
  }
};

// A copy of a bitmap, to compare a picture before and after.
inline std::unique_ptr<TBitmap> Snapshot(const TBitmap& b) {
  auto copy = std::make_unique<TBitmap>();
  copy->Assign(b);
  return copy;
}

}  // namespace korvo::test
