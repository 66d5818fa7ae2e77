// The seven standard layouts and the isometric mode.
#include <array>
#include <cmath>

#include "chart/CustomPlotwell.h"
#include "platform/framework/PlatformEnums.h"

namespace korvo {
namespace {

using enum TAlignment;
using enum TScaleUnitAnchor;
using enum TCaptionAnchorHoriz;

// What a layout sets on one x or y scale of layers 1 to 4. `Far` is the
// second side: slTop for an x scale, slRight for a y scale.
struct TScaleSlot {
  bool Far = false;
  int32_t ScalePos = 0;
  bool Visible = false;
  int32_t CaptionPosX = 10;
  int32_t CaptionPosY = 100;
  TAlignment CaptionAlignment = taCenter;
  TScaleUnitAnchor CaptionAnchor = uaSclCenter;
};

struct TLayoutRecord {
  int32_t MarginBottom, MarginTop, MarginLeft, MarginRight;
  int32_t CaptionPosX, CaptionPosY;
  TAlignment CaptionAlignment;
  TCaptionAnchorHoriz CaptionAnchorHoriz;
  std::array<TScaleSlot, 4> X;
  std::array<TScaleSlot, 4> Y;
};

// Hidden scales of layers 1 to 4: below and left, at the plot area, with
// the caption out of the way.
constexpr TScaleSlot HiddenX{false, 0, false, 10, 100, taCenter, uaSclCenter};
constexpr TScaleSlot HiddenY{false, 0, false, 10, 100, taRightJustify, uaSclTopLft};

constexpr TScaleSlot BottomX1{false, 0, true, 0, 22, taCenter, uaSclCenter};
constexpr TScaleSlot LeftY(int32_t pos) { return TScaleSlot{false, pos, true, 0, -23, taRightJustify, uaSclTopLft}; }

// In TpwLayout order. The caption stays anchored to the top of the plot area
// (cavChartTop) in every layout.
constexpr std::array<TLayoutRecord, 7> Layouts = {{
    // pwl_X1Bottom_Y1Left
    {40, 20, 50, 20, 0, -16, taRightJustify, cahChartRight,
     {BottomX1, HiddenX, HiddenX, HiddenX},
     {TScaleSlot{false, 0, true, 0, -16, taLeftJustify, uaSclTopLft}, HiddenY, HiddenY, HiddenY}},
    // pwl_X1Bottom_Y2Left
    {40, 24, 100, 20, 0, -16, taRightJustify, cahChartRight,
     {BottomX1, HiddenX, HiddenX, HiddenX},
     {LeftY(0), LeftY(50), HiddenY, HiddenY}},
    // pwl_X1Bottom_Y3Left
    {40, 24, 150, 20, 0, -16, taRightJustify, cahChartRight,
     {BottomX1, HiddenX, HiddenX, HiddenX},
     {LeftY(0), LeftY(50), LeftY(100), HiddenY}},
    // pwl_X1Bottom_Y4Left
    {40, 24, 200, 20, 0, -16, taRightJustify, cahChartRight,
     {BottomX1, HiddenX, HiddenX, HiddenX},
     {LeftY(0), LeftY(50), LeftY(100), LeftY(150)}},
    // pwl_X1Bottom_Y2Both
    {40, 24, 50, 50, 0, -20, taCenter, cahChartCenter,
     {BottomX1, HiddenX, HiddenX, HiddenX},
     {LeftY(0), TScaleSlot{true, 0, true, 0, -23, taLeftJustify, uaSclTopLft}, HiddenY, HiddenY}},
    // pwl_X2Bottom_Y2Left
    {70, 24, 100, 20, 0, -16, taRightJustify, cahChartRight,
     {TScaleSlot{false, 0, true, -20, 7, taRightJustify, uaSclTopLft},
      TScaleSlot{false, 30, true, -20, 7, taRightJustify, uaSclTopLft}, HiddenX, HiddenX},
     {LeftY(0), LeftY(50), HiddenY, HiddenY}},
    // pwl_X2Both_Y2Both
    {40, 64, 50, 50, 0, -60, taCenter, cahChartCenter,
     {TScaleSlot{false, 0, true, 0, 20, taCenter, uaSclCenter}, TScaleSlot{true, 0, true, 0, -40, taCenter, uaSclCenter},
      HiddenX, HiddenX},
     {TScaleSlot{false, 0, true, 0, -40, taRightJustify, uaSclTopLft},
      TScaleSlot{true, 0, true, 0, -40, taLeftJustify, uaSclTopLft},
      TScaleSlot{false, 0, false, 0, -23, taRightJustify, uaSclTopLft},
      TScaleSlot{false, 0, false, 0, -23, taRightJustify, uaSclTopLft}}},
}};

// Everything but the location, in the order the layout sets it.
void ApplySlot(TScaleProps& p, const TScaleSlot& slot) {
  p.SetCaptionPosX(slot.CaptionPosX);
  p.SetCaptionPosY(slot.CaptionPosY);
  p.SetCaptionAlignment(slot.CaptionAlignment);
  p.SetCaptionAnchor(slot.CaptionAnchor);
  p.SetScalePos(slot.ScalePos);
  p.SetVisible(slot.Visible);
}

}  // namespace

// Applies a record through the setters, with painting suspended; the value
// read back is not changed. Each scale's location goes first, because
// ScalePos is kept for the orientation that is current.
void TCustomPlotwell::SetStandardLayout(TpwLayout layout) {
  const size_t index = size_t(layout);
  if (index >= Layouts.size()) return;
  const TLayoutRecord& r = Layouts[index];
  TPaintSuspension suspended(*this);
  SetMarginLeft(r.MarginLeft);
  SetMarginRight(r.MarginRight);
  SetMarginTop(r.MarginTop);
  SetMarginBottom(r.MarginBottom);
  SetCaptionPosX(r.CaptionPosX);
  SetCaptionPosY(r.CaptionPosY);
  SetCaptionAlignment(r.CaptionAlignment);
  SetCaptionAnchorHoriz(r.CaptionAnchorHoriz);
  SetCaptionAnchorVert(TCaptionAnchorVert::cavChartTop);
  for (int i = 1; i <= 4; ++i) {
    const TScaleSlot& x = r.X[size_t(i - 1)];
    TScalePropsHoriz& xp = *XProps(i);
    xp.SetScaleLocation(x.Far ? TScaleLocationHoriz::slTop : TScaleLocationHoriz::slBottom);
    ApplySlot(xp, x);
    const TScaleSlot& y = r.Y[size_t(i - 1)];
    TScalePropsVert& yp = *YProps(i);
    yp.SetScaleLocation(y.Far ? TScaleLocationVert::slRight : TScaleLocationVert::slLeft);
    ApplySlot(yp, y);
  }
  for (int l = 5; l <= LayerCount; ++l) {
    XProps(l)->SetVisible(false);
    YProps(l)->SetVisible(false);
  }
  for (int l = 1; l <= LayerCount; ++l) SyncLayerScales(l);
  suspended.Finish();
}

// Isometric: equal world units per pixel on both axes of every layer.
void TCustomPlotwell::SetIsometric(bool value) {
  isometric_ = value;
  if (!value) return;
  {
    TPaintSuspension suspended(*this);
    for (int l = 1; l <= LayerCount; ++l) MakeIsometric(l);
  }
  PushZoomHistory();
  RepaintIfAutomatic();
}

// The y range keeps its centre c and gets the half height
//   h = (x high - x low) * (H + 1) / (W + 1) * PixelAspectY / PixelAspectX / 2
// in extended precision, set high first, then low, through the property
// setters. A plot area without pixels in either direction has no aspect to
// match: the range stays (otherwise the y axis would flip or collapse).
void TCustomPlotwell::MakeIsometric(int layer) {
  TScaleProps& x = *XProps(layer);
  TScaleProps& y = *YProps(layer);
  const long double w = static_cast<long double>(PlotWidth()) + 1;
  const long double h1 = static_cast<long double>(PlotHeight()) + 1;
  if (!(w > 0 && h1 > 0) || pixel_aspect_x_ <= 0 || pixel_aspect_y_ <= 0) return;
  const double c = (y.RangeHigh() + y.RangeLow()) / 2;
  const long double h = (static_cast<long double>(x.RangeHigh()) - x.RangeLow()) * h1 / w * pixel_aspect_y_ /
                        pixel_aspect_x_ / 2;
  y.SetRangeHigh(double(c + h));
  y.SetRangeLow(double(c - h));
}

}  // namespace korvo
