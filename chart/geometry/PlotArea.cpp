// The plot area: margins, shadow width, the control's size and loading.
#include <algorithm>

#include "chart/CustomPlotwell.h"

namespace korvo {

void TCustomPlotwell::SetMarginLeft(int32_t v) {
  margin_left_ = v;
  SizePlotBitmap();
  PlaceScales();
  UpdateTransforms();
  RepaintIfAutomatic();
}

void TCustomPlotwell::SetMarginRight(int32_t v) {
  margin_right_ = v;
  SizePlotBitmap();
  PlaceScales();
  UpdateTransforms();
  RepaintIfAutomatic();
}

void TCustomPlotwell::SetMarginTop(int32_t v) {
  margin_top_ = v;
  SizePlotBitmap();
  PlaceScales();
  UpdateTransforms();
  RepaintIfAutomatic();
}

void TCustomPlotwell::SetMarginBottom(int32_t v) {
  margin_bottom_ = v;
  SizePlotBitmap();
  PlaceScales();
  UpdateTransforms();
  RepaintIfAutomatic();
}

void TCustomPlotwell::SetShadowWidth(int32_t v) {
  shadow_width_ = std::clamp(v, 0, 32);
  SizePlotBitmap();
  PlaceScales();
  UpdateTransforms();
  RepaintIfAutomatic();
}

// The control keeps room for a plot area of at least 80 x 20 pixels beside
// its margins and shadow.
void TCustomPlotwell::SetBounds(int left, int top, int width, int height) {
  const bool saved = paint_suspended_;
  paint_suspended_ = true;
  try {
    const int64_t minHeight = int64_t(margin_top_) + margin_bottom_ + shadow_width_ + 20;
    const int64_t minWidth = int64_t(margin_left_) + margin_right_ + shadow_width_ + 80;
    height = int(std::clamp<int64_t>(std::max<int64_t>(height, minHeight), 0, INT32_MAX));
    width = int(std::clamp<int64_t>(std::max<int64_t>(width, minWidth), 0, INT32_MAX));
    TCustomControl::SetBounds(left, top, width, height);
    PlaceScales();
    UpdateTransforms();
  } catch (...) {
    paint_suspended_ = saved;
    throw;
  }
  paint_suspended_ = saved;
}

void TCustomPlotwell::Loaded() {
  TCustomControl::Loaded();
  PlaceScales();
  for (int l = 1; l <= LayerCount; ++l) {
    XProps(l)->SetLoading(false);
    YProps(l)->SetLoading(false);
  }
  UpdateTransforms();
  RepaintChart();
}

}  // namespace korvo
