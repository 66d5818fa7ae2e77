// Helpers of the chart tests: a chart that counts its paints, a fresh
// headless window system per test, and access to the chart's protected
// lifecycle steps.
#pragma once

#include "chart/plotwell.h"
#include "platform/framework/Headless.h"
#include "platform/framework/WindowSystem.h"

namespace korvo::test {

// A chart that counts its paints. With `window` it gets its window at once
// (CreateWnd lifts PaintSuspended), so that it paints; the count starts at 0
// afterwards.
class CountingChart : public TPlotwell {
 public:
  explicit CountingChart(bool window = true, TComponent* owner = nullptr) : TPlotwell(owner) {
    if (window) HandleNeeded();
    paints = 0;
  }
  int paints = 0;
  using TPlotwell::Loaded;

 protected:
  void Paint() override { ++paints; }
};

// Installs a fresh headless window system for one test (its message boxes
// are the test's own) and restores the previous one afterwards. Declare it
// before the charts of the test.
class HeadlessScope {
 public:
  HeadlessScope() : previous_(InstallWindowSystem(&ws_)) {}
  ~HeadlessScope() { InstallWindowSystem(previous_ == HeadlessWindowSystem() ? nullptr : previous_); }
  HeadlessScope(const HeadlessScope&) = delete;
  HeadlessScope& operator=(const HeadlessScope&) = delete;
  THeadlessWindowSystem& ws() { return ws_; }

 private:
  THeadlessWindowSystem ws_;
  TWindowSystem* previous_;
};

}  // namespace korvo::test
