// Wide pens: the stroke of a segment is every point within Width / 2 of it
// (a capsule: round caps, round joins where capsules meet). A pixel is
// painted when its centre lies in the stroke, rows and columns half-open:
// row y is reached when top <= y < bottom, and on a row pixel x is painted
// when left <= x < right.
#include <cmath>
#include <cstring>
#include <limits>

#include "platform/graphics/raster/Raster.h"

namespace korvo::raster {
namespace {

using real = long double;

struct Seg {
  real ax, ay, bx, by;
};

// Liang-Barsky: clips the segment to the box; false when nothing is left.
bool ClipSegment(Seg& s, real l, real t, real r, real b) {
  real t0 = 0, t1 = 1;
  const real dx = s.bx - s.ax, dy = s.by - s.ay;
  auto edge = [&](real p, real q) {
    if (p == 0) return q >= 0;
    const real u = q / p;
    if (p < 0) {
      if (u > t1) return false;
      if (u > t0) t0 = u;
    } else {
      if (u < t0) return false;
      if (u < t1) t1 = u;
    }
    return true;
  };
  if (!edge(-dx, s.ax - l) || !edge(dx, r - s.ax) || !edge(-dy, s.ay - t) || !edge(dy, b - s.ay)) return false;
  const Seg orig = s;
  s.ax = orig.ax + t0 * dx;
  s.ay = orig.ay + t0 * dy;
  s.bx = orig.ax + t1 * dx;
  s.by = orig.ay + t1 * dy;
  return true;
}

// The x interval of the capsule on row y; false when the row misses it.
bool RowInterval(const Seg& s, real radius, real y, real& lo, real& hi) {
  lo = std::numeric_limits<real>::infinity();
  hi = -lo;
  auto disc = [&](real cx, real cy) {
    const real d = y - cy;
    if (std::fabs(d) <= radius) {
      const real h = std::sqrt(radius * radius - d * d);
      lo = std::min(lo, cx - h);
      hi = std::max(hi, cx + h);
    }
  };
  disc(s.ax, s.ay);
  disc(s.bx, s.by);
  const real dx = s.bx - s.ax, dy = s.by - s.ay;
  const real len2 = dx * dx + dy * dy;
  if (len2 > 0) {
    const real inf = std::numeric_limits<real>::infinity();
    const real ry = y - s.ay;
    const real rl = radius * std::sqrt(len2);
    // Distance to the line through the segment at most radius.
    real l1 = -inf, h1 = inf;
    if (dy != 0) {
      real u = s.ax + (dx * ry - rl) / dy, v = s.ax + (dx * ry + rl) / dy;
      l1 = std::min(u, v);
      h1 = std::max(u, v);
    } else if (std::fabs(dx * ry) > rl) {
      return lo <= hi;
    }
    // Projection onto the segment between its ends.
    real l2 = -inf, h2 = inf;
    if (dx != 0) {
      real u = s.ax + (-ry * dy) / dx, v = s.ax + (len2 - ry * dy) / dx;
      l2 = std::min(u, v);
      h2 = std::max(u, v);
    } else if (ry * dy < 0 || ry * dy > len2) {
      return lo <= hi;
    }
    const real l = std::max(l1, l2), h = std::min(h1, h2);
    if (l <= h) {
      lo = std::min(lo, l);
      hi = std::max(hi, h);
    }
  }
  return lo <= hi;
}

// Calls emit(y, x0, x1) for the pixel runs x0..x1-1 of the segment's capsule
// inside the target.
template <class Emit>
void RasterCapsule(const Target& t, Seg s, real radius, Emit&& emit) {
  const real margin = radius + 2;
  if (!ClipSegment(s, t.Left - margin, t.Top - margin, t.Right + margin, t.Bottom + margin)) return;
  const real top = std::min(s.ay, s.by) - radius;
  const real bottom = std::max(s.ay, s.by) + radius;
  const int64_t y0 = std::max<int64_t>(int64_t(std::ceil(top)), t.Top);
  const int64_t y1 = std::min<int64_t>(int64_t(std::ceil(bottom)), t.Bottom);
  for (int64_t y = y0; y < y1; ++y) {
    real lo, hi;
    if (!RowInterval(s, radius, real(y), lo, hi)) continue;
    const int64_t x0 = std::max<int64_t>(int64_t(std::ceil(lo)), t.Left);
    const int64_t x1 = std::min<int64_t>(int64_t(std::ceil(hi)), t.Right);
    if (x0 < x1) emit(y, x0, x1);
  }
}

template <class Emit>
void ForEachCapsule(const Target& t, std::span<const TPoint> points, bool closed, real radius, Emit&& emit) {
  const size_t n = points.size();
  if (n == 1) {
    const Seg s{real(points[0].X), real(points[0].Y), real(points[0].X), real(points[0].Y)};
    RasterCapsule(t, s, radius, emit);
    return;
  }
  const size_t segments = closed && n > 2 ? n : n - 1;
  for (size_t i = 0; i < segments; ++i) {
    const TPoint& p = points[i];
    const TPoint& q = points[(i + 1) % n];
    RasterCapsule(t, Seg{real(p.X), real(p.Y), real(q.X), real(q.Y)}, radius, emit);
  }
}

}  // namespace

void WideStroke(CanvasAccess& a, std::span<const TPoint> points, bool closed, int width, Ink ink) {
  const Target& t = a.target();
  if (t.Empty() || points.empty()) return;
  const real radius = real(width) / 2;
  if (!ink.Xor) {
    ForEachCapsule(t, points, closed, radius, [&](int64_t y, int64_t x0, int64_t x1) { t.Span(y, x0, x1, ink); });
    return;
  }
  // Exclusive-or: gather the whole stroke in a mask over its clipped
  // bounding box, then flip each covered pixel once.
  int64_t l = INT64_MAX, tp = INT64_MAX, r = INT64_MIN, b = INT64_MIN;
  for (const TPoint& p : points) {
    l = std::min<int64_t>(l, p.X);
    r = std::max<int64_t>(r, p.X);
    tp = std::min<int64_t>(tp, p.Y);
    b = std::max<int64_t>(b, p.Y);
  }
  const int64_t grow = width / 2 + 1;
  l = std::max<int64_t>(l - grow, t.Left);
  tp = std::max<int64_t>(tp - grow, t.Top);
  r = std::min<int64_t>(r + grow + 1, t.Right);
  b = std::min<int64_t>(b + grow + 1, t.Bottom);
  if (l >= r || tp >= b) return;
  const int64_t w = r - l;
  std::vector<uint8_t>& mask = a.Mask();
  mask.assign(size_t(w * (b - tp)), 0);
  ForEachCapsule(t, points, closed, radius, [&](int64_t y, int64_t x0, int64_t x1) {
    if (y < tp || y >= b) return;
    x0 = std::max(x0, l);
    x1 = std::min(x1, r);
    if (x0 < x1) std::memset(mask.data() + (y - tp) * w + (x0 - l), 1, size_t(x1 - x0));
  });
  for (int64_t y = tp; y < b; ++y) {
    const uint8_t* m = mask.data() + (y - tp) * w;
    TPixel* row = t.Row(int32_t(y)) + l;
    for (int64_t x = 0; x < w; ++x) {
      if (m[x]) row[x] ^= ink.Value;
    }
  }
}

}  // namespace korvo::raster
