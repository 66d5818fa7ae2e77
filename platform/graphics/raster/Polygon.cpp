// Polygon: alternate-rule fill, then the pen's closed outline through every
// vertex. A pixel is inside when its centre is: on row y an edge from
// (xa, ya) to (xb, yb) counts when min(ya, yb) <= y < max(ya, yb), and the
// pixels from the ceiling of one crossing up to, not including, the ceiling
// of the next are filled.
#include <algorithm>

#include "platform/graphics/raster/Raster.h"

namespace korvo {

namespace {

using i128 = __int128;

i128 CeilDiv(i128 a, i128 b) {  // b > 0
  i128 q = a / b;
  if ((a % b != 0) && (a > 0)) ++q;
  return q;
}

void Fill(raster::CanvasAccess& a, std::span<const TPoint> pts, bool winding) {
  const raster::Target& t = a.target();
  int64_t ymin = INT64_MAX, ymax = INT64_MIN;
  for (const TPoint& p : pts) {
    ymin = std::min<int64_t>(ymin, p.Y);
    ymax = std::max<int64_t>(ymax, p.Y);
  }
  ymin = std::max<int64_t>(ymin, t.Top);
  ymax = std::min<int64_t>(ymax, int64_t(t.Bottom) - 1);
  const raster::Ink ink = a.BrushInk();
  std::vector<int64_t>& xs = a.Scratch();
  const size_t n = pts.size();
  for (int64_t y = ymin; y <= ymax; ++y) {
    xs.clear();
    for (size_t i = 0; i < n; ++i) {
      const TPoint& p = pts[i];
      const TPoint& q = pts[(i + 1) % n];
      if (p.Y == q.Y) continue;
      const TPoint& lo = p.Y < q.Y ? p : q;
      const TPoint& hi = p.Y < q.Y ? q : p;
      if (y < lo.Y || y >= hi.Y) continue;
      const i128 num = i128(y - lo.Y) * (int64_t(hi.X) - lo.X);
      const i128 x = lo.X + CeilDiv(num, int64_t(hi.Y) - lo.Y);
      // Clamping keeps the order of the crossings, and so the spans. The
      // low bit keeps the edge's direction (1: downwards).
      xs.push_back(int64_t(std::clamp<i128>(x, t.Left, t.Right)) * 2 + (p.Y < q.Y ? 1 : 0));
    }
    std::sort(xs.begin(), xs.end());
    if (!winding) {
      for (size_t k = 0; k + 1 < xs.size(); k += 2) t.Span(y, xs[k] >> 1, xs[k + 1] >> 1, ink);
      continue;
    }
    int count = 0;
    int64_t start = 0;
    for (const int64_t c : xs) {
      const int before = count;
      count += (c & 1) ? 1 : -1;
      if (before == 0) start = c >> 1;
      else if (count == 0) t.Span(y, start, c >> 1, ink);
    }
  }
}

}  // namespace

void TCanvas::Polygon(std::span<const TPoint> points) {
  if (points.empty()) return;
  raster::CanvasAccess a(*this);
  if (a.target().Empty()) return;
  if (a.BrushVisible() && points.size() >= 3) Fill(a, points, poly_fill_mode_ == TPolyFillMode::pfWinding);
  raster::StrokeClosedPath(a, points);
}

}  // namespace korvo
