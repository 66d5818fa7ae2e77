// The mapping between a scale's values and its pixels.
//
// A horizontal scale (sctXB, sctXT) runs from x = MarginLeft (RangeLow) to
// x = Width - MarginRight - 1 (RangeHigh); a vertical one (sctYL, sctYR) from
// y = Height - MarginBottom - 1 (RangeLow) up to y = MarginTop (RangeHigh).
// With L the pixel length (Width - MarginLeft - MarginRight - 1, or the
// vertical counterpart) a value v lands on
//   PixelFactor * v + PixelOffset          (linear)
//   PixelFactor * ln v + PixelOffset       (logarithmic)
// in the control's own coordinates.
#pragma once

#include <cstdint>

#include "base/BaseEnums.h"
#include "platform/Export.h"
#include "scale/ScaleMath.h"

namespace korvo {

inline bool IsHorizontal(TScaleType t) { return t == TScaleType::sctXB || t == TScaleType::sctXT; }

struct TScaleGeometry {
  int32_t Width = 0;
  int32_t Height = 0;
  int32_t MarginLeft = 0;
  int32_t MarginRight = 0;
  int32_t MarginTop = 0;
  int32_t MarginBottom = 0;
  TScaleType ScaleType = TScaleType::sctXB;
};

struct TScaleTransform {
  double PixelFactor = 1.0;
  double PixelOffset = 0.0;
};

// Recomputes the transform for the range. Returns false and leaves it
// unchanged when the ends are equal or not finite, and for a logarithmic
// scale whose ends are not both positive. With no pixel length (L <= 0) the
// factor is 0 and the offset half the Width (horizontal) or Height.
PLOTWELL_API bool CalcScaleTransform(const TScaleGeometry& g, double rangeLow, double rangeHigh, bool logarithmic,
                                     TScaleTransform& t);

// Everything ValueToPixel needs, so that it can run per tick without
// looking back at the scale.
struct TValueMapping {
  TScaleTransform Transform;
  bool Logarithmic = false;
  // Where a value without a logarithm (zero or negative) goes on a
  // logarithmic scale: the control's edge on the RangeLow side (x = 0 or
  // Width on horizontal scales, y = Height or 0 on vertical ones).
  int32_t NoLogPixel = 0;
};

PLOTWELL_API TValueMapping MakeValueMapping(const TScaleTransform& t, const TScaleGeometry& g, double rangeLow,
                                            double rangeHigh, bool logarithmic);

// The pixel of a value, limited to +-2147483647 and rounded half to even; a
// NaN value (or a NaN transform) gives 0.
PLOTWELL_API int32_t ValueToPixel(const TValueMapping& m, double value);

}  // namespace korvo
