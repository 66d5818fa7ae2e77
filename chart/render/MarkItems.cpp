// Marks (ckMark) and the duplicate-mark grid that keeps a glyph from being
// drawn again on pixels it claimed in the same render pass.
#include <algorithm>

#include "base/Marks.h"
#include "chart/CustomPlotwell.h"
#include "chart/render/ItemRenderer.h"
#include "chart/render/RenderMath.h"
#include "platform/graphics/Canvas.h"
#include "scale/PrinterFont.h"

namespace korvo {

void TItemRenderer::ResetDupGrid(int32_t width, int32_t height, int32_t d) {
  dup_d_ = std::clamp(d, 1, 3);
  dup_cols_ = std::max<int64_t>(0, int64_t(width) + 2 * dup_d_);
  dup_rows_ = std::max<int64_t>(0, int64_t(height) + 2 * dup_d_);
  const int64_t cells = dup_cols_ * dup_rows_;
  dup_grid_ = cells > 0 && cells <= MaxGridCells;
  if (!dup_grid_) {
    dup_cols_ = dup_rows_ = 0;
    return;
  }
  dup_cells_.assign(size_t(cells), -1);  // keeps the memory of an earlier, larger grid
}

bool TItemRenderer::ClaimMark(int32_t x, int32_t y, int32_t glyph) {
  if (!dup_grid_) return true;
  const int64_t col = int64_t(x) + dup_d_, row = int64_t(y) + dup_d_;
  if (col < 0 || col >= dup_cols_ || row < 0 || row >= dup_rows_) return true;  // off the grid: no test
  int32_t* cells = dup_cells_.data();
  if (cells[row * dup_cols_ + col] == glyph) return false;
  // The claimed square, cut at the grid's edges (a mark near the border of
  // the grid reaches beyond it).
  const int64_t c0 = std::max<int64_t>(0, col - dup_d_), c1 = std::min<int64_t>(dup_cols_ - 1, col + dup_d_);
  const int64_t r0 = std::max<int64_t>(0, row - dup_d_), r1 = std::min<int64_t>(dup_rows_ - 1, row + dup_d_);
  for (int64_t r = r0; r <= r1; ++r) std::fill(cells + r * dup_cols_ + c0, cells + r * dup_cols_ + c1 + 1, glyph);
  return true;
}

// A world mark is drawn only inside its layer's ranges, a pixel mark only
// inside the plot area; the glyph is centred on the converted point.
void TItemRenderer::DrawMarkItem(const TpwChartItem& item, TColor ink) {
  TCanvas* canvas = pass_.canvas;
  FlushPolyline(canvas);
  const TCustomPlotwell& chart = *pass_.chart;
  const bool world = item.CoordMode == uint8_t(TCoordMode::cmWorld);
  // Visibility, read from the item's own coordinates (NaN is never inside).
  if (world) {
    const size_t l = size_t(render::ClampLayer(item.Layer) - 1);
    const TScaleProps& xp = *chart.x_props_[l];
    const TScaleProps& yp = *chart.y_props_[l];
    if (!render::Between(item.x, xp.RangeLow(), xp.RangeHigh()) ||
        !render::Between(item.y, yp.RangeLow(), yp.RangeHigh())) {
      return;
    }
  } else {
    const double w = double(int64_t(chart.Width()) - chart.MarginRight() - chart.MarginLeft());
    const double h = double(int64_t(chart.Height()) - chart.MarginBottom() - chart.MarginTop());
    if (!(item.x >= 0 && item.x <= w && item.y >= 0 && item.y <= h)) return;
  }
  SetPenColor(canvas, ink);
  SetPenStyle(canvas, item.PenStyle);
  const TPoint p = world ? WorldPoint(item.Layer, item.x, item.y) : TPoint{PixelX(item.x), PixelY(item.y)};
  if (item.Param3 > 51) AdjustFontForPrinter(canvas, item.Param1);
  if (chart.AvoidDuplicateMarks() && !ClaimMark(p.X, p.Y, item.Param3)) return;
  const uint8_t glyph = uint8_t(item.Param3);
  DrawMark(canvas, glyph, p.X, p.Y);
  // A character mark writes in the pen colour: the font colour is now ink.
  if (glyph > 51) font_color_ = canvas->Font()->Color();
}

}  // namespace korvo
