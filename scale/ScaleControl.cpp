#include "scale/ScaleControl.h"

#include <algorithm>
#include <cmath>

#include "platform/graphics/Bitmap.h"
#include "scale/ZoomPan.h"

namespace korvo {
namespace {

// One unit above v, or the next double where adding one is lost in
// rounding, or the next double below at the top of the range: never v.
double OneAbove(double v) {
  double r = v + 1;
  if (r == v) r = std::nextafter(v, HUGE_VAL);
  if (!std::isfinite(r)) r = std::nextafter(v, -HUGE_VAL);
  return r;
}

}  // namespace

TScale::TScale(TComponent* owner, TScalePlacement placement)
    : TCustomControl(owner),
      date_format_(std::make_unique<TDTLabel>()),
      created_embedded_(placement == TScalePlacement::spEmbedded) {
  suppress_paint_ = true;
  embedded_ = created_embedded_;
  FitSurface();  // before the size is set, so that an embedded scale never allocates one
  SetBounds(Left(), Top(), 400, 400);
  SetDefaults();
}

TScale::~TScale() = default;

void TScale::SetDefaults() {
  suppress_paint_ = true;
  dragging_ = false;
  not_yet_loaded_ = true;
  drag_start_x_ = drag_start_y_ = 0;
  saved_low_ = saved_high_ = 0;

  caption_pos_x_ = caption_pos_y_ = 4;
  caption_alignment_ = TAlignment::taCenter;
  caption_anchor_ = TScaleUnitAnchor::uaSclTopLft;
  color_back_gnd_ = clBtnFace;
  color_scale_ = clBlack;
  color_scheme_ = TColorScheme::csBWG;
  frame_dark_color_ = clBlack;
  frame_shadow_color_ = RGB(128, 128, 128);
  frame_highlight_color_ = clWhite;
  dec_places_ = -2;
  frame_style_ = TFrameStyle::fsLowered;
  label_type_ = TFigType::ftNum;
  logarithmic_ = false;
  margin_top_ = margin_bottom_ = margin_left_ = margin_right_ = 20;
  min_ticks_ = 3;
  mouse_action_ = TMouseActMode::maNone;
  range_low_ = 0;
  range_high_ = 100;
  short_ticks_ = true;
  show_base_line_ = true;
  scale_inscript_.clear();
  scale_type_ = TScaleType::sctXB;
  transparent_ = false;
  user_tick_text_.clear();

  embedded_ = created_embedded_;
  FitSurface();
  external_canvas_ = nullptr;
  offset_x_ = offset_y_ = 0;
  transform_ = TScaleTransform{};
  OnZoomPan = nullptr;
  OnScaleTickDrawn = nullptr;
  OnBeforeTickLabel = nullptr;
  OnAfterScaleRendered = nullptr;
  OnBeforeScaleRendered = nullptr;

  date_format_->OnChange = [this](TObject*) { RequestRepaint(); };
  date_format_->SetScaleDefaults();
  CalcScaleTransform();
}

// ---- copying ----------------------------------------------------------------

void TScale::Assign(const TPersistent& source) {
  const auto* s = dynamic_cast<const TScale*>(&source);
  if (s == nullptr) {
    TCustomControl::Assign(source);
    return;
  }
  frame_style_ = s->frame_style_;
  color_back_gnd_ = s->color_back_gnd_;
  color_scale_ = s->color_scale_;
  frame_dark_color_ = s->frame_dark_color_;
  frame_shadow_color_ = s->frame_shadow_color_;
  frame_highlight_color_ = s->frame_highlight_color_;
  color_scheme_ = s->color_scheme_;
  OnScaleTickDrawn = s->OnScaleTickDrawn;
  OnBeforeTickLabel = s->OnBeforeTickLabel;
  logarithmic_ = s->logarithmic_;
  transform_ = s->transform_;
  range_high_ = s->range_high_;
  range_low_ = s->range_low_;
  short_ticks_ = s->short_ticks_;
  min_ticks_ = s->min_ticks_;
  dec_places_ = s->dec_places_;
  show_base_line_ = s->show_base_line_;
  transparent_ = s->transparent_;
  label_type_ = s->label_type_;
  date_format_->Assign(*s->date_format_);
  margin_top_ = s->margin_top_;
  margin_bottom_ = s->margin_bottom_;
  margin_left_ = s->margin_left_;
  margin_right_ = s->margin_right_;
  caption_pos_x_ = s->caption_pos_x_;
  caption_pos_y_ = s->caption_pos_y_;
  user_tick_text_ = s->user_tick_text_;
  scale_inscript_ = s->scale_inscript_;
  ticks_ = s->ticks_;
  caption_anchor_ = s->caption_anchor_;
  caption_alignment_ = s->caption_alignment_;
  offset_x_ = s->offset_x_;
  offset_y_ = s->offset_y_;
  scale_type_ = s->scale_type_;
  embedded_ = s->embedded_;
  FitSurface();
  OnBeforeScaleRendered = s->OnBeforeScaleRendered;
  OnAfterScaleRendered = s->OnAfterScaleRendered;
  // The caption is the framework's text, whose setter repaints: keep that
  // quiet and repaint once at the end.
  suppress_paint_ = true;
  SetCaption(s->Caption());
  suppress_paint_ = s->suppress_paint_;
  RequestRepaint();
}

void TScale::AssignTo(TPersistent& dest) const {
  if (auto* d = dynamic_cast<TScale*>(&dest)) {
    d->Assign(*this);
    return;
  }
  TCustomControl::AssignTo(dest);
}

// ---- setters ----------------------------------------------------------------

void TScale::SetCaptionPosX(int32_t v) {
  caption_pos_x_ = v;
  RequestRepaint();
}

void TScale::SetCaptionPosY(int32_t v) {
  caption_pos_y_ = v;
  RequestRepaint();
}

void TScale::SetCaptionAlignment(TAlignment v) {
  caption_alignment_ = v;
  RequestRepaint();
}

void TScale::SetCaptionAnchor(TScaleUnitAnchor v) {
  caption_anchor_ = v;
  RequestRepaint();
}

void TScale::SetColorBackGnd(TColor v) {
  if (v == color_back_gnd_) return;
  color_back_gnd_ = v;
  RequestRepaint();
}

void TScale::SetColorScale(TColor v) {
  if (v == color_scale_) return;
  color_scale_ = v;
  RequestRepaint();
}

void TScale::SetColorScheme(TColorScheme v) {
  if (v == color_scheme_) return;
  color_scheme_ = v;
  if (v == TColorScheme::csSystem) {
    frame_shadow_color_ = clBtnShadow;
    frame_highlight_color_ = clBtnHighlight;
  } else {
    frame_shadow_color_ = RGB(128, 128, 128);
    frame_highlight_color_ = clWhite;
  }
  RequestRepaint();
}

void TScale::SetDateFormat(const TDTLabel& format) {
  date_format_->Assign(format);
  RequestRepaint();
}

void TScale::SetDecPlaces(int v) {
  dec_places_ = std::clamp(v, -3, 12);
  CalcScaleTransform();
  RequestRepaint();
}

void TScale::SetFrameStyle(TFrameStyle v) {
  if (v == frame_style_) return;
  frame_style_ = v;
  RequestRepaint();
}

void TScale::SetLabelType(TFigType v) {
  label_type_ = v;
  if (v == TFigType::ftDateTime) logarithmic_ = false;
  if (v == TFigType::ftTime) dec_places_ = 4;
  CalcScaleTransform();
  RequestRepaint();
}

void TScale::SetLogarithmic(bool v) {
  if (v) {
    const bool positive = range_low_ >= 1e-100 && range_high_ >= 1e-100;
    if (label_type_ == TFigType::ftDateTime || !(not_yet_loaded_ || positive)) return;
  }
  logarithmic_ = v;
  CalcScaleTransform();
  RequestRepaint();
}

void TScale::SetMarginTop(int32_t v) {
  margin_top_ = std::max(v, 0);
  CalcScaleTransform();
  RequestRepaint();
}

void TScale::SetMarginBottom(int32_t v) {
  margin_bottom_ = std::max(v, 0);
  CalcScaleTransform();
  RequestRepaint();
}

void TScale::SetMarginLeft(int32_t v) {
  margin_left_ = std::max(v, 0);
  CalcScaleTransform();
  RequestRepaint();
}

void TScale::SetMarginRight(int32_t v) {
  margin_right_ = std::max(v, 0);
  CalcScaleTransform();
  RequestRepaint();
}

void TScale::SetMinTicks(int v) {
  min_ticks_ = v == 0 ? 0 : std::clamp(v, 2, 10);
  RequestRepaint();
}

void TScale::SetRangeLow(double v) {
  if (!std::isfinite(v)) return;
  range_low_ = v;
  if (range_low_ == range_high_) range_high_ = OneAbove(v);
  CalcScaleTransform();
  RequestRepaint();
}

void TScale::SetRangeHigh(double v) {
  if (!std::isfinite(v)) return;
  range_high_ = v;
  if (range_high_ == range_low_) range_low_ = OneAbove(v);
  CalcScaleTransform();
  RequestRepaint();
}

void TScale::SetRange(double low, double high) {
  if (!std::isfinite(low) || !std::isfinite(high)) return;
  range_low_ = low;
  range_high_ = low == high ? OneAbove(low) : high;
  CalcScaleTransform();
  RequestRepaint();
}

void TScale::SetShortTicks(bool v) {
  if (v == short_ticks_) return;
  short_ticks_ = v;
  RequestRepaint();
}

void TScale::SetShowBaseLine(bool v) {
  show_base_line_ = v;
  RequestRepaint();
}

void TScale::SetScaleInscript(const std::string& v) {
  scale_inscript_ = v;
  RequestRepaint();
}

void TScale::SetScaleType(TScaleType v) {
  if (v == scale_type_) return;
  scale_type_ = v;
  CalcScaleTransform();
  RequestRepaint();
}

void TScale::SetTransparent(bool v) {
  transparent_ = v;
  RequestRepaint();
}

void TScale::SetUserTickText(const std::string& v) {
  user_tick_text_ = v;
  RequestRepaint();
}

void TScale::TextChanged() {
  TCustomControl::TextChanged();
  RequestRepaint();
}

void TScale::FontChanged() {
  TCustomControl::FontChanged();
  RequestRepaint();
}

// ---- transform ----------------------------------------------------------

TScaleGeometry TScale::Geometry() const {
  return TScaleGeometry{Width(), Height(), margin_left_, margin_right_, margin_top_, margin_bottom_, scale_type_};
}

void TScale::CalcScaleTransform() {
  if (IsLoading()) return;
  korvo::CalcScaleTransform(Geometry(), range_low_, range_high_, logarithmic_, transform_);
}

int32_t TScale::ValueToPixel(double value) const {
  return korvo::ValueToPixel(MakeValueMapping(transform_, Geometry(), range_low_, range_high_, logarithmic_), value);
}

// ---- painting policy ------------------------------------------------------

void TScale::RequestRepaint() {
  if (!transparent_ || embedded_) {
    Paint();
  } else {
    Invalidate();
  }
}

void TScale::SetSuppressPaint(bool v) {
  if (v == suppress_paint_) return;
  suppress_paint_ = v;
  if (!v) RequestRepaint();
}

void TScale::ForcePaint() {
  const bool saved = suppress_paint_;
  suppress_paint_ = false;
  RequestRepaint();
  suppress_paint_ = saved;
}

void TScale::SetEmbedded(bool v) {
  if (v == embedded_) return;
  embedded_ = v;
  FitSurface();
  RequestRepaint();
}

// An embedded scale draws only onto its chart's bitmap, so it keeps no
// surface of its own (a chart's 32 renderers would otherwise hold 32
// chart-sized bitmaps); a stand-alone scale has one.
void TScale::FitSurface() {
  if (embedded_) {
    ReleaseSurface();
  } else {
    CreateSurface();
  }
}

void TScale::SetExternalCanvas(TCanvas* canvas, int32_t offsetX, int32_t offsetY) {
  external_canvas_ = canvas;
  offset_x_ = offsetX;
  offset_y_ = offsetY;
}

// ---- lifecycle --------------------------------------------------------------

void TScale::CreateWnd() {
  TCustomControl::CreateWnd();
  suppress_paint_ = false;
}

void TScale::Loaded() {
  TCustomControl::Loaded();
  CalcScaleTransform();
  not_yet_loaded_ = false;
  RequestRepaint();
}

void TScale::SetBounds(int left, int top, int width, int height) {
  TCustomControl::SetBounds(left, top, width, height);
  CalcScaleTransform();
  RequestRepaint();
}

// ---- mouse ------------------------------------------------------------------

void TScale::DblClick() {
  if (mouse_action_ == TMouseActMode::maPan) {
    mouse_action_ = TMouseActMode::maZoom;
  } else if (mouse_action_ == TMouseActMode::maZoom) {
    mouse_action_ = TMouseActMode::maPan;
  }
  TCustomControl::DblClick();
}

void TScale::MouseMove(TShiftState shift, int x, int y) {
  TCustomControl::MouseMove(shift, x, y);
  if (!shift.Contains(TShiftFlag::ssLeft)) return;
  const bool inside = IsHorizontal(scale_type_)
                          ? (x > margin_left_ && x < Width() - margin_right_ && y > 0 && y < Height())
                          : (x > 0 && x < Width() && y > margin_top_ && y < Height() - margin_bottom_);
  if (!inside) return;
  if (!dragging_) {
    drag_start_x_ = x;
    drag_start_y_ = y;
    saved_low_ = range_low_;
    saved_high_ = range_high_;
  } else {
    TZoomPanInput in;
    in.X = x;
    in.Y = y;
    in.StartX = drag_start_x_;
    in.StartY = drag_start_y_;
    in.RangeLow = range_low_;
    in.RangeHigh = range_high_;
    in.SavedLow = saved_low_;
    in.SavedHigh = saved_high_;
    in.Logarithmic = logarithmic_;
    in.ScaleType = scale_type_;
    in.MouseAction = mouse_action_;
    in.MarginLeft = margin_left_;
    in.MarginRight = margin_right_;
    in.MarginTop = margin_top_;
    in.MarginBottom = margin_bottom_;
    in.Width = Width();
    in.Height = Height();
    double low = 0, high = 0;
    if (ComputeZoomPan(in, &low, &high)) {
      const bool saved = suppress_paint_;
      suppress_paint_ = true;
      SetRange(low, high);
      SetSuppressPaint(saved);
      if (OnZoomPan) OnZoomPan(this);
    }
  }
  dragging_ = true;
}

void TScale::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  dragging_ = false;
  TCustomControl::MouseUp(button, shift, x, y);
}

}  // namespace korvo
