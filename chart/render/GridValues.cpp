#include "chart/render/GridValues.h"

#include <cmath>

namespace korvo {
namespace {

using Extended = long double;

// Values below Low that may be stepped over before the walk gives up: the
// start rules leave at most one, so a few cover every rounding.
constexpr int MaxSkipped = 4;

// log10 as ln(v) / ln(10), snapped to a whole number within 1e-14.
Extended Log10(Extended v) {
  const Extended l = std::log(v) / std::log(Extended(10));
  const Extended n = std::nearbyint(l);
  return std::fabs(l - n) < 1e-14L ? n : l;
}

// m * 10^t, dividing for negative t so that 6 * 10^-1 is 0.6 exactly as
// written rather than 6 * 0.1000...1.
double Scaled(Extended m, Extended t) {
  return t >= 0 ? double(m * std::pow(Extended(10), t)) : double(m / std::pow(Extended(10), -t));
}

// The decade exponent t and the leading digit m of v: v ~ m * 10^t, m the
// rounded mantissa (1..10).
void DecadeAndDigit(Extended v, Extended& t, Extended& m) {
  const Extended l = Log10(v);
  t = std::floor(l);
  m = std::nearbyint(std::pow(Extended(10), l - t));
}

}  // namespace

TGridWalk::TGridWalk(const TGridAxis& axis, int limit) : axis_(axis), limit_(limit < 0 ? 0 : limit) {
  tolerance_ = axis_.Logarithmic ? std::fabs(axis_.Low) * 1e-9 : (axis_.High - axis_.Low) * 1e-9;
  if (!(tolerance_ >= 0)) tolerance_ = 0;
}

double TGridWalk::Tick(int k) const {
  const auto& t = axis_.Ticks;
  const int n = int(t.size());
  if (k < 1 || k > n) return axis_.High;
  const bool downwards = n >= 2 && t.front() > t.back();
  return downwards ? t[size_t(n - k)] : t[size_t(k - 1)];
}

double TGridWalk::First() const {
  const double d = axis_.Spacing;
  const double lo = axis_.Low;
  if (d == 0) return axis_.Ticks.empty() ? lo : Tick(1);
  if (!axis_.Logarithmic || d > 0) {
    const Extended step = std::fabs(Extended(d));
    return double(std::ceil(lo / step) * step);
  }
  if (!(lo > 0)) return lo;  // no logarithm: the run starts (and ends) at the range
  Extended t, m;
  if (d == -1) return Scaled(1, std::ceil(Log10(lo)));
  if (d == -2) {
    DecadeAndDigit(lo, t, m);
    return Scaled(m <= 2 ? 2 : (m <= 5 ? 5 : 10), t);
  }
  if (d == -3) {
    DecadeAndDigit(lo, t, m);
    return Scaled(m, t);
  }
  return lo;
}

double TGridWalk::After(double g, int k) const {
  const double d = axis_.Spacing;
  if (d == 0) return Tick(k);
  if (!axis_.Logarithmic || d > 0) return double(Extended(g) + std::fabs(Extended(d)));
  if (!(g > 0)) return axis_.High;
  if (d == -1) return double(Extended(g) * 10);
  Extended t, m;
  DecadeAndDigit(g, t, m);
  if (d == -2) {
    // 1 -> 2 -> 5 -> 10; a mantissa rounded up to 10 is the next decade's 1.
    if (m <= 1) return Scaled(2, t);
    if (m <= 2) return Scaled(5, t);
    if (m <= 5) return Scaled(10, t);
    return Scaled(2, t + 1);
  }
  return Scaled(m + 1, t);
}

bool TGridWalk::Next(double& value) {
  const bool ticks = axis_.Spacing == 0;
  // Ticks are a finite list (its end gives High); a spacing walk may step
  // over a few values below Low.
  const int most = ticks ? int(axis_.Ticks.size()) + 1 : limit_ + MaxSkipped;
  while (!done_ && yielded_ < limit_ && produced_ < most) {
    const double g = produced_ == 0 ? First() : After(g_, produced_ + 1);
    // A step that adds nothing (a spacing below the values' precision)
    // would repeat the same line; the walk ends instead.
    if (!ticks && produced_ > 0 && !(g > g_)) break;
    ++produced_;
    g_ = g;
    if (!(g < axis_.High)) break;
    if (g < axis_.Low - tolerance_) continue;
    ++yielded_;
    value = g;
    return true;
  }
  done_ = true;
  return false;
}

}  // namespace korvo
