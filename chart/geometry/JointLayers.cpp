#include "chart/geometry/JointLayers.h"

#include <cstdio>
#include <string>
#include <utility>

#include "base/korvobase.h"
#include "chart/CustomPlotwell.h"
#include "platform/framework/Properties.h"

namespace korvo {
namespace {

void CheckLayer(int layer) {
  if (layer < 1 || layer > 16) {
    throw EKorvoPlotwellError("Layer " + std::to_string(layer) + " is out of range (1..16)");
  }
}

// "L07xControlledBy"
std::string PropertyName(int layer, char axis) {
  char name[24];
  std::snprintf(name, sizeof name, "L%02d%cControlledBy", layer, axis);
  return name;
}

template <int... I>
void PublishLayers(TClassBuilder<TJointLayers>& b, std::integer_sequence<int, I...>) {
  (b.Prop(PropertyName(I + 1, 'x'), &TJointLayers::LxControlledBy<I + 1>, &TJointLayers::SetLxControlledBy<I + 1>)
       .Default(I + 1)
       .Prop(PropertyName(I + 1, 'y'), &TJointLayers::LyControlledBy<I + 1>, &TJointLayers::SetLyControlledBy<I + 1>)
       .Default(I + 1),
   ...);
}

}  // namespace

const TClassInfo& TJointLayers::ClassInfo() {
  static const TClassInfo& info = []() -> const TClassInfo& {
    auto builder = DefineClass<TJointLayers, TPersistent>("TJointLayers");
    PublishLayers(builder, std::make_integer_sequence<int, 16>());
    return builder.Register();
  }();
  return info;
}

TJointLayers::TJointLayers(TCustomPlotwell* owner) : owner_(owner) {
  for (int i = 0; i < 16; ++i) x_[size_t(i)] = y_[size_t(i)] = i + 1;
}

void TJointLayers::Assign(const TPersistent& source) {
  if (auto* s = dynamic_cast<const TJointLayers*>(&source)) {
    x_ = s->x_;
    y_ = s->y_;
    return;
  }
  TPersistent::Assign(source);
}

void TJointLayers::AssignTo(TPersistent& dest) const {
  if (auto* d = dynamic_cast<TJointLayers*>(&dest)) {
    d->Assign(*this);
    return;
  }
  TPersistent::AssignTo(dest);
}

int32_t TJointLayers::XControlledBy(int layer) const {
  CheckLayer(layer);
  return x_[size_t(layer - 1)];
}

int32_t TJointLayers::YControlledBy(int layer) const {
  CheckLayer(layer);
  return y_[size_t(layer - 1)];
}

void TJointLayers::SetXControlledBy(int layer, int32_t dest) { SetControlledBy(true, layer, dest); }

void TJointLayers::SetYControlledBy(int layer, int32_t dest) { SetControlledBy(false, layer, dest); }

void TJointLayers::SetControlledBy(bool xAxis, int layer, int32_t dest) {
  CheckLayer(layer);
  std::array<int32_t, 16>& by = xAxis ? x_ : y_;
  if (dest < 1 || dest > 16) {
    throw EKorvoPlotwellError("Destination layer " + std::to_string(dest) + " is out of range");
  }
  if (dest == layer) {
    by[size_t(layer - 1)] = layer;
    return;
  }
  if (by[size_t(dest - 1)] != dest) {
    throw EKorvoPlotwellError("Destination layer " + std::to_string(dest) + " is already joined");
  }
  std::string followers;
  for (int k = 1; k <= 16; ++k) {
    if (k != layer && by[size_t(k - 1)] == layer) {
      if (!followers.empty()) followers += ", ";
      followers += std::to_string(k);
    }
  }
  if (!followers.empty()) {
    throw EKorvoPlotwellError("Layer " + std::to_string(layer) + " is joined by other layers (" + followers + ")");
  }
  by[size_t(layer - 1)] = dest;
  if (owner_ != nullptr) {
    const TScaleProps& x = *owner_->XProps(xAxis ? dest : layer);
    const TScaleProps& y = *owner_->YProps(xAxis ? layer : dest);
    owner_->ApplyLayerRange(layer, false, x.RangeLow(), y.RangeLow(), x.RangeHigh(), y.RangeHigh(), false);
  }
  if (OnChange) OnChange(this);
}

}  // namespace korvo
