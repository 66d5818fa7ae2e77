// The plot area: margins, shadow width, the control's size and loading.
//
// The plot area runs from column MarginLeft to Width - MarginRight -
// ShadowWidth and from row MarginTop to Height - MarginBottom -
// ShadowWidth; PlotBitmap is (W + 1) x (H + 1), each side at least 0. The
// scales cover the whole control: an x scale is framed left and right by
// MarginLeft and MarginRight + ShadowWidth - 1, a y scale top and bottom by
// MarginTop and MarginBottom + ShadowWidth - 1, and SyncScaleRenderer
// places the axis line by the margin on the other side.
#include <algorithm>
#include <charconv>
#include <string>

#include "base/korvobase.h"
#include "chart/CustomPlotwell.h"
#include "platform/framework/FormReader.h"
#include "platform/Exceptions.h"

namespace korvo {
namespace {

int BitmapSide(int64_t plotExtent) { return int(std::clamp<int64_t>(plotExtent + 1, 0, INT32_MAX)); }

}  // namespace

// A chart of width x height with these margins must keep itself and its
// plot bitmap within MaxChartPixels. The margin named `margin` (nullptr: the
// size) is the change refused; the message is built only then, so a check
// that passes allocates nothing.
void TCustomPlotwell::CheckChartSize(int64_t width, int64_t height, int64_t left, int64_t right, int64_t top,
                                     int64_t bottom, const char* margin, int32_t value) const {
  const int64_t plotW = BitmapSide(width - left - right - shadow_width_);
  const int64_t plotH = BitmapSide(height - top - bottom - shadow_width_);
  const auto fits = [](int64_t w, int64_t h) { return w <= MaxChartPixels / std::max<int64_t>(h, 1); };
  if (fits(width, height) && fits(plotW, plotH)) return;
  const std::string what = margin != nullptr ? std::string(margin) + " " + std::to_string(value)
                                             : "the size " + std::to_string(width) + " x " + std::to_string(height);
  throw EKorvoPlotwellError(std::string(ClassName()) + " '" + Name() + "': " + what + " would make the chart " +
                  std::to_string(width) + " x " + std::to_string(height) + " pixels with a plot area of " +
                  std::to_string(plotW) + " x " + std::to_string(plotH) + "; each may have at most " +
                  std::to_string(MaxChartPixels) + " pixels");
}

void TCustomPlotwell::SetMarginLeft(int32_t v) {
  CheckChartSize(Width(), Height(), v, margin_right_, margin_top_, margin_bottom_, "MarginLeft", v);
  margin_left_ = v;
  plot_bitmap_->SetWidth(BitmapSide(PlotWidth()));
  MarginsChanged(true);
}

void TCustomPlotwell::SetMarginRight(int32_t v) {
  CheckChartSize(Width(), Height(), margin_left_, v, margin_top_, margin_bottom_, "MarginRight", v);
  margin_right_ = v;
  plot_bitmap_->SetWidth(BitmapSide(PlotWidth()));
  MarginsChanged(true);
}

void TCustomPlotwell::SetMarginTop(int32_t v) {
  CheckChartSize(Width(), Height(), margin_left_, margin_right_, v, margin_bottom_, "MarginTop", v);
  margin_top_ = v;
  plot_bitmap_->SetHeight(BitmapSide(PlotHeight()));
  MarginsChanged(true);
}

void TCustomPlotwell::SetMarginBottom(int32_t v) {
  CheckChartSize(Width(), Height(), margin_left_, margin_right_, margin_top_, v, "MarginBottom", v);
  margin_bottom_ = v;
  plot_bitmap_->SetHeight(BitmapSide(PlotHeight()));
  MarginsChanged(true);
}

void TCustomPlotwell::SetShadowWidth(int32_t v) {
  shadow_width_ = std::clamp(v, 0, 32);
  SizePlotBitmap();
  MarginsChanged(false);
}

// Painting stays suspended while the layers change (the isometric
// adjustment sets ranges through the property objects, each of which would
// repaint); the chart repaints once at the end. The adjustment of one layer
// reads only that layer's ranges and the plot size, so all layers are
// adjusted before the scales are placed.
void TCustomPlotwell::MarginsChanged(bool rerunIsometric) {
  {
    TPaintSuspension suspended(*this);
    if (rerunIsometric && isometric_) {
      for (int l = 1; l <= LayerCount; ++l) MakeIsometric(l);
    }
    PlaceScales();
  }
  UpdateTransforms();
  RepaintIfAutomatic();
}

// The control keeps room for a plot area of at least 80 x 20 pixels beside
// its margins and shadow. The scales take the new size; they hold no
// surface, so a resize costs what the chart's own surface costs. Painting
// is suspended meanwhile and the saved state is put back without a repaint.
void TCustomPlotwell::SetBounds(int left, int top, int width, int height) {
  TPaintSuspension suspended(*this);
  const int64_t minHeight = int64_t(margin_top_) + margin_bottom_ + shadow_width_ + 20;
  const int64_t minWidth = int64_t(margin_left_) + margin_right_ + shadow_width_ + 80;
  height = int(std::clamp<int64_t>(std::max<int64_t>(height, minHeight), 0, INT32_MAX));
  width = int(std::clamp<int64_t>(std::max<int64_t>(width, minWidth), 0, INT32_MAX));
  CheckChartSize(width, height, margin_left_, margin_right_, margin_top_, margin_bottom_, nullptr, 0);
  TCustomControl::SetBounds(left, top, width, height);
  // The plot bitmap takes the new size at once, as it does for a new margin:
  // ShowGraph refreshes the plot area without a full paint, and must not
  // draw into the old size (leaving the rest of the new plot area as it was).
  SizePlotBitmap();
  if (isometric_) {
    for (int l = 1; l <= LayerCount; ++l) MakeIsometric(l);
  }
  PlaceScales();
  UpdateTransforms();
}

namespace {

// The shortest text that reads back as v ("-5", "1e-300").
std::string Shortest(double v) {
  char buf[32];
  const auto end = std::to_chars(buf, buf + sizeof buf, v).ptr;
  return std::string(buf, end);
}

}  // namespace

void TCustomPlotwell::Loaded() {
  TCustomControl::Loaded();
  PlaceScales();
  for (int l = 1; l <= LayerCount; ++l) {
    XProps(l)->SetLoading(false);
    YProps(l)->SetLoading(false);
  }
  try {
    UpdateTransforms();
  } catch (const EKorvoPlotwellError& e) {
    // A logarithmic axis over a range that is not positive: among 16
    // layers, the reader's report names the scale object and its range.
    for (int l = 1; l <= LayerCount; ++l) {
      for (const bool x : {true, false}) {
        const TScaleProps& p = x ? static_cast<const TScaleProps&>(*XProps(l)) : *YProps(l);
        if (!p.Logarithmic() || (p.RangeLow() > 0 && p.RangeHigh() > 0)) continue;
        const std::string range = "RangeLow " + Shortest(p.RangeLow()) + ", RangeHigh " + Shortest(p.RangeHigh());
        const std::string axis = std::to_string(l) + (x ? "X" : "Y");
        // Only the scales of layers 1 to 4 are published.
        ThrowAtPlace(e, l <= 4 ? TFaultPlace{"Scale" + axis, range} : TFaultPlace{"", "layer " + axis + ": " + range});
      }
    }
    throw;
  }
  RepaintChart();
}

}  // namespace korvo
