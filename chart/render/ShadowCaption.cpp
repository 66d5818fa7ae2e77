// PENDING: the shadow and caption are being written; this is their placeholder.
#include "chart/CustomPlotwell.h"

namespace korvo {

void TCustomPlotwell::DrawShadow(TCanvas*) {}

void TCustomPlotwell::DrawCaption(TCanvas*) {}

}  // namespace korvo
