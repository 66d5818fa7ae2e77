// Polygon: the brush fill by the canvas's fill rule, then the pen's closed
// outline through every vertex. A pixel is inside when its centre is: on row
// y an edge from (xa, ya) to (xb, yb) counts when min(ya, yb) <= y <
// max(ya, yb), and the pixels from the ceiling of one crossing up to, not
// including, the ceiling of the next inside pair are filled.
//
// The fill walks the rows once with an active edge list. Each edge keeps its
// crossing as an exact integer walk: x = ceil(exact crossing) and the
// remainder r = x * dy - (exact numerator) in [0, dy), advanced by the whole
// and fractional parts of dx / dy per row. Only an edge that starts above
// the clip needs one 128-bit division to find its first row.
#include <algorithm>

#include "platform/graphics/raster/LineWalk.h"
#include "platform/graphics/FigureDevice.h"
#include "platform/graphics/raster/Raster.h"
#include "platform/graphics/raster/ShapeStamps.h"

namespace korvo {

namespace {

using i128 = __int128;

// floor(a / b) for b > 0.
template <class T>
T FloorDiv(T a, T b) {
  T q = a / b;
  if ((a % b != 0) && (a < 0)) --q;
  return q;
}

// An edge as it walks down the rows, stored as kEdgeWords 64-bit words in
// the canvas's scratch memory.
enum EdgeWord : size_t { kX, kRem, kStep, kRemStep, kDy, kYFirst, kYEnd, kDir, kEdgeWords };

class EdgeTable {
 public:
  explicit EdgeTable(std::vector<int64_t>& words) : w_(words) {}

  // Builds the edges that cross rows top..bottom-1 and returns their number.
  // The scratch memory holds the edges, then their order by first row, then
  // the active list.
  size_t Build(std::span<const TPoint> pts, int64_t top, int64_t bottom) {
    const size_t n = pts.size();
    n_ = n;
    w_.resize(n * (kEdgeWords + 2));
    size_t count = 0;
    for (size_t i = 0; i < n; ++i) {
      const TPoint p = raster::LoadPoint(pts[i]);
      const TPoint q = raster::LoadPoint(pts[i + 1 == n ? 0 : i + 1]);
      if (p.Y == q.Y) continue;
      const bool down = p.Y < q.Y;
      const TPoint& lo = down ? p : q;
      const TPoint& hi = down ? q : p;
      const int64_t first = std::max<int64_t>(lo.Y, top);
      const int64_t end = std::min<int64_t>(hi.Y, bottom);
      if (first >= end) continue;
      const int64_t dx = int64_t(hi.X) - lo.X, dy = int64_t(hi.Y) - lo.Y;
      // Edges no flatter than two pixels per row (most edges of small
      // figures) need no division.
      const int64_t step = dx >= 0 ? (dx < dy ? 0 : dx < 2 * dy ? 1 : FloorDiv(dx, dy))
                                   : (-dx <= dy ? -1 : -dx <= 2 * dy ? -2 : FloorDiv(dx, dy));
      int64_t* e = Edge(count);
      e[kStep] = step;
      e[kRemStep] = dx - step * dy;
      e[kDy] = dy;
      e[kYFirst] = first;
      e[kYEnd] = end;
      e[kDir] = down ? 1 : -1;
      if (first == lo.Y) {
        e[kX] = lo.X;
        e[kRem] = 0;
      } else {
        // The crossing at row `first`: num = (first - lo.Y) dx.
        const i128 num = i128(first - lo.Y) * dx;
        const i128 c = -FloorDiv<i128>(-num, dy);
        e[kX] = lo.X + int64_t(c);
        e[kRem] = int64_t(c * dy - num);
      }
      ++count;
    }
    count_ = count;
    // Insertion sort: figures have a handful of edges, and the library's sort
    // moves its ranges with a call into the C library for each element.
    int64_t* order = Order();
    for (size_t i = 0; i < count; ++i) {
      const int64_t first = Edge(i)[kYFirst];
      size_t j = i;
      for (; j > 0 && Edge(order[j - 1])[kYFirst] > first; --j) order[j] = order[j - 1];
      order[j] = int64_t(i);
    }
    return count;
  }

  int64_t* Edge(size_t i) { return w_.data() + i * kEdgeWords; }
  int64_t* Edge(int64_t i) { return Edge(size_t(i)); }
  int64_t* Order() { return w_.data() + n_ * kEdgeWords; }
  int64_t* Active() { return Order() + n_; }
  size_t Count() const { return count_; }

 private:
  std::vector<int64_t>& w_;
  size_t n_ = 0;      // room for this many edges
  size_t count_ = 0;  // edges built
};

// Emits the spans of one row from the active edges sorted by crossing.
template <bool kWinding, class Paint>
void Spans(EdgeTable& table, const int64_t* active, size_t n, Paint&& paint) {
  if constexpr (!kWinding) {
    for (size_t k = 0; k + 1 < n; k += 2) paint(table.Edge(active[k])[kX], table.Edge(active[k + 1])[kX]);
  } else {
    int64_t count = 0, start = 0;
    for (size_t k = 0; k < n; ++k) {
      const int64_t* e = table.Edge(active[k]);
      if (count == 0) start = e[kX];
      count += e[kDir];
      if (count == 0) paint(start, e[kX]);
    }
  }
}

// *p, read by a load of its own (the empty asm keeps the compiler from
// merging neighbouring reads into one vector load).
[[gnu::always_inline]] inline int64_t LoadWord(const int64_t* p) {
  int64_t v = *p;
#if defined(__GNUC__)
  asm("" : "+r"(v));
#endif
  return v;
}

// Moves an edge's crossing down one row.
[[gnu::always_inline]] inline void Step(int64_t& x, int64_t& rem, const int64_t* e) {
  x += e[kStep];
  rem -= e[kRemStep];
  if (rem < 0) {
    rem += e[kDy];
    ++x;
  }
}

template <bool kInside>
[[gnu::always_inline]] inline void Run(const raster::Target& t, TPixel* row, int64_t x0, int64_t x1, raster::Ink ink) {
  if constexpr (!kInside) {
    x0 = std::max<int64_t>(x0, t.Left);
    x1 = std::min<int64_t>(x1, t.Right);
  }
  if (x0 < x1) raster::Target::FillRun(row + x0, size_t(x1 - x0), ink);
}

// Fills rows y0..y1-1. The active list changes only at rows where an edge
// starts or ends; between those rows the crossings step without any list
// work, and two active edges (every row of a convex figure) bound one span
// under either rule.
// With `outside` (the mask of a wide XOR outline) the spans leave out the
// pixels the outline will flip, so each pixel changes once.
template <bool kWinding, bool kInside>
void FillRows(const raster::Target& t, EdgeTable& table, raster::Ink ink, int64_t y0, int64_t y1,
              const raster::StrokeMask* outside) {
  const auto span = [&](int64_t y, TPixel* row, int64_t x0, int64_t x1) {
    if (outside != nullptr) {
      raster::SpanOutside(t, *outside, y, x0, x1, ink);
    } else {
      Run<kInside>(t, row, x0, x1, ink);
    }
  };
  int64_t* order = table.Order();
  int64_t* active = table.Active();
  const size_t count = table.Count();
  size_t next = 0, live = 0;
  int64_t y = y0;
  while (y < y1) {
    size_t kept = 0;
    for (size_t k = 0; k < live; ++k) {
      if (table.Edge(active[k])[kYEnd] > y) active[kept++] = active[k];
    }
    live = kept;
    while (next < count && table.Edge(order[next])[kYFirst] == y) active[live++] = order[next++];
    int64_t stop = y1;
    if (next < count) stop = std::min(stop, table.Edge(order[next])[kYFirst]);
    for (size_t k = 0; k < live; ++k) stop = std::min(stop, table.Edge(active[k])[kYEnd]);
    if (live == 0) {
      if (next == count) return;
      y = stop;
      continue;
    }
    TPixel* row = t.Row(int32_t(y));
    if (live == 2) {
      int64_t* a = table.Edge(active[0]);
      int64_t* b = table.Edge(active[1]);
      // One load per word: the words were just stored one by one, and a wider
      // load of two of them would wait for both stores to retire.
      int64_t ax = LoadWord(a + kX), ar = LoadWord(a + kRem), bx = LoadWord(b + kX), br = LoadWord(b + kRem);
      for (; y < stop; ++y, row += t.Stride) {
        span(y, row, std::min(ax, bx), std::max(ax, bx));
        Step(ax, ar, a);
        Step(bx, br, b);
      }
      a[kX] = ax, a[kRem] = ar, b[kX] = bx, b[kRem] = br;
      continue;
    }
    for (; y < stop; ++y, row += t.Stride) {
      // Crossing edges swap places: keep the list sorted by crossing.
      for (size_t k = 1; k < live; ++k) {
        const int64_t e = active[k];
        const int64_t x = table.Edge(e)[kX];
        size_t j = k;
        for (; j > 0 && table.Edge(active[j - 1])[kX] > x; --j) active[j] = active[j - 1];
        active[j] = e;
      }
      Spans<kWinding>(table, active, live, [&](int64_t x0, int64_t x1) { span(y, row, x0, x1); });
      for (size_t k = 0; k < live; ++k) {
        int64_t* e = table.Edge(active[k]);
        Step(e[kX], e[kRem], e);
      }
    }
  }
}

// One side of a y-monotone polygon (below) as it walks down the rows: the
// edge from vertex `at` to `next`, its crossing x = ceil(exact) with
// remainder rem as in the edge table, and the row it ends before.
struct Chain {
  std::span<const TPoint> pts;
  size_t at, next;
  bool forward;  // walks the vertices in their order (else against it)
  int64_t x, rem, step, rem_step, dy, end;

  size_t After(size_t i) const {
    const size_t n = pts.size();
    return forward ? (i + 1 == n ? 0 : i + 1) : (i == 0 ? n - 1 : i - 1);
  }
  // Moves to the first edge below row y that leaves row y (the chain's
  // current vertex lies on row y); flat edges are passed over.
  void Start(int64_t y) {
    while (pts[next].Y <= y) {
      at = next;
      next = After(next);
    }
    const TPoint lo = raster::LoadPoint(pts[at]), hi = raster::LoadPoint(pts[next]);
    const int64_t ex = int64_t(hi.X) - lo.X;
    dy = int64_t(hi.Y) - lo.Y;
    step = ex >= 0 ? (ex < dy ? 0 : ex < 2 * dy ? 1 : FloorDiv(ex, dy))
                   : (-ex <= dy ? -1 : -ex <= 2 * dy ? -2 : FloorDiv(ex, dy));
    rem_step = ex - step * dy;
    x = lo.X;
    rem = 0;
    end = hi.Y;
  }
  void StepRow() {
    x += step;
    rem -= rem_step;
    if (rem < 0) {
      rem += dy;
      ++x;
    }
  }
};

// What one pass over the vertices finds: the bounding box, the first
// topmost vertex, and how often the vertical direction of travel turns round
// the cycle (flat edges left out).
struct Survey {
  int64_t Left = INT64_MAX, Top = INT64_MAX, Right = INT64_MIN, Bottom = INT64_MIN;
  size_t FirstTop = 0;
  int Turns = 0;
};

Survey Look(std::span<const TPoint> pts) {
  Survey s;
  const size_t n = pts.size();
  int last = 0, first = 0;
  for (size_t i = 0; i < n; ++i) {
    const TPoint p = raster::LoadPoint(pts[i]);
    const int32_t y_next = pts[i + 1 == n ? 0 : i + 1].Y;
    s.Left = std::min<int64_t>(s.Left, p.X);
    s.Right = std::max<int64_t>(s.Right, p.X);
    s.Bottom = std::max<int64_t>(s.Bottom, p.Y);
    if (p.Y < s.Top) {
      s.Top = p.Y;
      s.FirstTop = i;
    }
    const int d = (y_next > p.Y) - (y_next < p.Y);
    if (d == 0) continue;
    if (last == 0) first = d;
    else if (d != last) ++s.Turns;
    last = d;
  }
  if (first != last) ++s.Turns;  // the turn between the last edge and the first
  return s;
}

// A polygon whose vertices, taken round the cycle, run down from a topmost
// vertex to a bottommost one and back up (two turns; flat stretches allowed)
// crosses every row between them exactly twice, once on either chain and in
// opposite directions: the pixels between the two crossings are inside by
// either fill rule, whichever crossing lies left. Convex figures (every mark
// shape) are such polygons. They are filled with the two chains' crossings
// in locals, without an edge table. The polygon lies inside the target.
void FillChains(const raster::Target& t, std::span<const TPoint> pts, const Survey& s, raster::Ink ink) {
  if (s.Top >= s.Bottom) return;
  Chain a{pts, s.FirstTop, s.FirstTop, true, 0, 0, 0, 0, 0, 0};
  Chain b{pts, s.FirstTop, s.FirstTop, false, 0, 0, 0, 0, 0, 0};
  a.next = a.After(s.FirstTop);
  b.next = b.After(s.FirstTop);
  a.Start(s.Top);
  b.Start(s.Top);
  TPixel* row = t.Row(int32_t(s.Top));
  for (int64_t y = s.Top;;) {
    const int64_t stop = std::min(a.end, b.end);
    for (; y < stop; ++y, row += t.Stride) {
      const int64_t x0 = std::min(a.x, b.x), x1 = std::max(a.x, b.x);
      if (x0 < x1) raster::Target::FillRun(row + x0, size_t(x1 - x0), ink);
      a.StepRow();
      b.StepRow();
    }
    if (y >= s.Bottom) return;
    if (a.end == y) a.Start(y);
    if (b.end == y) b.Start(y);
  }
}

void Fill(raster::CanvasAccess& a, std::span<const TPoint> pts, const Survey& s, bool winding,
          const raster::StrokeMask* outside = nullptr) {
  const raster::Target& t = a.target();
  const bool inside = s.Left >= t.Left && s.Right <= t.Right && s.Top >= t.Top && s.Bottom <= t.Bottom;
  const int64_t y0 = std::max<int64_t>(s.Top, t.Top), y1 = std::min<int64_t>(s.Bottom, t.Bottom);
  if (y0 >= y1) return;
  if (inside && outside == nullptr && s.Turns == 2) {
    FillChains(t, pts, s, a.BrushInk());
    return;
  }
  EdgeTable table(a.Scratch());
  if (table.Build(pts, y0, y1) < 2) return;
  const raster::Ink ink = a.BrushInk();
  if (winding) {
    inside ? FillRows<true, true>(t, table, ink, y0, y1, outside) : FillRows<true, false>(t, table, ink, y0, y1, outside);
  } else {
    inside ? FillRows<false, true>(t, table, ink, y0, y1, outside)
           : FillRows<false, false>(t, table, ink, y0, y1, outside);
  }
}

}  // namespace

// The common case, a recorded shape in plain colours, is a key, a lookup
// and a tail call; everything else (recording, system colours, another
// surface width, any other figure) goes through PolygonNotReplayed. Few
// values are saved on the stack on the way: each such store waits behind
// the previous figure's pixels in the store buffer.
void TCanvas::Polygon(std::span<const TPoint> points) {
  if (figures_ != nullptr) [[unlikely]] {
    if (!effective_clip_.IsEmpty() && !points.empty()) figures_->Polygon(*this, points);
    return;
  }
  const raster::ShapeKey key = raster::ShapeKeyOf(*this, points);
  const TColor brush = brush_.Color(), pen = pen_.Color();
  if (key.Head != 0 && shape_stamps_ != nullptr && PlainColor(brush) && PlainColor(pen)) {
    if (const raster::ShapeStamp* stamp = shape_stamps_->Find(key)) {
      return Stamp(raster::LoadPoint(points[0]), stamp->Stamp, TStampInks{RGBToPixel(brush), RGBToPixel(pen)});
    }
  }
  return PolygonNotReplayed(points, key);
}

void TCanvas::PolygonNotReplayed(std::span<const TPoint> points, raster::ShapeKey key) {
  if (key.Head != 0) {
    if (shape_stamps_ == nullptr) shape_stamps_ = std::make_unique<raster::ShapeStamps>();
    raster::ShapeStamp* stamp = shape_stamps_->Find(key);
    if (stamp == nullptr) stamp = shape_stamps_->Miss(key, *this);
    if (stamp != nullptr) {
      const TStampInks inks{ColorToPixel(brush_.Color()), ColorToPixel(pen_.Color())};
      return Stamp(raster::LoadPoint(points[0]), stamp->Stamp, inks);
    }
  }
  PaintPolygon(points);
}

void TCanvas::PaintPolygon(std::span<const TPoint> points) {
  if (points.empty()) return;
  const Survey s = Look(points);
  const TPenStyle style = pen_.Style();
  const bool fill = brush_.Style() == TBrushStyle::bsSolid && points.size() >= 3;
  const TRect& c = effective_clip_;
  if (pen_.Mode() == TPenMode::pmCopy && pen_.Width() <= 1 &&
      (style == TPenStyle::psSolid || style == TPenStyle::psInsideFrame || style == TPenStyle::psClear) &&
      (!fill || s.Turns == 2) && s.Left >= c.Left && s.Top >= c.Top && s.Right < c.Right && s.Bottom < c.Bottom) {
    // Marks and small figures: a figure in copy mode with a solid 1-pixel
    // pen, every vertex (so every pixel it paints) inside the clip.
    const raster::Target t{surface_.Bits, surface_.Stride, c.Left, c.Top, c.Right, c.Bottom};
    if (fill) FillChains(t, points, s, raster::Ink{ColorToPixel(brush_.Color()), false});
    if (style == TPenStyle::psClear) return;
    const TPixel ink = ColorToPixel(pen_.Color());
    const size_t n = points.size();
    TPoint a = raster::LoadPoint(points[0]);
    for (size_t i = 1; i <= n; ++i) {
      const TPoint b = raster::LoadPoint(points[i == n ? 0 : i]);
      raster::SolidSegment(t.Bits, t.Stride, ink, a, int64_t(b.X) - a.X, int64_t(b.Y) - a.Y);
      a = b;
    }
    return;
  }
  raster::CanvasAccess a(*this);
  if (a.target().Empty()) return;
  const bool winding = poly_fill_mode_ == TPolyFillMode::pfWinding;
  if (fill && a.PenVisible() && a.WidePen() && a.PenInk().Xor) {
    // Each pixel changes once: the fill leaves out the wide outline.
    const raster::StrokeMask m = raster::WideStrokeMask(a, points, true, a.PenWidth());
    Fill(a, points, s, winding, &m);
    if (m.Left < m.Right) raster::PaintMask(a.target(), m, a.PenInk());
    return;
  }
  if (fill) Fill(a, points, s, winding);
  raster::StrokeClosedPath(a, points);
}

}  // namespace korvo
