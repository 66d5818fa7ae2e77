// PENDING: the item renderer is being written; this is its placeholder.
#include "chart/render/ItemRenderer.h"

#include "chart/CustomPlotwell.h"

namespace korvo {

void TCustomPlotwell::RenderItem(TCanvas*, const TpwChartItem&, int32_t, int32_t, bool, const TLongTextArray&, bool,
                                 int32_t) {}

void TCustomPlotwell::FlushPolyline(TCanvas*) {}

}  // namespace korvo
