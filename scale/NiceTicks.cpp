#include "scale/NiceTicks.h"

#include <algorithm>
#include <cmath>

namespace korvo {
namespace {

// Moves the first index on while it lies more than a thousandth of a step
// before lo. Starting one step early, this takes one or two rounds; the
// bound only guards against a step too small to move the index.
Extended FirstIndexAtOrAfter(Extended lo, Extended step, Extended dir) {
  Extended index = Int(lo / step) - 1;
  for (int guard = 0; guard < 8 && dir * (lo - index * step) > 0.001L * std::fabs(step); ++guard) index += 1;
  return index;
}

}  // namespace

TNiceTicks CalcNiceTicks(int minTicks, Extended lo, Extended hi) {
  TNiceTicks r;
  r.First = lo;
  if (hi == lo || !std::isfinite(lo) || !std::isfinite(hi)) return r;
  const Extended dir = lo < hi ? 1 : -1;
  const Extended span = std::fabs(hi - lo);
  const int m = std::clamp(minTicks, 0, MaxMinTicks);

  Extended magnitude = 1;
  if (m == 0) {
    // A step of 1 unless the range holds more than MaxUnitSteps units.
    // The estimate starts a decade low so that rounding in log10 cannot
    // overshoot; the loop then takes at most two rounds.
    if (span > MaxUnitSteps) magnitude = std::pow(10.0L, std::ceil(std::log10(span / MaxUnitSteps)) - 1);
    while (span / magnitude > MaxUnitSteps) magnitude *= 10;
    r.SubDivisions = span <= 10 ? 5 : 1;
  } else {
    Extended g = std::log10(span / m);
    Extended h = g - Int(g);
    if (std::fabs(h) < 1e-10L || std::fabs(h) > 0.9999999999L) {
      g = Round(g);
      h = 0;
    }
    if (g < 0 && h != 0) g -= 1;
    if (h < 0) h += 1;
    // Now h is the fractional part of the logarithm and Int(g) its floor.
    constexpr Extended e = 1e-10L;
    const Extended log2 = std::log10(2.0L);
    const Extended log5 = std::log10(5.0L);
    Extended mantissa = 1;
    r.SubDivisions = 5;
    if (h >= log5 + e) {
      mantissa = 5;
    } else if (h >= log2 + e) {
      mantissa = 2;
      r.SubDivisions = 4;
    }
    magnitude = mantissa * std::pow(10.0L, Int(g));
  }
  r.Step = magnitude * dir;
  r.FirstIndex = FirstIndexAtOrAfter(lo, r.Step, dir);
  r.First = r.FirstIndex * r.Step;
  return r;
}

}  // namespace korvo
