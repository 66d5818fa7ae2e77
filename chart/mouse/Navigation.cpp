// Panning and zooming with the mouse wheel and the keyboard, while
// WheelAndKeyNavigation is on. A step moves every layer in use the way a
// mouse drag does: through SetLayerRange with the range limits, painting
// suspended until all layers are set, then one repaint and OnZoomPan.
//
// One step, on an axis with bounds a..b (their logarithms on a logarithmic
// axis) and the point u a fraction t of the way from a to b: zooming by f
// gives u + (a - u) / f .. u + (b - u) / f, so u keeps its pixel; panning by
// s gives a + s (b - a) .. b + s (b - a), the content moving s of the plot
// towards a on the screen, whichever way the axis runs.
#include <chrono>
#include <cmath>
#include <functional>

#include "chart/mouse/ChartMouse.h"

namespace korvo {
namespace {

using enum TMouseActMode;
using TNavStep = TChartMouse::TNavStep;
using TNavStepSpec = TChartMouse::TNavStepSpec;

constexpr long double PanFraction = 0.1L;

int64_t Now(const std::function<int64_t()>& clock) {
  if (clock) return clock();
  return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

// ApplyLayerRange reads MouseAction to tell a pan, whose range keeps its
// width at a limit, from any other action, whose range is cut there. A step
// acts as the mouse's pan or zoom drag for its SetLayerRange calls,
// whatever the mouse is set to.
class TActAs {
 public:
  TActAs(TMouseActMode& action, TMouseActMode as) : action_(action), saved_(action) { action_ = as; }
  ~TActAs() { action_ = saved_; }
  TActAs(const TActAs&) = delete;
  TActAs& operator=(const TActAs&) = delete;

 private:
  TMouseActMode& action_;
  TMouseActMode saved_;
};

// One axis's range after the step (see the top of the file); lo and hi
// are left alone on a logarithmic axis whose range is not positive.
void Step(const TScaleProps& p, long double t, long double f, long double s, long double& lo, long double& hi) {
  long double a = p.RangeLow(), b = p.RangeHigh();
  const bool logarithmic = p.Logarithmic();
  if (logarithmic) {
    if (!(a > 0 && b > 0)) return;
    a = std::log(a);
    b = std::log(b);
  }
  const long double span = b - a, u = a + t * span;
  long double na = u + (a - u) / f + s * span;
  long double nb = u + (b - u) / f + s * span;
  if (logarithmic) {
    na = std::exp(na);
    nb = std::exp(nb);
  }
  lo = na;
  hi = nb;
}

}  // namespace

// Whether the step continues the running burst is decided before it moves
// anything: the same kind, soon enough, and the latest recorded state still
// the burst's own and the present ranges.
void TChartMouse::NavigationStep(TCustomPlotwell& c, const TNavStepSpec& spec, const TFrame& frame) {
  auto& nav = c.nav_;
  const int64_t now = Now(nav.Clock);
  const bool continues = nav.Burst == spec.Kind && now >= nav.BurstTime &&
                         now - nav.BurstTime < TCustomPlotwell::NavigationBurstMs &&
                         c.ZoomHistoryIndex() == nav.BurstIndex && HistoryHoldsPresent(c);
  const TRangeSnapshot before(c);
  const bool pan = spec.F == 1;  // a step without a zoom
  TSuspend suspended(c, frame);
  {
    THoldHistory held(c, frame);
    TActAs as(c.mouse_action_, pan ? maPan : maZoomDrag);
    const bool width = c.PlotWidth() > 0, height = c.PlotHeight() > 0;
    for (int L = 1; L <= TCustomPlotwell::LayerCount; ++L) {
      if (!c.LayerInUse(L)) continue;
      const TScaleProps& xp = *c.XProps(L);
      const TScaleProps& yp = *c.YProps(L);
      long double xLo = xp.RangeLow(), xHi = xp.RangeHigh(), yLo = yp.RangeLow(), yHi = yp.RangeHigh();
      if (spec.X && width) Step(xp, spec.Tx, spec.F, spec.Sx, xLo, xHi);
      if (spec.Y && height) Step(yp, spec.Ty, spec.F, spec.Sy, yLo, yHi);
      c.SetLayerRange(L, false, xLo, yLo, xHi, yHi, true);
    }
  }
  if (!(TRangeSnapshot(c) == before)) {
    RecordState(c, continues);
    nav.Burst = spec.Kind;
    nav.BurstTime = now;
    nav.BurstIndex = c.ZoomHistoryIndex();
  } else if (continues) {
    nav.BurstTime = now;  // held at a limit: the burst goes on
  } else {
    nav.Burst = TNavStep::None;
  }
  suspended.Finish();
  Fire(c.OnZoomPan, &c);
}

void TCustomPlotwell::SetWheelAndKeyNavigation(bool value) {
  nav_.Burst = TNavStep::None;
  if (value == nav_.Enabled) return;
  nav_.Enabled = value;
  FocusableChanged();
}

bool TCustomPlotwell::Focusable() const { return TCustomControl::Focusable() || nav_.Enabled; }

// The framework's handling comes first (OnMouseWheel, then OnMouseWheelUp
// or Down); a handler that sets Handled keeps the turn from the chart.
bool TCustomPlotwell::DoMouseWheel(TShiftState shift, int wheelDelta, TPoint mousePos) {
  TChartMouse::TFrame frame(*this);
  const bool handled = TCustomControl::DoMouseWheel(shift, wheelDelta, mousePos);
  if (frame.Destroyed() || handled || !nav_.Enabled) return handled;
  return TChartMouse::WheelZoom(*this, shift, wheelDelta, mousePos, frame);
}

bool TChartMouse::WheelZoom(TCustomPlotwell& c, TShiftState shift, int delta, TPoint pos, const TFrame& frame) {
  const TState& m = c.mouse_;
  if (delta == 0 || m.ButtonsDown != 0 || m.BandActive || !InPlotArea(c, pos.X, pos.Y)) return false;
  const bool ctrl = shift.Contains(TShiftFlag::ssCtrl), shiftKey = shift.Contains(TShiftFlag::ssShift);
  const bool both = c.Isometric() || ctrl == shiftKey;
  const long double W = c.PlotWidth(), H = c.PlotHeight();
  TNavStepSpec spec{TNavStep::Wheel, both || ctrl, both || shiftKey, 0, 0, 1, 0, 0};
  if (W > 0) spec.Tx = (pos.X - static_cast<long double>(c.MarginLeft())) / W;
  if (H > 0) spec.Ty = (c.MarginTop() + H - pos.Y) / H;
  spec.F = std::pow(TCustomPlotwell::WheelZoomFactor, delta / 120.0L);
  NavigationStep(c, spec, frame);
  return true;
}

// The framework fires OnKeyDown first; a key it leaves non-zero may act.
// Any key but Shift, Ctrl and Alt ends the running burst, unless it is a
// step that continues it.
void TCustomPlotwell::KeyDown(uint16_t& key, TShiftState shift) {
  TChartMouse::TFrame frame(*this);
  const uint16_t pressed = key;
  TCustomControl::KeyDown(key, shift);
  if (frame.Destroyed()) return;
  const bool stepped = nav_.Enabled && key != 0 && TChartMouse::NavigationKey(*this, key, shift, frame);
  if (frame.Destroyed()) return;
  if (!stepped && pressed != VK_SHIFT && pressed != VK_CONTROL && pressed != VK_MENU) TChartMouse::EndBurst(*this);
}

bool TChartMouse::NavigationKey(TCustomPlotwell& c, uint16_t& key, TShiftState shift, const TFrame& frame) {
  if (shift.Contains(TShiftFlag::ssCtrl) || shift.Contains(TShiftFlag::ssAlt)) return false;
  TNavStepSpec spec{TNavStep::None, true, true, 0.5L, 0.5L, 1, 0, 0};
  switch (key) {
    case VK_LEFT: spec = {TNavStep::PanLeft, true, false, 0, 0, 1, -PanFraction, 0}; break;
    case VK_RIGHT: spec = {TNavStep::PanRight, true, false, 0, 0, 1, PanFraction, 0}; break;
    case VK_UP: spec = {TNavStep::PanUp, false, true, 0, 0, 1, 0, PanFraction}; break;
    case VK_DOWN: spec = {TNavStep::PanDown, false, true, 0, 0, 1, 0, -PanFraction}; break;
    case VK_ADD:
    case VK_OEM_PLUS:
      spec.Kind = TNavStep::ZoomIn;
      spec.F = TCustomPlotwell::WheelZoomFactor;
      break;
    case VK_SUBTRACT:
    case VK_OEM_MINUS:
      spec.Kind = TNavStep::ZoomOut;
      spec.F = 1 / TCustomPlotwell::WheelZoomFactor;
      break;
    case VK_BACK:
    case VK_HOME:
      if (key == VK_BACK ? c.ZoomBack() : c.ZoomHome()) {
        key = 0;
        Fire(c.OnZoomPan, &c);
      }
      return false;
    default: return false;
  }
  key = 0;
  NavigationStep(c, spec, frame);
  return true;
}

}  // namespace korvo
