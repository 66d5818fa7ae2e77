// The renderer of chart items: draws one TpwChartItem at a time onto a canvas
// and keeps the state of one render pass. The chart owns one renderer
// (created with the chart) and reaches it through RenderItem and
// FlushPolyline; the data render resets it at its start (Begin).
//
// Positions. An item's world point of layer L becomes the canvas position
// (px - MarginLeft + X0, py - MarginTop + Y0), (px, py) being WorldToPixel's
// control pixel; a pixel coordinate v becomes round(v) + X0 (or + Y0),
// halves to even, NaN taken as 0. Every converted coordinate is then clamped
// to -30000..30000, except for the relative kinds (ckMoveRel, ckDrawRel),
// which add to the canvas pen position and saturate at the 32-bit range.
//
// Colours. ink = the item's Color (black when monochrome); paper = its
// FillColor (silver when monochrome) for the filled kinds; the text
// background = its FillColor (white when monochrome). The line kinds set the
// brush to the item's FillColor as stored, which paints the gaps of dashed
// pens.
//
// Attribute cache. Pen colour, pen style, brush colour, font colour and pen
// width are set on the canvas only when they differ from what the renderer
// last put there. Code that changes one of them on the canvas during a pass
// (the grid, the text labels) tells the renderer with the Note* calls.
//
// Polyline batch. Consecutive ckDrawTo / ckDrawRel points with equal
// attributes are collected, at most BatchCapacity points, and drawn as one
// Polyline; a full batch is drawn and the new one starts with its last
// point, so the line stays connected (and a dashed pen's phase runs on
// within one batch). A change of pen width, colour, style or brush colour
// draws the batch first.
//
// Duplicate-mark grid (AvoidDuplicateMarks): one 32-bit cell per canvas
// pixel of the control's size widened by d = MinDupMarkDist on every side;
// a cell holds the glyph that last claimed it or -1. A mark whose cell
// holds its glyph is left out; a drawn mark claims the (2d + 1)^2 cells
// around it. A mark whose position lies outside the grid (possible with a
// large target canvas and a far-moved origin) is drawn without the test.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "chart/items/ChartItem.h"
#include "platform/Types.h"
#include "platform/graphics/Color.h"
#include "platform/graphics/Pen.h"

namespace korvo {

class TCanvas;
class TCustomPlotwell;
class TLongTextArray;
class TPwItemContainer;
class TPwSeries;

class TItemRenderer {
 public:
  static constexpr int BatchCapacity = 200;

  TItemRenderer() = default;
  TItemRenderer(const TItemRenderer&) = delete;
  TItemRenderer& operator=(const TItemRenderer&) = delete;

  // Starts a render pass on `canvas`: the batch is emptied and starts at
  // (x0, y0), where the canvas pen is moved; pen, brush and font colour
  // become `colour`, the pen style psSolid, the pen width `penWidth`, the
  // brush style solid, all set on the canvas and cached.
  void Begin(TCanvas* canvas, int32_t x0, int32_t y0, TColor colour, int32_t penWidth);

  // Draws `item` for `chart`: the rules of its kind, after the prologue that
  // puts the item's pen width on the canvas (not for text kinds).
  void Render(TCustomPlotwell& chart, TCanvas* canvas, const TpwChartItem& item, int32_t x0, int32_t y0,
              bool monochrome, const TLongTextArray& longTexts, bool isAnnotation, int32_t index);

  // Which items of a list one pass draws.
  enum class TPassFilter : uint8_t { All, NoTexts, TextsOnly };
  // One pass over a list: each item whose class is visible in `classes` and
  // whose layer is visible goes to OnBeforeRenderChartItem (on a copy) when
  // that is assigned, then is drawn. The count is read at every step and
  // items are reached by index, so a handler that adds or removes items
  // cannot make the pass read outside the list. A ckDrawTo that continues
  // the batch with unchanged attributes takes a short path that draws the
  // same pixels as Render.
  void DrawList(TCustomPlotwell& chart, TCanvas* canvas, const TPwItemContainer& list,
                const TLongTextArray& longTexts, const std::array<bool, 256>& classes, bool isAnnotation,
                TPassFilter filter, int32_t x0, int32_t y0, bool monochrome);

  // Render called on its own (not from DrawList) maps every point afresh.
  void ForgetLayerMaps() { layer_maps_ready_ = false; }

  // ---- attribute cache --------------------------------------------------
  void SetPenColor(TCanvas* canvas, TColor c);
  void SetPenStyle(TCanvas* canvas, TPenStyle s);
  void SetBrushColor(TCanvas* canvas, TColor c);
  void SetFontColor(TCanvas* canvas, TColor c);
  void SetPenWidth(TCanvas* canvas, int32_t w);
  // Another step set the value on the canvas itself: the cache follows.
  void NotePenColor(TColor c) { pen_color_ = c; }
  void NotePenWidth(int32_t w) { pen_width_ = w; }
  void NoteBrushColor(TColor c) { brush_color_ = c; }
  TColor CachedPenColor() const { return pen_color_; }
  TPenStyle CachedPenStyle() const { return pen_style_; }
  TColor CachedBrushColor() const { return brush_color_; }
  TColor CachedFontColor() const { return font_color_; }
  int32_t CachedPenWidth() const { return pen_width_; }

  // ---- polyline batch ----------------------------------------------------
  // Appends one canvas point; an empty batch first takes the start point.
  // A full batch is drawn and the new one begins with this point.
  void AddPolylinePoint(TCanvas* canvas, int32_t x, int32_t y) {
    if (batch_count_ == 0) batch_[batch_count_++] = batch_start_;
    batch_[batch_count_++] = TPoint{x, y};
    if (batch_count_ == BatchCapacity) {
      FlushPolyline(canvas);
      batch_[batch_count_++] = TPoint{x, y};
    }
  }
  // Draws the pending points as one Polyline (nothing when there are none),
  // moves the canvas pen to the last point and makes it the start point.
  void FlushPolyline(TCanvas* canvas);
  TPoint BatchStart() const { return batch_start_; }
  void SetBatchStart(TPoint p) { batch_start_ = p; }
  int BatchCount() const { return batch_count_; }

  // Sees every Polyline the batch draws, before it is drawn: a plain
  // function pointer, tested once per Polyline, so an unset observer costs
  // nothing per point. For tests and tools.
  using TBatchObserver = void (*)(void* context, std::span<const TPoint> points);
  void SetBatchObserver(TBatchObserver observer, void* context) {
    batch_observer_ = observer;
    batch_observer_context_ = context;
  }

  // ---- duplicate-mark grid -----------------------------------------------
  // Sizes the grid to (width + 2d) x (height + 2d) cells, all free; the
  // memory is kept for the next pass. d is kept within 1..3. A grid beyond
  // MaxGridCells is not made and every mark is drawn.
  void ResetDupGrid(int32_t width, int32_t height, int32_t d);
  // False when the mark of `glyph` at canvas position (x, y) is to be left
  // out; otherwise claims its cells (when it lies on the grid) and returns
  // true.
  bool ClaimMark(int32_t x, int32_t y, int32_t glyph);
  static constexpr int64_t MaxGridCells = int64_t(1) << 26;

 private:
  // The state of the item being drawn.
  struct TPass {
    TCustomPlotwell* chart = nullptr;
    TCanvas* canvas = nullptr;
    int32_t x0 = 0, y0 = 0;
    bool monochrome = false;
  };

  // The world-to-canvas map of one layer, read from the chart's transform:
  // the same pixels as WorldToPixel, in double arithmetic where that is
  // exact (see FastLinearPixel).
  class TLayerMap {
   public:
    void Set(const TCustomPlotwell& chart, int32_t layer, int32_t x0, int32_t y0);
    TPoint Point(const TCustomPlotwell& chart, double x, double y) const;
    // The canvas column of world x and the canvas row of world y alone:
    // WorldToPixel maps the axes independently, so (X(x), Y(y)) is Point(x, y).
    int32_t X(const TCustomPlotwell& chart, double x) const;
    int32_t Y(const TCustomPlotwell& chart, double y) const;
    // Point for n <= MaxPointsAtOnce points at once (LayerMap.h).
    static constexpr int MaxPointsAtOnce = 256;
    void Points(const TCustomPlotwell& chart, const double* x, const double* y, int n, int32_t* px, int32_t* py,
                uint8_t* finite) const;
    bool LogarithmicX() const { return !linear_x_; }
    bool LogarithmicY() const { return !linear_y_; }

   private:
    int32_t layer_ = 1;
    int64_t dx_ = 0, dy_ = 0;
    bool linear_ = false, linear_x_ = false, linear_y_ = false;
    double kx_ = 0, ox_ = 0, ky_ = 0, oy_ = 0;
  };
  // Reads the sixteen layer maps again (at the start of a pass and after a
  // handler, which may have changed the ranges).
  void ReadLayerMaps();

  // Conversions (see the header comment), clamped to +-CoordLimit.
  static TPoint MapWorld(const TCustomPlotwell& chart, int layer, double x, double y, int32_t x0, int32_t y0);
  TPoint WorldPoint(int layer, double x, double y) const;
  int32_t PixelX(double x) const;
  int32_t PixelY(double y) const;
  // A one-point position by mode, as ckMoveTo, ckDrawTo and ckText read it.
  TPoint PointByMode(const TpwChartItem& item, double x, double y, uint8_t mode) const;
  // The two points of ckLine, ckRectangle and ckFramedRect by mode.
  void TwoPointsByMode(const TpwChartItem& item, uint8_t mode, TPoint& a, TPoint& b) const;

  void SetLineAttributes(const TpwChartItem& item, TColor ink);
  void SetFillAttributes(const TpwChartItem& item, TColor ink, TColor paper);
  void SetLineAttributesForced(const TpwChartItem& item, TColor ink);
  // Single pixel rule: when a == b, SetPixel(a, colour) and true.
  bool SinglePixel(TPoint a, TPoint b, TColor colour);

  // The kinds (ItemRenderer.cpp, MarkItems.cpp, ItemFigures.cpp, TextItems.cpp).
  void DrawMarkItem(const TpwChartItem& item, TColor ink);
  void DrawToItem(const TpwChartItem& item, TColor ink, TPoint p);
  void DrawRectangleItem(const TpwChartItem& item, TColor ink, TColor paper);
  void DrawFramedRectItem(const TpwChartItem& item, TColor paper);
  void DrawBar3DItem(const TpwChartItem& item, TColor ink, TColor paper);
  void DrawEllipseItem(const TpwChartItem& item, TColor ink, TColor paper);
  void DrawArrowItem(const TpwChartItem& item, TColor ink, TColor paper);
  void DrawPixelBoxItem(const TpwChartItem& item, TColor ink, TColor paper);
  void DrawErrorMarkItem(const TpwChartItem& item, TColor ink);
  void DrawArcItem(const TpwChartItem& item, TColor ink);
  void DrawVectorItem(const TpwChartItem& item, TColor ink);
  void DrawCrossItem(const TpwChartItem& item, TColor ink, TColor paper);
  void DrawTextItem(const TpwChartItem& item, TColor ink, const TLongTextArray& longTexts, bool isAnnotation,
                    int32_t index);
  // Series items (SeriesItems.cpp, SeriesSortedLine.cpp, SeriesMarks.cpp).
  void DrawSeriesLineItem(const TpwChartItem& item, TColor ink, const TPwSeries& series);
  void DrawSeriesMarksItem(const TpwChartItem& item, TColor ink, const TPwSeries& series);
  void DrawSortedSeriesLine(const TPwSeries& series, const TLayerMap& map);

  TPass pass_;
  // Valid while DrawList runs; Render called on its own maps through
  // MapWorld.
  std::array<TLayerMap, 16> layer_maps_{};
  bool layer_maps_ready_ = false;

  TColor pen_color_ = clBlack;
  TPenStyle pen_style_ = TPenStyle::psSolid;
  TColor brush_color_ = clWhite;
  TColor font_color_ = clBlack;
  int32_t pen_width_ = 1;

  std::array<TPoint, BatchCapacity> batch_{};
  int batch_count_ = 0;
  TPoint batch_start_{};
  TBatchObserver batch_observer_ = nullptr;
  void* batch_observer_context_ = nullptr;

  std::vector<int32_t> dup_cells_;
  int64_t dup_cols_ = 0, dup_rows_ = 0;
  int32_t dup_d_ = 1;
  bool dup_grid_ = false;

  // The text of a text item while OnBeforeRenderText may change it; its
  // memory is kept between items.
  std::string text_;

  // Mark series: the centres already taken (one bit a canvas pixel around
  // the clip) and the marks kept, last first; their memory is kept between
  // passes, so a frame allocates only when a series outgrows every earlier
  // one.
  std::vector<uint64_t> mark_seen_;
  std::vector<TPoint> mark_kept_;
};

}  // namespace korvo
