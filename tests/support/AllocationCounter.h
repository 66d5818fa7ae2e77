// Counts the heap allocations a piece of code makes. Every test program
// replaces the global operator new with a counting one (AllocationCounter.cpp);
// it counts only inside AllocationsDuring.
#pragma once

#include <functional>

namespace korvo::test {

// How many times operator new ran while f ran.
long AllocationsDuring(const std::function<void()>& f);

// The most heap memory that f held at once beyond what was held when it
// started, in bytes as the allocator gives them (operator new only; memory
// f frees that was taken before counts against it).
long long PeakHeapGrowthDuring(const std::function<void()>& f);

}  // namespace korvo::test
