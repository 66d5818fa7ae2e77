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
//
// The reverse pass looks a point up in the bitmap of centres only when it is
// in view and the point after it (the one the pass saw just before) is not
// in view on the same centre: a dense line dwells on a centre for several
// points, and those repeats are found for many points at once, by masks
// (SeriesMarkMasks.h), not one lookup each.
#include <algorithm>
#include <cmath>
#include <cstring>

#include "base/Marks.h"
#include "chart/CustomPlotwell.h"
#include "chart/items/Series.h"
#include "chart/render/ItemRenderer.h"
#include "chart/render/LayerMap.h"
#include "chart/render/RenderMath.h"
#include "chart/render/SeriesBlock.h"
#include "chart/render/SeriesMarkMasks.h"
#include "platform/graphics/Canvas.h"
#include "scale/PrinterFont.h"

namespace korvo {
using render::Finite;
using render::LogFloor;
using render::TSeriesBlock;
using render::TView;
namespace {

// How far a geometric mark reaches from its centre, beyond half the pen.
constexpr int32_t MarkReach = 16;

// Mark series keep their centres in a bitmap of at most this many bits;
// beyond it (a huge canvas) every mark is drawn.
constexpr int64_t MaxSeenBits = int64_t(1) << 28;

// The backward pass reads its points in segments of this many, from the
// last segment to the first, each read forwards (a stream the processor's
// prefetching follows: read backwards block by block, the same points cost
// half as much again) and then walked backwards.
constexpr int SegmentPoints = 4096;
constexpr int SegmentWords = SegmentPoints / 64;

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
  const TView view{std::min(x1, x2), std::max(x1, x2), std::min(y1, y2), std::max(y1, y2)};
  static const render::TMaskKernels kernels = render::ChooseMaskKernels();
  int64_t firstVisible = -1;
  // Zeroed: the centre masks read the pixels of non-finite points too,
  // which the mapping leaves unwritten (the view mask then drops them).
  int32_t px[SegmentPoints] = {}, py[SegmentPoints] = {};
  uint8_t finite[SegmentPoints];
  double uniformX[TSeriesBlock::Size];
  uint64_t inView[SegmentWords], fresh[SegmentWords], blockInView[TSeriesBlock::Size / 64];
  // The first point of the segment walked before (the next one in the
  // series): its centre, and whether it is in view.
  int32_t nextX = 0, nextY = 0;
  bool nextInView = false;
  for (int64_t end = n; end > 0;) {
    const int64_t start = std::max<int64_t>(0, end - SegmentPoints);
    const int count = int(end - start), words = (count + 63) / 64;
    std::fill_n(inView, words, 0);
    std::fill_n(fresh, words, 0);
    for (int64_t i = start; i < end;) {
      const double *xs, *ys;
      const int m = int(std::min<int64_t>({series.Contiguous(i, xs, ys), TSeriesBlock::Size, end - i}));
      if (xs == nullptr) {
        for (int j = 0; j < m; ++j) uniformX[j] = series.X(i + j);
        xs = uniformX;
      }
      const int o = int(i - start);
      map.Points(chart, xs, ys, m, px + o, py + o, finite + o);
      std::fill_n(blockInView, std::size(blockInView), 0);
      render::InViewTail(xs, ys, kernels.inView(xs, ys, m, view, blockInView), m, view, blockInView);
      render::OrBits(inView, o, blockInView, m);
      i += m;
    }
    // A point in view on the centre of the point after it, also in view, is
    // left out: that one came first in this backward pass.
    render::SameTail(px, py, kernels.same(px, py, count, fresh), count, nextX, nextY, fresh);
    const uint64_t lastBit = uint64_t(1) << ((count - 1) % 64);
    const bool lastSame = (fresh[words - 1] & lastBit) != 0;
    for (int w = 0; w < words; ++w) {
      const uint64_t after = (inView[w] >> 1) | (w + 1 < words ? inView[w + 1] << 63 : 0);
      fresh[w] = inView[w] & ~(fresh[w] & after);
    }
    if (lastSame && nextInView) fresh[words - 1] &= ~lastBit;
    for (int w = words - 1; w >= 0; --w) {
      for (uint64_t bits = fresh[w]; bits != 0;) {
        const int b = 63 - __builtin_clzll(bits);
        bits &= ~(uint64_t(1) << b);
        const int j = w * 64 + b;
        const uint64_t cx = uint64_t(int64_t(px[j]) - bx), cy = uint64_t(int64_t(py[j]) - by);
        if (cx >= uint64_t(bw) || cy >= uint64_t(bh)) continue;
        // Column by column: a dense line's centres in one column share words.
        const uint64_t bit = cx * uint64_t(bh) + cy;
        uint64_t& word = mark_seen_[size_t(bit >> 6)];
        const uint64_t mask = uint64_t(1) << (bit & 63);
        if ((word & mask) != 0) continue;
        word |= mask;
        mark_kept_.push_back(TPoint{px[j], py[j]});
      }
    }
    for (int w = 0; w < words; ++w) {
      if (inView[w] != 0) {
        firstVisible = start + w * 64 + __builtin_ctzll(inView[w]);
        break;
      }
    }
    nextX = px[0];
    nextY = py[0];
    nextInView = inView[0] & 1;
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
