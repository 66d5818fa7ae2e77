// 1-pixel lines: one pixel per step along the major axis, the minor
// coordinate rounded to the nearest pixel with exact ties going to the smaller
// coordinate, the end point left out. Clipping finds the visible steps in
// 128-bit arithmetic, so coordinates anywhere in the 32-bit range work, and
// the inner loop then runs without bounds checks.
#include <algorithm>
#include <array>
#include <cstdlib>
#include <span>

#include "platform/graphics/raster/DashPatterns.h"
#include "platform/graphics/raster/LineWalk.h"
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
// single-branch form of the classic line walk; the minor step is chosen by a
// mask, not a branch, since on lines of any slope it is taken at random.
// Everything the loop reads is in locals: the pixel stores could alias the
// stroke's fields, which would otherwise be read again after every store.
template <bool kDashed, bool kXor>
[[gnu::always_inline]] inline void Walk(const CosmeticStroke& s, uint32_t pos, int64_t count, TPixel* p,
                                        ptrdiff_t major_step, ptrdiff_t minor_step, int64_t e, int64_t de,
                                        int64_t den) {
  const TPixel pen = s.Pen.Value;
  const TPixel gap = s.Gap.Value;
  const bool gap_xor = s.Gap.Xor, gap_visible = s.GapVisible;
  const uint32_t on_mask = s.Dash.OnMask, period = s.Dash.Period;
  // A pixel becomes (old & keep) ^ value: the pen's keep is all ones in
  // xor mode, the gap's when it is xor or not painted at all.
  const TPixel pen_keep = kXor ? ~TPixel(0) : 0;
  const TPixel gap_keep = !gap_visible || gap_xor ? ~TPixel(0) : 0;
  const TPixel gap_value = gap_visible ? gap : 0;
  if constexpr (kDashed) {
    if (de == 0) {
      // An axis-aligned line (grid lines) never takes a minor step: the
      // pattern is painted run by run. A run ends at the first bit of the
      // pattern that differs from its first, or at the end of the period.
      for (int64_t k = 0; k < count;) {
        const bool on = (on_mask >> pos) & 1u;
        const uint32_t differ = ((on ? ~on_mask : on_mask) >> pos) | (1u << (period - pos));
        const int64_t run = std::min<int64_t>(__builtin_ctz(differ), count - k);
        if (on && !kXor) {
          for (int64_t j = 0; j < run; ++j, p += major_step) *p = pen;  // copy mode: no pixel read
        } else if (on || gap_visible) {
          const TPixel keep = on ? pen_keep : gap_keep, value = on ? pen : gap_value;
          for (int64_t j = 0; j < run; ++j, p += major_step) *p = (*p & keep) ^ value;
        } else {
          p += run * major_step;
        }
        k += run;
        pos += uint32_t(run);
        if (pos == period) pos = 0;
      }
      return;
    }
  }
  for (int64_t k = 0; k < count; ++k) {
    if constexpr (kDashed) {
      const TPixel old = *p;
      const TPixel on = TPixel(0) - ((on_mask >> pos) & 1u);
      *p = (((old & pen_keep) ^ pen) & on) | (((old & gap_keep) ^ gap_value) & ~on);
      pos = pos + 1 == period ? 0 : pos + 1;
    } else {
      *p = kXor ? (*p ^ pen) : pen;
    }
    e -= de;
    const int64_t mask = e >> 63;  // all ones when the minor step is due
    e += den & mask;
    p += major_step + (minor_step & mask);
  }
}

// A segment whose painted pixels all lie on the target (Bounds::Paints): no
// clipping, 32-bit differences. Returns the number of pixels of the segment.
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

// The runs of a pattern (DashPatterns.h) as one bit a pixel of the period.
constexpr DashPattern BuildPattern(TPenStyle style) {
  const std::span<const int> runs = DashRunsOf(style);
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

// Every style's pattern by its ordinal; none for the styles that draw solid
// or nothing.
constexpr auto kPatterns = [] {
  std::array<DashPattern, size_t(TPenStyle::psInsideFrame) + 1> all{};
  for (size_t i = 0; i < all.size(); ++i) all[i] = BuildPattern(TPenStyle(i));
  return all;
}();
// A period fits the 32-bit mask with a bit to spare: Walk marks the end of
// the period with 1u << (period - pos).
static_assert(std::ranges::all_of(kPatterns, [](const DashPattern& d) { return d.Period < 32; }));

}  // namespace

DashPattern DashedPatternFor(TPenStyle style) {
  const size_t i = size_t(style);
  return i < kPatterns.size() ? kPatterns[i] : DashPattern{};
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
  if (Bounds(t).Paints(TPoint{x0, y0}, int64_t(x1) - x0, int64_t(y1) - y0, TPoint{x1, y1})) {
    s.Phase += uint64_t(DispatchInside(t, s, TPoint{x0, y0}, TPoint{x1, y1}));
  } else {
    ClippedLine(t, s, x0, y0, x1, y1);
  }
}

namespace {

// The common case of a chart's polyline, solid in copy mode: segments on the
// target walk with everything in locals; the others are clipped
// (ClippedLine, out of line). Closed adds the segment from the last point
// back to the first. The loop keeps few values live, so none of them is
// stored to the stack per segment, where the store would wait behind the
// pixels.
[[gnu::noinline]] void SolidCopyPolyline(const Target& t, CosmeticStroke& s, std::span<const TPoint> points,
                                         bool closed) {
  TPixel* const bits = t.Bits;
  const ptrdiff_t stride = t.Stride;
  const TPixel ink = s.Pen.Value;
  const Bounds box(t);
  uint64_t phase = s.Phase;
  const auto segment = [&](TPoint a, TPoint b) {
    const int64_t dx = int64_t(b.X) - a.X, dy = int64_t(b.Y) - a.Y;
    if (box.Paints(a, dx, dy, b)) {
      phase += uint64_t(SolidSegment(bits, stride, ink, a, dx, dy));
    } else {
      s.Phase = phase;
      ClippedLine(t, s, a.X, a.Y, b.X, b.Y);
      phase = s.Phase;
    }
  };
  const TPoint* p = points.data();
  const TPoint* const last = p + points.size() - 1;
  for (; p < last; ++p) segment(LoadPoint(p[0]), LoadPoint(p[1]));
  if (closed) segment(LoadPoint(*last), LoadPoint(points[0]));
  s.Phase = phase;
}

}  // namespace

void SolidCopyLineClipped(const Target& t, TPixel ink, int32_t x0, int32_t y0, int32_t x1, int32_t y1) {
  CosmeticStroke s;
  s.Pen = Ink{ink, false};
  ClippedLine(t, s, x0, y0, x1, y1);
}

void CosmeticPolyline(const Target& t, CosmeticStroke& s, std::span<const TPoint> points, bool closed) {
  if (points.empty() || (points.size() < 2 && !closed) || t.Empty()) return;
  if (s.Dash.Period == 0 && !s.Pen.Xor) {
    SolidCopyPolyline(t, s, points, closed);
    return;
  }
  const size_t n = points.size();
  for (size_t i = 1; i < n + (closed ? 1 : 0); ++i) {
    const TPoint a = LoadPoint(points[i - 1]), b = LoadPoint(points[i == n ? 0 : i]);
    CosmeticLine(t, s, a.X, a.Y, b.X, b.Y);
  }
}

}  // namespace korvo::raster
