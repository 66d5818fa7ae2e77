// The press and release handlers, and the box selection they drive.
#include "chart/mouse/ChartMouse.h"

namespace korvo {
namespace {

uint8_t ButtonBit(TMouseButton button) { return uint8_t(1u << unsigned(button)); }

}  // namespace

// A press after a double click is swallowed whole. The press is still
// noted, so that its release is not taken for one without a press. Presses
// and releases end a burst of wheel or key steps. LastMouseX/Y stay the
// latest move's position: a double click picks its scale band from them.
void TCustomPlotwell::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  TChartMouse::EndBurst(*this);
  mouse_.ButtonsDown |= ButtonBit(button);
  if (mouse_.SkipNextButtonEvent) {
    mouse_.SkipNextButtonEvent = false;
    return;
  }
  TChartMouse::TFrame frame(*this);
  TCustomControl::MouseDown(button, shift, x, y);
  if (frame.Destroyed()) return;
  TChartMouse::BoxPress(*this, button, x, y);
  TChartMouse::BandPress(*this, button, x, y);
}

// The release acts first: the drag ends, the box selection takes its second
// corner, the trace stroke ends, a band fires its events or zooms, and pan
// and zoom drags record the ranges in the zoom history; then the framework
// fires OnMouseUp. A release whose press this chart never saw (pressed
// elsewhere) only ends the drag.
void TCustomPlotwell::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  TChartMouse::EndBurst(*this);
  const bool pressed = (mouse_.ButtonsDown & ButtonBit(button)) != 0;
  mouse_.ButtonsDown &= uint8_t(~ButtonBit(button));
  if (mouse_.SkipNextButtonEvent) {
    mouse_.SkipNextButtonEvent = false;
    return;
  }
  TChartMouse::TFrame frame(*this);
  mouse_.DragStarted = false;
  if (pressed) {
    TChartMouse::BoxRelease(*this, button, x, y);
    if (mouse_action_ == TMouseActMode::maDrawMTrace) TChartMouse::EndTraceStroke(*this);
    TChartMouse::BandRelease(*this, button, frame);
    if (frame.Destroyed()) return;
    using enum TMouseActMode;
    const TMouseActMode ma = mouse_action_;
    if (ma == maPan || ma == maPanHoriz || ma == maPanVert || ma == maPanGrid || ma == maZoomDrag) {
      PushZoomHistory();
    }
  }
  TCustomControl::MouseUp(button, shift, x, y);
}

// ---- box selection -------------------------------------------------------------

void TCustomPlotwell::ArmBoxSelection() {
  TChartMouse::EraseOutline(*this, mouse_.BoxOutline);
  mouse_.BoxState = TBoxSelectState::msFirstCorner;
}

void TCustomPlotwell::CancelBoxSelection() {
  TChartMouse::EraseOutline(*this, mouse_.BoxOutline);
  mouse_.BoxState = TBoxSelectState::msNormal;
}

bool TCustomPlotwell::FinishedBox(int32_t& x1, int32_t& y1, int32_t& x2, int32_t& y2) const {
  if (mouse_.BoxState != TBoxSelectState::msFinished) return false;
  x1 = mouse_.BoxX1;
  y1 = mouse_.BoxY1;
  x2 = mouse_.BoxX2;
  y2 = mouse_.BoxY2;
  return true;
}

void TChartMouse::BoxPress(TCustomPlotwell& c, TMouseButton button, int32_t x, int32_t y) {
  TState& m = c.mouse_;
  if (m.BoxState != TBoxSelectState::msFirstCorner) return;
  if (button == TMouseButton::mbRight) {
    m.BoxState = TBoxSelectState::msNormal;
    return;
  }
  m.BoxX1 = m.BoxX2 = x;
  m.BoxY1 = m.BoxY2 = y;
  m.BoxOutline = TOutline{};
  m.BoxState = TBoxSelectState::msRectDraw;
}

// The moving corner is clamped into the plot area, and the clamped point is
// what the rest of the move works with. The box keeps its moving corner
// apart from the bands' (both may be dragged at once).
void TChartMouse::BoxMove(TCustomPlotwell& c, int32_t& x, int32_t& y) {
  TState& m = c.mouse_;
  if (m.BoxState != TBoxSelectState::msRectDraw) return;
  ClampX(c, x);
  ClampY(c, y);
  EraseOutline(c, m.BoxOutline);
  DrawOutline(c, m.BoxOutline, false, m.BoxX1, m.BoxY1, x, y);
  m.BoxX2 = x;
  m.BoxY2 = y;
}

void TChartMouse::BoxRelease(TCustomPlotwell& c, TMouseButton button, int32_t x, int32_t y) {
  TState& m = c.mouse_;
  if (m.BoxState != TBoxSelectState::msRectDraw) return;
  if (button == TMouseButton::mbRight) {
    m.BoxState = TBoxSelectState::msNormal;
  } else {
    m.BoxX2 = x;
    m.BoxY2 = y;
    m.BoxState = TBoxSelectState::msFinished;
  }
  EraseOutline(c, m.BoxOutline);
}

}  // namespace korvo
