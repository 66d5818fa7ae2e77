// PENDING: the standard layouts and isometric mode are being written; this is
// their placeholder.
#include "chart/CustomPlotwell.h"

namespace korvo {

void TCustomPlotwell::SetStandardLayout(TpwLayout) {}

void TCustomPlotwell::SetIsometric(bool value) { isometric_ = value; }

void TCustomPlotwell::MakeIsometric(int) {}

}  // namespace korvo
