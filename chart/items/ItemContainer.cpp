#include "chart/items/ItemContainer.h"

#include <cstdlib>
#include <cstring>
#include <limits>
#include <new>
#include <utility>

#include "base/korvobase.h"

namespace korvo {

namespace {
constexpr int32_t MaxItems = std::numeric_limits<int32_t>::max();
}

TPwItemContainer::~TPwItemContainer() { std::free(items_); }

TPwItemContainer::TPwItemContainer(TPwItemContainer&& other) noexcept
    : items_(std::exchange(other.items_, nullptr)),
      count_(std::exchange(other.count_, 0)),
      capacity_(std::exchange(other.capacity_, 0)) {}

TPwItemContainer& TPwItemContainer::operator=(TPwItemContainer&& other) noexcept {
  if (this != &other) {
    std::free(items_);
    items_ = std::exchange(other.items_, nullptr);
    count_ = std::exchange(other.count_, 0);
    capacity_ = std::exchange(other.capacity_, 0);
  }
  return *this;
}

void TPwItemContainer::Grow(int32_t step) {
  if (step < 1) step = 1;
  if (capacity_ == MaxItems) {
    throw EKorvoPlotwellError("An item list cannot hold more than 2147483647 items");
  }
  Reallocate(capacity_ > MaxItems - step ? MaxItems : capacity_ + step);
}

// Items are trivially copyable, so the block may move with realloc, which
// remaps large blocks instead of copying them.
void TPwItemContainer::Reallocate(int32_t capacity) {
  void* block = std::realloc(items_, size_t(capacity) * sizeof(TpwChartItem));
  if (block == nullptr) throw std::bad_alloc();
  items_ = static_cast<TpwChartItem*>(block);
  capacity_ = capacity;
}

void TPwItemContainer::Clear() {
  std::free(items_);
  items_ = nullptr;
  count_ = 0;
  capacity_ = 0;
}

void TPwItemContainer::CopyFrom(const TPwItemContainer& source, int32_t step) {
  if (&source == this) return;
  if (step < 1) step = 1;
  const int64_t wanted = int64_t(step) * (source.count_ / step + 1);
  const int32_t capacity = wanted > MaxItems ? MaxItems : int32_t(wanted);
  void* block = std::malloc(size_t(capacity) * sizeof(TpwChartItem));
  if (block == nullptr) throw std::bad_alloc();
  if (source.count_ > 0) std::memcpy(block, source.items_, size_t(source.count_) * sizeof(TpwChartItem));
  std::free(items_);
  items_ = static_cast<TpwChartItem*>(block);
  count_ = source.count_;
  capacity_ = capacity;
}

}  // namespace korvo
