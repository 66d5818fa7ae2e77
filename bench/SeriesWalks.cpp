#include "bench/SeriesWalks.h"

#include <algorithm>
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <random>

namespace korvo::bench {
namespace {

constexpr std::uint64_t kSortedSeed = 20240611;
constexpr std::uint64_t kTangledSeed = 20240612;

// Uniform in [-1, 1): the top 53 bits as a fraction of 2^53, doubled, less one.
double Step(std::mt19937_64& rng) { return double(rng() >> 11) * 0x1p-52 - 1.0; }

TWalk MakeSorted(size_t n) {
  TWalk w;
  w.X.resize(n);
  w.Y.resize(n);
  std::mt19937_64 rng(kSortedSeed);
  double y = 0;
  for (size_t i = 0; i < n; ++i) {
    w.X[i] = double(i);
    w.Y[i] = y;
    y += Step(rng);
  }
  return w;
}

TWalk MakeTangled(size_t n) {
  TWalk w;
  w.X.resize(n);
  w.Y.resize(n);
  std::mt19937_64 rng(kTangledSeed);
  double x = 0, y = 0;
  for (size_t i = 0; i < n; ++i) {
    w.X[i] = x;
    w.Y[i] = y;
    x += Step(rng);
    y += Step(rng);
  }
  return w;
}

// One cache per kind of walk; the map's nodes never move, so the references
// handed out stay valid for the life of the process.
const TWalk& Cached(std::map<size_t, std::unique_ptr<TWalk>>& cache, size_t n, TWalk (*make)(size_t)) {
  static std::mutex mutex;
  std::lock_guard lock(mutex);
  std::unique_ptr<TWalk>& slot = cache[n];
  if (!slot) slot = std::make_unique<TWalk>(make(n));
  return *slot;
}

}  // namespace

const TWalk& SortedWalk(size_t n) {
  static std::map<size_t, std::unique_ptr<TWalk>> cache;
  return Cached(cache, n, MakeSorted);
}

const TWalk& TangledWalk(size_t n) {
  static std::map<size_t, std::unique_ptr<TWalk>> cache;
  return Cached(cache, n, MakeTangled);
}

TWalkRange WalkRange(const TWalk& walk) {
  if (walk.X.empty()) return TWalkRange{0, 0, 0, 0};
  const auto [xmin, xmax] = std::minmax_element(walk.X.begin(), walk.X.end());
  const auto [ymin, ymax] = std::minmax_element(walk.Y.begin(), walk.Y.end());
  return TWalkRange{*xmin, *xmax, *ymin, *ymax};
}

}  // namespace korvo::bench
