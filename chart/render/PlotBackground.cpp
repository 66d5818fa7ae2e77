// PENDING: the plot background is being written; this is its placeholder.
#include "chart/CustomPlotwell.h"

namespace korvo {

void TCustomPlotwell::PaintPlotBackground(TCanvas*, int32_t, int32_t, int32_t, int32_t) {}

}  // namespace korvo
