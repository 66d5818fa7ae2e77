// The chart's mouse handling, split by idea over the files of this folder:
//   MouseTracking.cpp  the move handler, the plot-area test, cursors, enter
//                      and leave, the mouse trace
//   MouseButtons.cpp   the press and release handlers, the box selection
//   PlotActions.cpp    the drag start, pan, zoom drag, crosshair and label
//                      drags
//   Bands.cpp          the rubber band, zoom window and selection rectangle
//   XorOutline.cpp     outlines drawn and erased by inversion
//   ScaleBands.cpp     the scale bands: hit tests, drags, double click
//   ZoomHistory.cpp    reading and stepping the zoom history
//   Navigation.cpp     panning and zooming with the wheel and the keys
//
// Handlers that run user code (events, or the framework's handling that
// fires them) may destroy the chart or change its settings. Every step that
// calls out runs inside a TFrame, checks Destroyed() afterwards and then
// touches nothing; settings are read again after each call.
#pragma once

#include <array>
#include <cstdint>
#include <utility>

#include "chart/CustomPlotwell.h"

namespace korvo {

class TChartMouse {
 public:
  using TState = TCustomPlotwell::TMouseState;
  using TOutline = TCustomPlotwell::TXorOutline;

  // Registers a frame with the chart for the length of a handler.
  class TFrame {
   public:
    explicit TFrame(TCustomPlotwell& chart) : chart_(chart) {
      frame_.Outer = chart.mouse_frames_.Innermost;
      chart.mouse_frames_.Innermost = &frame_;
    }
    ~TFrame() {
      if (!frame_.Destroyed) chart_.mouse_frames_.Innermost = frame_.Outer;
    }
    TFrame(const TFrame&) = delete;
    TFrame& operator=(const TFrame&) = delete;
    bool Destroyed() const { return frame_.Destroyed; }

   private:
    TCustomPlotwell& chart_;
    TCustomPlotwell::TMouseFrame frame_;
  };

  // Painting suspended for a step that may run user code. Leaving the scope
  // puts the old value back directly (no paint; nothing at all when the
  // chart is gone); Finish(true) puts it back through SetPaintSuspended,
  // which paints when it becomes false, Finish(false) directly.
  class TSuspend {
   public:
    TSuspend(TCustomPlotwell& chart, const TFrame& frame)
        : chart_(chart), frame_(frame), saved_(chart.paint_suspended_) {
      chart.paint_suspended_ = true;
    }
    ~TSuspend() {
      if (active_ && !frame_.Destroyed()) chart_.paint_suspended_ = saved_;
    }
    TSuspend(const TSuspend&) = delete;
    TSuspend& operator=(const TSuspend&) = delete;
    void Finish(bool repaint = true) {
      active_ = false;
      if (frame_.Destroyed()) return;
      if (repaint) {
        chart_.SetPaintSuspended(saved_);
      } else {
        chart_.paint_suspended_ = saved_;
      }
    }

   private:
    TCustomPlotwell& chart_;
    const TFrame& frame_;
    bool saved_;
    bool active_ = true;
  };

  // Pushes of the zoom history dropped for a scope that sets ranges.
  class THoldHistory {
   public:
    THoldHistory(TCustomPlotwell& chart, const TFrame& frame)
        : state_(chart.mouse_), frame_(frame), saved_(state_.HistoryHeld) {
      state_.HistoryHeld = true;
    }
    ~THoldHistory() {
      if (!frame_.Destroyed()) state_.HistoryHeld = saved_;
    }
    THoldHistory(const THoldHistory&) = delete;
    THoldHistory& operator=(const THoldHistory&) = delete;

   private:
    TState& state_;
    const TFrame& frame_;
    bool saved_;
  };

  // Fires an event through a copy of the handler, so that a handler that
  // replaces itself or destroys the chart does not pull the function it is
  // running from under it.
  template <class F, class... A>
  static void Fire(const F& event, A&&... args) {
    if (!event) return;
    F handler = event;
    handler(std::forward<A>(args)...);
  }

  static TState& State(TCustomPlotwell& c) { return c.mouse_; }

  // The ranges of all layers, to tell whether a step changed anything.
  struct TRangeSnapshot {
    std::array<double, 4 * TCustomPlotwell::LayerCount> v{};
    explicit TRangeSnapshot(const TCustomPlotwell& c) {
      for (int L = 1; L <= TCustomPlotwell::LayerCount; ++L) {
        const size_t k = size_t(4 * (L - 1));
        v[k] = c.XProps(L)->RangeLow();
        v[k + 1] = c.XProps(L)->RangeHigh();
        v[k + 2] = c.YProps(L)->RangeLow();
        v[k + 3] = c.YProps(L)->RangeHigh();
      }
    }
    bool operator==(const TRangeSnapshot&) const = default;
  };

  // ---- MouseTracking.cpp ----
  // The plot area, both ends included; computed in 64 bits.
  static bool InPlotArea(const TCustomPlotwell& c, int64_t x, int64_t y);
  // Clamps a point into the plot area (to its left or top edge when the
  // plot area has no width or height).
  static void ClampX(const TCustomPlotwell& c, int32_t& x);
  static void ClampY(const TCustomPlotwell& c, int32_t& y);
  // PixelToWorld on `layer`, false when the plot area has no width or no
  // height (a pixel then has no world position).
  static bool PixelToWorld(const TCustomPlotwell& c, int layer, int32_t x, int32_t y, double& wx, double& wy);
  // The cursor at the end of a move.
  static void ShowModeCursor(TCustomPlotwell& c, bool insidePlot);
  static void RecordTrace(TCustomPlotwell& c, int32_t& x, int32_t& y);
  static void EndTraceStroke(TCustomPlotwell& c);

  // ---- MouseButtons.cpp ----
  static void BoxPress(TCustomPlotwell& c, TMouseButton button, int32_t x, int32_t y);
  static void BoxMove(TCustomPlotwell& c, int32_t& x, int32_t& y);
  static void BoxRelease(TCustomPlotwell& c, TMouseButton button, int32_t x, int32_t y);

  // ---- PlotActions.cpp ----
  static void RecordDragStart(TCustomPlotwell& c, int32_t x, int32_t y);
  // The mode step of a move for MouseAction; x and y may be clamped.
  static void ModeMove(TCustomPlotwell& c, TShiftState shift, int32_t& x, int32_t& y, const TFrame& frame);
  static void Pan(TCustomPlotwell& c, TShiftState shift, int32_t x, int32_t y, const TFrame& frame);
  static void ZoomDrag(TCustomPlotwell& c, TShiftState shift, int32_t x, int32_t y, const TFrame& frame);
  static void CrossHairDrag(TCustomPlotwell& c, TShiftState shift, int32_t x, int32_t y, const TFrame& frame);
  static void LabelDrag(TCustomPlotwell& c, TShiftState shift, int32_t x, int32_t y, const TFrame& frame);

  // ---- Bands.cpp ----
  static bool IsBandMode(TMouseActMode mode);
  static void BandPress(TCustomPlotwell& c, TMouseButton button, int32_t x, int32_t y);
  static void BandMove(TCustomPlotwell& c, int32_t& x, int32_t& y);
  // Ends a band whose MouseAction changed under it: outline erased, nothing
  // fired.
  static void CancelStaleBand(TCustomPlotwell& c);
  static void BandRelease(TCustomPlotwell& c, TMouseButton button, const TFrame& frame);

  // ---- XorOutline.cpp ----
  static void DrawOutline(TCustomPlotwell& c, TOutline& o, bool line, int32_t x1, int32_t y1, int32_t x2,
                          int32_t y2);
  static void EraseOutline(TCustomPlotwell& c, TOutline& o);

  // ---- ScaleBands.cpp ----
  // Step 2 of a move: drags on the scale bands. x, y as after the box step.
  static void ScaleBandMove(TCustomPlotwell& c, TShiftState shift, int32_t x, int32_t y, const TFrame& frame);

  // ---- ZoomHistory.cpp ----
  // Whether the latest recorded state holds the present ranges.
  static bool HistoryHoldsPresent(const TCustomPlotwell& c);
  // Records the present ranges as a new state, or over the latest state
  // when `replace` is set.
  static void RecordState(TCustomPlotwell& c, bool replace);

  // ---- Navigation.cpp ----
  // Ends the running burst of wheel or key steps: the next step records a
  // state of its own.
  static void EndBurst(TCustomPlotwell& c) { c.nav_.Burst = TCustomPlotwell::TNavStep::None; }
  using TNavStep = TCustomPlotwell::TNavStep;
  // One step: the axes that move, the point that stays (fractions of the
  // way from RangeLow to RangeHigh), the zoom factor (1: none) and the pan
  // (in widths of the range).
  struct TNavStepSpec {
    TNavStep Kind;
    bool X, Y;
    long double Tx, Ty, F, Sx, Sy;
  };
  static void NavigationStep(TCustomPlotwell& c, const TNavStepSpec& spec, const TFrame& frame);
  static bool WheelZoom(TCustomPlotwell& c, TShiftState shift, int delta, TPoint pos, const TFrame& frame);
  // Acts on a key for navigation and sets it to 0 when it did; true when
  // that was a step (which keeps its burst).
  static bool NavigationKey(TCustomPlotwell& c, uint16_t& key, TShiftState shift, const TFrame& frame);
};

}  // namespace korvo
