// 1-pixel lines: one pixel per step along the major axis, the minor
// coordinate rounded to the nearest pixel with exact ties going to the smaller
// coordinate, the end point left out. Clipping finds the visible steps in
// 128-bit arithmetic, so coordinates anywhere in the 32-bit range work, and
// the inner loop then runs without bounds checks.
#include <cstdlib>

#include "platform/graphics/raster/Raster.h"

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

// Walks `count` pixels from p. The error e falls by de each step; when it
// drops below zero the minor coordinate moves one pixel (minor_step, signed)
// and e rises by den. This is the rounding rule of the file comment in the
// single-branch form of the classic line walk.
template <bool kDashed, bool kXor>
[[gnu::always_inline]] inline void Walk(const CosmeticStroke& s, uint32_t pos, int64_t count, TPixel* p,
                                        ptrdiff_t major_step, ptrdiff_t minor_step, int64_t e, int64_t de,
                                        int64_t den) {
  const TPixel pen = s.Pen.Value;
  auto paint = [](TPixel* q, TPixel v) {
    if constexpr (kXor) {
      *q ^= v;
    } else {
      *q = v;
    }
  };
  for (int64_t k = 0; k < count; ++k) {
    if constexpr (kDashed) {
      if ((s.Dash.OnMask >> pos) & 1u) {
        paint(p, pen);
      } else if (s.GapVisible) {
        *p = s.Gap.Xor ? (*p ^ s.Gap.Value) : s.Gap.Value;
      }
      if (++pos == s.Dash.Period) pos = 0;
    } else {
      paint(p, pen);
    }
    p += major_step;
    e -= de;
    if (e < 0) {
      e += den;
      p += minor_step;
    }
  }
}

// A segment whose two ends lie on the target: no clipping, 32-bit
// differences. Returns the number of pixels of the segment.
template <bool kDashed, bool kXor>
[[gnu::always_inline]] inline int64_t WalkInside(const Target& t, const CosmeticStroke& s, TPoint a, TPoint b) {
  const int32_t dx = b.X - a.X, dy = b.Y - a.Y;
  const int32_t adx = dx < 0 ? -dx : dx, ady = dy < 0 ? -dy : dy;
  TPixel* p = t.Row(a.Y) + a.X;
  const uint32_t pos = kDashed ? uint32_t(s.Phase % s.Dash.Period) : 0;
  if (adx >= ady) {
    if (adx != 0) {
      const ptrdiff_t minor = dy >= 0 ? t.Stride : -t.Stride;
      Walk<kDashed, kXor>(s, pos, adx, p, dx > 0 ? 1 : -1, minor, dy >= 0 ? adx : adx - 1, 2 * int64_t(ady),
                          2 * int64_t(adx));
    }
    return adx;
  }
  Walk<kDashed, kXor>(s, pos, ady, p, dy > 0 ? t.Stride : -t.Stride, dx >= 0 ? 1 : -1, dx >= 0 ? ady : ady - 1,
                      2 * int64_t(adx), 2 * int64_t(ady));
  return ady;
}

int64_t DispatchInside(const Target& t, const CosmeticStroke& s, TPoint a, TPoint b) {
  const bool dashed = s.Dash.Period != 0;
  if (s.Pen.Xor) return dashed ? WalkInside<true, true>(t, s, a, b) : WalkInside<false, true>(t, s, a, b);
  return dashed ? WalkInside<true, false>(t, s, a, b) : WalkInside<false, false>(t, s, a, b);
}

}  // namespace

namespace {

constexpr DashPattern BuildPattern(std::initializer_list<int> runs) {
  DashPattern d;
  bool on = true;
  for (int run : runs) {
    for (int k = 0; k < run; ++k, ++d.Period) {
      if (on) d.OnMask |= 1u << d.Period;
    }
    on = !on;
  }
  return d;
}

constexpr DashPattern kDash = BuildPattern({18, 6});
constexpr DashPattern kDot = BuildPattern({3, 3});
constexpr DashPattern kDashDot = BuildPattern({9, 6, 3, 6});
constexpr DashPattern kDashDotDot = BuildPattern({9, 3, 3, 3, 3, 3});

}  // namespace

DashPattern DashedPatternFor(TPenStyle style) {
  switch (style) {
    case TPenStyle::psDash:
      return kDash;
    case TPenStyle::psDot:
      return kDot;
    case TPenStyle::psDashDot:
      return kDashDot;
    case TPenStyle::psDashDotDot:
      return kDashDotDot;
    default:
      return DashPattern{};
  }
}

namespace {

// The general case: one or both ends off the target.
[[gnu::noinline]] void ClippedLine(const Target& t, CosmeticStroke& s, int32_t x0, int32_t y0, int32_t x1,
                                   int32_t y1) {
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
  const int64_t maj_lo = x_major ? t.Left : t.Top, maj_hi = (x_major ? t.Right : t.Bottom) - 1;
  const int64_t min_lo = x_major ? t.Top : t.Left, min_hi = (x_major ? t.Bottom : t.Right) - 1;
  if (!NarrowToMajor(first, last, major0, dir, maj_lo, maj_hi) ||
      !NarrowToMinor(first, last, minor0, m, n, min_lo, min_hi)) {
    s.Phase += uint64_t(n);
    return;
  }

  // Position and rounding remainder at step `first`: the minor offset is
  // q = ceil(num / den) with num = 2 i m - n, den = 2 n, and r = q den - num
  // lies in [0, den). At step 0 that is q = 0, r = n, without 128-bit
  // division. Each step r falls by 2m; for m >= 0 the walk's error is r
  // itself, for m < 0 it is den - 1 - r falling by 2|m|.
  const int64_t den = 2 * n;
  i128 q = 0;
  int64_t r = n;
  if (first != 0) {
    const i128 num = 2 * i128(first) * m - n;
    q = CeilDiv(num, den);
    r = int64_t(q * den - num);
  }
  const int64_t major = major0 + first * dir;
  const int64_t minor = minor0 + int64_t(q);
  const int64_t x = x_major ? major : minor;
  const int64_t y = x_major ? minor : major;
  TPixel* p = t.Row(int32_t(y)) + x;
  const ptrdiff_t major_step = x_major ? dir : dir * t.Stride;
  const ptrdiff_t unit_minor = x_major ? t.Stride : 1;
  const ptrdiff_t minor_step = m >= 0 ? unit_minor : -unit_minor;
  const int64_t e = m >= 0 ? r : den - 1 - r;
  const int64_t de = 2 * std::llabs(m);
  const int64_t count = last - first + 1;
  const bool dashed = s.Dash.Period != 0;
  const uint32_t pos = dashed ? uint32_t((s.Phase + uint64_t(first)) % s.Dash.Period) : 0;
  if (s.Pen.Xor) {
    if (dashed) Walk<true, true>(s, pos, count, p, major_step, minor_step, e, de, den);
    else Walk<false, true>(s, pos, count, p, major_step, minor_step, e, de, den);
  } else {
    if (dashed) Walk<true, false>(s, pos, count, p, major_step, minor_step, e, de, den);
    else Walk<false, false>(s, pos, count, p, major_step, minor_step, e, de, den);
  }
  s.Phase += uint64_t(n);
}

}  // namespace

void CosmeticLine(const Target& t, CosmeticStroke& s, int32_t x0, int32_t y0, int32_t x1, int32_t y1) {
  if (t.Contains(x0, y0) && t.Contains(x1, y1)) {
    s.Phase += uint64_t(DispatchInside(t, s, TPoint{x0, y0}, TPoint{x1, y1}));
  } else {
    ClippedLine(t, s, x0, y0, x1, y1);
  }
}

void CosmeticPolyline(const Target& t, CosmeticStroke& s, std::span<const TPoint> points) {
  if (points.size() < 2 || t.Empty()) return;
  const bool lean = s.Dash.Period == 0 && !s.Pen.Xor;
  bool prev_inside = t.Contains(points[0].X, points[0].Y);
  for (size_t i = 1; i < points.size(); ++i) {
    const TPoint a = points[i - 1], b = points[i];
    const bool inside = t.Contains(b.X, b.Y);
    if (inside && prev_inside) {
      // The common case of a chart's polyline: solid, copy, on the target.
      s.Phase += uint64_t(lean ? WalkInside<false, false>(t, s, a, b) : DispatchInside(t, s, a, b));
    } else {
      CosmeticLine(t, s, a.X, a.Y, b.X, b.Y);
    }
    prev_inside = inside;
  }
}

}  // namespace korvo::raster
