#include "chart/render/BackgroundImage.h"

#include "platform/framework/PlatformEnums.h"
#include "platform/framework/Properties.h"

namespace korvo {
namespace {

// The file-name part of a path. Both separators count, so a name written on
// a system with backslashes loses its directory here too.
std::string FileNamePart(const std::string& path) {
  const size_t cut = path.find_last_of("/\\");
  return cut == std::string::npos ? path : path.substr(cut + 1);
}

}  // namespace

const TClassInfo& TBakGndImg::ClassInfo() {
  using C = TBakGndImg;
  static const TClassInfo& info = DefineClass<C, TPersistent>("TBakGndImg")
                                      .Prop("Name", &C::Name, &C::SetName)
                                      .Prop("IncludePath", &C::IncludePath, &C::SetIncludePath)
                                      .Prop("FillMode", &C::FillMode, &C::SetFillMode)
                                      .Prop("AreaMode", &C::AreaMode, &C::SetAreaMode)
                                      .Color("AreaColor", &C::AreaColor, &C::SetAreaColor)
                                      .Prop("AreaLeft", &C::AreaLeft, &C::SetAreaLeft)
                                      .Prop("AreaRight", &C::AreaRight, &C::SetAreaRight)
                                      .Prop("AreaTop", &C::AreaTop, &C::SetAreaTop)
                                      .Prop("AreaBottom", &C::AreaBottom, &C::SetAreaBottom)
                                      .Register();
  return info;
}

void TBakGndImg::Assign(const TPersistent& source) {
  if (auto* s = dynamic_cast<const TBakGndImg*>(&source)) {
    name_ = s->name_;
    include_path_ = s->include_path_;
    fill_mode_ = s->fill_mode_;
    area_mode_ = s->area_mode_;
    area_color_ = s->area_color_;
    area_left_ = s->area_left_;
    area_right_ = s->area_right_;
    area_top_ = s->area_top_;
    area_bottom_ = s->area_bottom_;
    return;
  }
  TPersistent::Assign(source);
}

void TBakGndImg::AssignTo(TPersistent& dest) const {
  if (auto* d = dynamic_cast<TBakGndImg*>(&dest)) {
    d->Assign(*this);
    return;
  }
  TPersistent::AssignTo(dest);
}

void TBakGndImg::Changed() {
  if (OnChange) OnChange(this);
}

void TBakGndImg::SetName(const std::string& name) {
  name_ = include_path_ ? name : FileNamePart(name);
  load_error_.clear();
  Changed();
}

void TBakGndImg::SetIncludePath(bool value) {
  include_path_ = value;
  if (!value) name_ = FileNamePart(name_);
  Changed();
}

void TBakGndImg::SetFillMode(TBkgFill mode) {
  fill_mode_ = mode;
  Changed();
}

void TBakGndImg::SetAreaMode(TBGAreaMode mode) {
  area_mode_ = mode;
  Changed();
}

void TBakGndImg::SetAreaColor(TColor color) {
  area_color_ = color;
  Changed();
}

void TBakGndImg::SetAreaLeft(double v) {
  area_left_ = v;
  Changed();
}

void TBakGndImg::SetAreaRight(double v) {
  area_right_ = v;
  Changed();
}

void TBakGndImg::SetAreaTop(double v) {
  area_top_ = v;
  Changed();
}

void TBakGndImg::SetAreaBottom(double v) {
  area_bottom_ = v;
  Changed();
}

}  // namespace korvo
