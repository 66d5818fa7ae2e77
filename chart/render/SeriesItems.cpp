// Line series items (ckSeriesLine): every point of a series drawn with
// exactly the pixels of the same points given as items, thinned only
// where that is provably exact.
//
// A solid (or clear) 1-pixel pen in copy mode draws the points thinned per
// pixel column (ColumnThinner.h says why that keeps every pixel); when the
// series' x is sorted, SeriesSortedLine.cpp finds each column's points by
// search instead of reading them all. Any other pen, or a mode other than
// copy, gets every point, through the same polyline batch as DrawTo items.
//
// Short steps. A solid 1-pixel segment a -> b paints max(|dx|, |dy|) pixels
// from a on, b left out; a step to one of the eight neighbouring pixels
// therefore paints a alone, and a step to the same pixel paints nothing. In
// copy mode with one colour the picture is the union of the segments'
// pixels, whatever the order they are painted in and whoever paints them,
// so an unsorted series with a solid pen sets the start pixel of each short
// step itself (inside the canvas's clip, in the pen's pixel value, as LineTo
// does) and hands only the longer steps on, as lines of their own, to the
// column thinner. A dense tangle of points, whose steps are nearly all short,
// then costs a store a point instead of a segment, and nothing for a point
// on the pixel of the point before it (most of them), which masks find.
//
// On a canvas without pixels of its own (a figure device: a vector file, a
// screen at another ratio) the short steps set a mask instead, handed on as
// fills of its rows' runs (DrawShortStepsToDevice).
#include <algorithm>
#include <cmath>
#include <vector>

#include "chart/CustomPlotwell.h"
#include "chart/items/Series.h"
#include "chart/render/ColumnThinner.h"
#include "chart/render/ItemRenderer.h"
#include "chart/render/LayerMap.h"
#include "chart/render/RenderMath.h"
#include "chart/render/SeriesBlock.h"
#include "chart/render/SeriesMarkMasks.h"
#include "platform/graphics/Canvas.h"
#include "platform/graphics/FigureDevice.h"

namespace korvo {
using render::Finite;
using render::LogFloor;
using render::TSeriesBlock;
using render::TSeriesSink;
namespace {

// The pixels the short steps set: pixel (x, y) of the clip rectangle `clip`
// is the TPixel at address origin + (y * stride + x) * sizeof(TPixel) (the
// origin may lie outside the memory, as for a mask holding the clip alone).
struct TStepPixels {
  uintptr_t origin;
  ptrdiff_t stride;
  TRect clip;
  TPixel ink;
};

// The thinned line of an unsorted series with a solid pen: the start pixel
// of every short step set in `target`, the long steps drawn through the
// column thinner (see the header comment).
// (`TMap` is the renderer's layer map.)
template <class TMap>
void DrawShortStepsLine(TItemRenderer& renderer, TCanvas* canvas, const TCustomPlotwell& chart,
                        const TPwSeries& series, const TMap& map, const TStepPixels& target) {
  const int64_t n = series.Count();
  // The line begins with a MoveTo on the item path, which draws what the
  // batch holds before any pixel of this line.
  renderer.FlushPolyline(canvas);
  TSeriesSink sink{renderer, canvas};
  render::TColumnThinner<TSeriesSink> thinner(sink);

  const TRect clip = target.clip;
  const bool paints = clip.Right > clip.Left && clip.Bottom > clip.Top;
  const TPixel ink = target.ink;
  const ptrdiff_t stride = target.stride;
  const uint32_t clipW = paints ? uint32_t(clip.Right - clip.Left) : 0;
  const uint32_t clipH = paints ? uint32_t(clip.Bottom - clip.Top) : 0;
  // The stores of steps that paint nothing go here: the choice is made with
  // masks, as a branch on it would be mispredicted at random on dense data.
  TPixel spill = 0;
  const uintptr_t spillAt = reinterpret_cast<uintptr_t>(&spill);
  const uintptr_t bitsAt = target.origin;

  // The previous point (valid when `prev` is set) and the address its pixel
  // is set through: its own inside the clip, `spill` outside.
  bool prev = false;
  int32_t qx = 0, qy = 0;
  uintptr_t qAt = spillAt;
  // The thinner's line: whether one is open, and its last point. A long
  // step is handed on out of line, which keeps the loop's registers free.
  bool thinning = false;
  int32_t tx = 0, ty = 0;
  const auto longStep = [&](int32_t fromX, int32_t fromY, int32_t x, int32_t y) __attribute__((noinline)) {
    if (!thinning || tx != fromX || ty != fromY) {
      if (thinning) thinner.Break();
      thinner.Point(fromX, fromY);
    }
    thinner.Point(x, y);
    thinning = true;
    tx = x;
    ty = y;
  };

  // Zeroed once: the masks read the pixels of non-finite points too, which
  // the mapping leaves unwritten (their bits are then masked out).
  TSeriesBlock block{};
  static const render::TMaskKernels kernels = render::ChooseMaskKernels();
  constexpr int Words = TSeriesBlock::Size / 64;
  for (int64_t i = 0; i < n;) {
    const double *xs, *ys;
    const int m = int(std::min<int64_t>(series.Contiguous(i, xs, ys), TSeriesBlock::Size));
    block.Map(series, map, chart, i, m, xs, ys);
    // A finite point on the pixel of the finite point before it steps
    // nowhere: it paints nothing and leaves the state as it was. A dense
    // tangle has mostly such points; they are found by masks, many at once,
    // and only the others are walked. Bit j of keep[]: walk point j.
    uint64_t same[Words] = {}, finite[Words] = {}, keep[Words];
    render::SameTail(block.px, block.py, kernels.same(block.px, block.py, m, same), m, block.px[m - 1] ^ 1, 0, same);
    render::FiniteBits(block.finite, m, finite);
    for (int w = 0; w * 64 < m; ++w) {
      const uint64_t sameBefore = (same[w] << 1) | (w > 0 ? same[w - 1] >> 63 : 0);
      const uint64_t finiteBefore = (finite[w] << 1) | (w > 0 ? finite[w - 1] >> 63 : 0);
      const uint64_t valid = m - w * 64 >= 64 ? ~uint64_t(0) : (uint64_t(1) << (m - w * 64)) - 1;
      keep[w] = ~(sameBefore & finite[w] & finiteBefore) & valid;
    }
    for (int w = 0; w * 64 < m; ++w) {
      for (uint64_t bits = keep[w]; bits != 0; bits &= bits - 1) {
        const int j = w * 64 + __builtin_ctzll(bits);
        if (!block.finite[j]) {
          prev = false;
          continue;
        }
        const int32_t x = block.px[j], y = block.py[j];
        if (prev) {
          const int32_t dx = x - qx, dy = y - qy;
          const bool shortStep = uint32_t(dx + 1) <= 2u && uint32_t(dy + 1) <= 2u;
          const uintptr_t paint = -uintptr_t(shortStep & ((dx | dy) != 0));
          *reinterpret_cast<TPixel*>((qAt & paint) | (spillAt & ~paint)) = ink;
          if (!shortStep) longStep(qx, qy, x, y);
        }
        prev = true;
        qx = x;
        qy = y;
        const uintptr_t in = -uintptr_t((uint32_t(x - clip.Left) < clipW) & (uint32_t(y - clip.Top) < clipH));
        const uintptr_t at = bitsAt + uintptr_t(ptrdiff_t(y) * stride + x) * sizeof(TPixel);
        qAt = (at & in) | (spillAt & ~in);
      }
    }
    i += m;
  }
  thinner.End();
  // The line ends where the item path's does: at the last finite point.
  if (!prev) {
    for (int64_t k = n - 1; k >= 0; --k) {
      if (Finite(series.X(k), series.Y(k))) {
        const TPoint p = map.Point(chart, series.X(k), series.Y(k));
        qx = p.X;
        qy = p.Y;
        break;
      }
    }
  }
  if (!thinning || tx != qx || ty != qy) sink.Move(qx, qy);
}

// The same line on a canvas with a figure device (a vector file, a screen
// at another ratio): the short steps set their pixels in a mask of the clip
// rectangle, handed on as fills of the rows' runs of set pixels once the
// line is drawn, so that a dense tangle costs the device a figure a run
// instead of one a point (a file's size is bounded by its pixels). The
// long steps reach the device as lines, as on pixels. The pixels are the
// same: in copy mode with one colour the order of the figures is free.
template <class TMap>
void DrawShortStepsToDevice(TItemRenderer& renderer, TCanvas* canvas, const TCustomPlotwell& chart,
                            const TPwSeries& series, const TMap& map) {
  const TRect clip = canvas->ClipRect();
  const int32_t w = std::max(clip.Right - clip.Left, 0), h = std::max(clip.Bottom - clip.Top, 0);
  std::vector<TPixel> mask(size_t(w) * size_t(h), 0);
  const ptrdiff_t origin = -(ptrdiff_t(clip.Top) * w + clip.Left);
  DrawShortStepsLine(renderer, canvas, chart, series, map,
                     TStepPixels{reinterpret_cast<uintptr_t>(mask.data()) + uintptr_t(origin) * sizeof(TPixel), w,
                                 w > 0 && h > 0 ? clip : TRect{}, 1});
  // The line's own figures first, then the runs.
  renderer.FlushPolyline(canvas);
  TFigureDevice* device = canvas->FigureDevice();
  const TColor color = canvas->Pen()->Color();
  for (int32_t y = 0; y < h; ++y) {
    const TPixel* row = mask.data() + size_t(y) * size_t(w);
    for (int32_t x = 0; x < w;) {
      if (row[x] == 0) {
        ++x;
        continue;
      }
      const int32_t start = x;
      while (x < w && row[x] != 0) ++x;
      device->Fill(*canvas, TRect{clip.Left + start, clip.Top + y, clip.Left + x, clip.Top + y + 1}, color);
    }
  }
}

}  // namespace

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
  } else if (thin && style != TPenStyle::psClear && canvas->Surface().Bits != nullptr) {
    const TPixelSurface& surface = canvas->Surface();
    DrawShortStepsLine(*this, canvas, chart, series, map,
                       TStepPixels{reinterpret_cast<uintptr_t>(surface.Bits), surface.Stride, canvas->ClipRect(),
                                   ColorToPixel(canvas->Pen()->Color())});
  } else if (thin && style != TPenStyle::psClear && canvas->FigureDevice() != nullptr) {
    DrawShortStepsToDevice(*this, canvas, chart, series, map);
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

}  // namespace korvo
