#include "chart/geometry/ScaleProps.h"

#include <algorithm>
#include <cmath>

#include "base/ChartEnums.h"
#include "platform/framework/Component.h"
#include "platform/framework/PlatformEnums.h"
#include "platform/framework/Properties.h"

namespace korvo {
namespace {

constexpr double LogFloor = 1e-100;  // the smallest bound a logarithmic axis takes

// `from` moved by `by` away from it; where the step is below the resolution
// of doubles at `from`, the next double in that direction, so that an axis
// never collapses to a single value.
double Away(double from, double by) {
  const double to = from + by;
  if (to != from) return to;
  return std::nextafter(from, by > 0 ? HUGE_VAL : -HUGE_VAL);
}

}  // namespace

// The chart's layouts give its scale objects their own caption places,
// colours, positions, locations and visibility, so those are always written:
// left out at the object's own default they would read back as the
// layout's. The range is always written too: MinRange, read before it,
// widens the range it finds, so a left-out RangeLow of 0 would read back as
// whatever that widening made of the new object's range. The other
// properties keep their defaults, which every chart leaves as they are.
const TClassInfo& TScaleProps::ClassInfo() {
  using P = TScaleProps;
  static const TClassInfo& info =
      DefineClass<TScaleProps, TPersistent>("TScaleProps")
          .Prop("Caption", &P::Caption, &P::SetCaption).Default(std::string())
          .Prop("CaptionPosX", &P::CaptionPosX, &P::SetCaptionPosX)
          .Prop("CaptionPosY", &P::CaptionPosY, &P::SetCaptionPosY)
          .Prop("CaptionAlignment", &P::CaptionAlignment, &P::SetCaptionAlignment)
          .Prop("CaptionAnchor", &P::CaptionAnchor, &P::SetCaptionAnchor)
          .Color("ColorScale", &P::ColorScale, &P::SetColorScale)
          .Object("DateFormat", &P::DateFormat)
          .Prop("DecPlaces", &P::DecPlaces, &P::SetDecPlaces).Default(-2)
          .Object("Font", &P::Font)
          .Prop("Logarithmic", &P::Logarithmic, &P::SetLogarithmic).Default(false)
          .Prop("LabelType", &P::LabelType, &P::SetLabelType).Default(TFigType::ftNum)
          .Prop("MinTicks", &P::MinTicks, &P::SetMinTicks).Default(3)
          .Prop("MinRange", &P::MinRange, &P::SetMinRange).Default(1e-10)
          .Prop("MouseAction", &P::MouseAction, &P::SetMouseAction).Default(TMouseActMode::maNone)
          .Prop("RangeLow", &P::RangeLow, &P::SetRangeLow)
          .Prop("RangeHigh", &P::RangeHigh, &P::SetRangeHigh)
          .Prop("ShortTicks", &P::ShortTicks, &P::SetShortTicks).Default(true)
          .Prop("ScaleInscript", &P::ScaleInscript, &P::SetScaleInscript).Default(std::string())
          .Prop("ScalePos", &P::ScalePos, &P::SetScalePos)
          .Prop("UserTickText", &P::UserTickText, &P::SetUserTickText).Default(std::string())
          .Prop("Visible", &P::Visible, &P::SetVisible)
          .Event("OnChange", &P::OnChange)
          .Register();
  return info;
}

const TClassInfo& TScalePropsHoriz::ClassInfo() {
  static const TClassInfo& info =
      DefineClass<TScalePropsHoriz, TScaleProps>("TScalePropsHoriz")
          .Prop("ScaleLocation", &TScalePropsHoriz::ScaleLocation, &TScalePropsHoriz::SetScaleLocation)
          .Register();
  return info;
}

const TClassInfo& TScalePropsVert::ClassInfo() {
  static const TClassInfo& info =
      DefineClass<TScalePropsVert, TScaleProps>("TScalePropsVert")
          .Prop("ScaleLocation", &TScalePropsVert::ScaleLocation, &TScalePropsVert::SetScaleLocation)
          .Register();
  return info;
}

namespace {
// Known to form descriptions and property texts from the start.
const TClassInfo& kHorizontalScaleProps = TScalePropsHoriz::ClassInfo();
const TClassInfo& kVerticalScaleProps = TScalePropsVert::ClassInfo();
}  // namespace

TScaleProps::TScaleProps() : TScaleProps(TScaleType::sctXT) {}

TScaleProps::TScaleProps(TScaleType orientation)
    : initial_orientation_(orientation), orientation_(orientation) {
  font_.OnChange = [this] {
    if (!silent_) Changed();
  };
  date_format_.OnChange = [this](TObject*) {
    if (!silent_) Changed();
  };
  InitValues();
}

TScaleProps::~TScaleProps() {
  font_.OnChange = nullptr;
  date_format_.OnChange = nullptr;
}

void TScaleProps::InitValues() {
  silent_ = true;
  caption_.clear();
  caption_pos_x_ = 0;
  caption_pos_y_ = 0;
  caption_alignment_ = TAlignment::taCenter;
  caption_anchor_ = TScaleUnitAnchor::uaSclTopLft;
  color_scale_ = clBlack;
  date_format_.SetScaleDefaults();
  dec_places_ = -2;
  font_.Assign(TFont());
  logarithmic_ = false;
  label_type_ = TFigType::ftNum;
  min_ticks_ = 3;
  min_range_ = 1e-10;
  mouse_action_ = TMouseActMode::maNone;
  range_low_ = 0.0;
  range_high_ = 1.0;
  short_ticks_ = true;
  scale_inscript_.clear();
  user_tick_text_.clear();
  visible_ = false;
  orientation_ = initial_orientation_;
  scale_pos_horiz_ = 0;
  scale_pos_vert_ = 0;
  location_ = initial_location_;
  silent_ = false;
}

void TScaleProps::Reinitialize() { InitValues(); }

void TScaleProps::Assign(const TPersistent& source) {
  if (auto* s = dynamic_cast<const TScaleProps*>(&source)) {
    if (s == this) return;
    silent_ = true;
    caption_ = s->caption_;
    caption_pos_x_ = s->caption_pos_x_;
    caption_pos_y_ = s->caption_pos_y_;
    caption_alignment_ = s->caption_alignment_;
    caption_anchor_ = s->caption_anchor_;
    color_scale_ = s->color_scale_;
    date_format_.Assign(s->date_format_);
    dec_places_ = s->dec_places_;
    logarithmic_ = s->logarithmic_;
    label_type_ = s->label_type_;
    font_.Assign(s->font_);
    min_ticks_ = s->min_ticks_;
    range_low_ = s->range_low_;
    range_high_ = s->range_high_;
    short_ticks_ = s->short_ticks_;
    scale_inscript_ = s->scale_inscript_;
    orientation_ = s->orientation_;
    scale_pos_horiz_ = s->scale_pos_horiz_;
    scale_pos_vert_ = s->scale_pos_vert_;
    min_range_ = s->min_range_;
    user_tick_text_ = s->user_tick_text_;
    visible_ = s->visible_;
    silent_ = false;
    return;
  }
  TPersistent::Assign(source);
}

void TScaleProps::AssignTo(TPersistent& dest) const {
  if (auto* d = dynamic_cast<TScaleProps*>(&dest)) {
    d->Assign(*this);
    return;
  }
  TPersistent::AssignTo(dest);
}

void TScaleProps::Changed() {
  if (OnChange) OnChange(this);
}

void TScaleProps::SetCaption(const std::string& caption) {
  caption_ = caption;
  Changed();
}

void TScaleProps::SetCaptionPosX(int32_t x) {
  caption_pos_x_ = x;
  Changed();
}

void TScaleProps::SetCaptionPosY(int32_t y) {
  caption_pos_y_ = y;
  Changed();
}

void TScaleProps::SetCaptionAlignment(TAlignment alignment) {
  caption_alignment_ = alignment;
  Changed();
}

void TScaleProps::SetCaptionAnchor(TScaleUnitAnchor anchor) {
  caption_anchor_ = anchor;
  Changed();
}

void TScaleProps::SetColorScale(TColor color) {
  color_scale_ = color;
  Changed();
}

void TScaleProps::SetDateFormat(const TDTLabel& format) {
  silent_ = true;
  date_format_.Assign(format);
  silent_ = false;
  Changed();
}

void TScaleProps::SetDecPlaces(int32_t places) {
  dec_places_ = std::clamp(places, -3, 12);
  Changed();
}

void TScaleProps::SetFont(const TFont& font) {
  if (&font == &font_) {
    Changed();
    return;
  }
  font_.Assign(font);  // notifies once through the font's hook
}

void TScaleProps::SetLogarithmic(bool value) {
  if (value && !loading_) {
    if (range_low_ >= LogFloor && range_high_ >= LogFloor && label_type_ != TFigType::ftDateTime) {
      logarithmic_ = true;
    }
  } else {
    logarithmic_ = value;
  }
  Changed();
}

void TScaleProps::SetLabelType(TFigType type) {
  label_type_ = type;
  if (type == TFigType::ftDateTime) logarithmic_ = false;
  if (type == TFigType::ftTime && !(owner_ != nullptr && owner_->IsLoading())) dec_places_ = 4;
  Changed();
}

void TScaleProps::SetMinTicks(int32_t ticks) {
  min_ticks_ = ticks;
  Changed();
}

void TScaleProps::SetMinRange(double range) {
  if (!(range > LogFloor) || !std::isfinite(range)) return;
  min_range_ = range;
  if (std::fabs(range_high_ - range_low_) >= range) return;
  const double centre = (range_high_ + range_low_) / 2;
  range_low_ = centre - range / 2;
  range_high_ = centre + range / 2;
  if (range_low_ == range_high_) range_high_ = std::nextafter(range_high_, HUGE_VAL);
  Changed();
}

void TScaleProps::SetRangeLow(double value) {
  if (std::isfinite(value)) {
    if (std::fabs(range_high_ - value) < min_range_) {
      const double high = Away(value, min_range_);
      if (std::isfinite(high)) {
        range_low_ = value;
        range_high_ = high;
      }
    } else if (!(logarithmic_ && value < LogFloor)) {
      range_low_ = value;
    }
  }
  Changed();
}

void TScaleProps::SetRangeHigh(double value) {
  if (std::isfinite(value)) {
    if (std::fabs(range_low_ - value) < min_range_) {
      const double low = Away(value, -min_range_);
      if (std::isfinite(low)) {
        range_high_ = value;
        range_low_ = low;
      }
    } else if (!(logarithmic_ && value < LogFloor)) {
      range_high_ = value;
    }
  }
  Changed();
}

void TScaleProps::SetShortTicks(bool value) {
  short_ticks_ = value;
  Changed();
}

void TScaleProps::SetScaleInscript(const std::string& text) {
  scale_inscript_ = text;
  Changed();
}

int32_t TScaleProps::ScalePos() const {
  const bool horizontal = orientation_ == TScaleType::sctXB || orientation_ == TScaleType::sctXT;
  return horizontal ? scale_pos_horiz_ : scale_pos_vert_;
}

void TScaleProps::SetScalePos(int32_t pos) {
  const bool horizontal = orientation_ == TScaleType::sctXB || orientation_ == TScaleType::sctXT;
  (horizontal ? scale_pos_horiz_ : scale_pos_vert_) = pos;
  Changed();
}

void TScaleProps::SetUserTickText(const std::string& text) {
  user_tick_text_ = text;
  Changed();
}

void TScaleProps::SetVisible(bool value) {
  visible_ = value;
  Changed();
}

TScaleLocationHoriz TScalePropsHoriz::ScaleLocation() const { return TScaleLocationHoriz(location_); }

void TScalePropsHoriz::SetScaleLocation(TScaleLocationHoriz location) {
  location_ = uint8_t(location);
  SetOrientation(location == TScaleLocationHoriz::slTop ? TScaleType::sctXB : TScaleType::sctXT);
  Changed();
}

TScaleLocationVert TScalePropsVert::ScaleLocation() const { return TScaleLocationVert(location_); }

void TScalePropsVert::SetScaleLocation(TScaleLocationVert location) {
  location_ = uint8_t(location);
  SetOrientation(location == TScaleLocationVert::slRight ? TScaleType::sctYL : TScaleType::sctYR);
  Changed();
}

}  // namespace korvo
