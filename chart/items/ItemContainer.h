// A growable array of chart items that grows by a fixed step.
#pragma once

#include <cstdint>
#include <span>

#include "chart/items/ChartItem.h"
#include "platform/Export.h"

namespace korvo {

// One display list: Count items in one contiguous block of Capacity slots.
//
// Growth is by a fixed step, never by doubling: Append on a full list adds
// `step` slots (a chart passes its AllocSize), so memory follows the item
// count closely and a chart expecting many items should be given a large
// step. Growing keeps every item and its index; it is the only time the list
// allocates. The block is reallocated in place where the allocator can
// (large blocks are remapped rather than copied).
//
// Invariants: 0 <= Count <= Capacity <= 2147483647; only indices
// 0..Count-1 hold items (the slots beyond are not readable through this
// class). An empty list after construction or Clear holds no storage.
class PLOTWELL_API TPwItemContainer {
 public:
  TPwItemContainer() = default;
  ~TPwItemContainer();
  TPwItemContainer(const TPwItemContainer&) = delete;
  TPwItemContainer& operator=(const TPwItemContainer&) = delete;
  TPwItemContainer(TPwItemContainer&& other) noexcept;
  TPwItemContainer& operator=(TPwItemContainer&& other) noexcept;

  int32_t Count() const { return count_; }
  int32_t Capacity() const { return capacity_; }
  bool Empty() const { return count_ == 0; }

  // Item `index`, 0..Count-1 (not checked: this is the renderer's loop).
  const TpwChartItem& operator[](int32_t index) const { return items_[index]; }
  TpwChartItem& operator[](int32_t index) { return items_[index]; }
  std::span<const TpwChartItem> Items() const { return {items_, size_t(count_)}; }
  std::span<TpwChartItem> Items() { return {items_, size_t(count_)}; }
  const TpwChartItem* begin() const { return items_; }
  const TpwChartItem* end() const { return items_ + count_; }

  // Appends one item with every field 0 and returns it for filling. A full
  // list first grows by `step` slots (step >= 1). Raises std::bad_alloc when
  // the memory cannot be had and EKorvoPlotwellError when the list would
  // exceed 2147483647 items; in both cases the list is left as it was.
  TpwChartItem& Append(int32_t step) {
    if (count_ >= capacity_) Grow(step);
    TpwChartItem* item = items_ + count_;
    *item = TpwChartItem{};
    ++count_;
    return *item;
  }

  // Empties the list: count 0, storage released, capacity 0.
  void Clear();

  // Makes this list a copy of `source` with capacity
  // step * (source.Count div step + 1), the capacity a chart copy records.
  void CopyFrom(const TPwItemContainer& source, int32_t step);

 private:
  void Grow(int32_t step);
  void Reallocate(int32_t capacity);

  TpwChartItem* items_ = nullptr;
  int32_t count_ = 0;
  int32_t capacity_ = 0;
};

}  // namespace korvo
