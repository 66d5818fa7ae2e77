// The tick spacing of numeric scales: steps of 1, 2 or 5 times a power of
// ten that fit at least MinTicks intervals into the range.
#pragma once

#include <cstdint>

#include "platform/Export.h"
#include "scale/ScaleMath.h"

namespace korvo {

// MinTicks beyond this count as this many: more intervals than that cannot
// be told apart on any scale, and the bound keeps every tick pass short.
constexpr int MaxMinTicks = 100;
// With MinTicks 0 the step is 1 unit, unless the range holds more than this
// many units: then it is the smallest power of ten that keeps the count of
// steps within this bound (a range of 0 .. 1e6 gets a step of 1000).
constexpr int MaxUnitSteps = 1000;

struct TNiceTicks {
  Extended First = 0;         // the first tick: FirstIndex * Step
  Extended Step = 0;          // signed: negative on a reversed range; 0 draws nothing
  uint16_t SubDivisions = 1;  // short-tick intervals per step (1, 4 or 5)
  Extended FirstIndex = 0;    // First / Step, a whole number
};

// The numeric tick spacing for the range lo .. hi (hi may be below lo).
//  - Equal or non-finite ends: Step 0, First = lo, SubDivisions 1.
//  - MinTicks 0: Step 1 (see MaxUnitSteps) in the range's direction;
//    SubDivisions 5 for spans up to 10, else 1.
//  - Otherwise Step is 1, 2 or 5 times a power of ten and never more than
//    |hi - lo| / MinTicks; where |hi - lo| / MinTicks is exactly 2 or 5 times
//    a power of ten the smaller mantissa is taken (a tolerance of 1e-10 in
//    the logarithm works against the larger one). SubDivisions is 5 for
//    mantissas 1 and 5, 4 for 2. MinTicks below 0 counts as 0, above
//    MaxMinTicks as MaxMinTicks.
// First is the first multiple of Step that lies no more than a thousandth of
// a step before lo (in the range's direction).
PLOTWELL_API TNiceTicks CalcNiceTicks(int minTicks, Extended lo, Extended hi);

}  // namespace korvo
