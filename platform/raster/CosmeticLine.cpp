// 1-pixel lines: one pixel per step along the major axis, the minor
// coordinate rounded to the nearest pixel with exact ties going to the smaller
// coordinate, the end point left out. Clipping finds the visible steps in
// 128-bit arithmetic, so coordinates anywhere in the 32-bit range work, and
// the inner loop then runs without bounds checks.
#include <cstdlib>

#include "platform/raster/Raster.h"

namespace korvo::raster {
namespace {

using i128 = __int128;

// floor(a / b) and ceil(a / b) for b > 0.
i128 FloorDiv(i128 a, i128 b) {
  i128 q = a / b;
  if ((a % b != 0) && (a < 0)) --q;
  return q;
}
i128 CeilDiv(i128 a, i128 b) { return -FloorDiv(-a, b); }

// Minor offset at step i of a line whose major extent is n > 0 and minor
// extent m (signed): the exact offset i * m / n rounded, ties to the smaller
// value: ceil((2 i m - n) / (2 n)).
i128 MinorAt(i128 i, int64_t m, int64_t n) { return CeilDiv(2 * i * m - n, 2 * i128(n)); }

// The steps i in [first, last] whose minor coordinate base + MinorAt(i) lies in
// [lo, hi], narrowing first/last; false when none. MinorAt is monotonic in i.
bool NarrowToMinor(int64_t& first, int64_t& last, int64_t base, int64_t m, int64_t n, int64_t lo, int64_t hi) {
  auto value = [&](int64_t i) { return i128(base) + MinorAt(i, m, n); };
  const bool increasing = m >= 0;
  // Smallest i in [first, last] with value inside the bound that moves with i
  // first; then the largest.
  auto first_ok = [&](int64_t i) { return increasing ? value(i) >= lo : value(i) <= hi; };
  auto last_ok = [&](int64_t i) { return increasing ? value(i) <= hi : value(i) >= lo; };
  int64_t a = first, b = last + 1;  // first index where first_ok holds
  while (a < b) {
    const int64_t mid = a + (b - a) / 2;
    if (first_ok(mid)) b = mid; else a = mid + 1;
  }
  const int64_t new_first = a;
  a = first - 1;
  b = last;  // last index where last_ok holds
  while (a < b) {
    const int64_t mid = b - (b - a) / 2;
    if (last_ok(mid)) a = mid; else b = mid - 1;
  }
  const int64_t new_last = a;
  if (new_first > new_last) return false;
  first = new_first;
  last = new_last;
  return true;
}

// The steps i in [first, last] whose major coordinate base + i * dir lies in
// [lo, hi].
bool NarrowToMajor(int64_t& first, int64_t& last, int64_t base, int dir, int64_t lo, int64_t hi) {
  int64_t a, b;
  if (dir > 0) {
    a = lo - base;
    b = hi - base;
  } else {
    a = base - hi;
    b = base - lo;
  }
  first = std::max(first, a);
  last = std::min(last, b);
  return first <= last;
}

template <bool kDashed>
void Walk(CosmeticStroke& s, int64_t first, int64_t count, TPixel* p, ptrdiff_t major_step,
          ptrdiff_t minor_step, int64_t r, int64_t dr, int64_t den) {
  // r runs in [0, den): the remainder of the minor rounding; when it leaves
  // the range the minor coordinate moves one pixel.
  uint32_t pos = 0;
  if constexpr (kDashed) pos = uint32_t((s.Phase + uint64_t(first)) % s.Dash.Period);
  const Ink pen = s.Pen;
  const Ink gap = s.Gap;
  for (int64_t k = 0; k < count; ++k) {
    if constexpr (kDashed) {
      if ((s.Dash.OnMask >> pos) & 1u) {
        *p = pen.Xor ? (*p ^ pen.Value) : pen.Value;
      } else if (s.GapVisible) {
        *p = gap.Xor ? (*p ^ gap.Value) : gap.Value;
      }
      if (++pos == s.Dash.Period) pos = 0;
    } else {
      *p = pen.Xor ? (*p ^ pen.Value) : pen.Value;
    }
    p += major_step;
    r -= dr;
    if (r < 0) {
      r += den;
      p += minor_step;
    } else if (r >= den) {
      r -= den;
      p -= minor_step;
    }
  }
}

}  // namespace

DashPattern PatternFor(TPenStyle style) {
  auto build = [](std::initializer_list<int> runs) {
    DashPattern d;
    bool on = true;
    for (int run : runs) {
      for (int k = 0; k < run; ++k, ++d.Period) {
        if (on) d.OnMask |= 1u << d.Period;
      }
      on = !on;
    }
    return d;
  };
  switch (style) {
    case TPenStyle::psDash:
      return build({18, 6});
    case TPenStyle::psDot:
      return build({3, 3});
    case TPenStyle::psDashDot:
      return build({9, 6, 3, 6});
    case TPenStyle::psDashDotDot:
      return build({9, 3, 3, 3, 3, 3});
    default:
      return DashPattern{};
  }
}

void CosmeticLine(const Target& t, CosmeticStroke& s, int32_t x0, int32_t y0, int32_t x1, int32_t y1) {
  const int64_t dx = int64_t(x1) - x0;
  const int64_t dy = int64_t(y1) - y0;
  const int64_t adx = std::llabs(dx);
  const int64_t ady = std::llabs(dy);
  const bool x_major = adx >= ady;
  const int64_t n = x_major ? adx : ady;  // pixels in the segment
  if (n == 0 || t.Empty()) {
    s.Phase += uint64_t(n);
    return;
  }
  const int dir = (x_major ? dx : dy) > 0 ? 1 : -1;
  const int64_t m = x_major ? dy : dx;  // signed minor extent
  const int64_t major0 = x_major ? x0 : y0;
  const int64_t minor0 = x_major ? y0 : x0;

  int64_t first = 0, last = n - 1;
  const bool inside = t.Contains(x0, y0) && t.Contains(x1, y1);
  if (!inside) {
    const int64_t maj_lo = x_major ? t.Left : t.Top, maj_hi = (x_major ? t.Right : t.Bottom) - 1;
    const int64_t min_lo = x_major ? t.Top : t.Left, min_hi = (x_major ? t.Bottom : t.Right) - 1;
    if (!NarrowToMajor(first, last, major0, dir, maj_lo, maj_hi) ||
        !NarrowToMinor(first, last, minor0, m, n, min_lo, min_hi)) {
      s.Phase += uint64_t(n);
      return;
    }
  }

  // Position and rounding remainder at step `first`: the minor offset is
  // q = ceil(num / den) with num = 2 i m - n, den = 2 n, and r = q den - num.
  const int64_t den = 2 * n;
  const i128 num = 2 * i128(first) * m - n;
  const i128 q = CeilDiv(num, den);
  const int64_t r = int64_t(q * den - num);
  const int64_t major = major0 + first * dir;
  const int64_t minor = minor0 + int64_t(q);
  const int64_t x = x_major ? major : minor;
  const int64_t y = x_major ? minor : major;
  TPixel* p = t.Row(int32_t(y)) + x;
  const ptrdiff_t major_step = x_major ? dir : dir * t.Stride;
  // r falls by 2m per step; leaving [0, den) below moves the minor
  // coordinate one pixel up the axis, above one pixel down.
  const ptrdiff_t minor_step = x_major ? t.Stride : 1;
  const int64_t dr = 2 * m;
  const int64_t count = last - first + 1;
  if (s.Dash.Period == 0) {
    Walk<false>(s, first, count, p, major_step, minor_step, r, dr, den);
  } else {
    Walk<true>(s, first, count, p, major_step, minor_step, r, dr, den);
  }
  s.Phase += uint64_t(n);
}

}  // namespace korvo::raster
