// World/pixel transforms of the chart's layers.
#include <algorithm>
#include <cmath>

#include "base/korvobase.h"
#include "chart/CustomPlotwell.h"

namespace korvo {
namespace {

constexpr double LogFloor = 1e-100;
constexpr double PixelLimit = 2147483647.0;

int ClampLayer(int layer) { return layer < 1 ? 1 : (layer > 16 ? 16 : layer); }

// A pixel value (never NaN here) as a 32-bit pixel: clamped to
// +-2147483647, then rounded half to even.
int32_t ToPixel(double v) {
  if (v > PixelLimit) v = PixelLimit;
  if (v < -PixelLimit) v = -PixelLimit;
  return static_cast<int32_t>(std::nearbyint(v));
}

// One axis of UpdateTransforms: the map that puts RangeLow on pixel `first`
// and RangeHigh on pixel `last`, over a plot span of `span` pixels; without a
// span every value lands on `centre`. The x axis runs from MarginLeft to the
// right, so k = W * (1 / (hi - lo)); the y axis from the bottom row up, so
// k = -H / (hi - lo). Both forms are kept as written, for identical rounding.
void AxisCoefficients(bool xAxis, const TScaleProps& p, long double span, long double first, long double last,
                      long double centre, long double& k, long double& o) {
  if (span <= 0) {
    k = 0;
    o = centre;
    return;
  }
  const long double lo = p.RangeLow(), hi = p.RangeHigh();
  if (p.Logarithmic()) {
    if (!(hi > 0 && lo > 0)) throw EKorvoPlotwellError("Logarithmic axis must not be negative.");
    const long double lnLo = std::log(lo), lnHi = std::log(hi);
    k = (xAxis ? span : -span) / (lnHi - lnLo);
    o = (lnHi * first - lnLo * last) / (lnHi - lnLo);
  } else {
    k = xAxis ? span * (1 / (hi - lo)) : -span / (hi - lo);
    o = (first * hi - last * lo) / (hi - lo);
  }
}

}  // namespace

void TCustomPlotwell::UpdateTransforms() {
  if (IsLoading()) return;
  const long double width = Width(), height = Height();
  const long double left = margin_left_, right = width - margin_right_ - shadow_width_;
  const long double top = margin_top_, bottom = height - margin_bottom_ - shadow_width_;
  for (size_t i = 0; i < LayerCount; ++i) {
    AxisCoefficients(true, *x_props_[i], right - left, left, right, width / 2, kx_[i], ox_[i]);
    // y runs upwards: RangeLow lands on the bottom row, RangeHigh on the top.
    long double k, o;
    AxisCoefficients(false, *y_props_[i], bottom - top, bottom, top, height / 2, k, o);
    ky_[i] = k;
    oy_[i] = o;
  }
}

// The control edge that takes the values a logarithmic axis cannot show, and
// NaN: the low end of the axis.
long double TCustomPlotwell::LowEndX(const TScaleProps& p) const {
  return p.RangeHigh() >= p.RangeLow() ? 0 : Width();
}

long double TCustomPlotwell::LowEndY(const TScaleProps& p) const {
  return p.RangeHigh() >= p.RangeLow() ? Height() : 0;
}

void TCustomPlotwell::WorldToPixel(int layer, double x, double y, int32_t& px, int32_t& py) const {
  const size_t i = size_t(ClampLayer(layer) - 1);
  const TScaleProps& xp = *x_props_[i];
  const TScaleProps& yp = *y_props_[i];

  double vx;
  if (xp.Logarithmic()) {
    vx = x > LogFloor ? double(std::log(static_cast<long double>(x)) * kx_[i] + ox_[i]) : double(LowEndX(xp));
  } else {
    vx = double(kx_[i] * x + ox_[i]);
  }
  if (std::isnan(vx)) vx = double(kx_[i] == 0 ? ox_[i] : LowEndX(xp));

  double vy;
  if (yp.Logarithmic()) {
    vy = y > LogFloor ? double(std::log(static_cast<long double>(y)) * ky_[i] + oy_[i]) : double(LowEndY(yp));
  } else {
    vy = double(ky_[i] * y + oy_[i]);
  }
  if (std::isnan(vy)) vy = double(ky_[i] == 0 ? oy_[i] : LowEndY(yp));

  px = ToPixel(vx);
  py = ToPixel(vy);
}

void TCustomPlotwell::PixelToWorld(int layer, int32_t px, int32_t py, double& x, double& y) const {
  const size_t i = size_t(ClampLayer(layer) - 1);
  if (kx_[i] == 0) throw EKorvoPlotwellError("The plot area has no width: a pixel has no world x");
  if (ky_[i] == 0) throw EKorvoPlotwellError("The plot area has no height: a pixel has no world y");
  long double u = (px - ox_[i]) / kx_[i];
  long double v = (py - oy_[i]) / ky_[i];
  if (x_props_[i]->Logarithmic()) u = std::exp(u);
  if (y_props_[i]->Logarithmic()) v = std::exp(v);
  x = double(u);
  y = double(v);
}

}  // namespace korvo
