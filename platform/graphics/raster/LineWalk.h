// The walk of solid 1-pixel segments in copy mode that lie on the target,
// shared by LineTo and Polyline so both inline it. The rounding rule is the
// one of CosmeticLine.cpp: one pixel per major step, the minor coordinate the
// exact position rounded, exact ties to the smaller coordinate.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/graphics/raster/Raster.h"

namespace korvo::raster {

// The target's bounds in locals, and whether every pixel the segment
// a -> b (extents dx, dy) paints lies inside them: its first pixel a and its
// last one, one major step short of b, do. The pixels lie in the box of
// those two (the walk is monotonic on both axes), and the last one's minor
// coordinate lies between a's and b's, so the test uses b's (never too
// lenient). The end point b itself is never painted: a segment ending one
// past the edge still walks without clipping.
struct Bounds {
  int64_t left, top;
  uint64_t width, height;
  explicit Bounds(const Target& t)
      : left(t.Left), top(t.Top), width(uint64_t(t.Right - t.Left)), height(uint64_t(t.Bottom - t.Top)) {}
  bool In(int64_t x, int64_t y) const { return uint64_t(x - left) < width && uint64_t(y - top) < height; }
  bool Paints(TPoint a, int64_t dx, int64_t dy, TPoint b) const {
    const bool x_major = (dx < 0 ? -dx : dx) >= (dy < 0 ? -dy : dy);
    const int64_t lx = x_major ? b.X - ((dx > 0) - (dx < 0)) : b.X;
    const int64_t ly = x_major ? b.Y : b.Y - ((dy > 0) - (dy < 0));
    return In(a.X, a.Y) && In(lx, ly);
  }
};

// Segments of up to kShortSegment pixels are painted from a table instead of
// walking: for a segment of n pixels with minor extent m (m <= n) whose
// minor axis runs forwards (back = 0) or backwards (back = 1), entry
// [back][n - 1][m] holds, for pixels k = 1..3, the major and the minor steps
// from the first pixel, 2 bits each (bits 4(k-1) .. 4(k-1)+3). Pixels past
// the last one repeat it (painting it again changes nothing in copy mode).
// The table is made by the walk itself, so both give the same pixels.
inline constexpr uint64_t kShortSegment = 4;

struct ShortWalkTable {
  uint16_t code[2][kShortSegment][kShortSegment + 1] = {};
  constexpr ShortWalkTable() {
    for (int back = 0; back < 2; ++back) {
      for (int n = 1; n <= int(kShortSegment); ++n) {
        for (int m = 0; m <= n; ++m) {
          int e = n - back, minor = 0, last_minor = 0;
          uint16_t c = 0;
          for (int k = 1; k < int(kShortSegment); ++k) {
            if (k < n) {
              e -= 2 * m;
              if (e < 0) {
                e += 2 * n;
                ++minor;
              }
              last_minor = minor;
            }
            const int major = k < n ? k : n - 1;
            c = uint16_t(c | ((major | (last_minor << 2)) << (4 * (k - 1))));
          }
          code[back][n - 1][m] = c;
        }
      }
    }
  }
};
inline constexpr ShortWalkTable kShortWalk{};

// Walks a segment whose painted pixels lie on the target (dx, dy its
// extents, 64-bit) in solid copy mode; returns its pixel count.
[[gnu::always_inline]] inline int64_t SolidSegment(TPixel* bits, ptrdiff_t stride, TPixel ink, TPoint a, int64_t dx,
                                                   int64_t dy) {
  const int64_t adx = dx < 0 ? -dx : dx, ady = dy < 0 ? -dy : dy;
  const bool x_major = adx >= ady;
  const int64_t n = x_major ? adx : ady, m = x_major ? ady : adx;
  const ptrdiff_t xs = dx >= 0 ? 1 : -1, ys = dy >= 0 ? stride : -stride;
  const ptrdiff_t major_step = x_major ? xs : ys, minor_step = x_major ? ys : xs;
  // A minor axis running backwards starts one lower, which sends exact
  // ties to the smaller coordinate whichever way the segment runs.
  const int back = (x_major ? dy : dx) < 0 ? 1 : 0;
  TPixel* p = bits + ptrdiff_t(a.Y) * stride + a.X;
  if (uint64_t(n - 1) < kShortSegment) {
    // Dense data makes segments of a few pixels at random lengths and
    // slopes: four independent stores, no branch on length or slope.
    const uint32_t c = kShortWalk.code[back][n - 1][m];
    p[0] = ink;
    for (int k = 0; k < int(kShortSegment) - 1; ++k) {
      const uint32_t step = c >> (4 * k);
      p[ptrdiff_t(step & 3u) * major_step + ptrdiff_t((step >> 2) & 3u) * minor_step] = ink;
    }
    return n;
  }
  int64_t e = n - back;
  const int64_t de = 2 * m, den = 2 * n;
  for (int64_t k = 0; k < n; ++k) {
    *p = ink;
    e -= de;
    const int64_t mask = e >> 63;  // all ones when the minor step is due
    e += den & mask;
    p += major_step + (minor_step & mask);
  }
  return n;
}

}  // namespace korvo::raster
