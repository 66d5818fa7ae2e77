// The ticks a drawing leaves behind: up to 250 tick values in drawing order,
// which the chart reads back (its grid starts at TickPos(1)).
#pragma once

#include <array>
#include <span>

#include "platform/Export.h"

namespace korvo {

constexpr int MaxRecordedTicks = 250;

// A fixed array: recording never allocates. Ticks beyond the 250th are
// drawn but not recorded.
class PLOTWELL_API TTickList {
 public:
  void Clear() { count_ = 0; }
  void Add(double value) {
    if (count_ < MaxRecordedTicks) values_[size_t(count_++)] = value;
  }
  int Count() const { return count_; }
  // The index-th recorded tick, 1-based; 0 when index is below 1 or above
  // Count().
  double Pos(int index) const { return index >= 1 && index <= count_ ? values_[size_t(index - 1)] : 0.0; }
  std::span<const double> Values() const { return {values_.data(), size_t(count_)}; }

 private:
  std::array<double, MaxRecordedTicks> values_{};
  int count_ = 0;
};

}  // namespace korvo
