#include "platform/graphics/raster/EllipseWalk.h"

namespace korvo::raster {

EllipseQuadrant WalkEllipseQuadrant(int64_t w, int64_t h, std::vector<int64_t>& store, size_t at) {
  using i128 = __int128;
  const int64_t a = w - 1, b = h - 1;
  const int64_t rows = (h - 1) / 2 + 1;
  if (store.size() < at + size_t(2 * rows)) store.resize(at + size_t(2 * rows));
  int64_t* runs = store.data() + at;
  const i128 aa = i128(a) * a, bb = i128(b) * b;
  // X = -a + 2i, Y = (b & 1) + 2j. e = F(X+2, Y+2); gx = F(X+2, .) - F(X, .)
  // and gy = F(., Y+2) - F(., Y), so F(X+2, Y) = e - gy, F(X, Y+2) = e - gx.
  const int64_t X = -a, Y = b & 1;
  i128 gx = bb * (4 * i128(X) + 4);
  i128 gy = aa * (4 * i128(Y) + 4);
  i128 e = bb * (i128(X + 2) * (X + 2)) + aa * (i128(Y + 2) * (Y + 2)) - aa * bb;
  int64_t i = 0, j = 0, visited_row = 0;
  runs[0] = 0;
  while (true) {
    runs[2 * j + 1] = i;  // the walk visits (i, j)
    visited_row = j;
    const bool outwards = 2 * e <= gy;
    // Neither can fail together except on the centre column, where the
    // walk ends anyway.
    const bool inwards = 2 * e >= gx || !outwards;
    if (outwards) {
      gy += 8 * aa;
      e += gy;
      ++j;
    }
    if (inwards) {
      gx += 8 * bb;
      e += gx;
      ++i;
    }
    if (2 * i > a || j >= rows) break;
    if (outwards) runs[2 * j] = i;
  }
  // A narrow box: the last column runs on straight to the top row.
  for (int64_t k = visited_row + 1; k < rows; ++k) runs[2 * k] = runs[2 * k + 1] = i - 1;
  EllipseQuadrant q{w, h, rows, runs};
  q.At = at;
  return q;
}

}  // namespace korvo::raster
