// Setting layer ranges: limits, joined layers, the zoom history and the
// suspension of painting while several ranges change.
#include <cmath>
#include <string>

#include "base/korvobase.h"
#include "chart/CustomPlotwell.h"

namespace korvo {
namespace {

constexpr long double LogFloor = 1e-100L;

void CheckLayer(int layer) {
  if (layer < 1 || layer > 16) {
    throw EKorvoPlotwellError("Layer " + std::to_string(layer) + " is out of range (1..16)");
  }
}

// Confines [lo, hi] to [lower, upper] in the order low-below, low-above,
// high-below, high-above. A pan drags the other bound along so that the
// width d stays; anything else cuts the range at the limit.
void Confine(long double& lo, long double& hi, long double d, long double lower, long double upper, bool pan) {
  if (lo < lower) {
    lo = lower;
    if (pan) hi = lo + d;
  }
  if (lo > upper) {
    lo = upper;
    if (pan) hi = lo + d;
  }
  if (hi < lower) {
    hi = lower;
    if (pan) lo = hi - d;
  }
  if (hi > upper) {
    hi = upper;
    if (pan) lo = hi - d;
  }
}

// Stores a requested range into one axis unless it is narrower than
// 0.99 * MinRange; a logarithmic axis takes each bound on its own unless it
// lies below 1e-100. Non-finite bounds, and a result whose two bounds are
// equal as doubles (an axis without extent), are refused. Returns whether a
// bound was stored.
bool StoreAxisRange(TScaleProps& p, long double lo, long double hi) {
  const double low = double(lo), high = double(hi);
  if (!std::isfinite(low) || !std::isfinite(high)) return false;
  if (0.99L * p.MinRange() > std::fabs(lo - hi)) return false;
  const bool takeLow = !p.Logarithmic() || !(lo < LogFloor);
  const bool takeHigh = !p.Logarithmic() || !(hi < LogFloor);
  const double newLow = takeLow ? low : p.RangeLow();
  const double newHigh = takeHigh ? high : p.RangeHigh();
  if (newLow == newHigh || !(takeLow || takeHigh)) return false;
  if (takeHigh) p.StoreRangeHigh(newHigh);
  if (takeLow) p.StoreRangeLow(newLow);
  return true;
}

}  // namespace

void TCustomPlotwell::ApplyLayerRange(int layer, bool recordHistory, long double xLow, long double yLow,
                                      long double xHigh, long double yHigh, bool applyLimits) {
  CheckLayer(layer);
  if (applyLimits && !range_limits_.AllZero()) {
    using enum TMouseActMode;
    const TMouseActMode ma = mouse_action_;
    const bool panX = ma == maPan || ma == maPanHoriz || ma == maPanGrid;
    const bool panY = ma == maPan || ma == maPanVert || ma == maPanGrid;
    const long double dx = double(xHigh - xLow), dy = double(yHigh - yLow);
    Confine(xLow, xHigh, dx, range_limits_.XLow, range_limits_.XHigh, panX);
    Confine(yLow, yHigh, dy, range_limits_.YLow, range_limits_.YHigh, panY);
  }
  const bool xStored = StoreAxisRange(*x_props_[size_t(layer - 1)], xLow, xHigh);
  const bool yStored = StoreAxisRange(*y_props_[size_t(layer - 1)], yLow, yHigh);
  SyncLayerScales(layer);
  if (recordHistory && (xStored || yStored)) PushZoomHistory();
  UpdateTransforms();
}

void TCustomPlotwell::SetLayerRange(int layer, bool recordHistory, long double xLow, long double yLow,
                                    long double xHigh, long double yHigh, bool applyLimits) {
  CheckLayer(layer);
  TPaintSuspension suspended(*this);
  const TJointLayers& joint = *joint_layers_;
  if (joint.XControlledBy(layer) != layer) {
    xLow = XProps(layer)->RangeLow();
    xHigh = XProps(layer)->RangeHigh();
  }
  if (joint.YControlledBy(layer) != layer) {
    yLow = YProps(layer)->RangeLow();
    yHigh = YProps(layer)->RangeHigh();
  }
  ApplyLayerRange(layer, recordHistory, xLow, yLow, xHigh, yHigh, applyLimits);
  for (int i = 1; i <= LayerCount; ++i) {
    if (i == layer) continue;
    const int cx = joint.XControlledBy(i), cy = joint.YControlledBy(i);
    if (cx != layer && cy != layer) continue;
    const TScaleProps& x = *XProps(cx);
    const TScaleProps& y = *YProps(cy);
    ApplyLayerRange(i, true, x.RangeLow(), y.RangeLow(), x.RangeHigh(), y.RangeHigh(), false);
  }
  suspended.Finish();
}

void TCustomPlotwell::ApplyScaleProps() {
  TPaintSuspension suspended(*this);
  for (int l = 1; l <= LayerCount; ++l) SyncLayerScales(l);
  for (int l = 1; l <= LayerCount; ++l) {
    const TScaleProps& x = *XProps(l);
    const TScaleProps& y = *YProps(l);
    SetLayerRange(l, false, x.RangeLow(), y.RangeLow(), x.RangeHigh(), y.RangeHigh(), false);
  }
  suspended.Finish();
}

void TCustomPlotwell::SetRangeLimits(long double xLow, long double yLow, long double xHigh, long double yHigh) {
  if (std::isnan(xLow) || std::isnan(yLow) || std::isnan(xHigh) || std::isnan(yHigh)) {
    throw EKorvoPlotwellError("A range limit must not be NaN");
  }
  if (xLow > xHigh) throw EKorvoPlotwellError("The lower x limit lies above the upper x limit");
  if (yLow > yHigh) throw EKorvoPlotwellError("The lower y limit lies above the upper y limit");
  range_limits_ = TRangeLimits{xLow, yLow, xHigh, yHigh};
}

void TCustomPlotwell::SetPaintSuspended(bool value) {
  if (value == paint_suspended_) return;
  paint_suspended_ = value;
  if (!value) RepaintChart();
}

void TCustomPlotwell::PushZoomHistory() {
  if (IsLoading() || ZoomHistoryHeld()) return;
  const size_t slot = size_t(zoom_history_index_ - 1);
  for (size_t l = 0; l < LayerCount; ++l) {
    zoom_history_[l][slot] = TZoomHistoryEntry{x_props_[l]->RangeLow(), y_props_[l]->RangeHigh(),
                                               x_props_[l]->RangeHigh(), y_props_[l]->RangeLow()};
  }
  zoom_history_index_ = zoom_history_index_ >= ZoomHistorySlots ? 1 : zoom_history_index_ + 1;
  ZoomHistoryPushed();
}

void TCustomPlotwell::ResetZoomHistory() {
  for (auto& layer : zoom_history_) layer.fill(TZoomHistoryEntry{});
  zoom_history_index_ = 1;
  PushZoomHistory();
}

const TZoomHistoryEntry& TCustomPlotwell::ZoomHistory(int layer, int slot) const {
  CheckLayer(layer);
  if (slot < 1 || slot > ZoomHistorySlots) {
    throw EKorvoPlotwellError("Zoom history slot " + std::to_string(slot) + " is out of range (1..16)");
  }
  return zoom_history_[size_t(layer - 1)][size_t(slot - 1)];
}

}  // namespace korvo
