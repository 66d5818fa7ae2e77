// The plot area's frame: margins, the shadow width, the control's size, the
// isometric mode and the seven standard layouts.
#include <gtest/gtest.h>

#include <array>

#include "chart/plotwell.h"
#include "chart_test_support.h"
#include "scale/Scale.h"

namespace korvo {
namespace {

using test::CountingChart;
using enum TpwLayout;
using enum TAlignment;
using enum TScaleUnitAnchor;

// ---- margins and shadow --------------------------------------------------------

TEST(Margins, SettersResizeThePlotAndFrameTheScales) {
  CountingChart c;
  c.SetMarginLeft(60);
  c.SetMarginRight(30);
  c.SetMarginTop(25);
  c.SetBRim(45);  // the older name: the same value through the same setter
  EXPECT_EQ(c.MarginBottom(), 45);
  EXPECT_EQ(c.paints, 4) << "repaint (auto), once each";
  EXPECT_EQ(c.PlotBitmap()->Width(), 280 - 60 - 30 + 1);
  EXPECT_EQ(c.PlotBitmap()->Height(), 200 - 25 - 45 + 1);
  EXPECT_EQ(c.XScale(9)->MarginLeft(), 60);
  EXPECT_EQ(c.XScale(9)->MarginRight(), 29);
  EXPECT_EQ(c.YScale(16)->MarginTop(), 25);
  EXPECT_EQ(c.YScale(16)->MarginBottom(), 44);
  EXPECT_EQ(c.XScale(1)->MarginTop(), 200 - 45) << "the bottom axis sits on the plot's last row";
  EXPECT_EQ(c.YScale(1)->MarginRight(), 280 - 60 - 1);
  int32_t px, py;
  c.WorldToPixel(1, 1, 1, px, py);
  EXPECT_EQ(px, 280 - 30);
  EXPECT_EQ(py, 25);
  c.SetMarginLeft(400);  // no range check: an empty plot bitmap
  EXPECT_EQ(c.PlotBitmap()->Width(), 0);
  c.SetMarginLeft(-10);
  EXPECT_EQ(c.PlotBitmap()->Width(), 280 + 10 - 30 + 1);
}

TEST(Margins, ShadowWidthIsKeptWithin0To32) {
  TPlotwell c(nullptr);
  c.SetShadowWidth(40);
  EXPECT_EQ(c.ShadowWidth(), 32);
  c.SetShadowWidth(-5);
  EXPECT_EQ(c.ShadowWidth(), 0);
  c.SetShadowWidth(6);
  EXPECT_EQ(c.PlotBitmap()->Width(), 280 - 50 - 20 - 6 + 1);
  EXPECT_EQ(c.PlotBitmap()->Height(), 200 - 20 - 40 - 6 + 1);
  EXPECT_EQ(c.XScale(2)->MarginRight(), 20 + 6 - 1);
  EXPECT_EQ(c.YScale(2)->MarginBottom(), 40 + 6 - 1);
  EXPECT_EQ(c.XScale(1)->MarginTop(), 200 - 40 - 6);
}

TEST(Margins, SetBoundsKeepsRoomAndDoesNotPaint) {
  CountingChart c;
  c.SetBounds(3, 4, 10, 10);
  EXPECT_EQ(c.Width(), 50 + 20 + 80);
  EXPECT_EQ(c.Height(), 20 + 40 + 20);
  c.SetBounds(0, 0, 400, 300);
  EXPECT_EQ(c.paints, 0);
  EXPECT_FALSE(c.PaintSuspended()) << "restored";
  EXPECT_EQ(c.XScale(16)->Width(), 400);
  EXPECT_EQ(c.XScale(1)->MarginTop(), 300 - 40);
  c.SetPaintSuspended(true);
  c.SetBounds(0, 0, 500, 300);
  EXPECT_TRUE(c.PaintSuspended());
}

// ---- isometric ---------------------------------------------------------------

// W + 1 = 200 and H + 1 = 100 with the layout's margins.
void IsometricExample(TPlotwell& c) {
  c.SetBounds(0, 0, 50 + 20 + 199, 20 + 40 + 99);
  c.Scale1X()->SetRangeHigh(100);
  c.Scale1Y()->SetRangeHigh(10);
}

TEST(Isometric, EqualUnitsPerPixelAroundTheCentre) {
  CountingChart c;
  IsometricExample(c);
  c.paints = 0;
  const int history = c.ZoomHistoryIndex();
  c.SetIsometric(true);
  EXPECT_EQ(c.Scale1Y()->RangeLow(), -20.0);
  EXPECT_EQ(c.Scale1Y()->RangeHigh(), 30.0);
  EXPECT_EQ(c.Scale1X()->RangeHigh(), 100.0);
  EXPECT_EQ(c.YProps(16)->RangeHigh(), 0.75) << "every layer: 0..1 by 0..1 gets y 0.25 .. 0.75";
  EXPECT_EQ(c.ZoomHistoryIndex(), history + 1) << "one entry";
  EXPECT_EQ(c.paints, 1);
  c.SetIsometric(false);
  EXPECT_EQ(c.Scale1Y()->RangeLow(), -20.0);
  EXPECT_EQ(c.paints, 1) << "switching it off changes nothing";
  c.XProps(5)->SetRangeLow(-4);  // one layer on its own
  c.XProps(5)->SetRangeHigh(4);
  c.YProps(5)->SetRangeLow(9);
  c.YProps(5)->SetRangeHigh(11);
  c.MakeIsometric(5);
  EXPECT_EQ(c.YProps(5)->RangeLow(), 8.0);
  EXPECT_EQ(c.YProps(5)->RangeHigh(), 12.0);
}

TEST(Isometric, MarginsAndSizeReRunItTheShadowDoesNot) {
  TPlotwell c(nullptr);
  IsometricExample(c);
  c.SetIsometric(true);
  c.SetMarginLeft(50 + 100);  // W + 1 = 100: the y range doubles
  EXPECT_EQ(c.Scale1Y()->RangeLow(), -45.0);
  EXPECT_EQ(c.Scale1Y()->RangeHigh(), 55.0);
  c.SetShadowWidth(10);
  EXPECT_EQ(c.Scale1Y()->RangeHigh(), 55.0);
  c.SetShadowWidth(0);
  c.SetBounds(0, 0, 50 + 100 + 20 + 199, 20 + 40 + 99);  // W + 1 = 200 again
  EXPECT_EQ(c.Scale1Y()->RangeHigh(), 30.0);
  c.SetMarginLeft(1000);  // no plot pixels, no aspect to match: the range stays
  EXPECT_EQ(c.Scale1Y()->RangeLow(), -20.0);
  EXPECT_EQ(c.Scale1Y()->RangeHigh(), 30.0);
}

// ---- standard layouts --------------------------------------------------------

// One scale as a layout leaves it; `Far` is slTop (x) or slRight (y).
struct TSlot {
  bool Far;
  int Pos;
  bool Visible;
  int CaptionX, CaptionY;
  TAlignment Alignment;
  TScaleUnitAnchor Anchor;
};
constexpr TSlot HX{false, 0, false, 10, 100, taCenter, uaSclCenter};
constexpr TSlot HY{false, 0, false, 10, 100, taRightJustify, uaSclTopLft};
constexpr TSlot X1{false, 0, true, 0, 22, taCenter, uaSclCenter};
constexpr TSlot Y(int pos) { return TSlot{false, pos, true, 0, -23, taRightJustify, uaSclTopLft}; }

struct TRecord {
  TpwLayout Layout;
  int Bottom, Top, Left, Right, CaptionY;
  bool Centred;  // caption taCenter at cahChartCenter, else taRightJustify at cahChartRight
  std::array<TSlot, 4> X, Y;
};

TEST(StandardLayout, TheSevenRecords) {
  const TRecord records[] = {
      {pwl_X1Bottom_Y1Left, 40, 20, 50, 20, -16, false, {X1, HX, HX, HX},
       {TSlot{false, 0, true, 0, -16, taLeftJustify, uaSclTopLft}, HY, HY, HY}},
      {pwl_X1Bottom_Y2Left, 40, 24, 100, 20, -16, false, {X1, HX, HX, HX}, {Y(0), Y(50), HY, HY}},
      {pwl_X1Bottom_Y3Left, 40, 24, 150, 20, -16, false, {X1, HX, HX, HX}, {Y(0), Y(50), Y(100), HY}},
      {pwl_X1Bottom_Y4Left, 40, 24, 200, 20, -16, false, {X1, HX, HX, HX}, {Y(0), Y(50), Y(100), Y(150)}},
      {pwl_X1Bottom_Y2Both, 40, 24, 50, 50, -20, true, {X1, HX, HX, HX},
       {Y(0), TSlot{true, 0, true, 0, -23, taLeftJustify, uaSclTopLft}, HY, HY}},
      {pwl_X2Bottom_Y2Left, 70, 24, 100, 20, -16, false,
       {TSlot{false, 0, true, -20, 7, taRightJustify, uaSclTopLft},
        TSlot{false, 30, true, -20, 7, taRightJustify, uaSclTopLft}, HX, HX},
       {Y(0), Y(50), HY, HY}},
      {pwl_X2Both_Y2Both, 40, 64, 50, 50, -60, true,
       {TSlot{false, 0, true, 0, 20, taCenter, uaSclCenter}, TSlot{true, 0, true, 0, -40, taCenter, uaSclCenter}, HX,
        HX},
       {TSlot{false, 0, true, 0, -40, taRightJustify, uaSclTopLft},
        TSlot{true, 0, true, 0, -40, taLeftJustify, uaSclTopLft},
        TSlot{false, 0, false, 0, -23, taRightJustify, uaSclTopLft},
        TSlot{false, 0, false, 0, -23, taRightJustify, uaSclTopLft}}},
  };
  const auto check = [](const TScaleProps& p, const TSlot& s) {
    EXPECT_EQ(p.ScalePos(), s.Pos);
    EXPECT_EQ(p.Visible(), s.Visible);
    EXPECT_EQ(p.CaptionPosX(), s.CaptionX);
    EXPECT_EQ(p.CaptionPosY(), s.CaptionY);
    EXPECT_EQ(p.CaptionAlignment(), s.Alignment);
    EXPECT_EQ(p.CaptionAnchor(), s.Anchor);
  };
  for (const TRecord& r : records) {
    SCOPED_TRACE(int(r.Layout));
    TPlotwell c(nullptr);
    c.SetBounds(0, 0, 600, 400);
    for (int l = 1; l <= 16; ++l) c.XProps(l)->SetVisible(true);
    c.XProps(7)->SetCaption("kept");
    c.SetCaptionAnchorVert(TCaptionAnchorVert::cavControlBottom);
    c.SetStandardLayout(r.Layout);
    EXPECT_EQ(c.MarginBottom(), r.Bottom);
    EXPECT_EQ(c.MarginTop(), r.Top);
    EXPECT_EQ(c.MarginLeft(), r.Left);
    EXPECT_EQ(c.MarginRight(), r.Right);
    EXPECT_EQ(c.CaptionPosX(), 0);
    EXPECT_EQ(c.CaptionPosY(), r.CaptionY);
    EXPECT_EQ(c.CaptionAlignment(), r.Centred ? taCenter : taRightJustify);
    EXPECT_EQ(c.CaptionAnchorHoriz(),
              r.Centred ? TCaptionAnchorHoriz::cahChartCenter : TCaptionAnchorHoriz::cahChartRight);
    EXPECT_EQ(c.CaptionAnchorVert(), TCaptionAnchorVert::cavChartTop);
    EXPECT_EQ(c.StandardLayout(), pwl_X1Bottom_Y1Left) << "the value read back never changes";
    for (int i = 1; i <= 4; ++i) {
      SCOPED_TRACE(i);
      const TSlot& xs = r.X[size_t(i - 1)];
      const TSlot& ys = r.Y[size_t(i - 1)];
      EXPECT_EQ(c.XProps(i)->ScaleLocation(), xs.Far ? TScaleLocationHoriz::slTop : TScaleLocationHoriz::slBottom);
      EXPECT_EQ(c.XProps(i)->Orientation(), xs.Far ? TScaleType::sctXB : TScaleType::sctXT);
      EXPECT_EQ(c.YProps(i)->ScaleLocation(), ys.Far ? TScaleLocationVert::slRight : TScaleLocationVert::slLeft);
      EXPECT_EQ(c.YProps(i)->Orientation(), ys.Far ? TScaleType::sctYL : TScaleType::sctYR);
      check(*c.XProps(i), xs);
      check(*c.YProps(i), ys);
      EXPECT_EQ(c.XScale(i)->Visible(), xs.Visible) << "the scales follow at once";
    }
    for (int l = 5; l <= 16; ++l) EXPECT_FALSE(c.XScale(l)->Visible());
    EXPECT_EQ(c.XProps(7)->Caption(), "kept") << "layers 5 to 16 are only hidden";
  }
}

TEST(StandardLayout, AppliedWithPaintingSuspendedScalesFollow) {
  CountingChart c;
  c.SetStandardLayout(pwl_X1Bottom_Y2Left);
  EXPECT_EQ(c.paints, 1) << "one paint at the end";
  EXPECT_EQ(c.StandardLayout(), pwl_X1Bottom_Y1Left);
  EXPECT_TRUE(c.YScale(2)->Visible());
  EXPECT_EQ(c.YScale(2)->ScaleType(), TScaleType::sctYR);
  EXPECT_EQ(c.YScale(2)->MarginRight(), 50 + 280 - 100 - 1) << "50 pixels further out";
  c.SetStandardLayout(pwl_X2Both_Y2Both);  // top and right scales
  EXPECT_EQ(c.XScale(2)->MarginBottom(), 200 - 64 - 1);
  EXPECT_EQ(c.YScale(2)->MarginLeft(), 280 - 50);
  c.SetPaintSuspended(true);
  c.paints = 0;
  c.SetStandardLayout(pwl_X1Bottom_Y1Left);
  EXPECT_EQ(c.paints, 0);
  EXPECT_TRUE(c.PaintSuspended());
}

}  // namespace
}  // namespace korvo
