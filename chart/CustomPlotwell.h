// TCustomPlotwell: the chart control. Its sixteen layers each map world
// coordinates to pixels through an x and a y range; its drawing commands
// (inherited from TPwItemStore) fill display lists that are drawn when the
// chart is shown or repainted.
//
// Where the parts live:
//   CustomPlotwell.cpp      construction, defaults, destruction, owned
//                           objects, ClearGraph and ShowGraph
//   ChartSettings.cpp       the plain setters with their rules
//   ChartClassInfo.cpp      the published properties and events, in order;
//                           Assign
//   items/                  the display lists and commands, data sharing
//   geometry/               transforms, layer ranges, scales, margins,
//                           isometric mode and the standard layouts
//   render/                 the paint pipeline, item rendering, background,
//                           grid, shadow, caption and the overlays
//   mouse/                  presses, drags and releases by MouseAction, the
//                           scale bands, tracking, cursors, the mouse trace,
//                           the box selection and zoom-history stepping
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "base/ChartEnums.h"
#include "base/CrossHair.h"
#include "base/EventTypes.h"
#include "base/TextLabel.h"
#include "chart/geometry/JointLayers.h"
#include "chart/geometry/ScaleProps.h"
#include "chart/items/ItemStore.h"
#include "chart/render/BackgroundImage.h"
#include "platform/Export.h"
#include "platform/framework/Control.h"
#include "platform/graphics/Bitmap.h"

namespace korvo {

class TScale;
class TItemRenderer;
class TChartMouse;

// One zoom-history slot of one layer: the layer's ranges when it was pushed.
struct TZoomHistoryEntry {
  double XLow = 0;
  double YHigh = 0;
  double XHigh = 0;
  double YLow = 0;
  friend bool operator==(const TZoomHistoryEntry&, const TZoomHistoryEntry&) = default;
};

// Limits that ApplyLayerRange confines requested ranges to (see there).
struct TRangeLimits {
  long double XLow = 0;
  long double YLow = 0;
  long double XHigh = 0;
  long double YHigh = 0;
  bool AllZero() const { return XLow == 0 && YLow == 0 && XHigh == 0 && YHigh == 0; }
};

// One recorded point of the mouse trace: world coordinates of the layer that
// was current, Flags bit 0 = the stroke ends here (no segment to the next
// point), bit 1 = the segment ending here is drawn inverted (XOR); Color is
// the colour of that segment.
struct TMouseTracePoint {
  double X = 0;
  double Y = 0;
  uint16_t Flags = 0;
  TColor Color = clWhite;
};

// The box selection (ArmBoxSelection): idle, waiting for the press that
// fixes the first corner, dragging the outline, finished.
enum class TBoxSelectState : uint8_t { msNormal, msFirstCorner, msRectDraw, msFinished };

// Geometry. Pixel positions are 32-bit control pixels, (0, 0) at the
// control's top-left corner, x to the right and y down. The plot area runs
// from column MarginLeft to column Width - MarginRight - ShadowWidth and from
// row MarginTop to row Height - MarginBottom - ShadowWidth, both ends
// included. Layer L's x range maps RangeLow to column MarginLeft and
// RangeHigh to column Width - MarginRight - ShadowWidth; its y range maps
// RangeHigh to row MarginTop and RangeLow to row Height - MarginBottom -
// ShadowWidth (y points up). A range with RangeHigh < RangeLow gives a
// mirrored axis; a logarithmic axis maps the natural logarithm of the value.
//
// Painting. The chart never draws straight onto the screen: Paint renders
// the whole control into ChartBitmap (window background, shadow, caption,
// scales, then the plot area rendered into PlotBitmap and copied in, then
// the crosshairs) and copies ChartBitmap onto the control in one draw.
// ShowGraph re-renders only the plot area (RefreshPlotArea). Nothing is
// painted while PaintSuspended is set, while loading, or while the chart is
// invisible (outside design mode).
//
// "Repaint (auto)" below: after storing, the chart paints at once when
// AutoRedraw is true or it is being designed; otherwise the next ShowGraph
// or paint request of the window system shows the change.
class PLOTWELL_API TCustomPlotwell : public TCustomControl, public TPwItemStore {
 public:
  static constexpr int LayerCount = 16;
  static constexpr int TextLabelCount = 50;
  static constexpr int ZoomHistorySlots = 16;
  static constexpr int MaxSharers = 4;
  static constexpr int MouseTraceCapacity = 5000;

  explicit TCustomPlotwell(TComponent* owner);
  ~TCustomPlotwell() override;
  const char* ClassName() const override { return "TCustomPlotwell"; }
  static const TClassInfo& ClassInfo();

  // Makes this chart a copy of another chart (settings, both item lists,
  // long texts, visibility tables, transforms, zoom history, scales, owned
  // objects and the chart's own event handlers), then re-applies the ranges
  // and paints. The copy takes no part in the source's data sharing. Any
  // other source: the framework's assignment.
  void Assign(const TPersistent& source) override;
  void AssignTo(TPersistent& dest) const override;

  // ---- Showing the items --------------------------------------------------

  // Empties the data list (storage released, KindCount zeroed; for every
  // chart sharing it) and sizes the plot bitmap to the plot area, painting
  // its background. The annotation list stays.
  void ClearGraph();
  // Makes the items visible: hands the data list to the charts sharing it,
  // refreshes the plot area when AutoRedraw is true, else repaints the whole
  // chart, then redraws the other charts of the sharing group. Nothing is
  // drawn while the chart is invisible.
  void ShowGraph();

  // ---- Layers and their scales --------------------------------------------

  // The x and y scale property objects of layer 1..16 (a number outside
  // raises EKorvoPlotwellError). Owned by the chart.
  TScalePropsHoriz* XProps(int layer) const;
  TScalePropsVert* YProps(int layer) const;
  // The scales that draw layer 1..16's axes, kept in step with the property
  // objects (SyncScaleRenderer). Owned by the chart; they never paint on
  // their own and have no surface: the chart makes them draw onto
  // ChartBitmap.
  TScale* XScale(int layer) const;
  TScale* YScale(int layer) const;

  // The published scale objects of layers 1 to 4. The setters copy the
  // given object's values into the chart's own object (Assign) and repaint
  // in design mode.
  TScalePropsHoriz* Scale1X() const { return XProps(1); }
  TScalePropsVert* Scale1Y() const { return YProps(1); }
  TScalePropsHoriz* Scale2X() const { return XProps(2); }
  TScalePropsVert* Scale2Y() const { return YProps(2); }
  TScalePropsHoriz* Scale3X() const { return XProps(3); }
  TScalePropsVert* Scale3Y() const { return YProps(3); }
  TScalePropsHoriz* Scale4X() const { return XProps(4); }
  TScalePropsVert* Scale4Y() const { return YProps(4); }
  void SetScale1X(const TScaleProps& p) { SetScaleProps(XProps(1), p); }
  void SetScale1Y(const TScaleProps& p) { SetScaleProps(YProps(1), p); }
  void SetScale2X(const TScaleProps& p) { SetScaleProps(XProps(2), p); }
  void SetScale2Y(const TScaleProps& p) { SetScaleProps(YProps(2), p); }
  void SetScale3X(const TScaleProps& p) { SetScaleProps(XProps(3), p); }
  void SetScale3Y(const TScaleProps& p) { SetScaleProps(YProps(3), p); }
  void SetScale4X(const TScaleProps& p) { SetScaleProps(XProps(4), p); }
  void SetScale4Y(const TScaleProps& p) { SetScaleProps(YProps(4), p); }

  // The layer coupling. SetJointLayers copies both arrays of `j` (not its
  // handler) and repaints (auto).
  TJointLayers* JointLayers() const { return joint_layers_.get(); }
  void SetJointLayers(const TJointLayers& j);

  // Copies a property object into a scale: its orientation, the margin that
  // places its axis line (ScalePos further out), range, visibility, caption,
  // colour, decimals, logarithmic flag, label type, ticks, inscript, user
  // texts, font and date format.
  void SyncScaleRenderer(TScale& renderer, const TScaleProps& props) const;

  // ---- Transforms ---------------------------------------------------------

  // Recomputes the coefficients of all 16 layers from their ranges and the
  // plot area. Does nothing while the chart is being loaded. A logarithmic
  // axis with a bound <= 0 raises EKorvoPlotwellError "Logarithmic axis must
  // not be negative."; the layers before it keep their new coefficients,
  // that layer's y axis (when its x axis was fine) and all later layers their
  // old ones. A plot area without width (height) maps every x (y) to the
  // middle of the control, Width / 2 (Height / 2).
  virtual void UpdateTransforms();

  // The control pixel of world point (x, y) on `layer` (0 and below act as
  // 1, above 16 as 16). Never fails and allocates nothing:
  //  - a pixel beyond the 32-bit range becomes 2147483647 or -2147483647;
  //  - on a logarithmic axis a value <= 1e-100, -infinity and NaN go to the
  //    low end of the axis at the control's edge: x to column 0 (Width if the
  //    range is reversed), y to row Height (0 if reversed), whether or not
  //    the plot area has width (height); otherwise
  //  - on an axis whose plot area has no width (height), every value, NaN
  //    and infinities included, goes to the middle of the control;
  //  - on a linear axis with width NaN goes to the same edge as on a
  //    logarithmic one.
  // Rounding is to the nearest pixel, halves to even.
  void WorldToPixel(int layer, double x, double y, int32_t& px, int32_t& py) const;
  // The world point of control pixel (px, py) on `layer` (clamped like
  // WorldToPixel). A plot area without width (height) has no world position
  // along that axis: EKorvoPlotwellError.
  void PixelToWorld(int layer, int32_t px, int32_t py, double& x, double& y) const;

  // Sets one layer's ranges, stored directly (no setter rules, no change
  // notification):
  //  1. applyLimits and RangeLimits not all zero: the requested bounds are
  //     confined to the limits. While MouseAction pans along an axis (maPan,
  //     maPanGrid, and maPanHoriz for x, maPanVert for y) a bound that hits a
  //     limit drags the other along, keeping the width; otherwise the range
  //     is cut at the limit.
  //  2. An axis whose requested range is narrower than 0.99 * MinRange, or
  //     has a NaN or infinite bound, is left unchanged. On a logarithmic
  //     axis each bound below 1e-100 is left unchanged on its own.
  //  3. The scales are brought in step; when recordHistory is set and a
  //     bound was stored, the ranges are pushed onto the zoom history; then
  //     UpdateTransforms.
  // A layer outside 1..16 raises EKorvoPlotwellError.
  void ApplyLayerRange(int layer, bool recordHistory, long double xLow, long double yLow, long double xHigh,
                       long double yHigh, bool applyLimits);
  // Sets a layer's ranges and moves the layers joined to it: an axis of
  // `layer` that follows another layer keeps its range; then every other
  // layer with an axis controlled by `layer` takes its controllers' ranges
  // (recording history). Paints once at the end, if painting is not
  // suspended by the caller.
  void SetLayerRange(int layer, bool recordHistory, long double xLow, long double yLow, long double xHigh,
                     long double yHigh, bool applyLimits);
  // Re-applies the ranges of all 16 layers from their property objects and
  // repaints: the change notification of every scale property object.
  void ApplyScaleProps();

  // Limits for ranges set with applyLimits (the mouse's pan and zoom). All
  // zero (the default) imposes nothing; otherwise all four apply, so give
  // -infinity and +infinity for an axis that should stay free. A lower limit
  // above its upper limit, or a NaN, raises EKorvoPlotwellError.
  const TRangeLimits& RangeLimits() const { return range_limits_; }
  void SetRangeLimits(long double xLow, long double yLow, long double xHigh, long double yHigh);

  // ---- Rendering (render/) --------------------------------------------------
  //
  // The virtual steps come in this order: UpdateTransforms (above),
  // PaintPlotBackground, RenderDataToBitmap, RenderData, SetPaintSuspended.

  // Paints the plot area's background onto `canvas`, the plot area's
  // top-left pixel at (x0, y0), `width` x `height` pixels: ChartColor with a
  // ChartFrameColor outline, the background picture or the area colour of
  // BackGroundImg.
  virtual void PaintPlotBackground(TCanvas* canvas, int32_t x0, int32_t y0, int32_t width, int32_t height);
  // RenderData on the bitmap's canvas.
  virtual void RenderDataToBitmap(TBitmap* bitmap, int32_t x0, int32_t y0, bool monochrome, bool noGrid);
  // The data render onto `canvas` with the plot area's top-left pixel at
  // (x0, y0): grid, the data and annotation lists in their order, text
  // labels, the plot frame, with the render events. `monochrome` draws for
  // black-and-white output; `noGrid` leaves the grid out.
  virtual void RenderData(TCanvas* canvas, int32_t x0, int32_t y0, bool monochrome, bool noGrid);
  // While true the chart does not paint. Operations that change several
  // ranges set it for their duration; when it goes from true to false the
  // chart paints. True until the control has its window.
  bool PaintSuspended() const { return paint_suspended_; }
  virtual void SetPaintSuspended(bool value);

  // Draws the control background, shadow, caption and the 32 scales onto
  // `canvas` (ChartBitmap's) and fires OnScalesRendered.
  void RenderFrame(TCanvas* canvas);
  // Draws the crosshairs onto `bitmap`, then draws the bitmap onto `target`
  // at (x0, y0), the control position of the bitmap's top-left pixel.
  void PresentChart(int32_t x0, int32_t y0, TCanvas* target, TBitmap* bitmap);

  // Puts a Width x Height picture of the whole control on the clipboard,
  // rendered afresh into ChartBitmap without repainting the screen: frame,
  // scales, caption and the plot area with grid, items, text labels and
  // plot frame; the crosshairs only WithCrossHairs, the mouse trace never.
  // BlackWhite draws white backgrounds, black frame, caption, scales and
  // items, silver filled shapes (grid, area colour, background picture,
  // text labels and crosshairs keep their colours). The chart's colours and
  // PaintSuspended are as before afterwards, also when the copy fails;
  // errors of the clipboard and of the render propagate.
  void CopyToClipboard(bool blackWhite);
  void CopyToClipboard(bool blackWhite, bool withCrossHairs);
  // Writes the picture of the whole control that the screen shows (rendered
  // afresh as CopyToClipboard renders it, in colour, crosshairs included)
  // to `path`: PNG, BMP, SVG or PDF, chosen by the name's extension in
  // either case. SVG and PDF hold the figures (1/96 inch a pixel, lines
  // through pixel centres, text as text with its fonts embedded, pictures
  // as images, marks line-drawn as on the printer).
  // The file is written beside the path and renamed onto it when complete,
  // so it never appears half-written and a failure leaves an earlier file
  // as it was. An unknown extension or a file that cannot be written raises
  // EKorvoPlotwellError naming the path. The screen is not repainted.
  void SaveToFile(const std::string& path);
  // The same picture drawn onto `canvas` with the control's top-left pixel
  // at the canvas's (0, 0): onto pixels, or as figures onto a canvas with a
  // figure device (a vector file, a page, another resolution).
  void RenderTo(TCanvas& canvas) { RenderPicture(false, true, &canvas); }
  // What the control shows, drawn at a screen's device pixel ratio
  // (TWinControl::PaintScaled, render/ScaledPicture.cpp): that picture,
  // figures in whole device pixels and text at ratio x 96 pixels per inch,
  // with the inverted band outlines the surface has; only the plot area
  // when only it changed. False while the chart does not paint and while
  // it holds a mouse trace.
  bool PaintScaled(const TPixelSurface& target, double ratio, const TRect& changed) override;
  // Prints that picture on the printer (Printer()), scaled to fit
  // `pageRect` (the page's pixels) keeping its aspect and centred in it, or
  // the whole page: drawn at the printer's resolution, lines whole device
  // pixels and text rasterised at the page's pixels per inch. Opens and
  // closes a document of its own unless one is open (BeginDoc), when it
  // draws on the current page. An empty chart or rectangle raises
  // EKorvoPlotwellError.
  void Print(const TRect& pageRect);
  void Print();

  // The steps of the frame and the plot area, each drawing with the chart's
  // present settings. (x0, y0) is where the plot area's top-left pixel lies
  // on the canvas, except for DrawCrossHairs, where it is the control
  // position of the bitmap's top-left pixel.
  void DrawGrid(TCanvas* canvas, int32_t x0, int32_t y0);
  void DrawShadow(TCanvas* canvas);
  void DrawCaption(TCanvas* canvas);
  void DrawTextLabels(TCanvas* canvas, int32_t x0, int32_t y0);
  void DrawMouseTrace(int32_t x0, int32_t y0, TBitmap* bitmap);
  void DrawCrossHairs(int32_t x0, int32_t y0, TBitmap* bitmap);
  // The same onto any canvas, (x0, y0) the control position of its (0, 0);
  // the caller clips them to the plot area.
  void DrawCrossHairs(int32_t x0, int32_t y0, TCanvas& canvas);

  // One item drawn onto `canvas` (the renderer state of the running render
  // pass applies: attribute cache, polyline batch, duplicate-mark grid).
  void RenderItem(TCanvas* canvas, const TpwChartItem& item, int32_t x0, int32_t y0, bool monochrome,
                  const TLongTextArray& longTexts, bool isAnnotation, int32_t index);
  // Draws the pending polyline batch.
  void FlushPolyline(TCanvas* canvas);
  // The renderer state of the running render pass (chart/render/ItemRenderer.h):
  // the attribute cache the render steps keep in step, and the batch
  // observer that tools and tests may set. Owned by the chart.
  TItemRenderer* ItemRenderer() const { return item_renderer_.get(); }

  // The control's picture (Width x Height) as the last full render left it
  // (Paint, CopyToClipboard, SaveToFile): ShowGraph renders only the plot
  // area, into PlotBitmap and onto the control, so after it ChartBitmap's
  // plot area is older than the screen's (SaveToFile gives what the screen
  // shows). The plot area's picture ((W + 1) x (H + 1), each side at least
  // 0) and the background picture last loaded (10 x 10 until one is).
  TBitmap* ChartBitmap() const { return chart_bitmap_.get(); }
  TBitmap* PlotBitmap() const { return plot_bitmap_.get(); }
  TBitmap* PictureBitmap() const { return picture_bitmap_.get(); }

  // What the data render draws. Class tables are indexed by item class
  // 0..255, the layer table by layer 1..16 (another layer number: false on
  // reading, EKorvoPlotwellError on writing). All true after construction,
  // except DataOverAnnotations (false). Each setter repaints (auto).
  bool ClassVisible(uint8_t itemClass) const { return class_visible_[itemClass]; }
  void SetClassVisible(uint8_t itemClass, bool visible);
  bool AnnotationClassVisible(uint8_t itemClass) const { return annotation_class_visible_[itemClass]; }
  void SetAnnotationClassVisible(uint8_t itemClass, bool visible);
  bool LayerVisible(int layer) const {
    return layer >= 1 && layer <= LayerCount && layer_visible_[size_t(layer - 1)];
  }
  void SetLayerVisible(int layer, bool visible);
  // The annotation list is drawn.
  bool AnnotationsVisible() const { return annotations_visible_; }
  void SetAnnotationsVisible(bool value);
  // Annotation texts (ckText, ckTextOffs) are drawn after the other
  // annotation items.
  bool AnnotationTextsOnTop() const { return annotation_texts_on_top_; }
  void SetAnnotationTextsOnTop(bool value);
  // The data list is drawn after the annotation list instead of before it.
  bool DataOverAnnotations() const { return data_over_annotations_; }
  void SetDataOverAnnotations(bool value);

  // ---- Settings -------------------------------------------------------------

  // Repaint at once after a setting changed (true, the default), or wait for
  // the next ShowGraph.
  bool AutoRedraw() const { return auto_redraw_; }
  void SetAutoRedraw(bool value) { auto_redraw_ = value; }

  // Marks of one glyph closer than MinDupMarkDist pixels to a mark of the
  // same glyph drawn before them in the same render are left out. The setter
  // repaints at once when the value changes.
  bool AvoidDuplicateMarks() const { return avoid_duplicate_marks_; }
  void SetAvoidDuplicateMarks(bool value);
  // 1..3 (below 1 gives 1, above 3 gives 3); a drawn mark claims the
  // (2d + 1) x (2d + 1) pixels around it. Repaints at once when it changes.
  int32_t MinDupMarkDist() const { return min_dup_mark_dist_; }
  void SetMinDupMarkDist(int32_t value);

  // The margins around the plot area in pixels (no range check; a negative
  // margin enlarges the plot area) and the width of the drop shadow, kept
  // within 0..32. Each setter sizes the plot bitmap, brings the scales in
  // step (a margin re-runs the isometric adjustment when Isometric is set),
  // recomputes the transforms and repaints (auto). LRim, RRim, TRim and BRim
  // are older names of the four margins.
  int32_t MarginLeft() const { return margin_left_; }
  void SetMarginLeft(int32_t v);
  int32_t MarginRight() const { return margin_right_; }
  void SetMarginRight(int32_t v);
  int32_t MarginTop() const { return margin_top_; }
  void SetMarginTop(int32_t v);
  int32_t MarginBottom() const { return margin_bottom_; }
  void SetMarginBottom(int32_t v);
  int32_t LRim() const { return margin_left_; }
  void SetLRim(int32_t v) { SetMarginLeft(v); }
  int32_t RRim() const { return margin_right_; }
  void SetRRim(int32_t v) { SetMarginRight(v); }
  int32_t TRim() const { return margin_top_; }
  void SetTRim(int32_t v) { SetMarginTop(v); }
  int32_t BRim() const { return margin_bottom_; }
  void SetBRim(int32_t v) { SetMarginBottom(v); }
  int32_t ShadowWidth() const { return shadow_width_; }
  void SetShadowWidth(int32_t v);
  // Keeps room for a plot area of at least 80 x 20 pixels beside the
  // margins and the shadow, then brings the scales and transforms in step
  // (re-running the isometric adjustment when Isometric is set). Does not
  // paint.
  //
  // The chart and its plot bitmap each have at most MaxChartPixels pixels
  // (8192 x 8192; a chart keeps three pictures of its size): a size, or a
  // margin, that would make either larger raises Exception naming it and
  // changes nothing.
  static constexpr int64_t MaxChartPixels = int64_t(1) << 26;
  void SetBounds(int left, int top, int width, int height) override;
  // Plot area size in pixels: W = Width - MarginLeft - MarginRight -
  // ShadowWidth and H likewise; the plot area has W + 1 by H + 1 pixels.
  int64_t PlotWidth() const { return int64_t(Width()) - margin_left_ - margin_right_ - shadow_width_; }
  int64_t PlotHeight() const { return int64_t(Height()) - margin_top_ - margin_bottom_ - shadow_width_; }
 private:
  void CheckChartSize(int64_t width, int64_t height, int64_t left, int64_t right, int64_t top, int64_t bottom,
                      const char* margin, int32_t value) const;

 public:

  // Equal world units per pixel on both axes of every layer: setting it
  // true adjusts each layer's y range around its centre (MakeIsometric),
  // records the zoom history and repaints (auto); setting it false changes
  // nothing else.
  bool Isometric() const { return isometric_; }
  void SetIsometric(bool value);
  // Gives layer `layer`'s y range the height that makes its units per pixel
  // those of its x range, centred where it was; the x range is not changed.
  void MakeIsometric(int layer);
  // The display's relative pixel width and height, read when the chart was
  // created.
  int32_t PixelAspectX() const { return pixel_aspect_x_; }
  int32_t PixelAspectY() const { return pixel_aspect_y_; }

  // Applies one of the seven prepared arrangements of margins, caption and
  // the scales of layers 1..4 (the scales of layers 5..16 are hidden), then
  // paints once. The value read back does not change: it stays the one the
  // chart was created with (or that Assign copied).
  TpwLayout StandardLayout() const { return standard_layout_; }
  void SetStandardLayout(TpwLayout layout);

  // Colours: of the control around the plot area (the scales' background),
  // of the plot area, its outline and the grid. Each repaints (auto).
  TColor WindColor() const { return wind_color_; }
  void SetWindColor(TColor color);
  TColor ChartColor() const { return chart_color_; }
  void SetChartColor(TColor color);
  TColor ChartFrameColor() const { return chart_frame_color_; }
  void SetChartFrameColor(TColor color);
  TColor GridColor() const { return grid_color_; }
  void SetGridColor(TColor color);

  // The grid over the plot area, spaced GridDx and GridDy in world units of
  // the current layer (0: at the scale's ticks; on a logarithmic axis -1,
  // -2 and -3 give decades, 1-2-5 steps and every digit). A spacing below
  // -3 is ignored. Each repaints (auto).
  GridStyleType GridStyle() const { return grid_style_; }
  void SetGridStyle(GridStyleType style);
  double GridDx() const { return grid_dx_; }
  void SetGridDx(double v);
  double GridDy() const { return grid_dy_; }
  void SetGridDy(double v);

  // The drop shadow at the right and bottom edge, ShadowWidth pixels wide.
  // Each repaints (auto).
  TShadowStyle ShadowStyle() const { return shadow_style_; }
  void SetShadowStyle(TShadowStyle style);
  TColor ShadowColor() const { return shadow_color_; }
  void SetShadowColor(TColor color);
  TColor ShadowBakColor() const { return shadow_bak_color_; }
  void SetShadowBakColor(TColor color);

  // The chart caption is the control's Caption (repaint (auto) when it
  // changes), drawn in Font at (CaptionPosX, CaptionPosY) from its anchor,
  // aligned by CaptionAlignment, cut with "..." to CaptionTrim percent of
  // the plot width (0: never cut; other values are kept within 5..100).
  // Each repaints (auto).
  int32_t CaptionPosX() const { return caption_pos_x_; }
  void SetCaptionPosX(int32_t v);
  int32_t CaptionPosY() const { return caption_pos_y_; }
  void SetCaptionPosY(int32_t v);
  TAlignment CaptionAlignment() const { return caption_alignment_; }
  void SetCaptionAlignment(TAlignment v);
  TCaptionAnchorHoriz CaptionAnchorHoriz() const { return caption_anchor_horiz_; }
  void SetCaptionAnchorHoriz(TCaptionAnchorHoriz v);
  TCaptionAnchorVert CaptionAnchorVert() const { return caption_anchor_vert_; }
  void SetCaptionAnchorVert(TCaptionAnchorVert v);
  int32_t CaptionTrim() const { return caption_trim_; }
  void SetCaptionTrim(int32_t v);

  // The plot background object: picture file, fill mode and area colour.
  // The setter copies the given object's values into the chart's own and
  // repaints (auto); the chart's object repaints the chart when it changes.
  TBakGndImg* BackGroundImg() const { return background_.get(); }
  void SetBackGroundImg(const TBakGndImg& image);

  // Text items: the alignment placed in new items; repaints (auto).
  void SetTextAlignment(TAlignment alignment);

  // What a mouse drag on the plot area does; RangeLimits read it.
  TMouseActMode MouseAction() const { return mouse_action_; }
  void SetMouseAction(TMouseActMode action) { mouse_action_ = action; }
  // The cursor stays the control's own instead of announcing MouseAction.
  bool MouseCursorFixed() const { return mouse_cursor_fixed_; }
  void SetMouseCursorFixed(bool value) { mouse_cursor_fixed_ = value; }
  // The grid that maPanGrid snaps pan steps to, in world units.
  double PanGridDx() const { return pan_grid_dx_; }
  void SetPanGridDx(double v) { pan_grid_dx_ = v; }
  double PanGridDy() const { return pan_grid_dy_; }
  void SetPanGridDy(double v) { pan_grid_dy_ = v; }
  double PanGridOffsX() const { return pan_grid_offs_x_; }
  void SetPanGridOffsX(double v) { pan_grid_offs_x_ = v; }
  double PanGridOffsY() const { return pan_grid_offs_y_; }
  void SetPanGridOffsY(double v) { pan_grid_offs_y_ = v; }

  // The mouse trace (maDrawMTrace): at most MouseTraceCapacity points, drawn
  // by every Paint; new points take MouseTraceColor and are drawn inverted
  // when MouseTraceInvert is set.
  const std::vector<TMouseTracePoint>& MouseTrace() const { return mouse_trace_; }
  TColor MouseTraceColor() const { return mouse_trace_color_; }
  void SetMouseTraceColor(TColor color) { mouse_trace_color_ = color; }
  bool MouseTraceInvert() const { return mouse_trace_invert_; }
  void SetMouseTraceInvert(bool value) { mouse_trace_invert_ = value; }

  // ---- Data sharing (items/) ------------------------------------------------

  // The chart whose data list this chart shows, or nullptr. Setting it joins
  // that chart's sharing group (its root's, if it shares another chart's
  // data itself), leaves the present one, or (nullptr) leaves and keeps a
  // copy of the items. Refusals are shown in an information message box and
  // change nothing: sharing with itself, using foreign data while others
  // use this chart's, and a fifth member. A group has one root and at most
  // MaxSharers members; a chart being destroyed leaves its group, and a
  // destroyed root's members keep copies of the items.
  TCustomPlotwell* UseDataOf() const { return use_data_of_; }
  void SetUseDataOf(TCustomPlotwell* chart);
  // The charts that show this chart's data, in the order they joined.
  int ShareCount() const { return int(sharers_.size()); }
  TCustomPlotwell* Sharer(int index) const;
  // Hands this chart's data list, count and KindCount to the other charts
  // of its group (with one shared store they see it at once).
  void PropagateItems();
  // Paints `chart` at once if its AutoRedraw is true or it is being
  // designed; otherwise nothing.
  static void RedrawSharer(TCustomPlotwell* chart);

  // ---- Crosshairs and text labels -----------------------------------------

  // Crosshair n (1..4) and text label n (1..50), owned by the chart; another
  // number raises EKorvoPlotwellError. The setters copy the given object's
  // values (Assign) into the chart's own, which keeps notifying this chart,
  // and repaint (auto).
  TCrossHair* CrossHair(int n) const;
  TCrossHair* CrossHair1() const { return CrossHair(1); }
  TCrossHair* CrossHair2() const { return CrossHair(2); }
  TCrossHair* CrossHair3() const { return CrossHair(3); }
  TCrossHair* CrossHair4() const { return CrossHair(4); }
  void SetCrossHair(int n, const TCrossHair& c);
  void SetCrossHair1(const TCrossHair& c) { SetCrossHair(1, c); }
  void SetCrossHair2(const TCrossHair& c) { SetCrossHair(2, c); }
  void SetCrossHair3(const TCrossHair& c) { SetCrossHair(3, c); }
  void SetCrossHair4(const TCrossHair& c) { SetCrossHair(4, c); }
  TTextLabel* TextLabel(int n) const;

  // ---- Zoom history -------------------------------------------------------

  // A ring of the last 16 states of all layers' ranges. PushZoomHistory
  // stores the current ranges in slot ZoomHistoryIndex and advances the index
  // (16 wraps to 1); it does nothing while the chart is being loaded.
  // ResetZoomHistory zeroes every slot, sets the index to 1 and pushes once.
  void PushZoomHistory();
  void ResetZoomHistory();
  int ZoomHistoryIndex() const { return zoom_history_index_; }
  // Slot `slot` (1..16) of layer `layer` (1..16); EKorvoPlotwellError
  // otherwise.
  const TZoomHistoryEntry& ZoomHistory(int layer, int slot) const;

  // ---- Mouse (mouse/) -------------------------------------------------------
  //
  // A left press, drag and release on the plot area act by MouseAction; a
  // drag with the left button on the band beside a scale pans or zooms that
  // axis by the MouseAction of its scale property object. Every move reports
  // the world position of CurrentLayer (OnMouseMoveInChart) and sets the
  // screen cursor: the default one when MouseCursorFixed is set or the
  // pointer is outside the plot area, else the one announcing MouseAction
  // (screen cursors 1..4 as construction registers them). A move that
  // arrives while the previous one is still being handled (from a handler
  // that runs the event loop) is dropped. Outlines of bands are drawn
  // straight onto the control's canvas inverted (XOR with white), so that
  // drawing one again gives the picture back. A drag that changes ranges
  // repaints once per move, and pushes the zoom history once on release.

  // The scale whose band lies under control pixel (x, y): L for the y scale
  // of layer L, -L for its x scale, 0 for none. Only visible scales count,
  // the y scales of layers 1..16 first, then the x scales. With p the
  // scale's ScalePos, a y scale on the right covers Width + p - MarginRight
  // < x < Width + p - MarginRight + 50, one on the left MarginLeft - p - 50
  // < x < MarginLeft - p, both for MarginTop < y < Height - MarginBottom; an
  // x scale at the bottom covers Height + p - MarginBottom < y < Height + p -
  // MarginBottom + 40, one at the top MarginTop - p - 40 < y < MarginTop - p,
  // both for MarginLeft < x < Width - MarginRight.
  int ScaleAtPos(int32_t x, int32_t y) const;
  // The column test of layer's y scale band and the row test of its x scale
  // band, both 50 pixels deep, whether the scale is visible or not.
  bool InVertScaleBand(int layer, int32_t x) const;
  bool InHorizScaleBand(int layer, int32_t y) const;

  // The box selection, beside any MouseAction. ArmBoxSelection waits for a
  // press: the right button cancels, any other fixes the first corner
  // (msRectDraw); moves then drag an outline to the pointer clamped into the
  // plot area, and the release fixes the second corner where it happens (not
  // clamped) and finishes (msFinished), or cancels with the right button.
  // Arming again starts over; CancelBoxSelection goes back to msNormal. Both
  // erase an outline being dragged.
  void ArmBoxSelection();
  void CancelBoxSelection();
  TBoxSelectState BoxState() const { return mouse_.BoxState; }
  // The finished box in control pixels: first corner and release position.
  // False, leaving the arguments alone, unless BoxState is msFinished.
  bool FinishedBox(int32_t& x1, int32_t& y1, int32_t& x2, int32_t& y2) const;

  // Stepping through the zoom history, for an undo of pan and zoom:
  // ZoomBack gives every layer the ranges of the latest recorded state older
  // than the current one that differs from the present ranges (first
  // recording the present ranges when they differ from the latest state, so
  // that ZoomForward comes back to them); ZoomForward goes the other way
  // over the states ZoomBack stepped over. Each applies all 16 layers at
  // once (no range limits, no joint-layer propagation: a state holds every
  // layer) and repaints once; false, changing nothing, when there is no such
  // state or the chart is being loaded. A new push after stepping back
  // drops the states ahead.
  bool CanZoomBack() const;
  bool CanZoomForward() const;
  bool ZoomBack();
  bool ZoomForward();

  // The position of the latest mouse move, before any clamping (a press
  // leaves it).
  int32_t LastMouseX() const { return mouse_.LastMouseX; }
  int32_t LastMouseY() const { return mouse_.LastMouseY; }
  // A pan, zoom drag, crosshair, label or scale-band drag has recorded its
  // start; a rubber band or zoom window is being drawn.
  bool DragStarted() const { return mouse_.DragStarted; }
  bool BandActive() const { return mouse_.BandActive; }

  // ---- Events ---------------------------------------------------------------

  // Of the scales, passed on with the chart as Sender.
  TScaleTickDrawnEvent OnScaleTickDrawn;
  TBeforeTickLabelEvent OnBeforeTickLabel;
  // Of the render: before the grid and after the text labels of every data
  // render (Top = MarginTop - y0, Left = MarginLeft - x0), before each
  // visible item (on a copy: changes last for this drawing only), before
  // each text item, and after the scales (on ChartBitmap's canvas, 0, 0).
  TRenderEvent OnBeforeRenderData;
  TBeforeRenderCItemEvent OnBeforeRenderChartItem;
  TBeforeRenderTextEvent OnBeforeRenderText;
  TRenderEvent OnDataRendered;
  TRenderEvent OnScalesRendered;
  // Of the mouse.
  TMouseMoveInChartEvent OnMouseMoveInChart;
  TSelectRectEvent OnRubberBand;
  TSelectRectEvent OnSelectRect;
  TZoomPanEvent OnZoomPan;
  TBeforeCrossHMoveEvent OnBeforeCrossHairMove;
  TCrossHairMoveEvent OnCrossHairMove;
  TTextLabelMoveEvent OnTextLabelMove;

  // The keys the chart wants: the arrow keys and Tab, beside the
  // framework's answer.
  int DialogCode() const override;

 protected:
  void Loaded() override;
  // The whole control rendered afresh into ChartBitmap without painting the
  // screen, as CopyToClipboard describes (Clipboard.cpp); with a target,
  // onto the target's (0, 0) instead (a canvas of figures: a vector file, a
  // printed page, a picture at another resolution), ChartBitmap then holding
  // only the frame's size.
  void RenderPicture(bool blackWhite, bool withCrossHairs, TCanvas* target = nullptr);
  // The full repaint into ChartBitmap, copied onto the control in one draw.
  void Paint() override;
  void TextChanged() override;

  // Mouse (mouse/). MouseDown lets the framework fire OnMouseDown first and
  // then acts; MouseUp acts first and fires OnMouseUp last; a double click
  // switches the drag mode of the scale under the pointer between maPan and
  // maZoom and swallows the next press or release (neither the chart's
  // action nor OnMouseDown/OnMouseUp). A release of a button this chart has
  // not seen pressed starts no action.
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  void DblClick() override;
  void MouseEnter() override;
  // Besides OnMouseLeave, gives the screen back its default cursor when
  // this chart set a mode cursor (the screen cursor applies everywhere).
  void MouseLeave() override;

  // Repaints now if AutoRedraw is set or the chart is being designed.
  void RepaintIfAutomatic();
  // Paints the whole chart now (through the framework, which calls Paint
  // when the control has its window).
  void RepaintChart();
  // The quick refresh of the plot area that ShowGraph uses with AutoRedraw:
  // plot background, data render and crosshairs onto PlotBitmap, copied
  // onto the control at (MarginLeft, MarginTop).
  virtual void RefreshPlotArea();
  // A crosshair, text label, the background object or the joint layers
  // changed: RedrawSharer(this).
  void OwnedObjectChanged();

  // The layers' defaults: each property object reinitialised with the chart's
  // colour, orientation and position for its layer, each scale set up and
  // brought in step.
  void InitLayers();

  // The recorded trace, for the mouse handling.
  std::vector<TMouseTracePoint>& MouseTraceBuffer() { return mouse_trace_; }

 private:
  // The item renderer maps points with the layers' coefficients inline, as
  // WorldToPixel does, on its per-item path.
  friend class TItemRenderer;
  // The mouse handling of mouse/ works on the chart's state.
  friend class TChartMouse;

  void CreateScales();
  // Brings every layer's two scales in step with their property objects and
  // gives them the chart's size and the margins that frame the plot area.
  void PlaceScales();
  void SetScaleProps(TScaleProps* own, const TScaleProps& given);
  void SizePlotBitmap();
  void SyncLayerScales(int layer);
  long double LowEndX(const TScaleProps& p) const;
  long double LowEndY(const TScaleProps& p) const;
  void LeaveSharingGroup();
  void RemoveSharer(TCustomPlotwell* chart);

  // Painting suspended for a scope that changes several things at once. On
  // leaving the scope, normally or by an exception, PaintSuspended gets its
  // old value back directly (no paint, so an error never leaves the chart
  // unable to paint); Finish() instead puts it back through
  // SetPaintSuspended, which paints when it becomes false.
  class TPaintSuspension {
   public:
    explicit TPaintSuspension(TCustomPlotwell& chart) : chart_(chart), saved_(chart.paint_suspended_) {
      chart.SetPaintSuspended(true);
    }
    ~TPaintSuspension() {
      if (active_) chart_.paint_suspended_ = saved_;
    }
    TPaintSuspension(const TPaintSuspension&) = delete;
    TPaintSuspension& operator=(const TPaintSuspension&) = delete;
    void Finish() {
      active_ = false;
      chart_.SetPaintSuspended(saved_);
    }

   private:
    TCustomPlotwell& chart_;
    bool saved_;
    bool active_ = true;
  };
  // The default initialisation that construction runs, in its order.
  void SetDefaultValues();
  // After a margin or the shadow width changed: each layer's scales brought
  // in step and framed by the margins (the isometric adjustment first when
  // asked and Isometric is set), the transforms, a repaint (auto).
  void MarginsChanged(bool rerunIsometric);

  std::array<std::unique_ptr<TScalePropsHoriz>, LayerCount> x_props_;
  std::array<std::unique_ptr<TScalePropsVert>, LayerCount> y_props_;
  std::array<TScale*, LayerCount> x_scales_{};  // owned as components of the chart
  std::array<TScale*, LayerCount> y_scales_{};
  std::unique_ptr<TJointLayers> joint_layers_;
  std::array<std::unique_ptr<TCrossHair>, 4> cross_hairs_;
  std::array<std::unique_ptr<TTextLabel>, TextLabelCount> text_labels_;
  std::unique_ptr<TBakGndImg> background_;
  std::unique_ptr<TBitmap> plot_bitmap_;
  std::unique_ptr<TBitmap> chart_bitmap_;
  std::unique_ptr<TBitmap> picture_bitmap_;
  std::unique_ptr<TItemRenderer> item_renderer_;

  // Pixel = k * u + o per layer (index layer - 1), u the world value or its
  // natural logarithm.
  std::array<long double, LayerCount> kx_{}, ox_{}, ky_{}, oy_{};
  TRangeLimits range_limits_;
  bool paint_suspended_ = true;

  std::array<std::array<TZoomHistoryEntry, ZoomHistorySlots>, LayerCount> zoom_history_{};
  int zoom_history_index_ = 1;

  std::array<bool, 256> class_visible_;
  std::array<bool, 256> annotation_class_visible_;
  std::array<bool, LayerCount> layer_visible_;
  bool annotations_visible_ = true;
  bool annotation_texts_on_top_ = true;
  bool data_over_annotations_ = false;

  bool auto_redraw_ = true;
  bool avoid_duplicate_marks_ = false;
  int32_t min_dup_mark_dist_ = 1;
  TMouseActMode mouse_action_ = TMouseActMode::maNone;
  bool mouse_cursor_fixed_ = true;
  double pan_grid_dx_ = 1.0;
  double pan_grid_dy_ = 1.0;
  double pan_grid_offs_x_ = 0.0;
  double pan_grid_offs_y_ = 0.0;

  TColor wind_color_ = clBtnFace;
  TColor chart_color_ = clWhite;
  TColor chart_frame_color_ = clBlack;
  TColor grid_color_ = clBlack;
  GridStyleType grid_style_ = GridStyleType::gsNone;
  double grid_dx_ = 0.0;
  double grid_dy_ = 0.0;

  int32_t margin_left_ = 50;
  int32_t margin_right_ = 10;
  int32_t margin_top_ = 16;
  int32_t margin_bottom_ = 32;
  int32_t shadow_width_ = 0;
  TShadowStyle shadow_style_ = TShadowStyle::ssFlying;
  TColor shadow_color_ = clGrayText;
  TColor shadow_bak_color_ = clBtnFace;
  bool isometric_ = false;
  int32_t pixel_aspect_x_ = 36;
  int32_t pixel_aspect_y_ = 36;
  TpwLayout standard_layout_ = TpwLayout::pwl_X1Bottom_Y1Left;

  int32_t caption_pos_x_ = 0;
  int32_t caption_pos_y_ = -15;
  TAlignment caption_alignment_ = TAlignment::taRightJustify;
  TCaptionAnchorHoriz caption_anchor_horiz_ = TCaptionAnchorHoriz::cahChartRight;
  TCaptionAnchorVert caption_anchor_vert_ = TCaptionAnchorVert::cavChartTop;
  int32_t caption_trim_ = 100;

  std::vector<TMouseTracePoint> mouse_trace_;
  TColor mouse_trace_color_ = clWhite;
  bool mouse_trace_invert_ = true;

  // ---- Mouse (mouse/) ----
  // An outline drawn inverted on the control's canvas, and the count of
  // pictures PresentChart had put onto the control then. Erasing draws it
  // again only while no picture came since (a repaint took it away), so no
  // stale outline is left behind.
  struct TXorOutline {
    bool Drawn = false;
    bool Line = false;
    int32_t X1 = 0, Y1 = 0, X2 = 0, Y2 = 0;
    uint32_t Presents = 0;
  };
  struct TMouseState {
    bool DragStarted = false;
    std::array<int32_t, LayerCount> DragStartX{}, DragStartY{};
    std::array<double, LayerCount> DragStartLoX{}, DragStartHiX{}, DragStartLoY{}, DragStartHiY{};
    bool BandActive = false;
    TMouseActMode BandMode = TMouseActMode::maNone;  // the MouseAction the band started in
    int32_t BandX1 = 0, BandY1 = 0, BandX2 = 0, BandY2 = 0;
    TXorOutline BandOutline;
    TBoxSelectState BoxState = TBoxSelectState::msNormal;
    int32_t BoxX1 = 0, BoxY1 = 0, BoxX2 = 0, BoxY2 = 0;
    TXorOutline BoxOutline;
    int DraggedCrossHair = 0;
    int DraggedTextLabel = 0;
    int32_t LastMouseX = 0, LastMouseY = 0;
    bool InMouseMoveMessage = false;
    bool SkipNextButtonEvent = false;
    uint8_t ButtonsDown = 0;        // bit per TMouseButton pressed on this chart
    TCursor CursorShown = crDefault;  // the screen cursor this chart set last
    bool HistoryHeld = false;       // pushes are dropped while a drag sets ranges
    int ZoomForward = 0;            // states ahead after ZoomBack ...
    int ZoomForwardIndex = 0;       // ... valid while ZoomHistoryIndex is this
    uint32_t Presents = 0;          // pictures PresentChart put onto the control
  };
  // A running mouse handler's frame: told when a handler it ran destroyed
  // the chart, so that it touches nothing afterwards.
  struct TMouseFrame {
    bool Destroyed = false;
    TMouseFrame* Outer = nullptr;
  };
  struct TMouseFrames {
    TMouseFrame* Innermost = nullptr;
    TMouseFrames() = default;
    TMouseFrames(const TMouseFrames&) = delete;
    TMouseFrames& operator=(const TMouseFrames&) = delete;
    ~TMouseFrames() {
      for (TMouseFrame* f = Innermost; f != nullptr; f = f->Outer) f->Destroyed = true;
    }
  };
  // PushZoomHistory drops its push while the mouse holds the history, and
  // reports each push (the states ahead of a ZoomBack are dropped then).
  bool ZoomHistoryHeld() const { return mouse_.HistoryHeld; }
  void ZoomHistoryPushed();
  TMouseState mouse_;
  TMouseFrames mouse_frames_;

  TCustomPlotwell* use_data_of_ = nullptr;
  std::vector<TCustomPlotwell*> sharers_;  // at most MaxSharers, in joining order

  // ==== Wheel and keyboard navigation (mouse/Navigation.cpp) ===============
  //
  // An addition of this library, off by default. While it is off the chart
  // does nothing with the wheel or the keys beyond what the framework does:
  // firing OnMouseWheel, OnMouseWheelUp, OnMouseWheelDown, OnKeyDown, OnKeyUp
  // and OnKeyPress.
 public:
  // Pan and zoom the layers in use (LayerInUse) with the mouse wheel and the
  // keyboard. Written to form descriptions only when true.
  //  - The wheel over the plot area zooms around the pointer: the world point
  //    under it stays under it. A notch (WheelDelta 120) turned away from the
  //    user zooms in by WheelZoomFactor, towards the user out by its inverse;
  //    finer deltas zoom by the matching power. With Ctrl held only x zooms,
  //    with Shift only y (with both, or with Isometric set, both axes). The
  //    wheel does nothing over the margins, while a mouse button is held on
  //    the chart, or when an OnMouseWheel (Up, Down) handler set Handled.
  //  - The chart takes the keyboard focus by a click or by Tab. Then the
  //    arrow keys pan by a tenth of the plot's width or height, bringing in
  //    what lies that way on the screen; "+" and "-" (main keyboard or
  //    keypad) zoom in and out by WheelZoomFactor around the plot's centre;
  //    Backspace steps back through the zoom history (ZoomBack) and Home goes
  //    to the oldest state it holds (ZoomHome). Keys pressed with Ctrl or Alt
  //    are left to the program, and so is a key that OnKeyDown set to 0.
  //  - A step sets each layer's ranges as a mouse drag does (SetLayerRange
  //    with the range limits: a zoom is cut at a limit, a pan keeps its width
  //    and stops there; an axis never gets narrower than 0.99 * MinRange; a
  //    logarithmic axis pans and zooms in its logarithm), repaints once and
  //    fires OnZoomPan; so do Backspace and Home when they change the ranges.
  //  - Zoom history: a burst of steps of one kind (wheel turns, or presses of
  //    one key), each less than NavigationBurstMs after the one before, with
  //    no press, release or other key in between and no other change of the
  //    ranges, records one state: the ranges after its latest step. Pointer
  //    moves without a button do not end a burst.
  bool WheelAndKeyNavigation() const { return nav_.Enabled; }
  void SetWheelAndKeyNavigation(bool value);
  static constexpr long double WheelZoomFactor = 1.25L;
  static constexpr int64_t NavigationBurstMs = 300;
  // The clock that times bursts, in milliseconds; an empty function (the
  // default) reads std::chrono::steady_clock.
  void SetNavigationClock(std::function<int64_t()> clock) { nav_.Clock = std::move(clock); }
  // Gives every layer the ranges of the oldest state the zoom history still
  // holds, in the manner of ZoomBack (ZoomForward comes back); false,
  // changing nothing, when the present ranges are that state's or there is
  // nothing to go back to.
  bool ZoomHome();
  // TabStop, or navigation on.
  bool Focusable() const override;

 protected:
  bool DoMouseWheel(TShiftState shift, int wheelDelta, TPoint mousePos) override;
  void KeyDown(uint16_t& key, TShiftState shift) override;

 private:
  // What a step of a burst was.
  enum class TNavStep : uint8_t { None, Wheel, ZoomIn, ZoomOut, PanLeft, PanRight, PanUp, PanDown };
  struct TNavigation {
    bool Enabled = false;
    std::function<int64_t()> Clock;
    // The running burst: the kind of its steps (None: no burst), the time
    // of its latest step and ZoomHistoryIndex after that step's state.
    TNavStep Burst = TNavStep::None;
    int64_t BurstTime = 0;
    int BurstIndex = 0;
  };
  TNavigation nav_;
  // ==== end of wheel and keyboard navigation ===============================
};

}  // namespace korvo
