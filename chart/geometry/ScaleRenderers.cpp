// The scales that draw the layers' axes: their creation, the defaults of the
// layers and the copying of the property objects into them.
#include <algorithm>
#include <cstdint>
#include <string>

#include "chart/CustomPlotwell.h"
#include "scale/Scale.h"

namespace korvo {
namespace {

// ColorScale of layer n's two axes.
constexpr TColor LayerColours[16] = {clBlack, clMaroon, clGreen, clOlive, clNavy, clPurple, clTeal,   clGray,
                                     clSilver, clRed,   clLime,  clYellow, clBlue, clFuchsia, clAqua, clWhite};

}  // namespace

void TCustomPlotwell::CreateScales() {
  for (int n = 1; n <= LayerCount; ++n) {
    auto* x = new TScale(this, TScalePlacement::spEmbedded);
    x->SetName("PW_FScale_X_" + std::to_string(n));
    x_scales_[size_t(n - 1)] = x;
    auto* y = new TScale(this, TScalePlacement::spEmbedded);
    y->SetName("PW_FScale_Y_" + std::to_string(n));
    y_scales_[size_t(n - 1)] = y;
  }
}

void TCustomPlotwell::InitLayers() {
  for (int n = 1; n <= LayerCount; ++n) {
    TScalePropsHoriz& xp = *XProps(n);
    TScalePropsVert& yp = *YProps(n);
    xp.OnChange = nullptr;
    yp.OnChange = nullptr;
    xp.SetOwnerComponent(this);
    yp.SetOwnerComponent(this);
    xp.Reinitialize();
    yp.Reinitialize();
    xp.SetColorScale(LayerColours[n - 1]);
    yp.SetColorScale(LayerColours[n - 1]);
    // Odd layers stand at the bottom and left, even ones at the top and
    // right, each pair further out than the one before.
    xp.SetOrientation(n % 2 ? TScaleType::sctXT : TScaleType::sctXB);
    xp.SetScalePos(30 * ((n - 1) / 2));
    yp.SetOrientation(n % 2 ? TScaleType::sctYR : TScaleType::sctYL);
    yp.SetScalePos(50 * ((n - 1) / 2));
    xp.OnChange = [this](TObject*) { ApplyScaleProps(); };
    yp.OnChange = [this](TObject*) { ApplyScaleProps(); };

    for (TScale* s : {XScale(n), YScale(n)}) {
      s->SetDefaults();
      s->SetEmbedded(true);
      s->SetTransparent(true);
      s->SetColorBackGnd(wind_color_);
      s->SetFrameStyle(TFrameStyle::fsNone);
      s->OnScaleTickDrawn = [this](TObject*, TCanvas* canvas, TScaleType type, double pos, int x, int y) {
        if (OnScaleTickDrawn) OnScaleTickDrawn(this, canvas, type, pos, x, y);
      };
      s->OnBeforeTickLabel = [this](TObject*, TScaleType type, double pos, std::string& label) {
        if (OnBeforeTickLabel) OnBeforeTickLabel(this, type, pos, label);
      };
      s->OnZoomPan = [this](TObject*) { ApplyScaleProps(); };
    }
    XScale(n)->SetMouseAction(TMouseActMode::maZoom);
  }
  PlaceScales();
}

// An x scale is framed left and right by MarginLeft and MarginRight +
// ShadowWidth - 1 (its last pixel lies one before the right margin begins),
// a y scale top and bottom by MarginTop and MarginBottom + ShadowWidth - 1;
// SyncScaleRenderer places the axis line by the margin across.
void TCustomPlotwell::PlaceScales() {
  const auto far = [](int32_t margin, int32_t shadow) {
    return int32_t(std::clamp<int64_t>(int64_t(margin) + shadow - 1, INT32_MIN, INT32_MAX));
  };
  for (size_t i = 0; i < LayerCount; ++i) {
    if (TScale* x = x_scales_[i]) {
      SyncScaleRenderer(*x, *x_props_[i]);
      x->SetBounds(0, 0, Width(), Height());
      x->SetMarginLeft(margin_left_);
      x->SetMarginRight(far(margin_right_, shadow_width_));
    }
    if (TScale* y = y_scales_[i]) {
      SyncScaleRenderer(*y, *y_props_[i]);
      y->SetBounds(0, 0, Width(), Height());
      y->SetMarginTop(margin_top_);
      y->SetMarginBottom(far(margin_bottom_, shadow_width_));
    }
  }
}

void TCustomPlotwell::SyncLayerScales(int layer) {
  SyncScaleRenderer(*XScale(layer), *XProps(layer));
  SyncScaleRenderer(*YScale(layer), *YProps(layer));
}

// The scale covers the whole control; the margin on the plot area's side
// puts its axis line on the plot area's edge, ScalePos pixels further out.
void TCustomPlotwell::SyncScaleRenderer(TScale& renderer, const TScaleProps& props) const {
  const TScaleType type = props.Orientation();
  renderer.SetScaleType(type);
  // Computed in 64 bits: margins and positions are unchecked 32-bit values.
  const int64_t p = props.ScalePos();
  const auto margin = [](int64_t m) { return int32_t(std::clamp<int64_t>(m, INT32_MIN, INT32_MAX)); };
  switch (type) {
    case TScaleType::sctXB:
      renderer.SetMarginBottom(margin(p + Height() - margin_top_ - 1));
      break;
    case TScaleType::sctXT:
      renderer.SetMarginTop(margin(p + Height() - margin_bottom_ - shadow_width_));
      break;
    case TScaleType::sctYL:
      renderer.SetMarginLeft(margin(p + Width() - margin_right_ - shadow_width_));
      break;
    case TScaleType::sctYR:
      renderer.SetMarginRight(margin(p + Width() - margin_left_ - 1));
      break;
  }
  renderer.SetRange(props.RangeLow(), props.RangeHigh());
  renderer.SetVisible(props.Visible());
  renderer.SetCaption(props.Caption());
  renderer.SetCaptionPosX(props.CaptionPosX());
  renderer.SetCaptionPosY(props.CaptionPosY());
  renderer.SetCaptionAlignment(props.CaptionAlignment());
  renderer.SetCaptionAnchor(props.CaptionAnchor());
  renderer.SetColorScale(props.ColorScale());
  // The label type last: ftTime then gives the scale 4 decimals whatever the
  // property object holds, and ftDateTime makes it linear.
  renderer.SetDecPlaces(props.DecPlaces());
  renderer.SetLogarithmic(props.Logarithmic());
  renderer.SetLabelType(props.LabelType());
  renderer.SetShortTicks(props.ShortTicks());
  renderer.SetMinTicks(props.MinTicks());
  renderer.SetScaleInscript(props.ScaleInscript());
  renderer.SetUserTickText(props.UserTickText());
  renderer.Font()->Assign(*props.Font());
  renderer.SetDateFormat(*props.DateFormat());
}

}  // namespace korvo
