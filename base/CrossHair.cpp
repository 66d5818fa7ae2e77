#include "base/CrossHair.h"

#include "platform/framework/PlatformEnums.h"
#include "platform/framework/Properties.h"

namespace korvo {

const TClassInfo& TCrossHair::ClassInfo() {
  static const TClassInfo& info = DefineClass<TCrossHair, TPersistent>("TCrossHair")
                                      .Prop("PosX", &TCrossHair::PosX, &TCrossHair::SetPosX)
                                      .Prop("PosY", &TCrossHair::PosY, &TCrossHair::SetPosY)
                                      .Color("Color", &TCrossHair::Color, &TCrossHair::SetColor)
                                      .Prop("Mode", &TCrossHair::Mode, &TCrossHair::SetMode)
                                      .Prop("LineType", &TCrossHair::LineType, &TCrossHair::SetLineType)
                                      .Prop("LineWid", &TCrossHair::LineWid, &TCrossHair::SetLineWid)
                                      .Prop("Layer", &TCrossHair::Layer, &TCrossHair::SetLayer)
                                      .Event("OnChange", &TCrossHair::OnChange)
                                      .Register();
  return info;
}

void TCrossHair::Assign(const TPersistent& source) {
  if (auto* s = dynamic_cast<const TCrossHair*>(&source)) {
    pos_x_ = s->pos_x_;
    pos_y_ = s->pos_y_;
    color_ = s->color_;
    mode_ = s->mode_;
    line_type_ = s->line_type_;
    line_wid_ = s->line_wid_;
    layer_ = s->layer_;
    return;
  }
  TPersistent::Assign(source);
}

void TCrossHair::AssignTo(TPersistent& dest) const {
  if (auto* d = dynamic_cast<TCrossHair*>(&dest)) {
    d->Assign(*this);
    return;
  }
  TPersistent::AssignTo(dest);
}

void TCrossHair::SetPosX(double x) {
  pos_x_ = x;
  Changed();
}

void TCrossHair::SetPosY(double y) {
  pos_y_ = y;
  Changed();
}

void TCrossHair::SetColor(TColor color) {
  color_ = color;
  Changed();
}

void TCrossHair::SetMode(TCrossHMode mode) {
  mode_ = mode;
  Changed();
}

void TCrossHair::SetLineType(TPenStyle style) {
  line_type_ = style;
  Changed();
}

void TCrossHair::SetLineWid(int32_t width) {
  line_wid_ = width;
  Changed();
}

void TCrossHair::SetLayer(int32_t layer) {
  layer_ = layer < 1 ? 1 : (layer > 16 ? 16 : layer);
  Changed();
}

void TCrossHair::Changed() {
  if (OnChange) OnChange(this);
}

}  // namespace korvo
