// The outline walk of ellipses and arcs with 1-pixel pens. Internal to the
// canvas figures.
//
// For a box of w x h pixels (w, h >= 3) let a = w - 1 and b = h - 1, and
// measure pixel centres in doubled units from the centre of the box:
// X = 2x - (2 X1 + a), Y = 2y - (2 Y1 + b). The walk looks for the curve
// F(X, Y) = b^2 X^2 + a^2 Y^2 - a^2 b^2 = 0 (the ellipse through the centres
// of the four extreme pixels of the box). It starts at the side column
// (X = -a) on the middle row (Y = 0, or Y = 1 for even heights) and moves
// one quadrant outwards to the top row. From the pixel (X, Y) it steps
//   - one row outwards when F(X+2, Y+2) + F(X+2, Y) <= 0,
//   - one column inwards when F(X+2, Y+2) + F(X, Y+2) >= 0,
// both at once when both hold, and it ends when it passes the centre column.
// Where it ends below the top row (narrow tall boxes) the last column runs
// on straight to the top row, so the figure always reaches all four sides
// of its box. The other three quadrants are mirror images.
//
// The quadrant is kept as rows: row j (0 = the middle row, or the upper of
// the two middle rows, counting outwards) holds the pixels i = First..Last,
// i counted inwards from the side column. On every row First is the
// outermost pixel, so the figure's row y spans the box's side columns moved
// inwards by First.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace korvo::raster {

// The largest box side the walk handles; larger figures use the row rule of
// Ellipse.cpp (their outline would be longer than any surface anyway).
constexpr int64_t kMaxWalkSide = int64_t(1) << 18;

struct EllipseQuadrant {
  int64_t W = 0, H = 0;        // the box
  int64_t Rows = 0;            // rows 0..Rows-1; the last one is the top row
  const int64_t* Runs = nullptr;  // First, Last of each row

  size_t At = 0;               // where the rows start in the store
  void Point(const std::vector<int64_t>& store) { Runs = store.data() + At; }
  size_t End() const { return At + size_t(2 * Rows); }
  int64_t First(int64_t j) const { return Runs[2 * j]; }
  int64_t Last(int64_t j) const { return Runs[2 * j + 1]; }
};

// Walks the quadrant of a w x h box (3 <= w, h <= kMaxWalkSide) into store
// from index `at` on (store keeps its memory for the next figure). The
// result points into store: walk every quadrant of a figure first, then
// call Point() on each.
EllipseQuadrant WalkEllipseQuadrant(int64_t w, int64_t h, std::vector<int64_t>& store, size_t at = 0);

// The outline pixels of a box in counter-clockwise order as seen on the
// screen: from the right end of the middle row (the upper middle row for
// even heights) up the upper right quadrant to the top, along the upper left
// quadrant to the left side, down and round through the lower quadrants back
// to the start. Each pixel comes once, but for the middle row of an odd
// height: the lower quadrants walk it again from the pixel after its left
// end, and back to the pixel before its right end. Calls
// visit(x, y, px, py, lower) for each, where (x, y) is the pixel, (px, py)
// its lattice position from the centre: px = +-(floor(a / 2) - i), py = -+j
// (up negative), the same for both centre columns of an even width and both
// middle rows of an even height, and lower tells the lower quadrants. visit
// returns false to stop the round.
template <class Visit>
void ForEachOutlinePixel(const EllipseQuadrant& q, int64_t x1, int64_t y1, Visit&& visit) {
  const int64_t a = q.W - 1, half_a = a / 2;
  const int64_t right = x1 + q.W - 1;
  const int64_t up = y1 + (q.H - 1) / 2, down = y1 + q.H / 2;
  const bool odd_w = (q.W & 1) != 0, odd_h = (q.H & 1) != 0;
  const int64_t top = q.Rows - 1;
  // Upper right: rows outwards, pixels inwards (moving left).
  for (int64_t j = 0; j <= top; ++j) {
    for (int64_t i = q.First(j); i <= q.Last(j); ++i) {
      if (!visit(right - i, up - j, half_a - i, -j, false)) return;
    }
  }
  // Upper left: rows back down, pixels outwards (moving left).
  for (int64_t j = top; j >= 0; --j) {
    for (int64_t i = q.Last(j); i >= q.First(j); --i) {
      if (odd_w && i == half_a) continue;  // the centre column was visited
      if (!visit(x1 + i, up - j, i - half_a, -j, false)) return;
    }
  }
  // Lower left: rows outwards, pixels inwards (moving right); an odd
  // height's middle row again, but for its left end.
  for (int64_t j = 0; j <= top; ++j) {
    for (int64_t i = q.First(j); i <= q.Last(j); ++i) {
      if (odd_w && i == half_a) continue;
      if (odd_h && j == 0 && i == 0) continue;
      if (!visit(x1 + i, down + j, i - half_a, j, true)) return;
    }
  }
  // Lower right: rows back up, pixels outwards (moving right).
  for (int64_t j = top; j >= 0; --j) {
    for (int64_t i = q.Last(j); i >= q.First(j); --i) {
      if (odd_h && j == 0 && i == 0) continue;  // the start of the round
      if (!visit(right - i, down + j, half_a - i, j, true)) return;
    }
  }
}

}  // namespace korvo::raster
