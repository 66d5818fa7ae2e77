// TScale: a scale as a control of its own, and the renderer the chart keeps
// for each of its axes.
//
// The scale maps RangeLow .. RangeHigh onto a line of pixels between its
// margins (scale/ScaleTransform.h), draws a base line along one edge of its
// area, ticks at the values the tick passes produce (scale/TickPasses.h),
// labels on the major ticks and a caption. sctXB and sctXT are horizontal
// (base line at the bottom or the top edge, ticks and labels on the other
// side), sctYL and sctYR vertical (base line at the left or the right edge).
//
// Painting. RequestRepaint, run by every setter that changes the picture,
// paints at once when the scale is opaque or embedded in a chart, and
// otherwise invalidates the control. Nothing is painted while the scale is
// invisible (unless it is designed and not embedded), loading, or while
// SuppressPaint is set; a new scale keeps SuppressPaint until it gets its
// window. The chart's renderers stay suppressed and are drawn through
// ForcePaint onto the chart's bitmap (SetExternalCanvas).
//
//   Opaque scale: drawn into an off-screen bitmap of the control's size,
//   filled with ColorBackGnd, framed by DrawFrame (FrameStyle, colours of
//   ColorScheme) and copied onto the target in one operation at
//   (OffsetX, OffsetY), so the control never shows a half-drawn scale.
//   Transparent scale: drawn straight onto the target; every pixel outside
//   its lines and texts stays as it was. On its own surface (no external
//   canvas) a transparent scale first fills the surface with its parent's
//   colour, which is what the classic window system's background erase did.
//
// Tick lines (from the foot on the base line outward, in ColorScale):
// horizontal scales short 4, major 7 pixels; vertical ones short 4, major 6.
// Labels of vertical scales start 8 pixels beside the base line, centred on
// their tick vertically; labels of horizontal scales are centred on their
// tick, kept 2 pixels inside the control, 7 pixels beyond the base line.
// Positions along the scale are in the control's own coordinates also on an
// external canvas; the offsets move only the base line across the scale.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "base/DTLabel.h"
#include "base/EventTypes.h"
#include "base/ScaleEnums.h"
#include "platform/Export.h"
#include "platform/framework/Control.h"
#include "scale/ScaleTransform.h"
#include "scale/TickList.h"
#include "scale/TickPasses.h"

namespace korvo {

// How a scale is created: as a control of its own, or embedded in a chart
// as the renderer of an axis (it then never allocates a surface).
enum class TScalePlacement : uint8_t { spStandAlone, spEmbedded };

class PLOTWELL_API TScale : public TCustomControl {
 public:
  // Width and Height 400 and every default below. The scale paints once it
  // has its window (or through ForcePaint).
  explicit TScale(TComponent* owner, TScalePlacement placement = TScalePlacement::spStandAlone);
  ~TScale() override;
  const char* ClassName() const override { return "TScale"; }
  static const TClassInfo& ClassInfo();

  // Every property back to its default, SuppressPaint set, not dragging,
  // not loaded yet, embedded only when created embedded (a stand-alone
  // scale gets its surface back), no external canvas, PixelFactor 1 and
  // PixelOffset 0, the scale's events cleared, the date format's defaults
  // (each of which requests a repaint); last the transform. The chart
  // calls it for each of its renderers.
  void SetDefaults();

  // From another TScale: the appearance and range (frame style and colours,
  // ColorScale, ColorBackGnd, ColorScheme, Logarithmic, PixelFactor,
  // PixelOffset, the range, ShortTicks, MinTicks, DecPlaces, ShowBaseLine,
  // Transparent, LabelType, DateFormat's values, the margins, the caption
  // and its placement, UserTickText, ScaleInscript, ScaleType), the tick
  // list, the external canvas's offsets (not the canvas), Embedded,
  // SuppressPaint and the events OnScaleTickDrawn, OnBeforeTickLabel,
  // OnBeforeScaleRendered and OnAfterScaleRendered; then RequestRepaint.
  // OnZoomPan, MouseAction, the font and the framework properties stay.
  // Any other source raises the framework's assignment error.
  void Assign(const TPersistent& source) override;

  // --- published properties (defaults in brackets) ------------------------
  // Caption and Font are the framework's; a new caption repaints.
  int32_t CaptionPosX() const { return caption_pos_x_; }  // [4]
  void SetCaptionPosX(int32_t v);
  int32_t CaptionPosY() const { return caption_pos_y_; }  // [4]
  void SetCaptionPosY(int32_t v);
  TAlignment CaptionAlignment() const { return caption_alignment_; }  // [taCenter]
  void SetCaptionAlignment(TAlignment v);
  TScaleUnitAnchor CaptionAnchor() const { return caption_anchor_; }  // [uaSclTopLft]
  void SetCaptionAnchor(TScaleUnitAnchor v);
  TColor ColorBackGnd() const { return color_back_gnd_; }  // [clBtnFace]
  void SetColorBackGnd(TColor v);
  TColor ColorScale() const { return color_scale_; }  // [clBlack]
  void SetColorScale(TColor v);
  // csBWG: frame shadow gray (128, 128, 128) and highlight white; csSystem:
  // the system button-shadow and button-highlight colours. [csBWG]
  TColorScheme ColorScheme() const { return color_scheme_; }
  void SetColorScheme(TColorScheme v);
  // The owned format; SetDateFormat copies the given object's values.
  TDTLabel* DateFormat() { return date_format_.get(); }
  const TDTLabel* DateFormat() const { return date_format_.get(); }
  void SetDateFormat(const TDTLabel& format);
  // 0..12 decimals, -1 exponent form, -2 automatic, -3 automatic with decade
  // numbers on logarithmic scales; limited to -3..12. [-2]
  int DecPlaces() const { return dec_places_; }
  void SetDecPlaces(int v);
  TFrameStyle FrameStyle() const { return frame_style_; }  // [fsLowered]
  void SetFrameStyle(TFrameStyle v);
  // ftDateTime switches Logarithmic off; ftTime sets DecPlaces to 4. [ftNum]
  TFigType LabelType() const { return label_type_; }
  void SetLabelType(TFigType v);
  // False is always taken. True is taken while the scale is not loaded yet,
  // or when both range ends are at least 1e-100; never with ftDateTime
  // labels. Otherwise the call is ignored. [false]
  bool Logarithmic() const { return logarithmic_; }
  void SetLogarithmic(bool v);
  // Pixels between the control's edges and the scale's ends; negative
  // values become 0. [20 each]
  int32_t MarginTop() const { return margin_top_; }
  void SetMarginTop(int32_t v);
  int32_t MarginBottom() const { return margin_bottom_; }
  void SetMarginBottom(int32_t v);
  int32_t MarginLeft() const { return margin_left_; }
  void SetMarginLeft(int32_t v);
  int32_t MarginRight() const { return margin_right_; }
  void SetMarginRight(int32_t v);
  // Least number of tick intervals; non-zero values are limited to 2..10,
  // 0 means a fixed step of 1 on numeric scales (one interval on time and
  // date scales). [3]
  int MinTicks() const { return min_ticks_; }
  void SetMinTicks(int v);
  TMouseActMode MouseAction() const { return mouse_action_; }  // [maNone]
  void SetMouseAction(TMouseActMode v) { mouse_action_ = v; }
  // The range. Equal ends are never stored: setting one end to the other's
  // value moves the other end one unit up (RangeHigh := RangeLow turns
  // 0 .. 100 into 1 .. 0), or to the next double where one unit is lost in
  // rounding. NaN and infinite values are ignored. [0, 100]
  double RangeLow() const { return range_low_; }
  void SetRangeLow(double v);
  double RangeHigh() const { return range_high_; }
  void SetRangeHigh(double v);
  void SetRange(double low, double high);
  bool ShortTicks() const { return short_ticks_; }  // [true]
  void SetShortTicks(bool v);
  bool ShowBaseLine() const { return show_base_line_; }  // [true]
  void SetShowBaseLine(bool v);
  // Decoration of numeric labels: "&" marks where the number goes. [empty]
  const std::string& ScaleInscript() const { return scale_inscript_; }
  void SetScaleInscript(const std::string& v);
  TScaleType ScaleType() const { return scale_type_; }  // [sctXB]
  void SetScaleType(TScaleType v);
  bool Transparent() const { return transparent_; }  // [false]
  void SetTransparent(bool v);
  // Labels of ftUserText, separated by '|'. [empty]
  const std::string& UserTickText() const { return user_tick_text_; }
  void SetUserTickText(const std::string& v);

  // --- ticks and transform -----------------------------------------------
  // The ticks of the last drawing (at most 250, in drawing order).
  int NumTicks() const { return ticks_.Count(); }
  // The index-th recorded tick (1-based); 0 outside 1..NumTicks.
  double TickPos(int index) const { return ticks_.Pos(index); }
  const TTickList& Ticks() const { return ticks_; }
  double PixelFactor() const { return transform_.PixelFactor; }
  double PixelOffset() const { return transform_.PixelOffset; }
  // Recomputes PixelFactor and PixelOffset from the range, the margins, the
  // size and the orientation; nothing while loading, with equal ends, or
  // for a logarithmic scale without a positive range.
  void CalcScaleTransform();
  // The pixel of a value along the scale (x or y) in control coordinates.
  int32_t ValueToPixel(double value) const;

  // --- frame colours (set by ColorScheme) ------------------------------------
  TColor FrameDarkColor() const { return frame_dark_color_; }
  TColor FrameShadowColor() const { return frame_shadow_color_; }
  TColor FrameHighlightColor() const { return frame_highlight_color_; }

  // --- painting ------------------------------------------------------------
  void RequestRepaint();
  bool SuppressPaint() const { return suppress_paint_; }
  // Stores the value; becoming false requests a repaint.
  void SetSuppressPaint(bool v);
  // One repaint even while painting is suppressed.
  void ForcePaint();
  // Writes the scale's picture (Width x Height, rendered afresh as Paint
  // draws it; a transparent scale on its parent's colour) as PNG, BMP, SVG or PDF by
  // the name's extension, written beside the path and renamed onto it. An
  // unknown extension or a file that cannot be written raises EKorvoError
  // naming the path.
  void SaveToFile(const std::string& path);
  // Prints that picture fitted to `pageRect` of the printer's page, or to
  // the whole page, as TPlotwell::Print does; EKorvoError on failure.
  void Print(const TRect& pageRect);
  void Print();
  // The picture Paint shows, drawn afresh at a screen's device pixel ratio
  // (TWinControl::PaintScaled) as SaveToFile's vector files draw it; false
  // for a scale that draws onto another canvas or does not paint now.
  bool PaintScaled(const TPixelSurface& target, double ratio, const TRect& changed) override;
  // A scale embedded in a chart draws only onto the chart's bitmap and
  // holds no surface of its own (unless it has a window); a stand-alone
  // scale keeps its control-sized surface.
  bool Embedded() const { return embedded_; }
  void SetEmbedded(bool v);
  // Where the scale draws: the canvas (nullptr: the control's own) and the
  // position of the scale's area on it. No repaint.
  void SetExternalCanvas(TCanvas* canvas, int32_t offsetX, int32_t offsetY);
  TCanvas* ExternalCanvas() const { return external_canvas_; }
  int32_t OffsetX() const { return offset_x_; }
  int32_t OffsetY() const { return offset_y_; }
  bool NotYetLoaded() const { return not_yet_loaded_; }
  bool Dragging() const { return dragging_; }

  // Ticks, labels and caption of a vertical scale whose base line is at
  // x = X, or of a horizontal one whose base line is at y = Y. They use the
  // canvas's pen and font as Paint leaves them; the brush style becomes
  // clear (transparent scales) or solid (opaque ones).
  void DrawVertScale(TCanvas* canvas, int32_t X);
  void DrawHorizScale(TCanvas* canvas, int32_t Y);

  // --- events --------------------------------------------------------------
  TZoomPanEvent OnZoomPan;
  TScaleTickDrawnEvent OnScaleTickDrawn;
  TBeforeTickLabelEvent OnBeforeTickLabel;
  TScaleRenderedEvent OnAfterScaleRendered;
  TScaleRenderedEvent OnBeforeScaleRendered;

  void SetBounds(int left, int top, int width, int height) override;

 protected:
  void AssignTo(TPersistent& dest) const override;
  void CreateWnd() override;
  void Loaded() override;
  void Paint() override;
  void DblClick() override;
  void MouseMove(TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  void TextChanged() override;
  void FontChanged() override;

 private:
  class TTickPainter;

  TScaleGeometry Geometry() const;
  // The picture Paint shows, drawn onto `target` with the scale's area at
  // (ox, oy); ownBackground fills a transparent scale's area with its
  // parent's colour first.
  void Render(TCanvas* target, int32_t ox, int32_t oy, bool ownBackground);
  // An opaque scale's background, scale and frame with the scale's (0, 0)
  // at (ox, oy) of `canvas`.
  void PaintOpaque(TCanvas* canvas, int32_t ox, int32_t oy);
  void DrawScale(TCanvas* canvas, int32_t offsetX, int32_t offsetY);
  void DrawTicks(TCanvas* canvas, int32_t base);
  void DrawUnusableRangeText(TCanvas* canvas, int32_t base, TTickOutcome outcome);
  void DrawCaption(TCanvas* canvas, int32_t base);
  void FillOwnBackground(TCanvas* canvas);
  void FitSurface();

  int32_t caption_pos_x_ = 4;
  int32_t caption_pos_y_ = 4;
  TAlignment caption_alignment_ = TAlignment::taCenter;
  TScaleUnitAnchor caption_anchor_ = TScaleUnitAnchor::uaSclTopLft;
  TColor color_back_gnd_ = clBtnFace;
  TColor color_scale_ = clBlack;
  TColorScheme color_scheme_ = TColorScheme::csBWG;
  std::unique_ptr<TDTLabel> date_format_;
  int dec_places_ = -2;
  TFrameStyle frame_style_ = TFrameStyle::fsLowered;
  TFigType label_type_ = TFigType::ftNum;
  bool logarithmic_ = false;
  int32_t margin_top_ = 20, margin_bottom_ = 20, margin_left_ = 20, margin_right_ = 20;
  int min_ticks_ = 3;
  TMouseActMode mouse_action_ = TMouseActMode::maNone;
  double range_low_ = 0;
  double range_high_ = 100;
  bool short_ticks_ = true;
  bool show_base_line_ = true;
  std::string scale_inscript_;
  TScaleType scale_type_ = TScaleType::sctXB;
  bool transparent_ = false;
  std::string user_tick_text_;

  TColor frame_dark_color_ = clBlack;
  TColor frame_shadow_color_ = RGB(128, 128, 128);
  TColor frame_highlight_color_ = clWhite;

  TScaleTransform transform_;
  TTickList ticks_;

  bool suppress_paint_ = true;
  bool embedded_ = false;
  bool not_yet_loaded_ = true;
  bool created_embedded_ = false;
  TCanvas* external_canvas_ = nullptr;
  int32_t offset_x_ = 0;
  int32_t offset_y_ = 0;

  bool dragging_ = false;
  int32_t drag_start_x_ = 0;
  int32_t drag_start_y_ = 0;
  double saved_low_ = 0;
  double saved_high_ = 0;

  // Kept from drawing to drawing so that painting allocates nothing once
  // warm: the tick engine with its label buffers, the text handed to
  // OnBeforeTickLabel, and the off-screen bitmap of the opaque path.
  TTickEngine engine_;
  std::string label_text_;
  std::string date_text_;
  std::unique_ptr<TBitmap> off_screen_;
};

}  // namespace korvo
