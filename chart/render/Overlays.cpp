// PENDING: the overlays are being written; this is their placeholder.
#include "chart/CustomPlotwell.h"

namespace korvo {

void TCustomPlotwell::DrawTextLabels(TCanvas*, int32_t, int32_t) {}

void TCustomPlotwell::DrawMouseTrace(int32_t, int32_t, TBitmap*) {}

void TCustomPlotwell::DrawCrossHairs(int32_t, int32_t, TBitmap*) {}

}  // namespace korvo
