// PENDING: the paint pipeline is being written; this is its placeholder.
#include "chart/CustomPlotwell.h"

namespace korvo {

void TCustomPlotwell::Paint() {}

void TCustomPlotwell::RenderFrame(TCanvas*) {}

void TCustomPlotwell::RenderDataToBitmap(TBitmap* bitmap, int32_t x0, int32_t y0, bool monochrome, bool noGrid) {
  RenderData(bitmap->Canvas(), x0, y0, monochrome, noGrid);
}

void TCustomPlotwell::RenderData(TCanvas*, int32_t, int32_t, bool, bool) {}

void TCustomPlotwell::PresentChart(int32_t, int32_t, TCanvas*, TBitmap*) {}

void TCustomPlotwell::RefreshPlotArea() { RepaintChart(); }

}  // namespace korvo
