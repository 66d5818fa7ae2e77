// The chart the mouse tests drive: 160 x 148 pixels with margins 50, 10, 16,
// 32 (left, right, top, bottom), so the plot area runs from column 50 to
// 150 and row 16 to 116 (W = H = 100), and layer 1 spans x and y 0..10:
// world (x, y) is control pixel (50 + 10x, 116 - 10y). It has its window,
// so it paints (each paint counted); input goes through the framework's
// dispatch.
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <utility>

#include "chart/chart_test_support.h"
#include "chart/plotwell.h"
#include "platform/framework/Application.h"
#include "support/TestSupport.h"

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

  void Move(int x, int y, bool left = true) {
    DispatchMouseMove(left ? TShiftState{TShiftFlag::ssLeft} : TShiftState{}, x, y);
  }
  void Press(int x, int y, TMouseButton b = TMouseButton::mbLeft) {
    const TShiftFlag f = b == TMouseButton::mbLeft    ? TShiftFlag::ssLeft
                         : b == TMouseButton::mbRight ? TShiftFlag::ssRight
                                                      : TShiftFlag::ssMiddle;
    DispatchMouseDown(b, TShiftState{f}, x, y);
  }
  void Release(int x, int y, TMouseButton b = TMouseButton::mbLeft) { DispatchMouseUp(b, TShiftState{}, x, y); }
  // Left press at the first point, held moves through every point (the
  // first move records a drag's start), release at the last.
  void Drag(std::initializer_list<std::pair<int, int>> points) {
    Press(points.begin()->first, points.begin()->second);
    for (const auto& p : points) Move(p.first, p.second);
    Release((points.end() - 1)->first, (points.end() - 1)->second);
  }
  const TBitmap& Shown() const { return *Surface(); }
  TColor At(int x, int y) const { return Surface()->Canvas()->Pixel(x, y); }

  int paints = 0;

 protected:
  void Paint() override {
    ++paints;
    TPlotwell::Paint();
  }
};

inline std::unique_ptr<TBitmap> Snapshot(const TBitmap& b) {
  auto copy = std::make_unique<TBitmap>();
  copy->Assign(b);
  return copy;
}

}  // namespace korvo::test
