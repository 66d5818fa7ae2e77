#include "chart/items/Series.h"

#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>
#include <new>
#include <string>

#include "base/korvobase.h"

namespace korvo {
namespace {

constexpr double NaN = std::numeric_limits<double>::quiet_NaN();

[[noreturn]] void Fail(const std::string& what) { throw EKorvoPlotwellError("Series: " + what); }

std::string Gigabytes(double bytes) {
  char text[32];
  std::snprintf(text, sizeof text, "%.1f GB", bytes / 1e9);
  return text;
}

}  // namespace

TPwSeries::TPwSeries(bool uniform, double xStart, double xStep)
    : uniform_(uniform), x_start_(xStart), x_step_(xStep) {}

TPwSeries::~TPwSeries() = default;

TPwSeriesRef TPwSeries::Create() { return TPwSeriesRef(new TPwSeries(false, 0, 0)); }

TPwSeriesRef TPwSeries::CreateUniform(double xStart, double xStep) {
  if (!std::isfinite(xStart) || !std::isfinite(xStep)) {
    Fail("a uniform series needs a finite start and step (got " + std::to_string(xStart) + " and " +
         std::to_string(xStep) + ")");
  }
  return TPwSeriesRef(new TPwSeries(true, xStart, xStep));
}

// ---- checks ---------------------------------------------------------------------------

void TPwSeries::CheckForm(bool wantUniform, const char* call) const {
  if (wantUniform == uniform_) return;
  Fail(std::string(call) + (uniform_ ? " with x values is for x/y series; this series is uniform (give y only)"
                                     : " with y only is for uniform series; this series keeps x and y"));
}

void TPwSeries::CheckLengths(size_t nx, size_t ny) {
  if (nx != ny) Fail("x has " + std::to_string(nx) + " values but y has " + std::to_string(ny));
}

void TPwSeries::SetCapacity(int64_t capacity) {
  if (capacity < 0) Fail("the capacity must be 0 (no limit) or positive, not " + std::to_string(capacity));
  capacity_ = capacity;
  if (capacity_ > 0) DropTo(capacity_);
}

// ---- storage --------------------------------------------------------------------------

std::unique_ptr<TPwSeries::TChunk> TPwSeries::NewChunk() {
  if (spare_ != nullptr) return std::move(spare_);
  auto chunk = std::make_unique_for_overwrite<TChunk>();
  if (!uniform_) chunk->x = std::make_unique_for_overwrite<TXs>();
  return chunk;
}

void TPwSeries::Reserve(int64_t more) {
  const int64_t end = first_ + count_ + more;  // one past the last stored position needed
  if (count_ + more > MaxCount) {
    Fail("cannot hold " + std::to_string(count_ + more) + " points (at most " + std::to_string(MaxCount) + ")");
  }
  const int64_t chunks = (end + ChunkSize - 1) >> ChunkBits;
  const int64_t missing = chunks - int64_t(chunks_.size());
  if (missing <= 0) return;
  // More than the machine's memory would only thrash: refuse it up front.
  const double bytes = double(missing) * double(sizeof(TChunk) + (uniform_ ? 0 : ChunkSize * sizeof(double)));
  const double physical = double(sysconf(_SC_PHYS_PAGES)) * double(sysconf(_SC_PAGESIZE));
  if (physical > 0 && bytes > physical) {
    Fail("cannot hold " + std::to_string(count_ + more) + " points: they need " + Gigabytes(bytes) +
         " more, beyond this machine's " + Gigabytes(physical) + " of memory");
  }
  const size_t before = chunks_.size();
  try {
    chunks_.reserve(size_t(chunks));
    for (int64_t i = 0; i < missing; ++i) chunks_.push_back(NewChunk());
  } catch (const std::bad_alloc&) {
    chunks_.resize(before);
    Fail("out of memory for " + std::to_string(count_ + more) + " points");
  }
}

bool TPwSeries::Descends(int64_t k) const {
  const double a = chunks_[size_t((k - 1) >> ChunkBits)]->x->v[(k - 1) & ChunkMask];
  const double b = chunks_[size_t(k >> ChunkBits)]->x->v[k & ChunkMask];
  return !(a <= b);
}

namespace {

// Folds y into a pyramid block; `start` begins the block afresh. A NaN Low
// marks a block that holds a non-finite y, and stays.
inline void Fold(double& low, double& high, bool start, double y) {
  if (start) {
    low = std::isfinite(y) ? y : NaN;
    high = y;
    return;
  }
  if (std::isnan(low)) return;
  if (!std::isfinite(y)) {
    low = NaN;
    return;
  }
  low = std::min(low, y);
  high = std::max(high, y);
}

}  // namespace

void TPwSeries::Put(double x, double y) {
  const int64_t k = first_ + count_;
  TChunk& c = *chunks_[size_t(k >> ChunkBits)];
  const int64_t p = k & ChunkMask;
  c.y[p] = y;
  if (!uniform_) {
    c.x->v[p] = x;
    if (!std::isfinite(x)) ++nonfinite_x_;
    if (count_ > 0 && Descends(k)) ++unsorted_pairs_;
  }
  for (int level = 0; level < Levels; ++level) {
    const int bits = LevelBits(level);
    TMinMax& e = c.tree[LevelStart(level) + (p >> bits)];
    Fold(e.Low, e.High, (p & ((int64_t(1) << bits) - 1)) == 0, y);
  }
  Fold(c.all.Low, c.all.High, p == 0, y);
  ++count_;
}

namespace {

// Lowest and highest of the block entries in[0..n), NaN Low when any is NaN.
template <class TMinMax>
TMinMax FoldBlocks(const TMinMax* in, int64_t n) {
  double lo = in[0].Low, hi = in[0].High;
  bool bad = std::isnan(lo);
  for (int64_t i = 1; i < n; ++i) {
    bad |= std::isnan(in[i].Low);
    lo = in[i].Low < lo ? in[i].Low : lo;
    hi = in[i].High > hi ? in[i].High : hi;
  }
  return TMinMax{bad ? NaN : lo, hi};
}

}  // namespace

void TPwSeries::PutMany(const double* x, const double* y, int64_t n) {
  while (n > 0) {
    const int64_t k = first_ + count_;
    TChunk& c = *chunks_[size_t(k >> ChunkBits)];
    const int64_t p0 = k & ChunkMask;
    const int64_t m = std::min(n, ChunkSize - p0), p1 = p0 + m;
    std::copy_n(y, m, c.y + p0);
    if (!uniform_) {
      std::copy_n(x, m, c.x->v + p0);
      int64_t bad = 0, down = 0;
      for (int64_t i = 0; i < m; ++i) bad += !(x[i] - x[i] == 0);
      for (int64_t i = 1; i < m; ++i) down += !(x[i - 1] <= x[i]);
      nonfinite_x_ += bad;
      unsorted_pairs_ += down + (count_ > 0 && Descends(k));
      x += m;
    }
    // The blocks the new points fall in, folded again from what they hold
    // (a block's points beyond p1 are not written yet and stay out).
    TMinMax* const l0 = c.tree;
    for (int64_t b = p0 >> LevelBits(0); b <= (p1 - 1) >> LevelBits(0); ++b) {
      const double* v = c.y + (b << LevelBits(0));
      const int64_t len = std::min<int64_t>(int64_t(1) << LevelBits(0), p1 - (b << LevelBits(0)));
      double lo = v[0], hi = v[0];
      bool bad = !(v[0] - v[0] == 0);
      for (int64_t i = 1; i < len; ++i) {
        bad |= !(v[i] - v[i] == 0);
        lo = v[i] < lo ? v[i] : lo;
        hi = v[i] > hi ? v[i] : hi;
      }
      l0[b] = TMinMax{bad ? NaN : lo, hi};
    }
    for (int level = 1; level < Levels; ++level) {
      const int bits = LevelBits(level), inBits = LevelBits(level - 1);
      TMinMax* out = c.tree + LevelStart(level);
      const TMinMax* in = c.tree + LevelStart(level - 1);
      for (int64_t b = p0 >> bits; b <= (p1 - 1) >> bits; ++b) {
        const int64_t from = (b << bits) >> inBits, to = ((p1 - 1) >> inBits) + 1;
        out[b] = FoldBlocks(in + from, std::min<int64_t>(from + (int64_t(1) << (bits - inBits)), to) - from);
      }
    }
    const int topBits = LevelBits(Levels - 1);
    c.all = FoldBlocks(c.tree + LevelStart(Levels - 1), ((p1 - 1) >> topBits) + 1);
    count_ += m;
    y += m;
    n -= m;
  }
}

void TPwSeries::DropTo(int64_t limit) {
  limit = std::max<int64_t>(limit, 0);
  if (count_ <= limit) return;
  const int64_t n = count_ - limit;
  if (!uniform_) {
    for (int64_t i = 0; i < n; ++i) {
      const int64_t k = first_ + i;
      if (!std::isfinite(chunks_[size_t(k >> ChunkBits)]->x->v[k & ChunkMask])) --nonfinite_x_;
      if (i + 1 < count_ && Descends(k + 1)) --unsorted_pairs_;
    }
  }
  first_ += n;
  count_ -= n;
  dropped_ += n;
  const int64_t whole = first_ >> ChunkBits;  // chunks now wholly dropped
  if (whole > 0) {
    spare_ = std::move(chunks_[0]);
    chunks_.erase(chunks_.begin(), chunks_.begin() + whole);
    first_ &= ChunkMask;
  }
}

void TPwSeries::Clear() {
  chunks_.clear();
  chunks_.shrink_to_fit();
  spare_.reset();
  first_ = count_ = dropped_ = 0;
  unsorted_pairs_ = nonfinite_x_ = 0;
}

// ---- filling --------------------------------------------------------------------------

// x is null for a uniform series (the caller has checked the form and the
// lengths).
void TPwSeries::Replace(const double* x, std::span<const double> y) {
  const size_t skip = capacity_ > 0 && y.size() > size_t(capacity_) ? y.size() - size_t(capacity_) : 0;
  TPwSeries fresh(uniform_, x_start_, x_step_);
  fresh.capacity_ = capacity_;
  fresh.Reserve(int64_t(y.size() - skip));  // may fail: nothing has changed yet
  fresh.PutMany(x == nullptr ? nullptr : x + skip, y.data() + skip, int64_t(y.size() - skip));
  fresh.dropped_ = int64_t(skip);
  *this = std::move(fresh);
}

void TPwSeries::AppendPoints(const double* x, std::span<const double> y) {
  const int64_t n = int64_t(y.size());
  // Points beyond the capacity that would drop at once are not stored.
  const int64_t skip = capacity_ > 0 && n > capacity_ ? n - capacity_ : 0;
  Reserve(n - skip);  // may fail: nothing has changed yet
  if (capacity_ > 0) DropTo(capacity_ - (n - skip));
  if (skip > 0) dropped_ += skip;
  if (n - skip < 64) {
    for (int64_t i = skip; i < n; ++i) Put(x == nullptr ? 0 : x[i], y[size_t(i)]);
  } else {
    PutMany(x == nullptr ? nullptr : x + skip, y.data() + skip, n - skip);
  }
}

void TPwSeries::SetData(std::span<const double> x, std::span<const double> y) {
  CheckForm(false, "SetData");
  CheckLengths(x.size(), y.size());
  Replace(x.data(), y);
}

void TPwSeries::SetData(std::span<const double> y) {
  CheckForm(true, "SetData");
  Replace(nullptr, y);
}

void TPwSeries::Append(double x, double y) { Append(std::span<const double>(&x, 1), std::span<const double>(&y, 1)); }

void TPwSeries::Append(double y) { Append(std::span<const double>(&y, 1)); }

void TPwSeries::Append(std::span<const double> x, std::span<const double> y) {
  CheckForm(false, "Append");
  CheckLengths(x.size(), y.size());
  AppendPoints(x.data(), y);
}

void TPwSeries::Append(std::span<const double> y) {
  CheckForm(true, "Append");
  AppendPoints(nullptr, y);
}

// ---- reading --------------------------------------------------------------------------

namespace {

// Folds points or blocks [from, to) into lo, hi; false when one is not
// finite (a block with a NaN Low). Plain loops, so that the compiler keeps
// them branch-free.
inline bool FoldPoints(const double* y, int64_t from, int64_t to, double& lo, double& hi) {
  bool bad = false;
  for (int64_t i = from; i < to; ++i) {
    bad |= !(y[i] - y[i] == 0);
    lo = y[i] < lo ? y[i] : lo;
    hi = y[i] > hi ? y[i] : hi;
  }
  return !bad;
}

template <class TMinMax>
inline bool FoldRange(const TMinMax* b, int64_t from, int64_t to, double& lo, double& hi) {
  bool bad = false;
  for (int64_t i = from; i < to; ++i) {
    bad |= std::isnan(b[i].Low);
    lo = b[i].Low < lo ? b[i].Low : lo;
    hi = b[i].High > hi ? b[i].High : hi;
  }
  return !bad;
}

}  // namespace

bool TPwSeries::YRange(int64_t first, int64_t last, double& low, double& high) const {
  double lo = std::numeric_limits<double>::infinity(), hi = -lo;
  int64_t k = first_ + first;
  const int64_t end = first_ + last;
  while (k < end) {
    const TChunk& c = *chunks_[size_t(k >> ChunkBits)];
    const int64_t a = k & ChunkMask;
    const int64_t b = std::min<int64_t>(ChunkSize, a + (end - k));
    k += b - a;
    if (a == 0 && b == ChunkSize) {
      if (!FoldRange(&c.all, 0, 1, lo, hi)) return false;
      continue;
    }
    // Edges of the range rounded inwards to each level's blocks; the top
    // level is the largest whose blocks fit in whole. Each level below it
    // takes its blocks between its edges and the next level's, on both
    // sides.
    // Level 0 here is the points themselves, level l + 1 the pyramid's
    // level l.
    constexpr int Depth = Levels + 1;
    const auto bitsOf = [](int level) { return level == 0 ? 0 : LevelBits(level - 1); };
    int64_t left[Depth], right[Depth];
    int top = 0;
    for (int level = 0; level < Depth; ++level) {
      const int bits = bitsOf(level);
      left[level] = ((a + (int64_t(1) << bits) - 1) >> bits) << bits;
      right[level] = (b >> bits) << bits;
      if (left[level] < right[level]) top = level;
    }
    const auto fold = [&](int level, int64_t from, int64_t to) {
      const int bits = bitsOf(level);
      from >>= bits;
      to >>= bits;
      if (level == 0) return FoldPoints(c.y, from, to, lo, hi);
      return FoldRange(c.tree + LevelStart(level - 1), from, to, lo, hi);
    };
    if (top == 0) {
      if (!FoldPoints(c.y, a, b, lo, hi)) return false;
      continue;
    }
    bool ok = fold(top, left[top], right[top]);
    for (int level = 0; level < top; ++level) {
      ok &= fold(level, left[level], left[level + 1]);
      ok &= fold(level, right[level + 1], right[level]);
    }
    if (!ok) return false;
  }
  low = lo;
  high = hi;
  return true;
}

size_t TPwSeries::MemoryBytes() const {
  const size_t chunk = sizeof(TChunk) + (uniform_ ? 0 : ChunkSize * sizeof(double));
  return sizeof(*this) + chunks_.capacity() * sizeof(chunks_[0]) + (chunks_.size() + (spare_ ? 1 : 0)) * chunk;
}

}  // namespace korvo
