// The values at which the chart's grid draws its lines along one axis,
// kept apart from the drawing so that they can be checked as numbers.
#pragma once

#include <span>

namespace korvo {

// At most this many lines per direction, and points in all, whatever the
// spacing.
constexpr int MaxGridLines = 1000;

// One axis of the grid.
//
// Spacing, in world units:
//   > 0          every Spacing from the first multiple of Spacing at or
//                above Low (also on a logarithmic axis);
//   < 0, linear  the same with |Spacing|;
//   -1, log      the decades 10^n;
//   -2, log      the 1-2-5 values: 1, 2, 5, 10, 20, 50, ... times 10^n;
//   other < 0,   every digit: from Low (-3: from the value m * 10^n nearest
//   log          to Low), then (m + 1) * 10^n: ..., 8, 9, 10, 20, 30, ...;
//   0            the tick values (in the order a scale records them; a list
//                that runs downwards is walked upwards). Without ticks the
//                one value Low.
// Logarithms are ln(v) / ln(10) in extended precision; a logarithm within
// 1e-14 of a whole number counts as that number.
struct TGridAxis {
  double Low = 0;   // the smaller end of the axis range
  double High = 1;  // the larger end: it gets no line (the plot frame is there)
  bool Logarithmic = false;
  double Spacing = 0;
  std::span<const double> Ticks;  // for Spacing 0
};

// Walks the grid values of an axis in increasing order: the values v with
// Low <= v < High, at most `limit` of them. A value a little below Low (by
// at most a billionth of the range, or of Low on a logarithmic axis, as
// rounding leaves it) still counts as Low's line; values further below, which
// the start rules can give (a negative linear spacing, a 1-2-5 or digit
// start rounded down), are not lines and are stepped over. The walk ends at
// the first value at or above High (or NaN), after `limit` values, or when a
// spacing too small for the values' precision stops making progress.
// Allocates nothing.
class TGridWalk {
 public:
  explicit TGridWalk(const TGridAxis& axis, int limit = MaxGridLines);
  // The next grid value; false once the walk has ended (and from then on).
  bool Next(double& value);

 private:
  double First() const;
  double After(double g, int k) const;
  double Tick(int k) const;  // k-th tick (1-based) in increasing order; High past the end

  TGridAxis axis_;
  int limit_;
  int produced_ = 0;  // values computed, skipped ones included
  int yielded_ = 0;
  double g_ = 0;
  double tolerance_ = 0;
  bool done_ = false;
};

}  // namespace korvo
