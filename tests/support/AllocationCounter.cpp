#include "support/AllocationCounter.h"

#include <malloc.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <new>

namespace {
std::atomic<bool> g_counting{false};
std::atomic<long> g_allocations{0};
std::atomic<bool> g_measuring{false};
std::atomic<long long> g_live{0};
std::atomic<long long> g_peak{0};

void NoteBytes(void* p, long long sign) {
  if (p == nullptr || !g_measuring.load(std::memory_order_relaxed)) return;
  const long long live = g_live.fetch_add(sign * (long long)malloc_usable_size(p)) + sign * (long long)malloc_usable_size(p);
  long long peak = g_peak.load();
  while (live > peak && !g_peak.compare_exchange_weak(peak, live)) {
  }
}
}  // namespace

// The replacement pair uses malloc and free on purpose.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"

void* operator new(std::size_t n) {
  if (g_counting.load(std::memory_order_relaxed)) g_allocations.fetch_add(1, std::memory_order_relaxed);
  if (void* p = std::malloc(n != 0 ? n : 1)) {
    NoteBytes(p, +1);
    return p;
  }
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept {
  NoteBytes(p, -1);
  std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
  NoteBytes(p, -1);
  std::free(p);
}

namespace korvo::test {

long AllocationsDuring(const std::function<void()>& f) {
  g_allocations = 0;
  g_counting = true;
  f();
  g_counting = false;
  return g_allocations.load();
}

long long PeakHeapGrowthDuring(const std::function<void()>& f) {
  g_live = 0;
  g_peak = 0;
  g_measuring = true;
  f();
  g_measuring = false;
  return g_peak.load();
}

}  // namespace korvo::test
