// Wide pens: a stroke is the union of one body per segment and one disc per
// vertex of the path (caps at the ends, joins between segments).
//
// Body of the segment P -> Q (P != Q): the parallelogram P + U, Q + U,
// Q + V, P + V filled with the polygon rule (a pixel is inside when its
// centre is; crossings half-open, so the right and bottom edges stay out).
// With h = (dy, -dx) * Width / (2 |Q - P|), the half-width normal, let u be
// the one of h and -h pointing right (ux > 0), or down when the segment is
// horizontal. U rounds each coordinate of u away from zero; V rounds each
// coordinate of -u to the nearest integer. Exact ties on a slanted segment
// go outwards (a whole |U| one further, a half |V| away from zero); on a
// horizontal or vertical segment U = ceil(w / 2), V = -floor(w / 2). The
// rounding depends only on the segment's geometry, never on its direction.
//
// Disc of width w at C: the filled digital circle of radius (w - 1) / 2
// about the centre of the w x w box whose top-left is C - (w / 2, w / 2)
// (integer division), measured between pixel centres. In each column the
// circle's upper and lower pixels are the ones nearest to it, a tie going
// inwards; likewise the left and right pixels of each row. The disc is those
// pixels and everything between them. In doubled offsets from the box's
// centre (D = 2x - (2 left + w - 1), E likewise, R = w - 1) row E spans
// |D| <= max(M, D*): M the smallest value of R's parity with
// (M + 1)^2 >= R^2 - E^2, D* the largest with D*^2 < R^2 - (|E| - 1)^2
// (R itself on the centre row).
//
// All arithmetic is exact in integers (128-bit where products grow), so any
// 32-bit coordinate works; only rows of the target are visited.
#include <algorithm>
#include <cmath>
#include <cstring>

#include "platform/graphics/raster/Raster.h"

namespace korvo::raster {
namespace {

using i128 = __int128;

// Widths beyond this cover any surface; the cap keeps the products exact.
constexpr int64_t kMaxWidth = int64_t(1) << 24;

i128 FloorDiv(i128 a, i128 b) {  // b > 0
  i128 q = a / b;
  if (a % b != 0 && a < 0) --q;
  return q;
}

// The smallest integer k >= 0 with pred(k) true (pred monotone), searched
// from a floating-point estimate and settled by the exact predicate.
template <class Pred>
int64_t SmallestWith(long double estimate, Pred pred) {
  int64_t k = std::max<int64_t>(0, int64_t(std::floor(estimate)) - 1);
  while (k > 0 && pred(k - 1)) --k;
  while (!pred(k)) ++k;
  return k;
}

// Whole-pixel roundings of v = |m| w / (2 L), L = sqrt(len2), decided
// exactly on squares.
i128 Rhs(int64_t m, int64_t w) { return i128(m) * m * w * w; }
long double Estimate(int64_t m, int64_t w, i128 len2) {
  return std::fabs(static_cast<long double>(m)) * w / (2 * std::sqrt(static_cast<long double>(len2)));
}
// The smallest k >= v (strict: k > v); 4 k^2 len2 against rhs.
int64_t Outward(int64_t m, int64_t w, i128 len2, bool strict) {
  const i128 rhs = Rhs(m, w);
  return SmallestWith(Estimate(m, w, len2), [&](int64_t k) {
    const i128 lhs = 4 * i128(k) * k * len2;
    return strict ? lhs > rhs : lhs >= rhs;
  });
}
// v rounded to the nearest integer; a half goes up (halfUp) or down.
// (2k + 1)^2 len2 against 4 v^2 len2 = rhs.
int64_t Nearest(int64_t m, int64_t w, i128 len2, bool halfUp) {
  const i128 rhs = Rhs(m, w);
  return SmallestWith(Estimate(m, w, len2), [&](int64_t k) {
    const i128 lhs = (2 * i128(k) + 1) * (2 * i128(k) + 1) * len2;
    return halfUp ? lhs > rhs : lhs >= rhs;
  });
}

struct Offsets {
  int64_t Ux, Uy, Vx, Vy;
};

// U rounds u away from zero, V rounds -u to the nearest integer. On a
// slanted segment a value exactly on a whole (for U) or half (for V) pixel
// goes outwards; on a horizontal or vertical one U is ceil(w / 2) and V is
// -floor(w / 2).
Offsets BodyOffsets(int64_t dx, int64_t dy, int64_t w) {
  const i128 len2 = i128(dx) * dx + i128(dy) * dy;
  const bool slanted = dx != 0 && dy != 0;
  // u points right, or down for a horizontal segment; |ux| comes from dy,
  // |uy| from dx.
  const int64_t sx = dy != 0 ? 1 : 0;
  const int64_t sy = dy == 0 ? 1 : ((dx > 0) == (dy > 0) ? -1 : 1);
  Offsets o;
  o.Ux = sx * Outward(dy, w, len2, slanted);
  o.Uy = dx == 0 ? 0 : sy * Outward(dx, w, len2, slanted);
  o.Vx = -sx * Nearest(dy, w, len2, slanted);
  o.Vy = dx == 0 ? 0 : -sy * Nearest(dx, w, len2, slanted);
  return o;
}

struct Pt {
  int64_t X, Y;
};

// One edge of a filled figure, walked row by row: on row y (Top <= y <
// Bottom) it crosses at lo.X + ceil((y - lo.Y) (hi.X - lo.X) / (hi.Y - lo.Y)),
// kept as a quotient and remainder so that each row costs a few additions.
struct EdgeWalk {
  int64_t Top = 0, Bottom = 0;  // rows lo.Y <= y < hi.Y
  int64_t X = 0, Rem = 0;       // crossing = X + (Rem > 0), 0 <= Rem < Dy
  int64_t StepX = 0, StepRem = 0, Dy = 1;

  void Start(Pt a, Pt b, int64_t firstRow) {
    const Pt& lo = a.Y < b.Y ? a : b;
    const Pt& hi = a.Y < b.Y ? b : a;
    Top = lo.Y;
    Bottom = hi.Y;
    Dy = hi.Y - lo.Y;
    const int64_t dx = hi.X - lo.X;
    StepX = int64_t(FloorDiv(dx, Dy));
    StepRem = dx - StepX * Dy;
    const int64_t first = std::max(firstRow, Top);
    const i128 n = i128(first - lo.Y) * dx;
    const i128 q = FloorDiv(n, Dy);
    X = int64_t(lo.X + q);
    Rem = int64_t(n - q * Dy);
  }
  int64_t Crossing() const { return X + (Rem > 0 ? 1 : 0); }
  void Step() {
    X += StepX;
    Rem += StepRem;
    if (Rem >= Dy) {
      Rem -= Dy;
      ++X;
    }
  }
};

// The rows of the convex quadrilateral q (polygon rule) inside the target.
template <class Emit>
void FillQuad(const Target& t, const Pt (&q)[4], Emit&& emit) {
  int64_t ymin = q[0].Y, ymax = q[0].Y;
  for (const Pt& p : q) {
    ymin = std::min(ymin, p.Y);
    ymax = std::max(ymax, p.Y);
  }
  const int64_t y0 = std::max<int64_t>(ymin, t.Top);
  const int64_t y1 = std::min<int64_t>(ymax, t.Bottom);
  if (y0 >= y1) return;
  EdgeWalk edges[4];
  int count = 0;
  for (int i = 0; i < 4; ++i) {
    const Pt& a = q[i];
    const Pt& b = q[(i + 1) % 4];
    if (a.Y == b.Y || std::max(a.Y, b.Y) <= y0 || std::min(a.Y, b.Y) >= y1) continue;
    edges[count++].Start(a, b, y0);
  }
  const int64_t lo = int64_t(t.Left) - 1, hi = int64_t(t.Right) + 1;
  for (int64_t y = y0; y < y1; ++y) {
    int64_t xs[4];
    int n = 0;
    for (int i = 0; i < count; ++i) {
      EdgeWalk& e = edges[i];
      if (y < e.Top || y >= e.Bottom) continue;
      xs[n++] = std::clamp(e.Crossing(), lo, hi);
      e.Step();
    }
    for (int i = 1; i < n; ++i) {  // at most four crossings
      for (int j = i; j > 0 && xs[j - 1] > xs[j]; --j) std::swap(xs[j - 1], xs[j]);
    }
    for (int k = 0; k + 1 < n; k += 2) {
      if (xs[k] < xs[k + 1]) emit(y, xs[k], xs[k + 1]);
    }
  }
}

// floor(sqrt(n)), n >= 0 (below 2^62).
int64_t ISqrt(int64_t n) {
  int64_t r = int64_t(std::sqrt(static_cast<long double>(n)));
  while (r > 0 && r * r > n) --r;
  while ((r + 1) * (r + 1) <= n) ++r;
  return r;
}

// The doubled half-extent of the disc's row at doubled offset e from the
// centre row (both measured like D below): R = w - 1 is the doubled radius,
// and offsets have the parity of R.
int64_t DiscRowHalf(int64_t e, int64_t w) {
  const int64_t R = w - 1, parity = R & 1;
  e = e < 0 ? -e : e;
  // The row's own curve pixel: the smallest M with (M + 1)^2 >= R^2 - e^2
  // (the pixel nearest the circle, a tie going inwards).
  const int64_t t = R * R - e * e;
  int64_t root = ISqrt(t);
  if (root * root < t) ++root;  // ceil(sqrt(t))
  int64_t m = std::max<int64_t>(root - 1, parity);
  if ((m & 1) != parity) ++m;
  // The columns whose upper curve pixel lies on this row or above: D^2 <
  // R^2 - (e - 1)^2.
  int64_t d = R;
  if (e > 0) {
    d = std::min(R, ISqrt(R * R - (e - 1) * (e - 1) - 1));
    if ((d & 1) != parity) --d;
  }
  return std::max(m, d);
}

// The rows of the disc of width w at c inside the target.
template <class Emit>
void FillDisc(const Target& t, Pt c, int64_t w, Emit&& emit) {
  const int64_t left = c.X - w / 2, top = c.Y - w / 2;
  const int64_t y0 = std::max<int64_t>(top, t.Top);
  const int64_t y1 = std::min<int64_t>(top + w, t.Bottom);
  const i128 mid = 2 * i128(left) + w - 1;  // the doubled centre column
  for (int64_t y = y0; y < y1; ++y) {
    const int64_t half = DiscRowHalf(2 * (y - top) - (w - 1), w);
    // 2x - mid in [-half, half]; mid - half is even.
    emit(y, int64_t((mid - half) / 2), int64_t((mid + half) / 2) + 1);
  }
}

// Every body and disc of the path, as row runs x0..x1-1 (they overlap).
template <class Emit>
void ForEachPiece(const Target& t, std::span<const TPoint> points, bool closed, int64_t w, Emit&& emit) {
  const size_t n = points.size();
  for (const TPoint& p : points) FillDisc(t, Pt{p.X, p.Y}, w, emit);
  if (n < 2) return;
  const size_t segments = closed && n > 2 ? n : n - 1;
  for (size_t i = 0; i < segments; ++i) {
    const TPoint& p = points[i];
    const TPoint& q = points[(i + 1) % n];
    const int64_t dx = int64_t(q.X) - p.X, dy = int64_t(q.Y) - p.Y;
    if (dx == 0 && dy == 0) continue;
    const Offsets o = BodyOffsets(dx, dy, w);
    const Pt quad[4] = {{p.X + o.Ux, p.Y + o.Uy}, {q.X + o.Ux, q.Y + o.Uy}, {q.X + o.Vx, q.Y + o.Vy}, {p.X + o.Vx, p.Y + o.Vy}};
    FillQuad(t, quad, emit);
  }
}

}  // namespace

StrokeMask WideStrokeMask(CanvasAccess& a, std::span<const TPoint> points, bool closed, int width) {
  const Target& t = a.target();
  StrokeMask m;
  if (t.Empty() || points.size() < 2) return m;
  const int64_t w = std::clamp<int64_t>(width, 2, kMaxWidth);
  int64_t l = INT64_MAX, tp = INT64_MAX, r = INT64_MIN, b = INT64_MIN;
  for (const TPoint& p : points) {
    l = std::min<int64_t>(l, p.X);
    r = std::max<int64_t>(r, p.X);
    tp = std::min<int64_t>(tp, p.Y);
    b = std::max<int64_t>(b, p.Y);
  }
  // Bodies reach ceil(w / 2) from the path, discs w / 2.
  const int64_t grow = w / 2 + 1;
  l = std::max<int64_t>(l - grow, t.Left);
  tp = std::max<int64_t>(tp - grow, t.Top);
  r = std::min<int64_t>(r + grow + 1, t.Right);
  b = std::min<int64_t>(b + grow + 1, t.Bottom);
  if (l >= r || tp >= b) return m;
  const int64_t mw = r - l;
  std::vector<uint8_t>& mask = a.Mask();
  mask.assign(size_t(mw * (b - tp)), 0);
  ForEachPiece(t, points, closed, w, [&](int64_t y, int64_t x0, int64_t x1) {
    if (y < tp || y >= b) return;
    x0 = std::max(x0, l);
    x1 = std::min(x1, r);
    if (x0 < x1) std::memset(mask.data() + (y - tp) * mw + (x0 - l), 1, size_t(x1 - x0));
  });
  m.Bits = mask.data();
  m.Left = l;
  m.Top = tp;
  m.Right = r;
  m.Bottom = b;
  return m;
}

void PaintMask(const Target& t, const StrokeMask& m, Ink ink) {
  const int64_t mw = m.Right - m.Left;
  for (int64_t y = m.Top; y < m.Bottom; ++y) {
    const uint8_t* bits = m.Bits + (y - m.Top) * mw;
    TPixel* row = t.Row(int32_t(y)) + m.Left;
    for (int64_t x = 0; x < mw; ++x) {
      if (bits[x]) row[x] ^= ink.Value;
    }
  }
}

void SpanOutside(const Target& t, const StrokeMask& m, int64_t y, int64_t x0, int64_t x1, Ink ink) {
  if (y < m.Top || y >= m.Bottom || x1 <= m.Left || x0 >= m.Right) {
    t.Span(y, x0, x1, ink);
    return;
  }
  // Runs between covered pixels; outside the mask's box nothing is covered.
  t.Span(y, x0, m.Left, ink);
  t.Span(y, m.Right, x1, ink);
  const uint8_t* bits = m.Bits + (y - m.Top) * (m.Right - m.Left);
  int64_t x = std::max(x0, m.Left) - m.Left;
  const int64_t end = std::min(x1, m.Right) - m.Left;
  while (x < end) {
    while (x < end && bits[x]) ++x;
    const int64_t start = x;
    while (x < end && !bits[x]) ++x;
    if (start < x) t.Span(y, m.Left + start, m.Left + x, ink);
  }
}

void WideStroke(CanvasAccess& a, std::span<const TPoint> points, bool closed, int width, Ink ink) {
  const Target& t = a.target();
  // A path needs two points (LineTo to the pen position passes two); a
  // one-point polygon draws nothing.
  if (t.Empty() || points.size() < 2) return;
  if (!ink.Xor) {
    const int64_t w = std::clamp<int64_t>(width, 2, kMaxWidth);
    ForEachPiece(t, points, closed, w, [&](int64_t y, int64_t x0, int64_t x1) { t.Span(y, x0, x1, ink); });
    return;
  }
  // Exclusive-or: gather the whole stroke first, then flip each covered
  // pixel once.
  const StrokeMask m = WideStrokeMask(a, points, closed, width);
  if (m.Left < m.Right) PaintMask(t, m, ink);
}

}  // namespace korvo::raster
