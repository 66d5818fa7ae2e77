// TCustomPlotwell: the chart control's state and geometry. Its sixteen
// layers each map world coordinates to pixels through an x and a y range;
// its drawing commands (inherited from TPwItemStore) fill display lists that
// are drawn when the chart is shown or repainted.
#pragma once

#include <array>
#include <cstdint>
#include <memory>

#include "base/CrossHair.h"
#include "base/EventTypes.h"
#include "base/TextLabel.h"
#include "chart/geometry/JointLayers.h"
#include "chart/geometry/ScaleProps.h"
#include "chart/items/ItemStore.h"
#include "platform/framework/Control.h"
#include "platform/graphics/Bitmap.h"

namespace korvo {

class TScale;

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

// Geometry. Pixel positions are 32-bit control pixels, (0, 0) at the
// control's top-left corner, x to the right and y down. The plot area runs
// from column MarginLeft to column Width - MarginRight - ShadowWidth and from
// row MarginTop to row Height - MarginBottom - ShadowWidth, both ends
// included. Layer L's x range maps RangeLow to column MarginLeft and
// RangeHigh to column Width - MarginRight - ShadowWidth; its y range maps
// RangeHigh to row MarginTop and RangeLow to row Height - MarginBottom -
// ShadowWidth (y points up). A range with RangeHigh < RangeLow gives a
// mirrored axis; a logarithmic axis maps the natural logarithm of the value.
class TCustomPlotwell : public TCustomControl, public TPwItemStore {
 public:
  static constexpr int LayerCount = 16;
  static constexpr int TextLabelCount = 50;
  static constexpr int ZoomHistorySlots = 16;

  explicit TCustomPlotwell(TComponent* owner);
  ~TCustomPlotwell() override;
  const char* ClassName() const override { return "TCustomPlotwell"; }

  // ---- Showing the items --------------------------------------------------

  // Empties the data list (storage released, KindCount zeroed) and sizes the
  // plot bitmap to the plot area. The annotation list stays.
  void ClearGraph();
  // Makes the items visible: refreshes the plot area when AutoRedraw is
  // true, else repaints the whole chart. Nothing is drawn while the chart is
  // invisible.
  void ShowGraph();

  // ---- Layers and their scales --------------------------------------------

  // The x and y scale property objects of layer 1..16 (a number outside
  // raises EKorvoPlotwellError). Owned by the chart.
  TScalePropsHoriz* XProps(int layer) const;
  TScalePropsVert* YProps(int layer) const;
  // The scales that draw layer 1..16's axes, kept in step with the property
  // objects (SyncScaleRenderer). Owned by the chart; they never paint on
  // their own.
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
  // handler) and repaints if automatic.
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
  //  - on a logarithmic axis a value <= 1e-100 (and -infinity) goes to the
  //    low end of the axis at the control's edge: x to column 0 (Width if the
  //    range is reversed), y to row Height (0 if reversed);
  //  - NaN goes to the same place as such a value, on any axis;
  //  - on an axis whose plot area has no width (height), every value, NaN
  //    and infinities included, goes to the middle of the control.
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

  // While true the chart does not paint. Operations that change several
  // ranges set it for their duration; when it goes from true to false the
  // chart paints. True until the control has its window.
  bool PaintSuspended() const { return paint_suspended_; }
  virtual void SetPaintSuspended(bool value);

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

  // ---- Crosshairs and text labels -----------------------------------------

  // Crosshair n (1..4) and text label n (1..50), owned by the chart; another
  // number raises EKorvoPlotwellError. The setters copy the given object's
  // values (Assign) into the chart's own, which keeps notifying this chart,
  // and repaint if automatic.
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

  // ---- Settings the geometry reads -------------------------------------------

  // Repaint at once after a setting changed (true, the default), or wait for
  // the next ShowGraph.
  bool AutoRedraw() const { return auto_redraw_; }
  void SetAutoRedraw(bool value) { auto_redraw_ = value; }
  // What a mouse drag on the plot area does; RangeLimits read it.
  TMouseActMode MouseAction() const { return mouse_action_; }
  void SetMouseAction(TMouseActMode action) { mouse_action_ = action; }
  // Colour of the control around the plot area, which the scales take as
  // their background. Default clBtnFace.
  TColor WindColor() const { return wind_color_; }
  void SetWindColor(TColor color);

  // The margins around the plot area in pixels (no range check; a negative
  // margin enlarges the plot area) and the width of the drop shadow, kept
  // within 0..32. Each setter sizes the plot bitmap, brings the scales in
  // step, recomputes the transforms and repaints if automatic.
  int32_t MarginLeft() const { return margin_left_; }
  void SetMarginLeft(int32_t v);
  int32_t MarginRight() const { return margin_right_; }
  void SetMarginRight(int32_t v);
  int32_t MarginTop() const { return margin_top_; }
  void SetMarginTop(int32_t v);
  int32_t MarginBottom() const { return margin_bottom_; }
  void SetMarginBottom(int32_t v);
  int32_t ShadowWidth() const { return shadow_width_; }
  void SetShadowWidth(int32_t v);
  // Keeps room for a plot area of at least 80 x 20 pixels beside the
  // margins and the shadow, then brings the scales and transforms in step.
  void SetBounds(int left, int top, int width, int height) override;
  // Plot area size in pixels: W = Width - MarginLeft - MarginRight -
  // ShadowWidth and H likewise; the plot area has W + 1 by H + 1 pixels.
  int64_t PlotWidth() const { return int64_t(Width()) - margin_left_ - margin_right_ - shadow_width_; }
  int64_t PlotHeight() const { return int64_t(Height()) - margin_top_ - margin_bottom_ - shadow_width_; }

  // The plot area's bitmap, (W + 1) x (H + 1) pixels, each side at least 0.
  TBitmap* PlotBitmap() const { return plot_bitmap_.get(); }

  // Events of the scales, passed on with the chart as Sender.
  TScaleTickDrawnEvent OnScaleTickDrawn;
  TBeforeTickLabelEvent OnBeforeTickLabel;

 protected:
  void Loaded() override;

  // Repaints now if AutoRedraw is set or the chart is being designed.
  void RepaintIfAutomatic();
  // Paints the whole chart now (through the framework, which calls Paint
  // when the control has its window).
  void RepaintChart();
  // Paints the plot area's background onto `canvas`, the plot area's
  // top-left pixel at (x0, y0), `width` x `height` pixels. ClearGraph calls
  // it on the plot bitmap. The paint pipeline overrides it; this base
  // version paints nothing.
  virtual void PaintPlotBackground(TCanvas* canvas, int x0, int y0, int width, int height);
  // The quick refresh of the plot area that ShowGraph uses with AutoRedraw.
  // The paint pipeline overrides it; this base version repaints the whole
  // chart.
  virtual void RefreshPlotArea();
  // A crosshair, text label or the joint layers changed: repaint if
  // automatic.
  void OwnedObjectChanged();

  // The layers' defaults: each property object reinitialised with the chart's
  // colour, orientation and position for its layer, each scale set up and
  // brought in step.
  void InitLayers();

 private:
  void CreateScales();
  // Brings every layer's two scales in step with their property objects and
  // gives them the chart's size and the margins that frame the plot area.
  void PlaceScales();
  void SetScaleProps(TScaleProps* own, const TScaleProps& given);
  void SizePlotBitmap();
  void SyncLayerScales(int layer);
  long double LowEndX(const TScaleProps& p) const;
  long double LowEndY(const TScaleProps& p) const;

  std::array<std::unique_ptr<TScalePropsHoriz>, LayerCount> x_props_;
  std::array<std::unique_ptr<TScalePropsVert>, LayerCount> y_props_;
  std::array<TScale*, LayerCount> x_scales_{};  // owned as components of the chart
  std::array<TScale*, LayerCount> y_scales_{};
  std::unique_ptr<TJointLayers> joint_layers_;
  std::array<std::unique_ptr<TCrossHair>, 4> cross_hairs_;
  std::array<std::unique_ptr<TTextLabel>, TextLabelCount> text_labels_;
  std::unique_ptr<TBitmap> plot_bitmap_;

  // Pixel = k * u + o per layer (index layer - 1), u the world value or its
  // natural logarithm.
  std::array<long double, LayerCount> kx_{}, ox_{}, ky_{}, oy_{};
  TRangeLimits range_limits_;
  bool paint_suspended_ = true;

  std::array<std::array<TZoomHistoryEntry, ZoomHistorySlots>, LayerCount> zoom_history_{};
  int zoom_history_index_ = 1;

  bool auto_redraw_ = true;
  TMouseActMode mouse_action_ = TMouseActMode::maNone;
  TColor wind_color_ = clBtnFace;
  int32_t margin_left_ = 50;
  int32_t margin_right_ = 10;
  int32_t margin_top_ = 16;
  int32_t margin_bottom_ = 32;
  int32_t shadow_width_ = 0;
};

}  // namespace korvo
