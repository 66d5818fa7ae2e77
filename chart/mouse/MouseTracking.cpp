// Mouse tracking: the move handler with its re-entrancy guard, the
// plot-area test, the world position report, the mode cursors, enter and
// leave, and the recording of the mouse trace.
#include <algorithm>
#include <cmath>
#include <limits>

#include "chart/mouse/ChartMouse.h"
#include "platform/framework/Application.h"

namespace korvo {
namespace {

// Clears the guard against nested moves when the handler ends, normally or
// by an exception, unless a handler destroyed the chart.
class TMoveGuard {
 public:
  TMoveGuard(TChartMouse::TState& state, const TChartMouse::TFrame& frame) : state_(state), frame_(frame) {
    state_.InMouseMoveMessage = true;
  }
  ~TMoveGuard() {
    if (!frame_.Destroyed()) state_.InMouseMoveMessage = false;
  }
  TMoveGuard(const TMoveGuard&) = delete;
  TMoveGuard& operator=(const TMoveGuard&) = delete;

 private:
  TChartMouse::TState& state_;
  const TChartMouse::TFrame& frame_;
};

}  // namespace

// The order of one move: the position is stored, the framework fires
// OnMouseMove, then the box selection, the scale bands and the step of
// MouseAction run (they may clamp the point into the plot area), the cursor
// follows the clamped point, and OnMouseMoveInChart reports the world
// position of the unclamped one.
void TCustomPlotwell::MouseMove(TShiftState shift, int x, int y) {
  if (mouse_.InMouseMoveMessage) return;
  TChartMouse::TFrame frame(*this);
  TMoveGuard guard(mouse_, frame);
  mouse_.LastMouseX = x;
  mouse_.LastMouseY = y;
  TCustomControl::MouseMove(shift, x, y);
  if (frame.Destroyed()) return;

  int32_t X = x, Y = y;
  TChartMouse::BoxMove(*this, X, Y);
  TChartMouse::CancelStaleBand(*this);
  TChartMouse::ScaleBandMove(*this, shift, X, Y, frame);
  if (frame.Destroyed()) return;
  TChartMouse::ModeMove(*this, shift, X, Y, frame);
  if (frame.Destroyed()) return;
  TChartMouse::ShowModeCursor(*this, TChartMouse::InPlotArea(*this, X, Y));

  if (OnMouseMoveInChart) {
    // Without a plot area to map through, the pointer has no world position.
    double wx = std::numeric_limits<double>::quiet_NaN(), wy = wx;
    TChartMouse::PixelToWorld(*this, CurrentLayer(), x, y, wx, wy);
    TChartMouse::Fire(OnMouseMoveInChart, this, TChartMouse::InPlotArea(*this, x, y), shift, wx, wy);
  }
}

void TCustomPlotwell::MouseEnter() { TCustomControl::MouseEnter(); }

void TCustomPlotwell::MouseLeave() {
  TChartMouse::TFrame frame(*this);
  TCustomControl::MouseLeave();
  if (frame.Destroyed()) return;
  if (mouse_.CursorShown != crDefault && Screen()->Cursor() == mouse_.CursorShown) Screen()->SetCursor(crDefault);
  mouse_.CursorShown = crDefault;
}

bool TChartMouse::InPlotArea(const TCustomPlotwell& c, int64_t x, int64_t y) {
  const int64_t left = c.margin_left_, top = c.margin_top_;
  return x >= left && x <= left + c.PlotWidth() && y >= top && y <= top + c.PlotHeight();
}

void TChartMouse::ClampX(const TCustomPlotwell& c, int32_t& x) {
  const int64_t left = c.margin_left_, right = left + c.PlotWidth();
  x = int32_t(std::max(left, std::min(int64_t(x), right)));
}

void TChartMouse::ClampY(const TCustomPlotwell& c, int32_t& y) {
  const int64_t top = c.margin_top_, bottom = top + c.PlotHeight();
  y = int32_t(std::max(top, std::min(int64_t(y), bottom)));
}

bool TChartMouse::PixelToWorld(const TCustomPlotwell& c, int layer, int32_t x, int32_t y, double& wx, double& wy) {
  if (c.PlotWidth() <= 0 || c.PlotHeight() <= 0) return false;
  c.PixelToWorld(layer, x, y, wx, wy);
  return true;
}

// Screen cursors 1..4 are the ones construction registers: the hand, the
// zoom window, the zoom drag and the zoom window that keeps the axes'
// direction. Modes the plot area does not react to leave the cursor alone.
void TChartMouse::ShowModeCursor(TCustomPlotwell& c, bool insidePlot) {
  using enum TMouseActMode;
  TCursor cursor = crDefault;
  if (insidePlot && !c.MouseCursorFixed()) {
    switch (c.MouseAction()) {
      case maNone: cursor = crCross; break;
      case maPan:
      case maPanHoriz:
      case maPanVert:
      case maPanGrid: cursor = 1; break;
      case maRubberBand:
      case maDragCrossH:
      case maDragLabel:
      case maSelectRect: cursor = crDefault; break;
      case maZoomWind: cursor = 2; break;
      case maZoomWindPos: cursor = 4; break;
      case maZoomDrag: cursor = 3; break;
      default: return;
    }
  }
  Screen()->SetCursor(cursor);
  c.mouse_.CursorShown = cursor;
}

// A point is recorded while the left button is held and no band is being
// drawn, clamped into the plot area, as a world point of CurrentLayer; the
// segment from the previous point (unless that one ended its stroke) is
// drawn at once onto the control, inverted or copied as MouseTraceInvert
// says, as the paint will draw it.
void TChartMouse::RecordTrace(TCustomPlotwell& c, int32_t& x, int32_t& y) {
  ClampX(c, x);
  ClampY(c, y);
  std::vector<TMouseTracePoint>& trace = c.mouse_trace_;
  if (trace.size() >= size_t(TCustomPlotwell::MouseTraceCapacity)) return;
  const int layer = c.CurrentLayer();
  double wx = 0, wy = 0;
  if (!PixelToWorld(c, layer, x, y, wx, wy)) return;
  // A copied chart's trace may come without the room construction gives.
  if (trace.capacity() < size_t(TCustomPlotwell::MouseTraceCapacity)) {
    trace.reserve(TCustomPlotwell::MouseTraceCapacity);
  }
  const bool invert = c.MouseTraceInvert();
  trace.push_back(TMouseTracePoint{wx, wy, uint16_t(invert ? 2 : 0), c.MouseTraceColor()});
  if (trace.size() < 2) return;
  const TMouseTracePoint& previous = trace[trace.size() - 2];
  if ((previous.Flags & 1u) != 0) return;
  TCanvas* canvas = c.Canvas();
  if (canvas == nullptr) return;
  int32_t px = 0, py = 0;
  c.WorldToPixel(layer, previous.X, previous.Y, px, py);
  TPen& pen = *canvas->Pen();
  pen.SetColor(c.MouseTraceColor());
  pen.SetWidth(1);
  pen.SetStyle(TPenStyle::psSolid);
  pen.SetMode(invert ? TPenMode::pmXor : TPenMode::pmCopy);
  canvas->MoveTo(px, py);
  canvas->LineTo(x, y);
  pen.SetMode(TPenMode::pmCopy);
}

void TChartMouse::EndTraceStroke(TCustomPlotwell& c) {
  if (!c.mouse_trace_.empty()) c.mouse_trace_.back().Flags |= 1u;
}

}  // namespace korvo
