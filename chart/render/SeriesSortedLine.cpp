// The thinned line of a series whose x never falls: the points of one pixel
// column are one stretch of indices, found by search and summarised by the
// series' min/max pyramid, so a frame costs about (columns on the canvas) x
// log n. The points on either side of the clip are skipped but for the two
// that lead into it and the last one, where the line ends (x only grows, so
// nothing between them reaches the clip). SeriesItems.cpp decides when this
// path applies (a thin copy-mode pen, x sorted).
#include <algorithm>
#include <cmath>

#include "chart/CustomPlotwell.h"
#include "chart/items/Series.h"
#include "chart/render/ColumnThinner.h"
#include "chart/render/ItemRenderer.h"
#include "chart/render/LayerMap.h"
#include "chart/render/RenderMath.h"
#include "chart/render/SeriesBlock.h"
#include "platform/graphics/Canvas.h"

namespace korvo {
using render::Finite;
using render::LogFloor;
using render::TSeriesSink;
namespace {

// Runs of at most this many points are fed point by point: cheaper than a
// summary.
constexpr int64_t SmallRun = 8;

// The thinner's calls, kept and handed on in batches: the search reads the
// series (memory far apart) and the thinner's polyline writes pixels, and
// each goes faster without the other's misses in between.
template <class TThinner>
class TDeferred {
 public:
  explicit TDeferred(TThinner& thinner) : thinner_(thinner) {}
  void Point(int32_t x, int32_t y) { Add(TOp{Kind::Point, x, y, 0, 0, 0}); }
  void Run(int32_t x, int32_t f, int32_t lo, int32_t hi, int32_t l, bool open) {
    Add(TOp{open ? Kind::OpenRun : Kind::Run, x, f, lo, hi, l});
  }
  void Break() { Add(TOp{Kind::Break, 0, 0, 0, 0, 0}); }
  void End() {
    Flush();
    thinner_.End();
  }

 private:
  enum class Kind : int32_t { Point, Run, OpenRun, Break };
  struct TOp {
    Kind kind;
    int32_t x, f, lo, hi, l;
  };
  static constexpr int Capacity = 512;
  void Add(const TOp& op) {
    ops_[count_++] = op;
    if (count_ == Capacity) Flush();
  }
  void Flush() {
    for (int i = 0; i < count_; ++i) {
      const TOp& o = ops_[i];
      switch (o.kind) {
        case Kind::Point: thinner_.Point(o.x, o.f); break;
        case Kind::Break: thinner_.Break(); break;
        default: thinner_.Run(o.x, o.f, o.lo, o.hi, o.l, o.kind == Kind::OpenRun);
      }
    }
    count_ = 0;
  }
  TThinner& thinner_;
  TOp ops_[Capacity];
  int count_ = 0;
};

}  // namespace

// The thinned line of a series whose x never falls: the column of point i,
// col(i), is monotonic in i (falling on a reversed axis), so with
// key(i) = dir * col(i) the points of each column are one stretch of
// indices, found by search.
void TItemRenderer::DrawSortedSeriesLine(const TPwSeries& series, const TLayerMap& map) {
  TCanvas* canvas = pass_.canvas;
  const TCustomPlotwell& chart = *pass_.chart;
  const int64_t n = series.Count();
  TSeriesSink sink{*this, canvas};
  render::TColumnThinner<TSeriesSink> direct(sink);
  TDeferred thinner(direct);

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

}  // namespace korvo
