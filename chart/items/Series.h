// A series: a compact store of points that a chart draws as one item
// (DrawSeries, MarkSeries), so that millions of points cost 16 bytes each
// instead of an item record each.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "platform/Export.h"

namespace korvo {

class TPwSeries;
// Series are held by shared pointers: the program that fills one, every
// chart whose lists draw it and a chart copied by Assign hold the same
// points; the last reference to go frees them.
using TPwSeriesRef = std::shared_ptr<TPwSeries>;

// The shape of a series chunk's min/max pyramid (see TPwSeries::TChunk).
namespace series_pyramid {
constexpr int ChunkBits = 16;
constexpr int Levels = 6;
constexpr int LevelBits(int level) { return 4 + 2 * level; }
constexpr int64_t LevelStart(int level) {
  int64_t start = 0;
  for (int l = 0; l < level; ++l) start += (int64_t(1) << ChunkBits) >> LevelBits(l);
  return start;
}
}  // namespace series_pyramid

// The points of one series, in the order they were given.
//
// Two forms, fixed when the series is made:
//   x/y      (Create)         each point keeps its x and y: 16 bytes a point;
//   uniform  (CreateUniform)  only y is kept; point k has x = XStart + k *
//                             XStep, k counting from the first point given
//                             after the series was made or cleared, dropped
//                             points included (so a scrolling signal keeps
//                             its x): 8 bytes a point.
// Beside the points the series keeps a min/max pyramid of y over blocks of
// 16 points and four times as many at each level above (64, 256, ... 16384)
// up to chunks of 65536 (about 1.3 bytes a point), which lets a chart find
// the lowest and highest y of any index range in about log n steps.
// Appending keeps it current in constant time a point.
//
// Capacity. 0 (the default) keeps every point; a positive capacity makes a
// scrolling window: when a point would exceed it, the oldest point drops.
// Setting a capacity below Count drops the oldest points at once.
//
// Non-finite values are stored as given; a chart breaks the line at a point
// whose x or y is NaN or infinite (see DrawSeries).
//
// Errors. Arrays of different lengths, a negative capacity, or more points
// than memory can hold raise EKorvoPlotwellError naming what was wrong, and
// leave the series as it was.
//
// A series is not safe to change from one thread while another draws it:
// fill it from the thread that shows the chart, as with items.
class PLOTWELL_API TPwSeries {
 public:
  // Points per chunk, and the block sizes of the pyramid.
  static constexpr int ChunkBits = series_pyramid::ChunkBits;
  static constexpr int64_t ChunkSize = int64_t(1) << ChunkBits;
  static constexpr int64_t MaxCount = int64_t(1) << 40;

  // An empty x/y series.
  static TPwSeriesRef Create();
  // An empty uniform series; a non-finite start or step raises
  // EKorvoPlotwellError.
  static TPwSeriesRef CreateUniform(double xStart, double xStep);

  TPwSeries(const TPwSeries&) = delete;
  TPwSeries& operator=(const TPwSeries&) = delete;
  ~TPwSeries();

  bool Uniform() const { return uniform_; }
  double XStart() const { return x_start_; }
  double XStep() const { return x_step_; }

  // The number of points held.
  int64_t Count() const { return count_; }
  // Point i, 0 <= i < Count (not checked).
  double X(int64_t i) const {
    const int64_t k = first_ + i;
    return uniform_ ? x_start_ + double(dropped_ + i) * x_step_ : chunks_[size_t(k >> ChunkBits)]->x->v[k & ChunkMask];
  }
  double Y(int64_t i) const {
    const int64_t k = first_ + i;
    return chunks_[size_t(k >> ChunkBits)]->y[k & ChunkMask];
  }

  // The points from i to the end of i's chunk or of the series, stored one
  // after the other: their number, with `x` (null for a uniform series) and
  // `y` pointing at point i (0 <= i < Count, not checked).
  int64_t Contiguous(int64_t i, const double*& x, const double*& y) const {
    const int64_t k = first_ + i;
    const TChunk& c = *chunks_[size_t(k >> ChunkBits)];
    x = uniform_ ? nullptr : c.x->v + (k & ChunkMask);
    y = c.y + (k & ChunkMask);
    return std::min<int64_t>(ChunkSize - (k & ChunkMask), count_ - i);
  }

  // Asks the processor for what a search and a YRange around point i will
  // read (its x, the y and the pyramid blocks about it), so that a loop over
  // pixel columns can ask for the next columns' data while it works on one.
  void Prefetch(int64_t i) const {
    if (i < 0 || i >= count_) return;
    const int64_t k = first_ + i;
    const TChunk& c = *chunks_[size_t(k >> ChunkBits)];
    const int64_t p = k & ChunkMask;
    if (!uniform_) __builtin_prefetch(c.x->v + p);
    // The block of 16 y about p (two lines) and, on each level, the four
    // entries that YRange scans about it (one line).
    const double* y = c.y + (p & ~int64_t(15));
    __builtin_prefetch(y);
    __builtin_prefetch(y + 8);
    for (int level = 0; level < Levels; ++level) {
      __builtin_prefetch(c.tree + LevelStart(level) + ((p >> LevelBits(level)) & ~int64_t(3)));
    }
  }

  // True when every x is finite and no x is smaller than the one before:
  // the chart then finds the points of a pixel column by search and draws a
  // frame in about columns x log n steps. Always true for a uniform series
  // with a step >= 0.
  bool XSorted() const { return uniform_ ? x_step_ >= 0 : (unsorted_pairs_ == 0 && nonfinite_x_ == 0); }

  int64_t Capacity() const { return capacity_; }
  void SetCapacity(int64_t capacity);

  // Replaces the points. x/y: SetData(x, y) with x and y of one length;
  // uniform: SetData(y) (the first point then has k = 0 again).
  void SetData(std::span<const double> x, std::span<const double> y);
  void SetData(std::span<const double> y);
  // Appends points at the end (x/y: Append(x, y) or Append(xs, ys);
  // uniform: Append(y) or Append(ys)). Using the other form's call raises
  // EKorvoPlotwellError.
  void Append(double x, double y);
  void Append(double y);
  void Append(std::span<const double> x, std::span<const double> y);
  void Append(std::span<const double> y);
  // Removes every point (memory released); a uniform series starts again at
  // k = 0.
  void Clear();

  // The lowest and highest y of the points first..last-1 (0 <= first < last <= Count). False when one of
  // them is NaN or infinite (the range then holds a break in the line).
  bool YRange(int64_t first, int64_t last, double& low, double& high) const;

  // The bytes the series holds (points, pyramid, chunk tables).
  size_t MemoryBytes() const;

 private:
  static constexpr int64_t ChunkMask = ChunkSize - 1;
  // Lowest and highest y of a block; Low is NaN when the block holds a
  // non-finite y.
  struct TMinMax {
    double Low, High;
  };
  // The pyramid of a chunk: level 0 has an entry a block of 16 points,
  // each level above an entry for four of the level below, up to level 5
  // (blocks of 16384 points, four entries); `all` covers the chunk. Four
  // entries are one cache line, so a range's edge costs one line a level.
  static constexpr int Levels = series_pyramid::Levels;
  static constexpr int LevelBits(int level) { return series_pyramid::LevelBits(level); }
  static constexpr int64_t LevelStart(int level) { return series_pyramid::LevelStart(level); }
  // Every array starts on a cache line, so that a block of 16 points (or
  // four pyramid entries) spans a known number of lines: the ones Prefetch
  // asks for.
  struct alignas(64) TXs {
    double v[ChunkSize];
  };
  struct alignas(64) TChunk {
    std::unique_ptr<TXs> x;  // x/y series only
    alignas(64) double y[ChunkSize];
    alignas(64) TMinMax tree[series_pyramid::LevelStart(series_pyramid::Levels)];
    TMinMax all;
  };

  TPwSeries(bool uniform, double xStart, double xStep);
  TPwSeries& operator=(TPwSeries&&) = default;  // SetData builds afresh, then moves in

  // Makes room for `more` points at the end (chunks allocated up front, so
  // a failure changes nothing); raises EKorvoPlotwellError.
  void Reserve(int64_t more);
  std::unique_ptr<TChunk> NewChunk();
  // Stores one point at the end (room reserved) and updates the pyramid.
  void Put(double x, double y);
  // Stores n points at the end (room reserved) and folds the blocks they
  // fall in again: the bulk form of Put (x null for a uniform series).
  void PutMany(const double* x, const double* y, int64_t n);
  // SetData and Append once the form and lengths are checked; x is null for
  // a uniform series.
  void Replace(const double* x, std::span<const double> y);
  void AppendPoints(const double* x, std::span<const double> y);
  // Drops the oldest points until Count <= `limit`.
  void DropTo(int64_t limit);
  void CheckForm(bool wantUniform, const char* call) const;
  static void CheckLengths(size_t nx, size_t ny);
  // The pair (k - 1, k) of stored positions is out of order (or not finite).
  bool Descends(int64_t k) const;

  bool uniform_;
  double x_start_, x_step_;
  std::vector<std::unique_ptr<TChunk>> chunks_;
  std::unique_ptr<TChunk> spare_;  // a dropped chunk kept for the next
  int64_t first_ = 0;    // stored position of point 0 within chunks_[0]
  int64_t count_ = 0;
  int64_t dropped_ = 0;  // points dropped since the series was made or cleared
  int64_t capacity_ = 0;
  int64_t unsorted_pairs_ = 0;  // neighbours with !(x[k-1] <= x[k])
  int64_t nonfinite_x_ = 0;
};

}  // namespace korvo
