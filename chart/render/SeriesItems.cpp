// Line series items (ckSeriesLine): every point of a series drawn with
// exactly the pixels of the same points given as items, thinned only
// where that is provably exact.
//
// A solid (or clear) 1-pixel pen in copy mode draws the points thinned per
// pixel column (ColumnThinner.h says why that keeps every pixel); when the
// series' x is sorted, SeriesSortedLine.cpp finds each column's points by
// search instead of reading them all. Any other pen, or a mode other than
// copy, gets every point, through the same polyline batch as DrawTo items.
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
using render::TSeriesBlock;
using render::TSeriesSink;

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

}  // namespace korvo
