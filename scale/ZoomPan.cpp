#include "scale/ZoomPan.h"

#include <cmath>

#include "scale/ScaleMath.h"
#include "scale/ScaleTransform.h"

namespace korvo {
namespace {

// a / b, or false when b is zero.
bool Divide(Extended a, Extended b, Extended* q) {
  if (b == 0) return false;
  *q = a / b;
  return true;
}

bool Pan(const TZoomPanInput& in, bool horizontal, Extended* lo, Extended* hi) {
  const Extended pixels = horizontal ? Extended(in.Width) - in.MarginLeft - in.MarginRight
                                     : Extended(in.Height) - in.MarginTop - in.MarginBottom;
  const Extended moved = horizontal ? Extended(in.X) - in.StartX : Extended(in.Y) - in.StartY;
  Extended fraction;
  if (!Divide(moved, pixels, &fraction)) return false;
  if (in.Logarithmic) {
    if (!(in.RangeLow > 0 && in.RangeHigh > 0)) return false;
    const Extended ratio = Extended(in.RangeHigh) / in.RangeLow;
    const Extended q = std::pow(ratio, horizontal ? -fraction : fraction);
    *lo = in.SavedLow * q;
    *hi = in.SavedHigh * q;
    return true;
  }
  const Extended shift = fraction * (Extended(in.RangeHigh) - in.RangeLow);
  *lo = horizontal ? in.SavedLow - shift : in.SavedLow + shift;
  *hi = horizontal ? in.SavedHigh - shift : in.SavedHigh + shift;
  return true;
}

bool Zoom(const TZoomPanInput& in, bool horizontal, Extended* lo, Extended* hi) {
  const Extended saved_lo = in.SavedLow;
  const Extended saved_hi = in.SavedHigh;
  const Extended k = saved_hi - saved_lo;
  Extended g = 0, j = 0;
  if (in.Logarithmic) {
    if (!(saved_lo > 0 && saved_hi > 0)) return false;
    g = std::sqrt(saved_lo * saved_hi);
    j = saved_hi / g;
  }
  *lo = saved_lo;
  *hi = saved_hi;
  const Extended hp = Extended(in.Width) - in.MarginLeft - in.MarginRight;
  const Extended vp = Extended(in.Height) - in.MarginTop - in.MarginBottom;
  Extended ratio;
  if (horizontal) {
    if (in.StartX < in.MarginLeft + hp / 2) {  // the high end stays
      if (in.Logarithmic) {
        if (!Divide(Extended(in.X) - in.StartX, hp, &ratio)) return false;
        *lo = g / std::pow(j, ratio + 1);
        return true;
      }
      Extended q;
      if (!Divide(Extended(in.Width) - in.X - in.MarginRight, Extended(in.Width) - in.StartX - in.MarginRight, &q) ||
          !Divide(k, q, &ratio)) {
        return false;
      }
      *lo = saved_hi - ratio;
      return true;
    }
    if (in.Logarithmic) {  // the low end stays
      if (!Divide(Extended(in.StartX) - in.X, hp, &ratio)) return false;
      *hi = g * std::pow(j, ratio + 1);
      return true;
    }
    Extended q;
    if (!Divide(Extended(in.X) - in.MarginLeft, Extended(in.StartX) - in.MarginLeft, &q) || !Divide(k, q, &ratio)) {
      return false;
    }
    *hi = saved_lo + ratio;
    return true;
  }
  if (in.StartY > in.MarginTop + vp / 2) {  // lower half: the high end stays
    if (in.Logarithmic) {
      if (!Divide(Extended(in.StartY) - in.Y, vp, &ratio)) return false;
      *lo = g / std::pow(j, ratio + 1);
      return true;
    }
    Extended q;
    if (!Divide(Extended(in.Y) - in.MarginTop, Extended(in.StartY) - in.MarginTop, &q) || !Divide(k, q, &ratio)) {
      return false;
    }
    *lo = saved_hi - ratio;
    return true;
  }
  if (in.Logarithmic) {  // upper half: the low end stays
    if (!Divide(Extended(in.Y) - in.StartY, vp, &ratio)) return false;
    *hi = g * std::pow(j, ratio + 1);
    return true;
  }
  Extended q;
  if (!Divide(Extended(in.Height) - in.Y - in.MarginBottom, Extended(in.Height) - in.StartY - in.MarginBottom, &q) ||
      !Divide(k, q, &ratio)) {
    return false;
  }
  *hi = saved_lo + ratio;
  return true;
}

bool ZoomDrag(const TZoomPanInput& in, bool horizontal, Extended* lo, Extended* hi) {
  Extended s;
  if (horizontal) {
    if (!Divide(Extended(in.X) - in.StartX, in.Width, &s)) return false;
    s = 1 - s;
  } else {
    if (!Divide(Extended(in.Y) - in.StartY, in.Height, &s)) return false;
    s = s + 1;
  }
  const Extended saved_lo = in.SavedLow;
  const Extended saved_hi = in.SavedHigh;
  if (in.Logarithmic) {
    if (!(saved_lo > 0 && saved_hi > 0)) return false;
    const Extended g = std::sqrt(saved_lo * saved_hi);
    const Extended t = std::pow(saved_hi / g, s);
    *lo = g / t;
    *hi = g * t;
    return true;
  }
  const Extended c = (saved_lo + saved_hi) / 2;
  const Extended k = saved_hi - saved_lo;
  *lo = c - k * s / 2;
  *hi = c + k * s / 2;
  return true;
}

bool FitsDouble(Extended v) { return std::isfinite(v) && std::fabs(v) <= Extended(1.7976931348623157e308); }

}  // namespace

bool ComputeZoomPan(const TZoomPanInput& in, double* newLow, double* newHigh) {
  const bool horizontal = IsHorizontal(in.ScaleType);
  Extended lo = 0, hi = 0;
  bool ok = false;
  switch (in.MouseAction) {
    case TMouseActMode::maPan: ok = Pan(in, horizontal, &lo, &hi); break;
    case TMouseActMode::maZoom: ok = Zoom(in, horizontal, &lo, &hi); break;
    case TMouseActMode::maZoomDrag: ok = ZoomDrag(in, horizontal, &lo, &hi); break;
    default: break;
  }
  if (!ok || !FitsDouble(lo) || !FitsDouble(hi)) return false;
  *newLow = double(lo);
  *newHigh = double(hi);
  return true;
}

}  // namespace korvo
