// PENDING: the published properties are being written; this is their
// placeholder.
#include "chart/plotwell.h"
#include "platform/framework/Properties.h"

namespace korvo {

const TClassInfo& TCustomPlotwell::ClassInfo() {
  static const TClassInfo& info = DefineClass<TCustomPlotwell, TCustomControl>("TCustomPlotwell").Register();
  return info;
}

void TCustomPlotwell::Assign(const TPersistent& source) { TCustomControl::Assign(source); }

void TCustomPlotwell::AssignTo(TPersistent& dest) const { TCustomControl::AssignTo(dest); }

}  // namespace korvo
