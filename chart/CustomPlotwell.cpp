// The chart's construction, owned objects, item-list operations, margins and
// loading.
#include "chart/CustomPlotwell.h"

#include <algorithm>
#include <string>

#include "base/korvobase.h"
#include "chart/render/ItemRenderer.h"

namespace korvo {
namespace {

[[noreturn]] void OutOfRange(const char* what, int n, int last) {
  throw EKorvoPlotwellError(std::string(what) + " " + std::to_string(n) + " is out of range (1.." +
                            std::to_string(last) + ")");
}

}  // namespace

TCustomPlotwell::TCustomPlotwell(TComponent* owner) : TCustomControl(owner) {
  for (auto& c : cross_hairs_) c = std::make_unique<TCrossHair>();
  for (auto& l : text_labels_) l = std::make_unique<TTextLabel>();
  joint_layers_ = std::make_unique<TJointLayers>(this);
  background_ = std::make_unique<TBakGndImg>();
  plot_bitmap_ = std::make_unique<TBitmap>();
  plot_bitmap_->SetPixelFormat(TPixelFormat::pf32bit);
  chart_bitmap_ = std::make_unique<TBitmap>();
  chart_bitmap_->SetPixelFormat(TPixelFormat::pf32bit);
  picture_bitmap_ = std::make_unique<TBitmap>(10, 10);
  item_renderer_ = std::make_unique<TItemRenderer>();
  mouse_trace_.reserve(MouseTraceCapacity);
  class_visible_.fill(true);
  annotation_class_visible_.fill(true);
  layer_visible_.fill(true);
  for (auto& p : x_props_) p = std::make_unique<TScalePropsHoriz>();
  for (auto& p : y_props_) p = std::make_unique<TScalePropsVert>();
  CreateScales();

  SetBounds(Left(), Top(), 280, 200);
  SizePlotBitmap();

  // The defaults.
  ResetItemStore();
  SetTextFont(*Font());
  for (int n = 1; n <= 4; ++n) {
    TCrossHair& c = *cross_hairs_[size_t(n - 1)];
    c.SetLayer(n);
    c.SetColor(clRed);
    c.SetMode(TCrossHMode::chOff);
    c.SetLineType(TPenStyle::psDashDotDot);
    c.SetLineWid(1);
    c.OnChange = [this](TObject*) { OwnedObjectChanged(); };
  }
  for (auto& label : text_labels_) {
    TTextLabel& l = *label;
    l.SetPosX(0);
    l.SetPosY(0);
    l.SetLayer(1);
    l.SetAttachToData(TTxtLblAttachMode::tlamBoth);
    l.SetAlignment(TAlignment::taCenter);
    l.SetVerticalAlignment(TVerticalAlignment::vaBottom);
    l.SetColorBkg(clWhite);
    l.SetColorBorder(clBlack);
    l.SetShadowDx(3);
    l.SetShadowDy(3);
    l.SetColorShadow(clGray);
    l.SetTransparent(false);
    l.SetFont(*Font());
    l.SetVisible(false);
    l.SetMode(TTxtLblMode::tlOff);
    l.OnChange = [this](TObject*) { OwnedObjectChanged(); };
  }
  joint_layers_->OnChange = [this](TObject*) { OwnedObjectChanged(); };
  background_->OnChange = [this](TObject*) { OwnedObjectChanged(); };
  InitLayers();
  ResetZoomHistory();
  range_limits_ = TRangeLimits{};
  mouse_action_ = TMouseActMode::maNone;
  auto_redraw_ = true;
  UpdateTransforms();
}

TCustomPlotwell::~TCustomPlotwell() {
  // The scale property objects and the owned objects notify this chart;
  // nothing may reach it once it is being torn down.
  for (auto& p : x_props_) p->OnChange = nullptr;
  for (auto& p : y_props_) p->OnChange = nullptr;
  for (auto& c : cross_hairs_) c->OnChange = nullptr;
  for (auto& l : text_labels_) l->OnChange = nullptr;
  joint_layers_->OnChange = nullptr;
  background_->OnChange = nullptr;
  LeaveSharingGroup();
}

// ---- items -------------------------------------------------------------------

void TCustomPlotwell::ClearGraph() {
  SizePlotBitmap();
  PaintPlotBackground(plot_bitmap_->Canvas(), 0, 0, plot_bitmap_->Width(), plot_bitmap_->Height());
  ClearDataItems();
}

void TCustomPlotwell::ShowGraph() {
  if (!Visible()) return;
  if (auto_redraw_) {
    RefreshPlotArea();
  } else {
    RepaintChart();
  }
}

// ---- owned objects -------------------------------------------------------------

TScalePropsHoriz* TCustomPlotwell::XProps(int layer) const {
  if (layer < 1 || layer > LayerCount) OutOfRange("Layer", layer, LayerCount);
  return x_props_[size_t(layer - 1)].get();
}

TScalePropsVert* TCustomPlotwell::YProps(int layer) const {
  if (layer < 1 || layer > LayerCount) OutOfRange("Layer", layer, LayerCount);
  return y_props_[size_t(layer - 1)].get();
}

TScale* TCustomPlotwell::XScale(int layer) const {
  if (layer < 1 || layer > LayerCount) OutOfRange("Layer", layer, LayerCount);
  return x_scales_[size_t(layer - 1)];
}

TScale* TCustomPlotwell::YScale(int layer) const {
  if (layer < 1 || layer > LayerCount) OutOfRange("Layer", layer, LayerCount);
  return y_scales_[size_t(layer - 1)];
}

void TCustomPlotwell::SetScaleProps(TScaleProps* own, const TScaleProps& given) {
  own->Assign(given);
  if (IsDesigning()) RepaintChart();
}

void TCustomPlotwell::SetJointLayers(const TJointLayers& j) {
  joint_layers_->Assign(j);
  RepaintIfAutomatic();
}

TCrossHair* TCustomPlotwell::CrossHair(int n) const {
  if (n < 1 || n > 4) OutOfRange("Crosshair", n, 4);
  return cross_hairs_[size_t(n - 1)].get();
}

void TCustomPlotwell::SetCrossHair(int n, const TCrossHair& c) {
  CrossHair(n)->Assign(c);
  RepaintIfAutomatic();
}

TTextLabel* TCustomPlotwell::TextLabel(int n) const {
  if (n < 1 || n > TextLabelCount) OutOfRange("Text label", n, TextLabelCount);
  return text_labels_[size_t(n - 1)].get();
}

void TCustomPlotwell::OwnedObjectChanged() { RepaintIfAutomatic(); }

// ---- painting ------------------------------------------------------------------

void TCustomPlotwell::RepaintIfAutomatic() {
  if (auto_redraw_ || IsDesigning()) RepaintChart();
}

void TCustomPlotwell::RepaintChart() { Repaint(); }

// ---- plot area -------------------------------------------------------------------

void TCustomPlotwell::SizePlotBitmap() {
  const auto side = [](int64_t n) { return int(std::clamp<int64_t>(n + 1, 0, INT32_MAX)); };
  plot_bitmap_->SetSize(side(PlotWidth()), side(PlotHeight()));
}

}  // namespace korvo
