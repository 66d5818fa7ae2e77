// The chart's plain settings: each stores its value and, where the value
// shows, repaints (auto).
#include <algorithm>
#include <string>

#include "base/korvobase.h"
#include "chart/CustomPlotwell.h"

namespace korvo {

void TCustomPlotwell::SetWindColor(TColor color) {
  wind_color_ = color;
  RepaintIfAutomatic();
}

void TCustomPlotwell::SetChartColor(TColor color) {
  chart_color_ = color;
  RepaintIfAutomatic();
}

void TCustomPlotwell::SetChartFrameColor(TColor color) {
  chart_frame_color_ = color;
  RepaintIfAutomatic();
}

void TCustomPlotwell::SetGridColor(TColor color) {
  grid_color_ = color;
  RepaintIfAutomatic();
}

void TCustomPlotwell::SetGridStyle(GridStyleType style) {
  grid_style_ = style;
  RepaintIfAutomatic();
}

void TCustomPlotwell::SetGridDx(double v) {
  if (v < -3.0) return;
  grid_dx_ = v;
  RepaintIfAutomatic();
}

void TCustomPlotwell::SetGridDy(double v) {
  if (v < -3.0) return;
  grid_dy_ = v;
  RepaintIfAutomatic();
}

void TCustomPlotwell::SetShadowStyle(TShadowStyle style) {
  shadow_style_ = style;
  RepaintIfAutomatic();
}

void TCustomPlotwell::SetShadowColor(TColor color) {
  shadow_color_ = color;
  RepaintIfAutomatic();
}

void TCustomPlotwell::SetShadowBakColor(TColor color) {
  shadow_bak_color_ = color;
  RepaintIfAutomatic();
}

void TCustomPlotwell::SetCaptionPosX(int32_t v) {
  caption_pos_x_ = v;
  RepaintIfAutomatic();
}

void TCustomPlotwell::SetCaptionPosY(int32_t v) {
  caption_pos_y_ = v;
  RepaintIfAutomatic();
}

void TCustomPlotwell::SetCaptionAlignment(TAlignment v) {
  caption_alignment_ = v;
  RepaintIfAutomatic();
}

void TCustomPlotwell::SetCaptionAnchorHoriz(TCaptionAnchorHoriz v) {
  caption_anchor_horiz_ = v;
  RepaintIfAutomatic();
}

void TCustomPlotwell::SetCaptionAnchorVert(TCaptionAnchorVert v) {
  caption_anchor_vert_ = v;
  RepaintIfAutomatic();
}

void TCustomPlotwell::SetCaptionTrim(int32_t v) {
  caption_trim_ = v == 0 ? 0 : std::clamp(v, 5, 100);
  RepaintIfAutomatic();
}

void TCustomPlotwell::TextChanged() {
  TCustomControl::TextChanged();
  RepaintIfAutomatic();
}

void TCustomPlotwell::SetTextAlignment(TAlignment alignment) {
  TPwItemStore::SetTextAlignment(alignment);
  RepaintIfAutomatic();
}

void TCustomPlotwell::SetAvoidDuplicateMarks(bool value) {
  if (value == avoid_duplicate_marks_) return;
  avoid_duplicate_marks_ = value;
  RepaintChart();
}

void TCustomPlotwell::SetMinDupMarkDist(int32_t value) {
  if (value == min_dup_mark_dist_) return;
  min_dup_mark_dist_ = std::clamp(value, 1, 3);
  RepaintChart();
}

void TCustomPlotwell::SetBackGroundImg(const TBakGndImg& image) {
  background_->Assign(image);
  RepaintIfAutomatic();
}

// ---- what the data render draws ------------------------------------------------

void TCustomPlotwell::SetClassVisible(uint8_t itemClass, bool visible) {
  class_visible_[itemClass] = visible;
  RepaintIfAutomatic();
}

void TCustomPlotwell::SetAnnotationClassVisible(uint8_t itemClass, bool visible) {
  annotation_class_visible_[itemClass] = visible;
  RepaintIfAutomatic();
}

void TCustomPlotwell::SetLayerVisible(int layer, bool visible) {
  if (layer < 1 || layer > LayerCount) {
    throw EKorvoPlotwellError("Layer " + std::to_string(layer) + " is out of range (1..16)");
  }
  layer_visible_[size_t(layer - 1)] = visible;
  RepaintIfAutomatic();
}

void TCustomPlotwell::SetAnnotationsVisible(bool value) {
  annotations_visible_ = value;
  RepaintIfAutomatic();
}

void TCustomPlotwell::SetAnnotationTextsOnTop(bool value) {
  annotation_texts_on_top_ = value;
  RepaintIfAutomatic();
}

void TCustomPlotwell::SetDataOverAnnotations(bool value) {
  data_over_annotations_ = value;
  RepaintIfAutomatic();
}

int TCustomPlotwell::DialogCode() const {
  return TCustomControl::DialogCode() | DLGC_WANTARROWS | DLGC_WANTTAB;
}

}  // namespace korvo
