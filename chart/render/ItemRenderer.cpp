// The item renderer: render-pass state, positions, the attribute cache, the
// polyline batch, the passes over a list and the dispatch by kind with the
// line kinds (and the runs of polyline points and of marks that skip the
// dispatch). Marks and the duplicate-mark grid are in MarkItems.cpp,
// figures in ItemFigures.cpp, text items in TextItems.cpp.
#include "chart/render/ItemRenderer.h"

#include <algorithm>
#include <cmath>

#include "base/Marks.h"
#include "chart/CustomPlotwell.h"
#include "chart/items/ItemContainer.h"
#include "chart/render/LayerMap.h"
#include "chart/render/RenderMath.h"
#include "platform/graphics/Canvas.h"

namespace korvo {

// ---- the chart's entry points ---------------------------------------------------

void TCustomPlotwell::RenderItem(TCanvas* canvas, const TpwChartItem& item, int32_t x0, int32_t y0,
                                 bool monochrome, const TLongTextArray& longTexts, bool isAnnotation,
                                 int32_t index) {
  item_renderer_->ForgetLayerMaps();  // maps belong to the pass that read them
  item_renderer_->Render(*this, canvas, item, x0, y0, monochrome, longTexts, isAnnotation, index);
}

void TCustomPlotwell::FlushPolyline(TCanvas* canvas) { item_renderer_->FlushPolyline(canvas); }

// ---- pass ---------------------------------------------------------------------------

void TItemRenderer::Begin(TCanvas* canvas, int32_t x0, int32_t y0, TColor colour, int32_t penWidth) {
  batch_count_ = 0;
  batch_start_ = TPoint{x0, y0};
  if (canvas == nullptr) return;
  canvas->MoveTo(x0, y0);
  pen_width_ = penWidth;
  canvas->Pen()->SetWidth(render::PenWidthOnCanvas(penWidth));
  pen_color_ = colour;
  canvas->Pen()->SetColor(colour);
  brush_color_ = colour;
  canvas->Brush()->SetColor(colour);
  // A defined brush style at the start of every pass: otherwise what the
  // last item of the previous pass left (a clear text background, a hollow
  // figure) would decide whether the next pass fills its bars and dash gaps.
  canvas->Brush()->SetStyle(TBrushStyle::bsSolid);
  font_color_ = colour;
  canvas->Font()->SetColor(colour);
  pen_style_ = TPenStyle::psSolid;
  canvas->Pen()->SetStyle(TPenStyle::psSolid);
}

// ---- positions ----------------------------------------------------------------------

namespace {

// One linear axis as WorldToPixel maps it: the value times k plus o in
// extended precision, as a double, rounded halves to even. False where
// WorldToPixel's other rules apply (a logarithmic axis, NaN, a pixel beyond
// the 32-bit range); the caller then asks WorldToPixel itself.
inline bool LinearPixel(bool logarithmic, long double k, long double o, double v, int32_t& pixel) {
  if (logarithmic) return false;
  const double w = double(k * v + o);
  if (!(w >= -2147483647.0 && w <= 2147483647.0)) return false;
  pixel = render::RoundHalfEven(w);
  return true;
}

}  // namespace

// WorldPoint's body, inlined into the per-item loop of DrawList.
[[gnu::always_inline]] inline TPoint TItemRenderer::MapWorld(const TCustomPlotwell& c, int layer, double x, double y, int32_t x0,
                                              int32_t y0) {
  const size_t i = size_t(render::ClampLayer(layer) - 1);
  int32_t px, py;
  if (!LinearPixel(c.x_props_[i]->Logarithmic(), c.kx_[i], c.ox_[i], x, px) ||
      !LinearPixel(c.y_props_[i]->Logarithmic(), c.ky_[i], c.oy_[i], y, py)) {
    c.WorldToPixel(layer, x, y, px, py);
  }
  return TPoint{render::ClampCoord(int64_t(px) - c.margin_left_ + x0),
                render::ClampCoord(int64_t(py) - c.margin_top_ + y0)};
}

TPoint TItemRenderer::WorldPoint(int layer, double x, double y) const {
  if (layer_maps_ready_) return layer_maps_[size_t(render::ClampLayer(layer) - 1)].Point(*pass_.chart, x, y);
  return MapWorld(*pass_.chart, layer, x, y, pass_.x0, pass_.y0);
}

int32_t TItemRenderer::PixelX(double x) const { return render::ClampCoord(render::RoundCoord(x) + pass_.x0); }

int32_t TItemRenderer::PixelY(double y) const { return render::ClampCoord(render::RoundCoord(y) + pass_.y0); }

TPoint TItemRenderer::PointByMode(const TpwChartItem& item, double x, double y, uint8_t mode) const {
  switch (TCoordMode(mode)) {
    case TCoordMode::cmPixel:
    case TCoordMode::cmPixelWorld:
      return TPoint{PixelX(x), PixelY(y)};
    case TCoordMode::cmXPixelYWorld: {
      TPoint p = WorldPoint(item.Layer, x, y);
      p.X = PixelX(x);
      return p;
    }
    case TCoordMode::cmXWorldYPixel: {
      TPoint p = WorldPoint(item.Layer, x, y);
      p.Y = PixelY(y);
      return p;
    }
    default:  // cmWorld, cmWorldPixel and values that are no mode
      return WorldPoint(item.Layer, x, y);
  }
}

void TItemRenderer::TwoPointsByMode(const TpwChartItem& item, uint8_t mode, TPoint& a, TPoint& b) const {
  const bool firstPixel = mode == uint8_t(TCoordMode::cmPixel) || mode == uint8_t(TCoordMode::cmPixelWorld);
  const bool secondPixel = mode == uint8_t(TCoordMode::cmPixel) || mode == uint8_t(TCoordMode::cmWorldPixel);
  a = firstPixel ? TPoint{PixelX(item.x), PixelY(item.y)} : WorldPoint(item.Layer, item.x, item.y);
  b = secondPixel ? TPoint{PixelX(item.x2), PixelY(item.y2)} : WorldPoint(item.Layer, item.x2, item.y2);
}

// ---- attribute cache ----------------------------------------------------------------
//
// A batch is always drawn with the attributes its points were added under:
// every change draws the pending points first.

void TItemRenderer::SetPenColor(TCanvas* canvas, TColor c) {
  if (c == pen_color_) return;
  if (batch_count_ != 0) FlushPolyline(canvas);
  pen_color_ = c;
  canvas->Pen()->SetColor(c);
}

void TItemRenderer::SetPenStyle(TCanvas* canvas, TPenStyle s) {
  if (s == pen_style_) return;
  if (batch_count_ != 0) FlushPolyline(canvas);
  pen_style_ = s;
  canvas->Pen()->SetStyle(s);
}

void TItemRenderer::SetBrushColor(TCanvas* canvas, TColor c) {
  if (c == brush_color_) return;
  if (batch_count_ != 0) FlushPolyline(canvas);
  brush_color_ = c;
  canvas->Brush()->SetColor(c);
}

void TItemRenderer::SetFontColor(TCanvas* canvas, TColor c) {
  if (c == font_color_) return;
  font_color_ = c;
  canvas->Font()->SetColor(c);
}

void TItemRenderer::SetPenWidth(TCanvas* canvas, int32_t w) {
  if (w == pen_width_) return;
  if (batch_count_ != 0) FlushPolyline(canvas);
  pen_width_ = w;
  canvas->Pen()->SetWidth(render::PenWidthOnCanvas(w));
}

void TItemRenderer::SetLineAttributes(const TpwChartItem& item, TColor ink) {
  TCanvas* canvas = pass_.canvas;
  SetPenColor(canvas, ink);
  SetPenStyle(canvas, item.PenStyle);
  SetBrushColor(canvas, item.FillColor);
}

void TItemRenderer::SetLineAttributesForced(const TpwChartItem& item, TColor ink) {
  TCanvas* canvas = pass_.canvas;
  if (batch_count_ != 0) FlushPolyline(canvas);
  pen_color_ = ink;
  canvas->Pen()->SetColor(ink);
  pen_style_ = item.PenStyle;
  canvas->Pen()->SetStyle(item.PenStyle);
  brush_color_ = item.FillColor;
  canvas->Brush()->SetColor(item.FillColor);
}

void TItemRenderer::SetFillAttributes(const TpwChartItem& item, TColor ink, TColor paper) {
  TCanvas* canvas = pass_.canvas;
  SetPenColor(canvas, ink);
  SetBrushColor(canvas, paper);
  SetPenStyle(canvas, item.PenStyle);
  canvas->Brush()->SetStyle(item.Hollow ? TBrushStyle::bsClear : TBrushStyle::bsSolid);
}

bool TItemRenderer::SinglePixel(TPoint a, TPoint b, TColor colour) {
  if (!(a == b)) return false;
  pass_.canvas->SetPixel(a.X, a.Y, colour);
  return true;
}

// ---- polyline batch -------------------------------------------------------------------

void TItemRenderer::FlushPolyline(TCanvas* canvas) {
  if (batch_count_ == 0) return;
  const std::span<const TPoint> points(batch_.data(), size_t(batch_count_));
  if (batch_observer_ != nullptr) batch_observer_(batch_observer_context_, points);
  const TPoint last = points.back();
  if (canvas != nullptr) {
    canvas->Polyline(points);
    canvas->MoveTo(last.X, last.Y);
  }
  batch_start_ = last;
  batch_count_ = 0;
}

// ---- the kinds ------------------------------------------------------------------------------

void TItemRenderer::Render(TCustomPlotwell& chart, TCanvas* canvas, const TpwChartItem& item, int32_t x0,
                           int32_t y0, bool monochrome, const TLongTextArray& longTexts, bool isAnnotation,
                           int32_t index) {
  const uint8_t kind = item.Kind;
  if (canvas == nullptr || kind == 0 || kind == 10 || kind == 11 || kind > ckLastKind) return;
  pass_.chart = &chart;
  pass_.canvas = canvas;
  pass_.x0 = x0;
  pass_.y0 = y0;
  pass_.monochrome = monochrome;

  // The line width field of text items holds their long-text index.
  if (kind != ckText && kind != ckTextOffs && item.LineWidth != pen_width_) SetPenWidth(canvas, item.LineWidth);

  const TColor ink = monochrome ? clBlack : item.Color;
  const TColor paper = monochrome ? clSilver : item.FillColor;

  switch (kind) {
    case ckDrawTo:  // the hot path: no flush unless the attributes change
      DrawToItem(item, ink, PointByMode(item, item.x, item.y, item.CoordMode));
      return;
    case ckDrawRel: {
      const TPoint pen = canvas->PenPos();
      DrawToItem(item, ink,
                 TPoint{render::SaturateAdd(pen.X, render::RoundCoord(item.x)),
                        render::SaturateAdd(pen.Y, render::RoundCoord(item.y))});
      return;
    }
    case ckMoveRel: {
      const TPoint pen = canvas->PenPos();  // read before the flush moves the pen
      const TPoint p{render::SaturateAdd(pen.X, render::RoundCoord(item.x)),
                     render::SaturateAdd(pen.Y, render::RoundCoord(item.y))};
      FlushPolyline(canvas);
      batch_start_ = p;
      canvas->MoveTo(p.X, p.Y);
      return;
    }
    case ckMoveTo: {
      const TPoint p = PointByMode(item, item.x, item.y, item.CoordMode);
      FlushPolyline(canvas);
      batch_start_ = p;
      canvas->MoveTo(p.X, p.Y);
      return;
    }
    case ckVector:
      DrawVectorItem(item, ink);
      return;
    case ckMark:
      DrawMarkItem(item, ink);
      return;
    case ckSeriesLine:
    case ckSeriesMarks:
      if (const TPwSeries* series = chart.SeriesOf(item, isAnnotation)) {
        if (kind == ckSeriesLine) {
          DrawSeriesLineItem(item, ink, *series);
        } else {
          DrawSeriesMarksItem(item, ink, *series);
        }
      }
      return;
    default:
      break;
  }

  // Every other kind starts by drawing the pending batch.
  FlushPolyline(canvas);
  switch (kind) {
    case ckLine: {
      SetLineAttributes(item, ink);
      TPoint a, b;
      TwoPointsByMode(item, item.CoordMode, a, b);
      if (SinglePixel(a, b, ink)) return;
      canvas->MoveTo(a.X, a.Y);
      canvas->LineTo(b.X, b.Y);
      return;
    }
    case ckShiftedLine: {
      SetLineAttributes(item, ink);
      TPoint a = WorldPoint(item.Layer, item.x, item.y), b = WorldPoint(item.Layer, item.x2, item.y2);
      a = TPoint{render::ClampCoord(int64_t(a.X) + item.Param1), render::ClampCoord(int64_t(a.Y) + item.Param2)};
      b = TPoint{render::ClampCoord(int64_t(b.X) + item.Param1), render::ClampCoord(int64_t(b.Y) + item.Param2)};
      if (SinglePixel(a, b, ink)) return;
      canvas->MoveTo(a.X, a.Y);
      canvas->LineTo(b.X, b.Y);
      return;
    }
    case ckVertLine:
    case ckHorizLine: {
      const bool pixel = item.CoordMode == uint8_t(TCoordMode::cmPixel) ||
                         item.CoordMode == uint8_t(TCoordMode::cmPixelWorld);
      SetLineAttributesForced(item, ink);
      const TCustomPlotwell& c = *pass_.chart;
      if (kind == ckVertLine) {
        const int32_t col = pixel ? PixelX(item.x) : WorldPoint(item.Layer, item.x, 0).X;
        canvas->MoveTo(col, y0);
        canvas->LineTo(col, render::ClampInt32(int64_t(c.Height()) - c.MarginBottom() - c.MarginTop() + y0));
      } else {
        const int32_t row = pixel ? PixelY(item.y) : WorldPoint(item.Layer, 0, item.y).Y;
        canvas->MoveTo(x0, row);
        canvas->LineTo(render::ClampInt32(int64_t(c.Width()) - c.MarginLeft() - c.MarginRight() + x0), row);
      }
      return;
    }
    case ckRectangle:
      DrawRectangleItem(item, ink, paper);
      return;
    case ckPixelBox:
      DrawPixelBoxItem(item, ink, paper);
      return;
    case ckEllipse:
      DrawEllipseItem(item, ink, paper);
      return;
    case ckFramedRect:
      DrawFramedRectItem(item, paper);
      return;
    case ckBar3D:
      DrawBar3DItem(item, ink, paper);
      return;
    case ckArrow:
    case ckDoubleArrow:
      DrawArrowItem(item, ink, paper);
      return;
    case ckErrorMark:
      DrawErrorMarkItem(item, ink);
      return;
    case ckArc:
      DrawArcItem(item, ink);
      return;
    case ckCross:
      DrawCrossItem(item, ink, paper);
      return;
    case ckText:
    case ckTextOffs:
      DrawTextItem(item, ink, longTexts, isAnnotation, index);
      return;
    default:
      return;
  }
}

// Items are 104 bytes and read once: the passes ask for those a few batches
// ahead (both cache lines of an item), so that they are on their way while
// a batch is drawn.
constexpr int32_t PrefetchAhead = 256;

// Asks for item i + PrefetchAhead of a list of `count` items, if there is one.
[[gnu::always_inline]] inline void PrefetchAfter(const TPwItemContainer& list, int32_t i, int32_t count) {
  if (i + PrefetchAhead < count) {
    const char* ahead = reinterpret_cast<const char*>(&list[i + PrefetchAhead]);
    __builtin_prefetch(ahead);
    __builtin_prefetch(ahead + 64);
  }
}

// A point of a polyline run continues it when it is a world ckDrawTo of the
// same layer and class with the same colours, style and width.
inline bool SameRun(const TpwChartItem& next, const TpwChartItem& first) {
  return next.Kind == ckDrawTo && next.CoordMode == uint8_t(TCoordMode::cmWorld) && next.Layer == first.Layer &&
         next.ItemClass == first.ItemClass && next.Color == first.Color && next.FillColor == first.FillColor &&
         next.PenStyle == first.PenStyle && next.LineWidth == first.LineWidth;
}

// A mark continues a run of marks when it is a world geometric mark (no
// character glyph, which would set the font) of the same layer and class
// with the same colour, style and width.
inline bool SameMarkRun(const TpwChartItem& next, const TpwChartItem& first) {
  return next.Kind == ckMark && next.CoordMode == uint8_t(TCoordMode::cmWorld) && uint32_t(next.Param3) <= 51 &&
         next.Layer == first.Layer && next.ItemClass == first.ItemClass && next.Color == first.Color &&
         next.PenStyle == first.PenStyle && next.LineWidth == first.LineWidth;
}

void TItemRenderer::TLayerMap::Set(const TCustomPlotwell& c, int32_t layer, int32_t x0, int32_t y0) {
  layer_ = layer;
  dx_ = int64_t(x0) - c.margin_left_;
  dy_ = int64_t(y0) - c.margin_top_;
  const size_t i = size_t(render::ClampLayer(layer) - 1);
  linear_x_ = !c.x_props_[i]->Logarithmic();
  linear_y_ = !c.y_props_[i]->Logarithmic();
  linear_ = linear_x_ && linear_y_;
  kx_ = double(c.kx_[i]);
  ox_ = double(c.ox_[i]);
  ky_ = double(c.ky_[i]);
  oy_ = double(c.oy_[i]);
}

void TItemRenderer::ReadLayerMaps() {
  for (int32_t l = 1; l <= 16; ++l) layer_maps_[size_t(l - 1)].Set(*pass_.chart, l, pass_.x0, pass_.y0);
  layer_maps_ready_ = true;
}

void TItemRenderer::DrawList(TCustomPlotwell& chart, TCanvas* canvas, const TPwItemContainer& list,
                             const TLongTextArray& longTexts, const std::array<bool, 256>& classes,
                             bool isAnnotation, TPassFilter filter, int32_t x0, int32_t y0, bool monochrome) {
  if (canvas == nullptr) return;
  const auto setPass = [&] {
    pass_.chart = &chart;
    pass_.canvas = canvas;
    pass_.x0 = x0;
    pass_.y0 = y0;
    pass_.monochrome = monochrome;
  };
  setPass();
  ReadLayerMaps();
  for (int32_t i = 0; i < list.Count(); ++i) {
    const TpwChartItem& item = list[i];
    PrefetchAfter(list, i, list.Count());
    if (filter != TPassFilter::All &&
        (item.Kind == ckText || item.Kind == ckTextOffs) != (filter == TPassFilter::TextsOnly)) {
      continue;
    }
    if (!classes[item.ItemClass] || !chart.LayerVisible(item.Layer)) continue;
    if (chart.OnBeforeRenderChartItem) {
      TpwChartItem copy = item;
      chart.OnBeforeRenderChartItem(&chart, copy, i, isAnnotation);
      Render(chart, canvas, copy, x0, y0, monochrome, longTexts, isAnnotation, i);
      setPass();  // a handler may have drawn items elsewhere or changed the ranges
      ReadLayerMaps();
      continue;
    }
    // The common case of a polyline: a run of points with the attributes of
    // the running batch, on one layer (what Render would do for each,
    // without its steps). No handler runs inside a run, so the list cannot
    // change under it.
    if (filter != TPassFilter::TextsOnly && item.Kind == ckDrawTo && item.CoordMode == uint8_t(TCoordMode::cmWorld) &&
        item.LineWidth == pen_width_ && (monochrome ? clBlack : item.Color) == pen_color_ &&
        item.PenStyle == pen_style_ && item.FillColor == brush_color_) {
      const TLayerMap& map = layer_maps_[size_t(render::ClampLayer(item.Layer) - 1)];
      const int32_t count = list.Count();
      int32_t j = i;
      for (;;) {
        const TpwChartItem& point = list[j];
        PrefetchAfter(list, j, count);
        const TPoint p = map.Point(chart, point.x, point.y);
        AddPolylinePoint(canvas, p.X, p.Y);
        if (++j >= count || !SameRun(list[j], item)) break;
      }
      i = j - 1;
      continue;
    }
    // The common case of a scatter plot: a run of world marks with the pen
    // of the running pass, drawn as DrawMarkItem would draw each (visible
    // inside the layer's ranges, centred on the mapped point) without
    // Render's steps. The duplicate-mark grid keeps its own path.
    if (filter != TPassFilter::TextsOnly && SameMarkRun(item, item) && !chart.AvoidDuplicateMarks() &&
        item.LineWidth == pen_width_ && (monochrome ? clBlack : item.Color) == pen_color_ &&
        item.PenStyle == pen_style_) {
      FlushPolyline(canvas);
      const size_t layer = size_t(render::ClampLayer(item.Layer) - 1);
      const TLayerMap& map = layer_maps_[layer];
      const double x1 = chart.x_props_[layer]->RangeLow(), x2 = chart.x_props_[layer]->RangeHigh();
      const double y1 = chart.y_props_[layer]->RangeLow(), y2 = chart.y_props_[layer]->RangeHigh();
      const int32_t count = list.Count();
      int32_t j = i;
      for (;;) {
        const TpwChartItem& mark = list[j];
        PrefetchAfter(list, j, count);
        if (render::Between(mark.x, x1, x2) && render::Between(mark.y, y1, y2)) {
          const TPoint p = map.Point(chart, mark.x, mark.y);
          DrawMark(canvas, uint8_t(mark.Param3), p.X, p.Y);
        }
        if (++j >= count || !SameMarkRun(list[j], item)) break;
      }
      i = j - 1;
      continue;
    }
    Render(chart, canvas, item, x0, y0, monochrome, longTexts, isAnnotation, i);
    setPass();
    if ((item.Kind == ckText || item.Kind == ckTextOffs) && chart.OnBeforeRenderText) ReadLayerMaps();
  }
  layer_maps_ready_ = false;
}

void TItemRenderer::DrawToItem(const TpwChartItem& item, TColor ink, TPoint p) {
  if (ink != pen_color_ || item.PenStyle != pen_style_ || item.FillColor != brush_color_) {
    SetLineAttributesForced(item, ink);
  }
  AddPolylinePoint(pass_.canvas, p.X, p.Y);
}

void TItemRenderer::DrawVectorItem(const TpwChartItem& item, TColor ink) {
  TCanvas* canvas = pass_.canvas;
  FlushPolyline(canvas);
  SetLineAttributes(item, ink);
  const TPoint s = WorldPoint(item.Layer, item.x, item.y);
  const TPoint e{render::ClampCoord(s.X + render::RoundCoord(item.x2)),
                 render::ClampCoord(s.Y + render::RoundCoord(item.y2))};
  if (SinglePixel(s, e, ink)) return;
  // The vector stays in the batch: a following DrawTo continues from its end.
  batch_start_ = s;
  AddPolylinePoint(canvas, e.X, e.Y);
}

}  // namespace korvo
