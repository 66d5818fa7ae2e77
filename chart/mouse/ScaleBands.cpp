// The scale bands: the strips beside the plot area where a layer's scales
// stand, ScalePos pixels out from the plot edge and running outwards. A
// drag there with the left button pans or zooms that axis by the
// MouseAction of its scale property object (the scale's own arithmetic,
// ComputeZoomPan); a double click switches that action between maPan and
// maZoom. All sums are taken in 64 bits, so no margin or position can
// overflow them.
#include "chart/mouse/ChartMouse.h"
#include "scale/ZoomPan.h"

namespace korvo {
namespace {

constexpr int64_t VertDepth = 50;   // a y scale's band, in pixels
constexpr int64_t HorizDepth = 40;  // an x scale's band, for ScaleAtPos

// Orientation ordinals of the scale property objects: 0 above the plot
// area, 1 below, 2 right of it, 3 left of it.
bool VertBandHas(const TCustomPlotwell& c, const TScaleProps& p, int64_t x, int64_t depth) {
  const int64_t pos = p.ScalePos();
  if (p.Orientation() == TScaleType::sctYL) {
    const int64_t edge = int64_t(c.Width()) + pos - c.MarginRight();
    return edge < x && x < edge + depth;
  }
  if (p.Orientation() == TScaleType::sctYR) {
    const int64_t edge = int64_t(c.MarginLeft()) - pos;
    return edge - depth < x && x < edge;
  }
  return false;
}

bool HorizBandHas(const TCustomPlotwell& c, const TScaleProps& p, int64_t y, int64_t depth) {
  const int64_t pos = p.ScalePos();
  if (p.Orientation() == TScaleType::sctXT) {
    const int64_t edge = int64_t(c.Height()) + pos - c.MarginBottom();
    return edge < y && y < edge + depth;
  }
  if (p.Orientation() == TScaleType::sctXB) {
    const int64_t edge = int64_t(c.MarginTop()) - pos;
    return edge - depth < y && y < edge;
  }
  return false;
}

bool BetweenTopAndBottom(const TCustomPlotwell& c, int64_t y) {
  return c.MarginTop() < y && y < int64_t(c.Height()) - c.MarginBottom();
}

bool BetweenLeftAndRight(const TCustomPlotwell& c, int64_t x) {
  return c.MarginLeft() < x && x < int64_t(c.Width()) - c.MarginRight();
}

}  // namespace

int TCustomPlotwell::ScaleAtPos(int32_t x, int32_t y) const {
  for (int L = 1; L <= LayerCount; ++L) {
    const TScaleProps& p = *YProps(L);
    if (p.Visible() && BetweenTopAndBottom(*this, y) && VertBandHas(*this, p, x, VertDepth)) return L;
  }
  for (int L = 1; L <= LayerCount; ++L) {
    const TScaleProps& p = *XProps(L);
    if (p.Visible() && BetweenLeftAndRight(*this, x) && HorizBandHas(*this, p, y, HorizDepth)) return -L;
  }
  return 0;
}

bool TCustomPlotwell::InVertScaleBand(int layer, int32_t x) const {
  return VertBandHas(*this, *YProps(layer), x, VertDepth);
}

// The drag test of an x band is 50 pixels deep, deeper than ScaleAtPos's.
bool TCustomPlotwell::InHorizScaleBand(int layer, int32_t y) const {
  return HorizBandHas(*this, *XProps(layer), y, VertDepth);
}

// A band drag starts on the first move with the left button over a visible
// scale (every layer's start recorded); later moves hand each axis whose
// scale has a MouseAction, while the pointer is in its band and no band of
// the plot area is being drawn, to ComputeZoomPan with that axis's start.
// The changed layers repaint once, then OnZoomPan fires.
void TChartMouse::ScaleBandMove(TCustomPlotwell& c, TShiftState shift, int32_t x, int32_t y, const TFrame& frame) {
  TState& m = c.mouse_;
  if (!shift.Contains(TShiftFlag::ssLeft)) {
    m.DragStarted = false;
    return;
  }
  if (!m.DragStarted) {
    if (c.ScaleAtPos(x, y) != 0) {
      RecordDragStart(c, x, y);
      m.DragStarted = true;
    }
    return;
  }
  if (m.BandActive) return;
  const auto input = [&](const TScaleProps& p, size_t i, double savedLow, double savedHigh) {
    TZoomPanInput in;
    in.X = x;
    in.Y = y;
    in.StartX = m.DragStartX[i];
    in.StartY = m.DragStartY[i];
    in.RangeLow = p.RangeLow();
    in.RangeHigh = p.RangeHigh();
    in.SavedLow = savedLow;
    in.SavedHigh = savedHigh;
    in.Logarithmic = p.Logarithmic();
    in.ScaleType = p.Orientation();
    in.MouseAction = p.MouseAction();
    in.MarginLeft = c.MarginLeft();
    in.MarginRight = c.MarginRight();
    in.MarginTop = c.MarginTop();
    in.MarginBottom = c.MarginBottom();
    in.Width = c.Width();
    in.Height = c.Height();
    return in;
  };
  bool changed = false;
  TSuspend suspended(c, frame);
  {
    THoldHistory held(c, frame);
    for (int L = 1; L <= TCustomPlotwell::LayerCount; ++L) {
      const size_t i = size_t(L - 1);
      const TScaleProps& xp = *c.x_props_[i];
      const TScaleProps& yp = *c.y_props_[i];
      double lo = 0, hi = 0;
      if (xp.MouseAction() != TMouseActMode::maNone && c.InHorizScaleBand(L, y) && BetweenLeftAndRight(c, x) &&
          ComputeZoomPan(input(xp, i, m.DragStartLoX[i], m.DragStartHiX[i]), &lo, &hi)) {
        c.SetLayerRange(L, false, lo, yp.RangeLow(), hi, yp.RangeHigh(), true);
        changed = true;
      }
      if (yp.MouseAction() != TMouseActMode::maNone && c.InVertScaleBand(L, x) && BetweenTopAndBottom(c, y) &&
          ComputeZoomPan(input(yp, i, m.DragStartLoY[i], m.DragStartHiY[i]), &lo, &hi)) {
        c.SetLayerRange(L, false, xp.RangeLow(), lo, xp.RangeHigh(), hi, true);
        changed = true;
      }
    }
  }
  suspended.Finish(changed);
  if (changed) Fire(c.OnZoomPan, &c);
}

// The double click takes the scale under the latest mouse position; the
// press the framework reports with it, or else the next release, is
// swallowed.
void TCustomPlotwell::DblClick() {
  mouse_.SkipNextButtonEvent = true;
  const int L = ScaleAtPos(mouse_.LastMouseX, mouse_.LastMouseY);
  if (L != 0) {
    TScaleProps& p = L < 0 ? static_cast<TScaleProps&>(*XProps(-L)) : *YProps(L);
    if (p.MouseAction() == TMouseActMode::maPan) {
      p.SetMouseAction(TMouseActMode::maZoom);
    } else if (p.MouseAction() == TMouseActMode::maZoom) {
      p.SetMouseAction(TMouseActMode::maPan);
    }
  }
  TCustomControl::DblClick();
}

}  // namespace korvo
