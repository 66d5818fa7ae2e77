// The grid over the plot area: lines or points at the values that TGridWalk
// gives for each axis of the current layer.
#include <algorithm>

#include "chart/CustomPlotwell.h"
#include "chart/render/GridValues.h"
#include "chart/render/ItemRenderer.h"
#include "chart/render/RenderMath.h"
#include "scale/Scale.h"

namespace korvo {
namespace {

using render::ClampInt32;

class TIgnoreTicks final : public TTickSink {
 public:
  void Tick(const TTick&) override {}
};

// The tick values a scale draws with its present settings, computed by the
// scale's own tick engine without drawing. The scale records its ticks only
// when it paints, which an invisible scale never does and which may lie
// behind the present range; computing them here keeps the grid on the range
// it is drawn for. The engine and lists are kept per thread, so a warm grid
// allocates nothing.
struct TGridTickScratch {
  TTickEngine Engine;
  TTickList List[2];
};

std::span<const double> ScaleTicks(const TScale& scale, int slot) {
  thread_local TGridTickScratch scratch;
  TTickSettings s;
  s.RangeLow = scale.RangeLow();
  s.RangeHigh = scale.RangeHigh();
  s.Logarithmic = scale.Logarithmic();
  s.MinTicks = scale.MinTicks();
  s.ShortTicks = scale.ShortTicks();
  s.LabelType = scale.LabelType();
  s.DecPlaces = scale.DecPlaces();
  s.ScaleType = scale.ScaleType();
  s.ScaleInscript = scale.ScaleInscript();
  s.UserTickText = scale.UserTickText();
  s.DateFormat = scale.DateFormat();
  TIgnoreTicks sink;
  TTickList& list = scratch.List[slot];
  if (scratch.Engine.Run(s, list, sink) != TTickOutcome::toTicks) list.Clear();
  return list.Values();
}

TGridAxis MakeAxis(const TScaleProps& p, double spacing, const TScale& scale, int slot) {
  TGridAxis a;
  a.Low = std::min(p.RangeLow(), p.RangeHigh());
  a.High = std::max(p.RangeLow(), p.RangeHigh());
  a.Logarithmic = p.Logarithmic();
  a.Spacing = spacing;
  if (spacing == 0) a.Ticks = ScaleTicks(scale, slot);
  return a;
}

}  // namespace

void TCustomPlotwell::DrawGrid(TCanvas* canvas, int32_t x0, int32_t y0) {
  if (canvas == nullptr || grid_style_ == GridStyleType::gsNone) return;
  const int layer = std::clamp(CurrentLayer(), 1, LayerCount);
  const TScaleProps& xp = *XProps(layer);
  const TScaleProps& yp = *YProps(layer);
  // Control pixels to canvas pixels.
  const int64_t dx = int64_t(x0) - margin_left_;
  const int64_t dy = int64_t(y0) - margin_top_;

  // The attribute cache of the data render follows what is set here.
  canvas->Brush()->SetColor(chart_color_);
  canvas->Pen()->SetColor(grid_color_);
  item_renderer_->NoteBrushColor(chart_color_);
  item_renderer_->NotePenColor(grid_color_);

  const GridStyleType style = grid_style_;
  const bool dotted = style == GridStyleType::gsVertDotLines || style == GridStyleType::gsHorizDotLines ||
                      style == GridStyleType::gsDotLines;
  const bool vertical = style == GridStyleType::gsVertLines || style == GridStyleType::gsVertDotLines ||
                        style == GridStyleType::gsLines || style == GridStyleType::gsDotLines;
  const bool horizontal = style == GridStyleType::gsHorizLines || style == GridStyleType::gsHorizDotLines ||
                          style == GridStyleType::gsLines || style == GridStyleType::gsDotLines;
  const bool points = style == GridStyleType::gsPoints;

  const TGridAxis xAxis = MakeAxis(xp, grid_dx_, *XScale(layer), 0);
  const TGridAxis yAxis = MakeAxis(yp, grid_dy_, *YScale(layer), 1);

  if (points) {
    // One budget of points over all columns: the first columns are complete.
    int budget = MaxGridLines;
    TGridWalk columns(xAxis);
    double x;
    while (budget > 0 && columns.Next(x)) {
      TGridWalk rows(yAxis, budget);
      double y;
      while (rows.Next(y)) {
        int32_t px, py;
        WorldToPixel(layer, x, y, px, py);
        canvas->SetPixel(ClampInt32(px + dx), ClampInt32(py + dy), grid_color_);
        --budget;
      }
    }
    return;
  }

  canvas->Pen()->SetStyle(dotted ? TPenStyle::psDot : TPenStyle::psSolid);
  if (vertical) {
    // From RangeLow to RangeHigh of the y axis, in the property object's order.
    TGridWalk walk(xAxis);
    double x;
    while (walk.Next(x)) {
      int32_t px, pyFrom, pyTo;
      WorldToPixel(layer, x, yp.RangeLow(), px, pyFrom);
      WorldToPixel(layer, x, yp.RangeHigh(), px, pyTo);
      canvas->MoveTo(ClampInt32(px + dx), ClampInt32(pyFrom + dy));
      canvas->LineTo(ClampInt32(px + dx), ClampInt32(pyTo + dy));
    }
  }
  if (horizontal) {
    TGridWalk walk(yAxis);
    double y;
    while (walk.Next(y)) {
      int32_t pxFrom, pxTo, py;
      WorldToPixel(layer, xp.RangeLow(), y, pxFrom, py);
      WorldToPixel(layer, xp.RangeHigh(), y, pxTo, py);
      canvas->MoveTo(ClampInt32(pxFrom + dx), ClampInt32(py + dy));
      canvas->LineTo(ClampInt32(pxTo + dx), ClampInt32(py + dy));
    }
  }
  if (dotted) canvas->Pen()->SetStyle(TPenStyle::psSolid);
}

}  // namespace korvo
