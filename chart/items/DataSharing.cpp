// PENDING: data sharing is being written; this is its placeholder.
#include "chart/CustomPlotwell.h"

namespace korvo {

void TCustomPlotwell::SetUseDataOf(TCustomPlotwell*) {}

TCustomPlotwell* TCustomPlotwell::Sharer(int index) const {
  return index >= 0 && index < ShareCount() ? sharers_[size_t(index)] : nullptr;
}

void TCustomPlotwell::PropagateItems() {}

void TCustomPlotwell::RedrawSharer(TCustomPlotwell* chart) {
  if (chart != nullptr) chart->RepaintIfAutomatic();
}

void TCustomPlotwell::LeaveSharingGroup() {}

}  // namespace korvo
