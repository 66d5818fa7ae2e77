#include "scale/ScaleTransform.h"

#include <cmath>

namespace korvo {

bool CalcScaleTransform(const TScaleGeometry& g, double rangeLow, double rangeHigh, bool logarithmic,
                        TScaleTransform& t) {
  if (rangeLow == rangeHigh || !std::isfinite(rangeLow) || !std::isfinite(rangeHigh)) return false;
  if (logarithmic && !(rangeLow > 0 && rangeHigh > 0)) return false;
  const bool horizontal = IsHorizontal(g.ScaleType);
  const int64_t length = horizontal ? int64_t(g.Width) - g.MarginLeft - g.MarginRight - 1
                                    : int64_t(g.Height) - g.MarginTop - g.MarginBottom - 1;
  if (length <= 0) {
    t.PixelFactor = 0;
    t.PixelOffset = (horizontal ? g.Width : g.Height) / 2.0;
    return true;
  }
  const Extended lo = logarithmic ? std::log(Extended(rangeLow)) : Extended(rangeLow);
  const Extended hi = logarithmic ? std::log(Extended(rangeHigh)) : Extended(rangeHigh);
  if (horizontal) {
    const Extended factor = Extended(length) / (hi - lo);
    t.PixelFactor = double(factor);
    t.PixelOffset = double(g.MarginLeft - lo * factor);
  } else {
    const Extended factor = Extended(length) / (lo - hi);
    t.PixelFactor = double(factor);
    t.PixelOffset = double(g.MarginTop - hi * factor);
  }
  return true;
}

TValueMapping MakeValueMapping(const TScaleTransform& t, const TScaleGeometry& g, double rangeLow, double rangeHigh,
                               bool logarithmic) {
  TValueMapping m;
  m.Transform = t;
  m.Logarithmic = logarithmic;
  const bool forward = rangeHigh >= rangeLow;
  if (IsHorizontal(g.ScaleType)) {
    m.NoLogPixel = forward ? 0 : g.Width;
  } else {
    m.NoLogPixel = forward ? g.Height : 0;
  }
  return m;
}

int32_t ValueToPixel(const TValueMapping& m, double value) {
  if (m.Logarithmic) {
    if (!(value > 0)) return std::isnan(value) ? 0 : m.NoLogPixel;
    return ClampToPixel(Extended(m.Transform.PixelFactor) * std::log(Extended(value)) + m.Transform.PixelOffset);
  }
  return ClampToPixel(Extended(m.Transform.PixelFactor) * value + m.Transform.PixelOffset);
}

}  // namespace korvo
