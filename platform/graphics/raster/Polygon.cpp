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

void FillAlternate(raster::CanvasAccess& a, std::span<const TPoint> pts, const raster::StrokeMask* outside = nullptr) {
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
      // Clamping keeps the order of the crossings, and so the spans.
      xs.push_back(int64_t(std::clamp<i128>(x, t.Left, t.Right)));
    }
    std::sort(xs.begin(), xs.end());
    for (size_t k = 0; k + 1 < xs.size(); k += 2) {
      if (outside) {
        raster::SpanOutside(t, *outside, y, xs[k], xs[k + 1], ink);
      } else {
        t.Span(y, xs[k], xs[k + 1], ink);
      }
    }
  }
}

}  // namespace

void TCanvas::Polygon(std::span<const TPoint> points) {
  if (points.empty()) return;
  raster::CanvasAccess a(*this);
  if (a.target().Empty()) return;
  const bool fill = a.BrushVisible() && points.size() >= 3;
  if (fill && a.PenVisible() && a.WidePen() && a.PenInk().Xor) {
    // Each pixel changes once: the fill leaves out the wide outline.
    const raster::StrokeMask m = raster::WideStrokeMask(a, points, true, a.PenWidth());
    FillAlternate(a, points, &m);
    if (m.Left < m.Right) raster::PaintMask(a.target(), m, a.PenInk());
    return;
  }
  if (fill) FillAlternate(a, points);
  raster::StrokeClosedPath(a, points);
}

}  // namespace korvo
