// Runs the tick passes on a 400-pixel scale (margins 20) and keeps what they
// produced.
#pragma once

#include "scale/Scale.h"
#include "tick_recorder.h"

namespace korvo::test {

struct PassResult {
  TickRecorder Ticks;
  TTickList List;
  TTickOutcome Outcome = TTickOutcome::toTicks;
};

inline TTickSettings Settings(double lo, double hi, int minTicks = 3, bool shortTicks = true,
                              TFigType labelType = TFigType::ftNum, int decPlaces = -2) {
  TTickSettings s;
  s.RangeLow = lo;
  s.RangeHigh = hi;
  s.MinTicks = minTicks;
  s.ShortTicks = shortTicks;
  s.LabelType = labelType;
  s.DecPlaces = decPlaces;
  return s;
}

inline TScaleGeometry Geometry(TScaleType type) { return TScaleGeometry{400, 400, 20, 20, 20, 20, type}; }

inline PassResult RunPasses(TTickSettings s) {
  const TScaleGeometry g = Geometry(s.ScaleType);
  TScaleTransform t;
  CalcScaleTransform(g, s.RangeLow, s.RangeHigh, s.Logarithmic, t);
  s.Mapping = MakeValueMapping(t, g, s.RangeLow, s.RangeHigh, s.Logarithmic);
  PassResult r;
  TTickEngine engine;
  r.Outcome = engine.Run(s, r.List, r.Ticks);
  return r;
}

// Values spaced `step` apart from `first` to `last` (inclusive, either
// direction).
inline std::vector<double> Series(double first, double last, double step) {
  std::vector<double> v;
  const int n = int(std::lround((last - first) / step));
  for (int i = 0; i <= n; ++i) v.push_back(first + i * step);
  return v;
}

// Compares two lists of values with a relative tolerance.
inline ::testing::AssertionResult SameValues(const std::vector<double>& actual, const std::vector<double>& expected,
                                             double tolerance = 1e-12) {
  if (actual.size() != expected.size()) {
    return ::testing::AssertionFailure() << "got " << actual.size() << " values, expected " << expected.size();
  }
  for (size_t i = 0; i < actual.size(); ++i) {
    const double scale = std::max(1.0, std::fabs(expected[i]));
    if (std::fabs(actual[i] - expected[i]) > tolerance * scale) {
      return ::testing::AssertionFailure() << "value " << i << " is " << actual[i] << ", expected " << expected[i];
    }
  }
  return ::testing::AssertionSuccess();
}

}  // namespace korvo::test
