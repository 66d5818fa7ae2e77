// Mark series items (ckSeriesMarks): a mark at every point of a series,
// with exactly the pixels of the same points given as MarkAt items.
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
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "base/Marks.h"
#include "chart/CustomPlotwell.h"
#include "chart/items/Series.h"
#include "chart/render/ItemRenderer.h"
#include "chart/render/LayerMap.h"
#include "chart/render/RenderMath.h"
#include "chart/render/SeriesBlock.h"
#include "platform/graphics/Canvas.h"
#include "scale/PrinterFont.h"

namespace korvo {
using render::Finite;
using render::LogFloor;
using render::TSeriesBlock;
namespace {

// How far a geometric mark reaches from its centre, beyond half the pen.
constexpr int32_t MarkReach = 16;

// Mark series keep their centres in a bitmap of at most this many bits;
// beyond it (a huge canvas) every mark is drawn.
constexpr int64_t MaxSeenBits = int64_t(1) << 28;

constexpr int Words = TSeriesBlock::Size / 64;

// Bit j of mask[j / 64] set when point j lies in [xl, xh] x [yl, yh] (NaN
// never does); the bits past n are clear.
void VisibleMask(const double* x, const double* y, int n, double xl, double xh, double yl, double yh,
                 uint64_t* mask) {
  for (int w = 0; w * 64 < n; ++w) {
    const int first = w * 64, last = std::min(n, first + 64);
    uint64_t bits = 0;
    int j = first;
#if defined(__SSE2__)
    const __m128d lx = _mm_set1_pd(xl), hx = _mm_set1_pd(xh), ly = _mm_set1_pd(yl), hy = _mm_set1_pd(yh);
    for (; j + 2 <= last; j += 2) {
      const __m128d vx = _mm_loadu_pd(x + j), vy = _mm_loadu_pd(y + j);
      const __m128d in = _mm_and_pd(_mm_and_pd(_mm_cmpge_pd(vx, lx), _mm_cmple_pd(vx, hx)),
                                    _mm_and_pd(_mm_cmpge_pd(vy, ly), _mm_cmple_pd(vy, hy)));
      bits |= uint64_t(_mm_movemask_pd(in)) << (j - first);
    }
#endif
    for (; j < last; ++j) {
      bits |= uint64_t(x[j] >= xl && x[j] <= xh && y[j] >= yl && y[j] <= yh) << (j - first);
    }
    mask[w] = bits;
  }
}

// Bit j of mask[j / 64] set when point j has the centre of point j + 1,
// the last point compared with (nextX, nextY); the bits past n are clear.
void SameAsNext(const int32_t* px, const int32_t* py, int n, int32_t nextX, int32_t nextY, uint64_t* mask) {
  for (int w = 0; w * 64 < n; ++w) mask[w] = 0;
  int j = 0;
#if defined(__SSE2__)
  for (; j + 5 <= n; j += 4) {
    const __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(px + j));
    const __m128i x1 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(px + j + 1));
    const __m128i y = _mm_loadu_si128(reinterpret_cast<const __m128i*>(py + j));
    const __m128i y1 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(py + j + 1));
    const int same = _mm_movemask_ps(_mm_castsi128_ps(_mm_and_si128(_mm_cmpeq_epi32(x, x1), _mm_cmpeq_epi32(y, y1))));
    mask[j / 64] |= uint64_t(same) << (j % 64);
  }
#endif
  for (; j < n; ++j) {
    const int32_t x1 = j + 1 < n ? px[j + 1] : nextX, y1 = j + 1 < n ? py[j + 1] : nextY;
    mask[j / 64] |= uint64_t(px[j] == x1 && py[j] == y1) << (j % 64);
  }
}

}  // namespace

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
                    bw * bh <= MaxSeenBits && Finite(x1, x2) && Finite(y1, y2);

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
  // The first point of the block read before (the next one in the series):
  // its centre, and whether it is visible.
  int32_t nextX = 0, nextY = 0;
  bool nextVisible = false;
  uint64_t inView[Words], fresh[Words];
  for (int64_t end = n; end > 0;) {
    int64_t start = std::max<int64_t>(0, end - TSeriesBlock::Size);
    const double *xs, *ys;
    const int64_t m = series.Contiguous(start, xs, ys);
    if (start + m < end) {  // the block crosses into the next chunk: take that part
      start += m;
      series.Contiguous(start, xs, ys);
    }
    const int count = int(end - start);
    block.Map(series, map, chart, start, count, xs, ys);
    const int words = (count + 63) / 64;
    VisibleMask(block.x, block.y, count, xl, xh, yl, yh, inView);
    // A visible point on the same centre as the visible point after it is
    // left out: that one came first in this backward pass.
    SameAsNext(block.px, block.py, count, nextX, nextY, fresh);
    const bool lastSame = fresh[(count - 1) / 64] >> ((count - 1) % 64) & 1;
    for (int w = 0; w < words; ++w) {
      const uint64_t after = (inView[w] >> 1) | (w + 1 < words ? inView[w + 1] << 63 : 0);
      fresh[w] = inView[w] & ~(fresh[w] & after);
    }
    if (lastSame && nextVisible) {  // the block's last point repeats the next block's first
      fresh[(count - 1) / 64] &= ~(uint64_t(1) << ((count - 1) % 64));
    }
    for (int w = words - 1; w >= 0; --w) {
      for (uint64_t bits = fresh[w]; bits != 0;) {
        const int b = 63 - __builtin_clzll(bits);
        bits &= ~(uint64_t(1) << b);
        const int j = w * 64 + b;
        const uint64_t cx = uint64_t(int64_t(block.px[j]) - bx), cy = uint64_t(int64_t(block.py[j]) - by);
        if (cx >= uint64_t(bw) || cy >= uint64_t(bh)) continue;
        const uint64_t bit = cy * uint64_t(bw) + cx;
        uint64_t& word = mark_seen_[size_t(bit >> 6)];
        const uint64_t mask = uint64_t(1) << (bit & 63);
        if ((word & mask) != 0) continue;
        word |= mask;
        mark_kept_.push_back(TPoint{block.px[j], block.py[j]});
      }
    }
    for (int w = 0; w < words; ++w) {
      if (inView[w] != 0) {
        firstVisible = start + w * 64 + __builtin_ctzll(inView[w]);
        break;
      }
    }
    nextX = block.px[0];
    nextY = block.py[0];
    nextVisible = inView[0] & 1;
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
