// The data and the view of the series benchmarks, shared by our side
// (series_bench.cpp) and the QCustomPlot peer (series_qcp_bench.cpp), so
// both draw the same points into the same chart size.
//
// A walk starts at (0, 0); each step is uniform in [-1, 1), drawn from a
// 64-bit Mersenne Twister with a fixed seed and mapped to a double by its
// top 53 bits, so the numbers do not depend on the standard library's
// distributions. The first n points of a walk are the same for every length
// asked for.
#pragma once

#include <cstddef>
#include <vector>

namespace korvo::bench {

// The chart both sides draw into, in pixels.
inline constexpr int SeriesWidth = 1000;
inline constexpr int SeriesHeight = 800;

struct TWalk {
  std::vector<double> X, Y;
};

// x = 0, 1, 2, ..., n - 1 (ascending, as a time series); y a random walk.
// Generated on first use and kept for the life of the process: asking
// again for the same n costs a lookup and returns the same object. Memory
// is 16 bytes a point (100M points: 1.6 GB), held only for the lengths
// asked for.
const TWalk& SortedWalk(size_t n);

// x and y both random walks with independent steps, so the line runs back
// over itself in every direction (no order in x to exploit). Cached like
// SortedWalk.
const TWalk& TangledWalk(size_t n);

// The smallest ranges that hold every point of a walk: XMin..XMax and
// YMin..YMax are the extremes of X and Y (one point gives zero-width
// ranges, an empty walk all zeros). One pass over the points.
struct TWalkRange {
  double XMin, XMax, YMin, YMax;
};
TWalkRange WalkRange(const TWalk& walk);

}  // namespace korvo::bench
