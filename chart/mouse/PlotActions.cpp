// The drag modes of the plot area: pan (both axes, one, or snapped to a
// grid), the zoom drag, and dragging a crosshair or a text label. Each acts
// while the left button is held; a move without it ends the drag. A drag
// that changes ranges sets every layer in use with painting suspended and
// repaints once, then fires OnZoomPan.
#include <cmath>
#include <limits>

#include "chart/mouse/ChartMouse.h"

namespace korvo {
namespace {

using enum TMouseActMode;

bool LeftHeld(TShiftState shift) { return shift.Contains(TShiftFlag::ssLeft); }

// The grid snap of maPanGrid: Int(v / pitch) * pitch + offset, Int
// truncating toward zero; a pitch that is not a positive number snaps
// nothing.
long double Snap(long double v, double pitch, double offset) {
  if (!(pitch > 0) || !std::isfinite(pitch)) return v;
  return std::trunc(v / pitch) * pitch + offset;
}

int32_t ClampToInt32(int64_t v) {
  if (v > std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
  if (v < std::numeric_limits<int32_t>::min()) return std::numeric_limits<int32_t>::min();
  return int32_t(v);
}

}  // namespace

// Every layer is recorded, in use or not, all with the same start pixel.
void TChartMouse::RecordDragStart(TCustomPlotwell& c, int32_t x, int32_t y) {
  TState& m = c.mouse_;
  for (size_t i = 0; i < size_t(TCustomPlotwell::LayerCount); ++i) {
    m.DragStartX[i] = x;
    m.DragStartY[i] = y;
    m.DragStartLoX[i] = c.x_props_[i]->RangeLow();
    m.DragStartHiX[i] = c.x_props_[i]->RangeHigh();
    m.DragStartLoY[i] = c.y_props_[i]->RangeLow();
    m.DragStartHiY[i] = c.y_props_[i]->RangeHigh();
  }
}

void TChartMouse::ModeMove(TCustomPlotwell& c, TShiftState shift, int32_t& x, int32_t& y, const TFrame& frame) {
  switch (c.MouseAction()) {
    case maPan:
    case maPanHoriz:
    case maPanVert:
    case maPanGrid: Pan(c, shift, x, y, frame); break;
    case maZoomDrag: ZoomDrag(c, shift, x, y, frame); break;
    case maRubberBand:
    case maZoomWind:
    case maZoomWindPos:
    case maSelectRect: BandMove(c, x, y); break;
    case maDragCrossH: CrossHairDrag(c, shift, x, y, frame); break;
    case maDragLabel: LabelDrag(c, shift, x, y, frame); break;
    case maDrawMTrace:
      if (LeftHeld(shift) && !c.mouse_.BandActive) RecordTrace(c, x, y);
      break;
    default: break;  // stored and reported, but the plot area does not react
  }
}

// The pan is measured from the first move with the button held. The content
// follows the mouse: on a linear x axis the range moves by (X - sx) pixels'
// worth of the current width, W pixels wide, to the left; a logarithmic one
// is multiplied by (hi / lo)^((sx - X) / W). The y axis likewise, upwards
// for a drag down. An axis without pixels (W or H not positive) or with a
// logarithmic range that is not positive stays where it is.
void TChartMouse::Pan(TCustomPlotwell& c, TShiftState shift, int32_t x, int32_t y, const TFrame& frame) {
  TState& m = c.mouse_;
  if (!LeftHeld(shift)) {
    m.DragStarted = false;
    return;
  }
  if (!m.DragStarted) {
    RecordDragStart(c, x, y);
  } else if (InPlotArea(c, x, y)) {
    const TMouseActMode mode = c.MouseAction();
    const long double W = c.PlotWidth(), H = c.PlotHeight();
    TSuspend suspended(c, frame);
    {
      THoldHistory held(c, frame);
      for (int L = 1; L <= TCustomPlotwell::LayerCount; ++L) {
        if (!c.LayerInUse(L)) continue;
        const size_t i = size_t(L - 1);
        const TScaleProps& xp = *c.x_props_[i];
        const TScaleProps& yp = *c.y_props_[i];
        const long double xLo = xp.RangeLow(), xHi = xp.RangeHigh();
        const long double yLo = yp.RangeLow(), yHi = yp.RangeHigh();
        const long double sLoX = m.DragStartLoX[i], sHiX = m.DragStartHiX[i];
        const long double sLoY = m.DragStartLoY[i], sHiY = m.DragStartHiY[i];
        const long double ddx = int64_t(x) - m.DragStartX[i], ddy = int64_t(y) - m.DragStartY[i];
        long double pxLo = xLo, pxHi = xHi, pyLo = yLo, pyHi = yHi;  // the panned ranges
        long double dX = 0, dY = 0;
        if (W > 0) {
          if (!xp.Logarithmic()) {
            dX = (xHi - xLo) * ddx / W;
            pxLo = sLoX - dX;
            pxHi = sHiX - dX;
          } else if (xLo > 0 && xHi > 0) {
            const long double f = std::exp(std::log(xHi / xLo) * -ddx / W);
            pxLo = sLoX * f;
            pxHi = sHiX * f;
          }
        }
        if (H > 0) {
          if (!yp.Logarithmic()) {
            dY = (yHi - yLo) * ddy / H;
            pyLo = sLoY + dY;
            pyHi = sHiY + dY;
          } else if (yLo > 0 && yHi > 0) {
            const long double f = std::exp(std::log(yHi / yLo) * ddy / H);
            pyLo = sLoY * f;
            pyHi = sHiY * f;
          }
        }
        switch (mode) {
          case maPan: c.SetLayerRange(L, false, pxLo, pyLo, pxHi, pyHi, true); break;
          case maPanHoriz: c.SetLayerRange(L, false, pxLo, yLo, pxHi, yHi, true); break;
          case maPanVert: c.SetLayerRange(L, false, xLo, pyLo, xHi, pyHi, true); break;
          default:
            // The grid pan keeps the width and snaps the low bound; it
            // leaves a layer with a logarithmic axis alone.
            if (xp.Logarithmic() || yp.Logarithmic()) break;
            {
              const long double gxLo = W > 0 ? Snap(sLoX - dX, c.PanGridDx(), c.PanGridOffsX()) : xLo;
              const long double gyLo = H > 0 ? Snap(sLoY + dY, c.PanGridDy(), c.PanGridOffsY()) : yLo;
              const long double gxHi = W > 0 ? sHiX - (sLoX - gxLo) : xHi;
              const long double gyHi = H > 0 ? sHiY - (sLoY - gyLo) : yHi;
              c.SetLayerRange(L, false, gxLo, gyLo, gxHi, gyHi, true);
            }
            break;
        }
      }
    }
    suspended.Finish();
    Fire(c.OnZoomPan, &c);
    if (frame.Destroyed()) return;
  }
  m.DragStarted = true;
}

// The zoom drag scales each layer's start range about its centre by
// fx = 1 - (X - sx) / Width and fy = (Y - sy) / Height + 1 (fx for both
// when Isometric), Width and Height being the control's: dragging right or
// up zooms in, left or down zooms out.
void TChartMouse::ZoomDrag(TCustomPlotwell& c, TShiftState shift, int32_t x, int32_t y, const TFrame& frame) {
  TState& m = c.mouse_;
  if (!LeftHeld(shift)) {
    m.DragStarted = false;
    return;
  }
  if (!m.DragStarted) {
    RecordDragStart(c, x, y);
  } else if (InPlotArea(c, x, y) && c.Width() > 0 && c.Height() > 0) {
    const long double width = c.Width(), height = c.Height();
    TSuspend suspended(c, frame);
    {
      THoldHistory held(c, frame);
      for (int L = 1; L <= TCustomPlotwell::LayerCount; ++L) {
        if (!c.LayerInUse(L)) continue;
        const size_t i = size_t(L - 1);
        const long double fx = 1 - (int64_t(x) - m.DragStartX[i]) / width;
        const long double fy = c.Isometric() ? fx : (int64_t(y) - m.DragStartY[i]) / height + 1;
        const long double sLoX = m.DragStartLoX[i], sHiX = m.DragStartHiX[i];
        const long double sLoY = m.DragStartLoY[i], sHiY = m.DragStartHiY[i];
        const long double cx = (sHiX + sLoX) / 2, cy = (sHiY + sLoY) / 2;
        const long double hx = (sHiX - sLoX) * fx / 2, hy = (sHiY - sLoY) * fy / 2;
        c.SetLayerRange(L, false, cx - hx, cy - hy, cx + hx, cy + hy, true);
      }
    }
    suspended.Finish();
    Fire(c.OnZoomPan, &c);
    if (frame.Destroyed()) return;
  }
  m.DragStarted = true;
}

// The first move with the button held picks the crosshair whose line lies
// nearest the pointer (vertical lines by column, horizontal ones by row;
// ties keep the earlier one; crosshairs that are off never qualify, and with
// none qualifying the first is taken) and asks OnBeforeCrossHairMove; when
// the handler refuses, nothing is recorded and the next move asks again.
// Then each move puts the crosshair at the pointer.
void TChartMouse::CrossHairDrag(TCustomPlotwell& c, TShiftState shift, int32_t x, int32_t y, const TFrame& frame) {
  TState& m = c.mouse_;
  if (!LeftHeld(shift)) {
    m.DragStarted = false;
    return;
  }
  if (!InPlotArea(c, x, y)) return;
  if (!m.DragStarted) {
    m.DraggedCrossHair = 1;
    double best = 1.7e308;
    int32_t pickedX = 0, pickedY = 0;
    for (int n = 1; n <= 4; ++n) {
      const TCrossHair& ch = *c.CrossHair(n);
      int32_t px = 0, py = 0;
      c.WorldToPixel(ch.Layer(), ch.PosX(), ch.PosY(), px, py);
      if (n == 1) {
        pickedX = px;
        pickedY = py;
      }
      const TCrossHMode mode = ch.Mode();
      const bool boxed = mode == TCrossHMode::chBoth || mode == TCrossHMode::chCrossBox || mode == TCrossHMode::chBox;
      const double ex = double(px) - x, ey = double(py) - y;
      if ((mode == TCrossHMode::chVert || boxed) && ex * ex < best) {
        best = ex * ex;
        m.DraggedCrossHair = n;
        pickedX = px;
        pickedY = py;
      }
      if ((mode == TCrossHMode::chHoriz || boxed) && ey * ey < best) {
        best = ey * ey;
        m.DraggedCrossHair = n;
        pickedX = px;
        pickedY = py;
      }
    }
    bool allowMove = true;
    Fire(c.OnBeforeCrossHairMove, &c, c.CrossHair(m.DraggedCrossHair), ClampToInt32(int64_t(x) - pickedX),
         ClampToInt32(int64_t(y) - pickedY), allowMove);
    if (frame.Destroyed()) return;
    if (allowMove) {
      RecordDragStart(c, x, y);
      m.DragStarted = true;
    }
  }
  if (!m.DragStarted || m.DraggedCrossHair < 1 || m.DraggedCrossHair > 4) return;
  TCrossHair* ch = c.CrossHair(m.DraggedCrossHair);
  double wx = 0, wy = 0;
  if (!PixelToWorld(c, ch->Layer(), x, y, wx, wy)) return;
  TSuspend suspended(c, frame);
  ch->SetPosX(wx);
  ch->SetPosY(wy);
  suspended.Finish();
  Fire(c.OnCrossHairMove, &c, ch);
}

// The first move with the button held records the drag start and picks the
// visible label (not off) whose anchor pixel lies nearest the pointer, the
// first one when none qualifies. The anchor follows AttachToData: a world
// coordinate through WorldToPixel, a pixel one rounded (halves to even).
// Each move then puts the anchor at the pointer, in world or pixel units
// as the label keeps them.
void TChartMouse::LabelDrag(TCustomPlotwell& c, TShiftState shift, int32_t x, int32_t y, const TFrame& frame) {
  TState& m = c.mouse_;
  if (!LeftHeld(shift)) {
    m.DragStarted = false;
    return;
  }
  if (!m.DragStarted) {
    RecordDragStart(c, x, y);
    m.DraggedTextLabel = 1;
    double best = 1.7e308;
    for (int n = 1; n <= TCustomPlotwell::TextLabelCount; ++n) {
      const TTextLabel& label = *c.TextLabel(n);
      if (label.Mode() == TTxtLblMode::tlOff || !label.Visible()) continue;
      int32_t wpx = 0, wpy = 0;
      c.WorldToPixel(label.Layer(), label.PosX(), label.PosY(), wpx, wpy);
      const TTxtLblAttachMode attach = label.AttachToData();
      const bool worldX = attach == TTxtLblAttachMode::tlamXOnly || attach == TTxtLblAttachMode::tlamBoth;
      const bool worldY = attach == TTxtLblAttachMode::tlamYOnly || attach == TTxtLblAttachMode::tlamBoth;
      const double px = worldX ? double(wpx) : std::nearbyint(label.PosX());
      const double py = worldY ? double(wpy) : std::nearbyint(label.PosY());
      const double d = (px - x) * (px - x) + (py - y) * (py - y);
      if (d < best) {
        best = d;
        m.DraggedTextLabel = n;
      }
    }
    m.DragStarted = true;
  }
  if (m.DraggedTextLabel < 1 || m.DraggedTextLabel > TCustomPlotwell::TextLabelCount) return;
  TTextLabel* label = c.TextLabel(m.DraggedTextLabel);
  const TTxtLblAttachMode attach = label->AttachToData();
  double newX = x, newY = y;
  if (attach != TTxtLblAttachMode::tlamNone) {
    double wx = 0, wy = 0;
    if (!PixelToWorld(c, label->Layer(), x, y, wx, wy)) return;
    if (attach != TTxtLblAttachMode::tlamYOnly) newX = wx;
    if (attach != TTxtLblAttachMode::tlamXOnly) newY = wy;
  }
  TSuspend suspended(c, frame);
  label->SetPosX(newX);
  label->SetPosY(newY);
  suspended.Finish();
  Fire(c.OnTextLabelMove, &c, label);
}

}  // namespace korvo
