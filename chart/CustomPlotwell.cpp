// The chart's construction, default initialisation, destruction, owned
// objects and the two item-list operations.
#include "chart/CustomPlotwell.h"

#include <algorithm>
#include <string>

#include "base/korvobase.h"
#include "chart/render/ItemRenderer.h"
#include "platform/framework/Application.h"
#include "platform/graphics/Printer.h"
#include "scale/Scale.h"

namespace korvo {
namespace {

[[noreturn]] void OutOfRange(const char* what, int n, int last) {
  throw EKorvoPlotwellError(std::string(what) + " " + std::to_string(n) + " is out of range (1.." +
                            std::to_string(last) + ")");
}

// The program's cursors for the mouse actions, registered as screen cursors
// 1 to 4.
constexpr const char* CursorResources[4] = {"CURHAND", "CURZOOMW", "CURZOOMD", "CURZOOMP"};

}  // namespace

// Construction runs in a fixed order: painting is suspended first (and stays
// so until the control has its window), the owned objects exist before the
// first SetBounds reaches the scales, and the default initialisation ends by
// applying the first standard layout.
TCustomPlotwell::TCustomPlotwell(TComponent* owner) : TCustomControl(owner) {
  paint_suspended_ = true;
  SetAnnotationMode(false);
  data_over_annotations_ = false;
  annotation_texts_on_top_ = true;
  annotations_visible_ = true;

  for (auto& c : cross_hairs_) c = std::make_unique<TCrossHair>();
  for (auto& l : text_labels_) l = std::make_unique<TTextLabel>();
  background_ = std::make_unique<TBakGndImg>();
  joint_layers_ = std::make_unique<TJointLayers>(this);
  plot_bitmap_ = std::make_unique<TBitmap>();
  chart_bitmap_ = std::make_unique<TBitmap>();
  chart_bitmap_->SetPixelFormat(TPixelFormat::pf32bit);
  picture_bitmap_ = std::make_unique<TBitmap>();
  item_renderer_ = std::make_unique<TItemRenderer>();
  for (auto& p : x_props_) p = std::make_unique<TScalePropsHoriz>();
  for (auto& p : y_props_) p = std::make_unique<TScalePropsVert>();
  CreateScales();

  margin_left_ = 50;
  margin_right_ = 10;
  margin_top_ = 16;
  margin_bottom_ = 32;
  SetBounds(Left(), Top(), 280, 200);

  mouse_trace_.clear();
  mouse_trace_.reserve(MouseTraceCapacity);
  mouse_trace_color_ = clWhite;
  mouse_trace_invert_ = true;

  SizePlotBitmap();
  chart_bitmap_->SetSize(Width(), Height());

  SetDefaultValues();

  OnScaleTickDrawn = nullptr;
  OnBeforeTickLabel = nullptr;
  OnBeforeRenderData = nullptr;
  OnBeforeRenderChartItem = nullptr;
  OnBeforeRenderText = nullptr;
  OnDataRendered = nullptr;
  OnScalesRendered = nullptr;
  OnMouseMoveInChart = nullptr;
  OnRubberBand = nullptr;
  OnSelectRect = nullptr;
  OnZoomPan = nullptr;
  OnBeforeCrossHairMove = nullptr;
  OnCrossHairMove = nullptr;
  OnTextLabelMove = nullptr;
}

void TCustomPlotwell::SetDefaultValues() {
  paint_suspended_ = true;
  standard_layout_ = TpwLayout::pwl_X1Bottom_Y1Left;
  ResetItemStore();  // both lists, counters and long texts empty; AllocSize 1000; attributes
  SetClassDefault(0);
  avoid_duplicate_marks_ = false;
  min_dup_mark_dist_ = 1;

  shadow_width_ = 0;
  shadow_color_ = clGrayText;
  shadow_bak_color_ = clBtnFace;
  shadow_style_ = TShadowStyle::ssFlying;

  SetCurrentLayer(1);
  for (int l = 1; l <= LayerCount; ++l) SetLayerInUse(l, l == 1);
  layer_visible_.fill(true);

  SetDataColor(clBlack);
  SetPenStyle(TPenStyle::psSolid);
  chart_frame_color_ = clBlack;
  SetFillColor(clSilver);
  chart_color_ = clWhite;
  wind_color_ = clBtnFace;
  grid_color_ = clBlack;
  SetLineWidth(1);
  pan_grid_dx_ = 1.0;
  pan_grid_dy_ = 1.0;
  pan_grid_offs_x_ = 0.0;
  pan_grid_offs_y_ = 0.0;

  use_data_of_ = nullptr;
  sharers_.clear();

  TControl::SetCaption(std::string());
  caption_trim_ = 100;
  caption_pos_x_ = 0;
  caption_pos_y_ = -15;
  caption_alignment_ = TAlignment::taRightJustify;
  caption_anchor_horiz_ = TCaptionAnchorHoriz::cahChartRight;
  caption_anchor_vert_ = TCaptionAnchorVert::cavChartTop;

  for (int n = 1; n <= 4; ++n) {
    TCrossHair& c = *cross_hairs_[size_t(n - 1)];
    c.OnChange = [this](TObject*) { OwnedObjectChanged(); };
    c.SetPosX(0);
    c.SetPosY(0);
    c.SetLayer(n);
    c.SetColor(clRed);
    c.SetMode(TCrossHMode::chOff);
    c.SetLineType(TPenStyle::psDashDotDot);
    c.SetLineWid(1);
  }
  for (auto& label : text_labels_) {
    TTextLabel& l = *label;
    l.OnChange = [this](TObject*) { OwnedObjectChanged(); };
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
    l.SetCaption(std::string());
    l.SetFont(*Font());
    l.SetVisible(false);
    l.SetMode(TTxtLblMode::tlOff);
  }

  background_->OnChange = [this](TObject*) { OwnedObjectChanged(); };
  background_->SetName(std::string());
  joint_layers_->OnChange = [this](TObject*) { OwnedObjectChanged(); };

  isometric_ = false;
  mouse_cursor_fixed_ = true;
  auto_redraw_ = false;  // until the initialisation is done
  SetTextFont(*Font());
  SetTextBkStyle(TTextBkg::tbClear);
  TPwItemStore::SetTextAlignment(TAlignment::taCenter);

  class_visible_.fill(true);
  annotation_class_visible_.fill(true);

  grid_style_ = GridStyleType::gsNone;
  grid_dx_ = 0.0;
  grid_dy_ = 0.0;

  for (int i = 0; i < 4; ++i) Screen()->SetCursors(i + 1, WindowSystem()->LoadCursor(CursorResources[i]));

  plot_bitmap_->SetPixelFormat(TPixelFormat::pf32bit);
  picture_bitmap_->SetSize(10, 10);
  pixel_aspect_x_ = GetDeviceCaps(ScreenHandle, TDeviceCap::ASPECTX);
  pixel_aspect_y_ = GetDeviceCaps(ScreenHandle, TDeviceCap::ASPECTY);
  if (pixel_aspect_x_ <= 0 || pixel_aspect_y_ <= 0) pixel_aspect_x_ = pixel_aspect_y_ = 1;  // square pixels

  InitLayers();

  SetStandardLayout(TpwLayout::pwl_X1Bottom_Y1Left);  // painting is suspended
  ResetZoomHistory();

  range_limits_ = TRangeLimits{};
  mouse_action_ = TMouseActMode::maNone;

  auto_redraw_ = true;
  UpdateTransforms();
}

// Nothing may reach this chart once it is being torn down: it leaves its
// sharing group first (members of a root keep copies of the items), its
// owned objects stop notifying it, and they go in a fixed order.
TCustomPlotwell::~TCustomPlotwell() {
  Destroying();
  LeaveSharingGroup();
  for (auto& p : x_props_) p->OnChange = nullptr;
  for (auto& p : y_props_) p->OnChange = nullptr;
  for (auto& c : cross_hairs_) c->OnChange = nullptr;
  for (auto& l : text_labels_) l->OnChange = nullptr;
  joint_layers_->OnChange = nullptr;
  background_->OnChange = nullptr;

  for (auto& c : cross_hairs_) c.reset();
  for (auto& l : text_labels_) l.reset();
  for (size_t i = 0; i < LayerCount; ++i) {
    x_props_[i].reset();
    delete x_scales_[i];
    x_scales_[i] = nullptr;
    y_props_[i].reset();
    delete y_scales_[i];
    y_scales_[i] = nullptr;
  }
  joint_layers_.reset();
  plot_bitmap_.reset();
  chart_bitmap_.reset();
  picture_bitmap_.reset();
  background_.reset();
}

// ---- items -------------------------------------------------------------------

void TCustomPlotwell::ClearGraph() {
  SizePlotBitmap();
  PaintPlotBackground(plot_bitmap_->Canvas(), 0, 0, plot_bitmap_->Width(), plot_bitmap_->Height());
  ClearDataItems();  // the group's list: every chart sharing it is empty now
  mouse_trace_.clear();
  PropagateItems();
}

void TCustomPlotwell::ShowGraph() {
  if (Visible()) {
    PropagateItems();
    if (auto_redraw_) {
      RefreshPlotArea();
    } else {
      RepaintChart();
    }
  }
  if (use_data_of_ != nullptr) {
    RedrawSharer(use_data_of_);
    for (TCustomPlotwell* member : use_data_of_->sharers_) RedrawSharer(member);
  }
  for (TCustomPlotwell* member : sharers_) RedrawSharer(member);
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

void TCustomPlotwell::OwnedObjectChanged() { RedrawSharer(this); }

// ---- painting ------------------------------------------------------------------

void TCustomPlotwell::RepaintIfAutomatic() {
  if (auto_redraw_ || IsDesigning()) RepaintChart();
}

// Nothing is painted while painting is suspended or the chart is being
// torn down.
void TCustomPlotwell::RepaintChart() {
  if (!paint_suspended_ && !IsDestroying()) Repaint();
}

// ---- plot area -------------------------------------------------------------------

void TCustomPlotwell::SizePlotBitmap() {
  const auto side = [](int64_t n) { return int(std::clamp<int64_t>(n + 1, 0, INT32_MAX)); };
  plot_bitmap_->SetSize(side(PlotWidth()), side(PlotHeight()));
}

}  // namespace korvo
