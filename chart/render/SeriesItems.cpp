// Series items (ckSeriesLine, ckSeriesMarks): every point of a series drawn
// with exactly the pixels of the same points given as items, thinned only
// where that is provably exact.
//
// Lines. A solid (or clear) 1-pixel pen in copy mode draws the points
// thinned per pixel column (ColumnThinner.h says why that keeps every
// pixel). When the series' x is sorted, the runs of points in one column are
// found by search and summarised by the series' min/max pyramid, so a frame
// costs about (columns on the canvas) x log n; the points on either side of
// the clip are skipped but for the two that lead into it and the last one,
// where the line ends (x only grows, so nothing between them reaches the
// clip). Any other pen, or a mode other than copy, gets every point, through
// the same polyline batch as DrawTo items.
//
// Marks. In copy mode a geometric glyph drawn twice on one centre paints the
// same pixels in the same colours, so only the last mark on each centre
// counts (an earlier one is painted over by it): a reverse pass keeps the
// last occurrence of each centre and the marks are drawn in their order.
// Centres so far outside the clip that no mark reaches into it are left
// out. The first visible mark is drawn first as well, so that the canvas
// state a glyph leaves (the brush style of hollow figures) is the one the
// item path has from its first mark on. Character glyphs, the other pen
// modes and the duplicate-mark grid get every point.
#include <algorithm>
#include <cmath>
#include <cstring>

#include "base/Marks.h"
#include "chart/CustomPlotwell.h"
#include "chart/items/Series.h"
#include "chart/render/ColumnThinner.h"
#include "chart/render/ItemRenderer.h"
#include "chart/render/LayerMap.h"
#include "chart/render/RenderMath.h"
#include "platform/graphics/Canvas.h"
#include "scale/PrinterFont.h"

namespace korvo {
namespace {

// Below this a logarithmic axis maps every value to its low end, so the map
// is monotonic only above it.
constexpr double LogFloor = 1e-100;

// Runs of at most this many points are fed point by point: cheaper than a
// summary.
constexpr int64_t SmallRun = 8;

// How far a geometric mark reaches from its centre, beyond half the pen.
constexpr int32_t MarkReach = 16;

// Mark series keep their centres in a bitmap of at most this many bits;
// beyond it (a huge canvas) every mark is drawn.
constexpr int64_t MaxSeenBits = int64_t(1) << 28;

inline bool Finite(double x, double y) { return std::isfinite(x) && std::isfinite(y); }

}  // namespace

// A block of a series' points, as stored and as mapped to the canvas.
struct TSeriesBlock {
  static constexpr int Size = 256;
  const double* x;
  const double* y;
  int n;
  double xs[Size];  // the x of a uniform series, worked out
  int32_t px[Size], py[Size];
  uint8_t finite[Size];

  // Reads and maps the points first .. first + n - 1 (n <= Size, all in one
  // chunk of the series: see Contiguous).
  template <class TMap>
  void Map(const TPwSeries& s, const TMap& map, const TCustomPlotwell& chart, int64_t first, int count,
           const double* sx, const double* sy) {
    n = count;
    y = sy;
    if (sx == nullptr) {
      for (int j = 0; j < n; ++j) xs[j] = s.X(first + j);
      x = xs;
    } else {
      x = sx;
    }
    map.Points(chart, x, y, n, px, py, finite);
  }
};

// The renderer's polyline batch as the receiver of a line's points: Move is
// what a ckMoveTo item does, Line what a ckDrawTo does.
struct TSeriesSink {
  TItemRenderer& renderer;
  TCanvas* canvas;
  void Move(int32_t x, int32_t y) {
    renderer.FlushPolyline(canvas);
    renderer.SetBatchStart(TPoint{x, y});
    canvas->MoveTo(x, y);
  }
  void Line(int32_t x, int32_t y) { renderer.AddPolylinePoint(canvas, x, y); }
};

void TItemRenderer::DrawSeriesLineItem(const TpwChartItem& item, TColor ink, const TPwSeries& series) {
  TCanvas* canvas = pass_.canvas;
  const int64_t n = series.Count();
  if (n == 0) return;
  const bool ownMaps = !layer_maps_ready_;
  if (ownMaps) ReadLayerMaps();
  const TLayerMap& map = layer_maps_[size_t(render::ClampLayer(item.Layer) - 1)];
  const TCustomPlotwell& chart = *pass_.chart;

  // A series without a finite point is no line at all, as no items are.
  int64_t start = 0;
  while (start < n && !Finite(series.X(start), series.Y(start))) ++start;
  if (start == n) {
    if (ownMaps) layer_maps_ready_ = false;
    return;
  }
  if (ink != pen_color_ || item.PenStyle != pen_style_ || item.FillColor != brush_color_) {
    SetLineAttributesForced(item, ink);
  }
  const TPenStyle style = canvas->Pen()->Style();
  const bool thin = canvas->Pen()->Mode() == TPenMode::pmCopy && canvas->Pen()->Width() <= 1 &&
                    (style == TPenStyle::psSolid || style == TPenStyle::psInsideFrame || style == TPenStyle::psClear);

  const bool sorted = series.XSorted() && !(map.LogarithmicX() && !(series.X(0) > LogFloor));
  if (thin && sorted) {
    DrawSortedSeriesLine(series, map);
  } else {
    TSeriesSink sink{*this, canvas};
    render::TColumnThinner<TSeriesSink> thinner(sink);
    bool inLine = false;
    TSeriesBlock block;
    for (int64_t i = 0; i < n;) {
      const double *xs, *ys;
      const int m = int(std::min<int64_t>(series.Contiguous(i, xs, ys), TSeriesBlock::Size));
      block.Map(series, map, chart, i, m, xs, ys);
      if (thin) {
        thinner.Points(block.px, block.py, block.finite, m);
      } else {
        for (int j = 0; j < m; ++j) {
          if (!block.finite[j]) {
            inLine = false;
          } else if (inLine) {
            AddPolylinePoint(canvas, block.px[j], block.py[j]);
          } else {
            sink.Move(block.px[j], block.py[j]);
            inLine = true;
          }
        }
      }
      i += m;
    }
    if (thin) thinner.End();
  }
  if (ownMaps) layer_maps_ready_ = false;
}

// The thinned line of a series whose x never falls: the column of point i,
// col(i), is monotonic in i (falling on a reversed axis), so with
// key(i) = dir * col(i) the points of each column are one stretch of
// indices, found by search.
void TItemRenderer::DrawSortedSeriesLine(const TPwSeries& series, const TLayerMap& map) {
  TCanvas* canvas = pass_.canvas;
  const TCustomPlotwell& chart = *pass_.chart;
  const int64_t n = series.Count();
  TSeriesSink sink{*this, canvas};
  render::TColumnThinner<TSeriesSink> thinner(sink);

  const auto col = [&](int64_t i) { return map.X(chart, series.X(i)); };
  const int32_t dir = col(n - 1) >= col(0) ? 1 : -1;
  const auto key = [&](int64_t i) { return int64_t(dir) * col(i); };
  // The first index in [lo, up) whose key exceeds k, given key(lo - 1) <= k
  // (or lo = 0) and key(up) > k (or up = n).
  const auto bisect = [&](int64_t lo, int64_t up, int64_t k) {
    while (lo < up) {
      const int64_t m = lo + (up - lo) / 2;
      if (key(m) > k) {
        up = m;
      } else {
        lo = m + 1;
      }
    }
    return lo;
  };
  const auto feed = [&](int64_t i) {
    const double x = series.X(i), y = series.Y(i);
    if (!Finite(x, y)) {
      thinner.Break();
      return;
    }
    const TPoint p = map.Point(chart, x, y);
    thinner.Point(p.X, p.Y);
  };

  // The visible columns are clip.Left .. clip.Right - 1; in keys,
  // [kLow, kHigh).
  const TRect clip = canvas->ClipRect();
  const int64_t kLow = dir > 0 ? clip.Left : 1 - int64_t(clip.Right);
  const int64_t kHigh = dir > 0 ? clip.Right : 1 - int64_t(clip.Left);
  const int64_t a = bisect(0, n, kLow - 1);  // first key >= kLow
  const int64_t b = bisect(a, n, kHigh - 1);  // first key >= kHigh

  if (a > 0) feed(a - 1);  // leads into the clip from before it
  // The end of the run of key k that starts at s, in (s, hi]: galloping
  // from a guess in both directions, so that a good guess (the length of
  // the run before) costs a few probes in one or two cache lines.
  const auto runEnd = [&](int64_t s, int64_t hi, int64_t k, int64_t guess) {
    const int64_t g = std::clamp(guess, s + 1, hi);
    int64_t lo = s + 1, up = hi;  // key(lo - 1) <= k; key(up) > k or up == hi
    if (g < hi && key(g) <= k) {
      int64_t last = g, step = 1;
      while (true) {
        const int64_t p = g + step;
        if (p >= hi) break;
        if (key(p) > k) {
          up = p;
          break;
        }
        last = p;
        step *= 2;
      }
      lo = last + 1;
    } else {
      up = g;
      int64_t step = 1;
      while (true) {
        const int64_t p = g - step;
        if (p <= s) break;
        if (key(p) <= k) {
          lo = p + 1;
          break;
        }
        up = p;
        step *= 2;
      }
    }
    return bisect(lo, up, k);
  };

  int64_t hint = 1;
  for (int64_t s = a; s < b;) {
    const int64_t e = runEnd(s, b, key(s), s + hint);
    hint = e - s;
    // The data of the runs two and three ahead is on its way while this
    // one is summarised.
    series.Prefetch(e + 2 * hint);
    series.Prefetch(e + 3 * hint);
    double lo, hi;
    if (e - s <= SmallRun || !series.YRange(s, e, lo, hi) || (map.LogarithmicY() && !(lo > LogFloor))) {
      for (int64_t i = s; i < e; ++i) feed(i);
    } else {
      const int32_t r1 = map.Y(chart, lo), r2 = map.Y(chart, hi);
      const int32_t f = map.Y(chart, series.Y(s)), l = map.Y(chart, series.Y(e - 1));
      // Whether l is open matters only where the line ends after this run.
      bool open = true;
      if (e == n || !std::isfinite(series.Y(e))) {
        // The trailing points on l's row; l is open unless an earlier point
        // of the run lies at or beyond it.
        int64_t t = e - 1;
        while (t > s && map.Y(chart, series.Y(t - 1)) == l) --t;
        double plo, phi;
        if (t > s && series.YRange(s, t, plo, phi)) {
          const int32_t q1 = map.Y(chart, plo), q2 = map.Y(chart, phi);
          open = l < std::min(q1, q2) || l > std::max(q1, q2);
        }
      }
      thinner.Run(col(s), f, std::min(r1, r2), std::max(r1, r2), l, open);
    }
    s = e;
  }
  if (b < n) {
    feed(b);  // leads out of the clip
    int64_t last = n - 1;
    while (last > b && !Finite(series.X(last), series.Y(last))) --last;
    if (last > b) feed(last);  // where the line ends, for the pen position
  }
  thinner.End();
}

void TItemRenderer::DrawSeriesMarksItem(const TpwChartItem& item, TColor ink, const TPwSeries& series) {
  TCanvas* canvas = pass_.canvas;
  FlushPolyline(canvas);
  const int64_t n = series.Count();
  if (n == 0) return;
  const bool ownMaps = !layer_maps_ready_;
  if (ownMaps) ReadLayerMaps();
  const TCustomPlotwell& chart = *pass_.chart;
  const size_t layer = size_t(render::ClampLayer(item.Layer) - 1);
  const TLayerMap& map = layer_maps_[layer];
  const double x1 = chart.x_props_[layer]->RangeLow(), x2 = chart.x_props_[layer]->RangeHigh();
  const double y1 = chart.y_props_[layer]->RangeLow(), y2 = chart.y_props_[layer]->RangeHigh();
  const auto visible = [&](double x, double y) { return render::Between(x, x1, x2) && render::Between(y, y1, y2); };
  const uint8_t glyph = uint8_t(item.Param3);

  // The pen is set as the first visible mark sets it on the item path.
  bool penSet = false;
  const auto setPen = [&] {
    if (penSet) return;
    SetPenColor(canvas, ink);
    SetPenStyle(canvas, item.PenStyle);
    penSet = true;
  };

  // The box of centres kept in the bitmap: the clip grown by the reach of a
  // mark. A centre outside it draws nothing.
  const TRect clip = canvas->ClipRect();
  const int64_t grow = MarkReach + canvas->Pen()->Width();
  const int64_t bx = int64_t(clip.Left) - grow, by = int64_t(clip.Top) - grow;
  const int64_t bw = std::max<int64_t>(0, int64_t(clip.Right) - clip.Left) + 2 * grow;
  const int64_t bh = std::max<int64_t>(0, int64_t(clip.Bottom) - clip.Top) + 2 * grow;
  const bool thin = glyph <= 51 && canvas->Pen()->Mode() == TPenMode::pmCopy && !chart.AvoidDuplicateMarks() &&
                    bw * bh <= MaxSeenBits;

  if (!thin) {
    for (int64_t i = 0; i < n; ++i) {
      const double x = series.X(i), y = series.Y(i);
      if (!visible(x, y)) continue;
      setPen();
      const TPoint p = map.Point(chart, x, y);
      if (glyph > 51) AdjustFontForPrinter(canvas, item.Param1);
      if (chart.AvoidDuplicateMarks() && !ClaimMark(p.X, p.Y, glyph)) continue;
      DrawMark(canvas, glyph, p.X, p.Y);
      if (glyph > 51) font_color_ = canvas->Font()->Color();
    }
    if (ownMaps) layer_maps_ready_ = false;
    return;
  }

  const size_t words = size_t((bw * bh + 63) / 64);
  if (mark_seen_.size() < words) mark_seen_.resize(words);
  std::memset(mark_seen_.data(), 0, words * sizeof(uint64_t));
  mark_kept_.clear();
  // At most one mark a centre: reserved once for the largest series, never
  // grown point by point.
  mark_kept_.reserve(size_t(std::min<int64_t>(n, bw * bh)));
  // Blocks from the last to the first, each read backwards.
  const double xl = std::min(x1, x2), xh = std::max(x1, x2), yl = std::min(y1, y2), yh = std::max(y1, y2);
  int64_t firstVisible = -1;
  TSeriesBlock block;
  for (int64_t end = n; end > 0;) {
    int64_t start = std::max<int64_t>(0, end - TSeriesBlock::Size);
    const double *xs, *ys;
    const int64_t m = series.Contiguous(start, xs, ys);
    if (start + m < end) {  // the block crosses into the next chunk: take that part
      start += m;
      series.Contiguous(start, xs, ys);
    }
    block.Map(series, map, chart, start, int(end - start), xs, ys);
    for (int j = int(end - start) - 1; j >= 0; --j) {
      const double x = block.x[j], y = block.y[j];
      if (!(x >= xl && x <= xh && y >= yl && y <= yh)) continue;
      firstVisible = start + j;
      const int64_t cx = block.px[j] - bx, cy = block.py[j] - by;
      if (cx < 0 || cx >= bw || cy < 0 || cy >= bh) continue;
      const int64_t bit = cy * bw + cx;
      uint64_t& word = mark_seen_[size_t(bit >> 6)];
      const uint64_t mask = uint64_t(1) << (bit & 63);
      if ((word & mask) != 0) continue;
      word |= mask;
      mark_kept_.push_back(TPoint{block.px[j], block.py[j]});
    }
    end = start;
  }
  if (firstVisible >= 0) {
    setPen();
    const TPoint p = map.Point(chart, series.X(firstVisible), series.Y(firstVisible));
    DrawMark(canvas, glyph, p.X, p.Y);
  }
  for (auto it = mark_kept_.rbegin(); it != mark_kept_.rend(); ++it) DrawMark(canvas, glyph, it->X, it->Y);
  if (ownMaps) layer_maps_ready_ = false;
}

}  // namespace korvo
