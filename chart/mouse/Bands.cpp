// The bands drawn with the mouse: the rubber band (a line, reported by
// OnRubberBand), the zoom windows (maZoomWind, maZoomWindPos) and the
// selection rectangle (OnSelectRect). A left press inside the plot area
// fixes the first corner; moves drag the other, clamped into the plot area;
// the release converts both corners on every layer in use.
#include <algorithm>
#include <cstdint>
#include <optional>

#include "chart/mouse/ChartMouse.h"

namespace korvo {
namespace {

using enum TMouseActMode;

// Orders a pair of world coordinates to follow its axis: ascending on an
// axis whose RangeLow < RangeHigh, descending on a reversed one.
void FollowAxis(const TScaleProps& axis, double& a, double& b) {
  const double lo = axis.RangeLow(), hi = axis.RangeHigh();
  if ((lo < hi && b < a) || (lo > hi && b > a)) std::swap(a, b);
}

}  // namespace

bool TChartMouse::IsBandMode(TMouseActMode mode) {
  return mode == maRubberBand || mode == maZoomWind || mode == maZoomWindPos || mode == maSelectRect;
}

void TChartMouse::BandPress(TCustomPlotwell& c, TMouseButton button, int32_t x, int32_t y) {
  TState& m = c.mouse_;
  if (!IsBandMode(c.MouseAction()) || m.BandActive || button != TMouseButton::mbLeft) return;
  if (!InPlotArea(c, x, y)) return;
  m.BandActive = true;
  m.BandMode = c.MouseAction();
  m.BandX1 = m.BandX2 = x;
  m.BandY1 = m.BandY2 = y;
  m.BandOutline = TOutline{};
}

// The zoom windows stay square while Isometric is set: the moving corner's
// y is put as far from the start as its x, on the side the pointer is.
void TChartMouse::BandMove(TCustomPlotwell& c, int32_t& x, int32_t& y) {
  TState& m = c.mouse_;
  if (!m.BandActive) return;
  const TMouseActMode mode = c.MouseAction();
  ClampX(c, x);
  if (c.Isometric() && (mode == maZoomWind || mode == maZoomWindPos)) {
    const int64_t dx = int64_t(x) - m.BandX1, dy = int64_t(y) - m.BandY1;
    const bool sameSide = (dx > 0 && dy > 0) || (dx < 0 && dy < 0);  // dy * dx > 0, without the product
    const int64_t sy = sameSide ? m.BandY1 + dx : m.BandY1 - dx;
    y = int32_t(std::max<int64_t>(INT32_MIN, std::min<int64_t>(sy, INT32_MAX)));
  }
  ClampY(c, y);
  EraseOutline(c, m.BandOutline);
  DrawOutline(c, m.BandOutline, mode == maRubberBand, m.BandX1, m.BandY1, x, y);
  m.BandX2 = x;
  m.BandY2 = y;
}

void TChartMouse::CancelStaleBand(TCustomPlotwell& c) {
  TState& m = c.mouse_;
  if (!m.BandActive || c.MouseAction() == m.BandMode) return;
  EraseOutline(c, m.BandOutline);
  m.BandActive = false;
}

// Any release ends the band and takes its outline away. Only the left
// button acts, and only on a band with both width and height: then every
// layer in use gets its corners in world units, ordered along the axes for
// maZoomWindPos and maSelectRect, and is reported or zoomed; OnZoomPan
// follows, and the chart repaints once. A zoom window records one
// zoom-history state, when it changed a range.
void TChartMouse::BandRelease(TCustomPlotwell& c, TMouseButton button, const TFrame& frame) {
  TState& m = c.mouse_;
  if (!m.BandActive) return;
  m.BandActive = false;
  EraseOutline(c, m.BandOutline);
  const TMouseActMode mode = m.BandMode;
  if (mode != c.MouseAction()) return;  // the mode changed under the band
  if (button != TMouseButton::mbLeft) return;
  if (m.BandX1 == m.BandX2 || m.BandY1 == m.BandY2) return;
  const int32_t x1p = m.BandX1, y1p = m.BandY1, x2p = m.BandX2, y2p = m.BandY2;
  const bool zoom = mode == maZoomWind || mode == maZoomWindPos;
  const TRangeSnapshot before(c);

  TSuspend suspended(c, frame);
  {
    // Joined layers record their own states as they follow; the window
    // records one for all.
    std::optional<THoldHistory> held;
    if (zoom) held.emplace(c, frame);
    for (int L = 1; L <= TCustomPlotwell::LayerCount; ++L) {
      if (!c.LayerInUse(L)) continue;
      double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
      if (!PixelToWorld(c, L, x1p, y1p, x1, y1) || !PixelToWorld(c, L, x2p, y2p, x2, y2)) break;
      if (mode == maZoomWindPos || mode == maSelectRect) {
        FollowAxis(*c.XProps(L), x1, x2);
        FollowAxis(*c.YProps(L), y1, y2);
      }
      if (mode == maRubberBand) {
        Fire(c.OnRubberBand, &c, L, x1, y1, x2, y2);
      } else if (mode == maSelectRect) {
        Fire(c.OnSelectRect, &c, L, x1, y1, x2, y2);
      } else {
        c.SetLayerRange(L, true, x1, y1, x2, y2, false);
      }
      if (frame.Destroyed()) return;
    }
  }
  if (zoom && !(TRangeSnapshot(c) == before)) c.PushZoomHistory();
  Fire(c.OnZoomPan, &c);
  if (frame.Destroyed()) return;
  suspended.Finish();
}

}  // namespace korvo
