// The scales that draw the layers' axes: their creation, the defaults of the
// layers and the copying of the property objects into them.
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
    auto* x = new TScale(this);
    x->SetName("PW_FScale_X_" + std::to_string(n));
    x_scales_[size_t(n - 1)] = x;
    auto* y = new TScale(this);
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

void TCustomPlotwell::PlaceScales() {
  for (int n = 1; n <= LayerCount; ++n) {
    TScale& x = *XScale(n);
    x.SetBounds(0, 0, Width(), Height());
    SyncScaleRenderer(x, *XProps(n));
    x.SetMarginLeft(margin_left_);
    x.SetMarginRight(margin_right_ + shadow_width_ - 1);
    TScale& y = *YScale(n);
    y.SetBounds(0, 0, Width(), Height());
    SyncScaleRenderer(y, *YProps(n));
    y.SetMarginTop(margin_top_);
    y.SetMarginBottom(margin_bottom_ + shadow_width_ - 1);
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
  const int p = props.ScalePos();
  switch (type) {
    case TScaleType::sctXB:
      renderer.SetMarginBottom(p + Height() - margin_top_ - 1);
      break;
    case TScaleType::sctXT:
      renderer.SetMarginTop(p + Height() - margin_bottom_ - shadow_width_);
      break;
    case TScaleType::sctYL:
      renderer.SetMarginLeft(p + Width() - margin_right_ - shadow_width_);
      break;
    case TScaleType::sctYR:
      renderer.SetMarginRight(p + Width() - margin_left_ - 1);
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
  // The label type first: ftTime would otherwise override the decimals.
  renderer.SetLabelType(props.LabelType());
  renderer.SetDecPlaces(props.DecPlaces());
  renderer.SetLogarithmic(props.Logarithmic());
  renderer.SetShortTicks(props.ShortTicks());
  renderer.SetMinTicks(props.MinTicks());
  renderer.SetScaleInscript(props.ScaleInscript());
  renderer.SetUserTickText(props.UserTickText());
  renderer.Font()->Assign(*props.Font());
  renderer.SetDateFormat(*props.DateFormat());
}

}  // namespace korvo
