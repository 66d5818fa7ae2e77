#include "base/TextLabel.h"

#include "platform/framework/PlatformEnums.h"
#include "platform/framework/Properties.h"

namespace korvo {

const TClassInfo& TTextLabel::ClassInfo() {
  using L = TCustomTextLabel;
  static const TClassInfo& info = DefineClass<TTextLabel, TPersistent>("TTextLabel")
                                      .Prop("PosX", &L::PosX, &L::SetPosX)
                                      .Prop("PosY", &L::PosY, &L::SetPosY)
                                      .Prop("Layer", &L::Layer, &L::SetLayer)
                                      .Prop("AttachToData", &L::AttachToData, &L::SetAttachToData)
                                      .Color("ColorBkg", &L::ColorBkg, &L::SetColorBkg)
                                      .Color("ColorBorder", &L::ColorBorder, &L::SetColorBorder)
                                      .Color("ColorShadow", &L::ColorShadow, &L::SetColorShadow)
                                      .Prop("ShadowDx", &L::ShadowDx, &L::SetShadowDx)
                                      .Prop("ShadowDy", &L::ShadowDy, &L::SetShadowDy)
                                      .Prop("Transparent", &L::Transparent, &L::SetTransparent)
                                      .Prop("Alignment", &L::Alignment, &L::SetAlignment)
                                      .Prop("VerticalAlignment", &L::VerticalAlignment, &L::SetVerticalAlignment)
                                      .Object("Font", &L::Font)
                                      .Prop("Mode", &L::Mode, &L::SetMode)
                                      .Prop("Caption", &L::Caption, &L::SetCaption)
                                      .Prop("Visible", &L::Visible, &L::SetVisible)
                                      .Event("OnChange", &L::OnChange)
                                      .Register();
  return info;
}

TCustomTextLabel::TCustomTextLabel() {
  font_.OnChange = [this] {
    if (!assigning_) Changed();
  };
}

void TCustomTextLabel::Assign(const TPersistent& source) {
  if (auto* s = dynamic_cast<const TCustomTextLabel*>(&source)) {
    if (s == this) return;
    pos_x_ = s->pos_x_;
    pos_y_ = s->pos_y_;
    layer_ = s->layer_;
    shadow_dx_ = s->shadow_dx_;
    shadow_dy_ = s->shadow_dy_;
    color_shadow_ = s->color_shadow_;
    alignment_ = s->alignment_;
    vertical_alignment_ = s->vertical_alignment_;
    attach_ = s->attach_;
    color_bkg_ = s->color_bkg_;
    color_border_ = s->color_border_;
    transparent_ = s->transparent_;
    assigning_ = true;
    font_.Assign(s->font_);
    assigning_ = false;
    caption_ = s->caption_;
    mode_ = s->mode_;
    visible_ = s->visible_;
    return;
  }
  TPersistent::Assign(source);
}

void TCustomTextLabel::AssignTo(TPersistent& dest) const {
  if (auto* d = dynamic_cast<TCustomTextLabel*>(&dest); d != nullptr && d->HoldsClassOf(*this)) {
    d->Assign(*this);
    return;
  }
  TPersistent::AssignTo(dest);
}

void TCustomTextLabel::SetPosX(double x) {
  pos_x_ = x;
  Changed();
}

void TCustomTextLabel::SetPosY(double y) {
  pos_y_ = y;
  Changed();
}

void TCustomTextLabel::SetLayer(int32_t layer) {
  if (layer < 1 || layer > 16) return;
  layer_ = layer;
  Changed();
}

void TCustomTextLabel::SetShadowDx(int32_t dx) {
  shadow_dx_ = dx;
  Changed();
}

void TCustomTextLabel::SetShadowDy(int32_t dy) {
  shadow_dy_ = dy;
  Changed();
}

void TCustomTextLabel::SetColorShadow(TColor color) {
  color_shadow_ = color;
  Changed();
}

void TCustomTextLabel::SetAlignment(TAlignment alignment) {
  alignment_ = alignment;
  Changed();
}

void TCustomTextLabel::SetVerticalAlignment(TVerticalAlignment alignment) {
  vertical_alignment_ = alignment;
  Changed();
}

void TCustomTextLabel::SetAttachToData(TTxtLblAttachMode mode) {
  attach_ = mode;
  Changed();
}

void TCustomTextLabel::SetColorBkg(TColor color) {
  color_bkg_ = color;
  Changed();
}

void TCustomTextLabel::SetColorBorder(TColor color) {
  color_border_ = color;
  Changed();
}

void TCustomTextLabel::SetTransparent(bool value) {
  transparent_ = value;
  Changed();
}

void TCustomTextLabel::SetFont(const TFont& font) {
  if (&font == &font_) {
    Changed();
    return;
  }
  font_.Assign(font);  // fires OnChange through the font's own notification
}

void TCustomTextLabel::SetCaption(const std::string& caption) {
  std::string text = caption;
  for (char& c : text) {
    const auto code = static_cast<unsigned char>(c);
    if (code < 32 && code != 10) c = ' ';
  }
  caption_ = std::move(text);
  Changed();
}

void TCustomTextLabel::SetMode(TTxtLblMode mode) {
  mode_ = mode;
  Changed();
}

void TCustomTextLabel::SetVisible(bool value) {
  visible_ = value;
  Changed();
}

void TCustomTextLabel::Changed() {
  if (OnChange) OnChange(this);
}

}  // namespace korvo
