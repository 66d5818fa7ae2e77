// The chart as a whole: what it owns and its defaults, the item-list
// operations, the published scale objects, crosshairs and text labels.
#include <gtest/gtest.h>

#include "chart/plotwell.h"
#include "scale/Scale.h"

namespace korvo {
namespace {

// A chart that counts its paints, with its window (so that it paints).
class CountingChart : public TPlotwell {
 public:
  explicit CountingChart(bool window = true) : TPlotwell(nullptr) {
    if (window) HandleNeeded();
    paints = 0;
  }
  int paints = 0;

 protected:
  void Paint() override { ++paints; }
};

TEST(Chart, SizeAndPlotArea) {
  TPlotwell chart(nullptr);
  EXPECT_EQ(chart.Width(), 280);
  EXPECT_EQ(chart.Height(), 200);
  // The margins of the layout applied at creation.
  EXPECT_EQ(chart.MarginLeft(), 50);
  EXPECT_EQ(chart.MarginRight(), 20);
  EXPECT_EQ(chart.MarginTop(), 20);
  EXPECT_EQ(chart.MarginBottom(), 40);
  EXPECT_EQ(chart.PlotBitmap()->Width(), 211);
  EXPECT_EQ(chart.PlotBitmap()->Height(), 141);
  EXPECT_TRUE(chart.AutoRedraw());
  EXPECT_EQ(chart.MouseAction(), TMouseActMode::maNone);
  EXPECT_TRUE(chart.RangeLimits().AllZero());
  EXPECT_EQ(chart.ZoomHistoryIndex(), 2) << "reset: one state pushed";
  EXPECT_EQ(chart.ZoomHistory(3, 1), (TZoomHistoryEntry{0, 1, 1, 0}));
}

TEST(Chart, SizeKeepsRoomForThePlotArea) {
  TPlotwell chart(nullptr);
  chart.SetBounds(0, 0, 10, 10);
  EXPECT_EQ(chart.Width(), 50 + 20 + 80);
  EXPECT_EQ(chart.Height(), 20 + 40 + 20);
  chart.SetMarginRight(10);
  chart.SetMarginTop(16);
  chart.SetMarginBottom(32);
  chart.SetBounds(0, 0, 10, 10);
  EXPECT_EQ(chart.Width(), 140);
  EXPECT_EQ(chart.Height(), 68);
  chart.SetShadowWidth(3);
  chart.SetBounds(0, 0, 10, 10);
  EXPECT_EQ(chart.Width(), 143);
  EXPECT_EQ(chart.Height(), 71);
  chart.SetShadowWidth(40);
  EXPECT_EQ(chart.ShadowWidth(), 32);
  chart.SetShadowWidth(-5);
  EXPECT_EQ(chart.ShadowWidth(), 0);
}

TEST(Chart, MarginsMoveThePlotArea) {
  TPlotwell chart(nullptr);
  chart.SetMarginLeft(70);
  chart.SetShadowWidth(4);
  EXPECT_EQ(chart.PlotBitmap()->Width(), 280 - 70 - 20 - 4 + 1);
  EXPECT_EQ(chart.PlotBitmap()->Height(), 200 - 20 - 40 - 4 + 1);
  int32_t px, py;
  chart.WorldToPixel(1, 0, 0, px, py);
  EXPECT_EQ(px, 70);
  EXPECT_EQ(py, 200 - 40 - 4);
  chart.SetMarginLeft(-20);  // no range check: the plot area grows
  chart.WorldToPixel(1, 0, 0, px, py);
  EXPECT_EQ(px, -20);
}

TEST(Chart, LayerDefaults) {
  TPlotwell chart(nullptr);
  const TColor colours[16] = {clBlack, clMaroon, clGreen,  clOlive, clNavy, clPurple,  clTeal, clGray,
                              clSilver, clRed,   clLime,   clYellow, clBlue, clFuchsia, clAqua, clWhite};
  for (int n = 1; n <= 16; ++n) {
    SCOPED_TRACE(n);
    const TScalePropsHoriz& x = *chart.XProps(n);
    const TScalePropsVert& y = *chart.YProps(n);
    EXPECT_EQ(x.ColorScale(), colours[n - 1]);
    EXPECT_EQ(y.ColorScale(), colours[n - 1]);
    EXPECT_EQ(x.RangeLow(), 0.0);
    EXPECT_EQ(x.RangeHigh(), 1.0);
    EXPECT_TRUE(x.Loading()) << "until the chart has loaded";
    if (n <= 4) continue;  // the standard layout placed those
    // Odd layers at the bottom and left, even ones at the top and right, set
    // directly: ScaleLocation keeps reading its default.
    EXPECT_EQ(x.Orientation(), n % 2 ? TScaleType::sctXT : TScaleType::sctXB);
    EXPECT_EQ(y.Orientation(), n % 2 ? TScaleType::sctYR : TScaleType::sctYL);
    EXPECT_EQ(x.ScaleLocation(), TScaleLocationHoriz::slBottom);
    EXPECT_EQ(y.ScaleLocation(), TScaleLocationVert::slLeft);
    EXPECT_EQ(x.ScalePos(), 30 * ((n - 1) / 2));
    EXPECT_EQ(y.ScalePos(), 50 * ((n - 1) / 2));
    EXPECT_FALSE(x.Visible());
    EXPECT_FALSE(y.Visible());
  }
  EXPECT_EQ(chart.Scale1X(), chart.XProps(1));
  EXPECT_EQ(chart.Scale4Y(), chart.YProps(4));
  EXPECT_THROW(chart.XProps(17), EKorvoPlotwellError);
  EXPECT_THROW(chart.YProps(0), EKorvoPlotwellError);
}

TEST(Chart, ScalesStandOnThePlotAreaEdges) {
  TPlotwell chart(nullptr);  // 280 x 200, margins 50, 20, 20, 40
  const TScale& x1 = *chart.XScale(1);
  EXPECT_EQ(x1.Name(), "PW_FScale_X_1");
  EXPECT_EQ(x1.ScaleType(), TScaleType::sctXT);
  EXPECT_EQ(x1.MarginTop(), 200 - 40);
  EXPECT_EQ(x1.MarginLeft(), 50);
  EXPECT_EQ(x1.MarginRight(), 20 - 1);
  EXPECT_EQ(x1.Width(), 280);
  EXPECT_EQ(x1.Height(), 200);
  EXPECT_TRUE(x1.Transparent());
  EXPECT_TRUE(x1.Embedded());
  EXPECT_EQ(x1.FrameStyle(), TFrameStyle::fsNone);
  EXPECT_EQ(x1.ColorBackGnd(), clBtnFace);
  EXPECT_EQ(x1.MouseAction(), TMouseActMode::maZoom);
  EXPECT_EQ(x1.RangeLow(), 0.0);
  EXPECT_EQ(x1.RangeHigh(), 1.0);
  EXPECT_TRUE(x1.Visible()) << "shown by the standard layout";
  EXPECT_EQ(chart.XScale(6)->ScaleType(), TScaleType::sctXB);
  EXPECT_EQ(chart.XScale(6)->MarginBottom(), 60 + 200 - 20 - 1) << "ScalePos moves it outwards";
  EXPECT_EQ(chart.XScale(5)->MarginTop(), 60 + 200 - 40);
  const TScale& y1 = *chart.YScale(1);
  EXPECT_EQ(y1.Name(), "PW_FScale_Y_1");
  EXPECT_EQ(y1.ScaleType(), TScaleType::sctYR);
  EXPECT_EQ(y1.MarginRight(), 280 - 50 - 1);
  EXPECT_EQ(y1.MarginTop(), 20);
  EXPECT_EQ(y1.MarginBottom(), 40 - 1);
  EXPECT_EQ(y1.MouseAction(), TMouseActMode::maNone);
  EXPECT_EQ(chart.YScale(6)->ScaleType(), TScaleType::sctYL);
  EXPECT_EQ(chart.YScale(6)->MarginLeft(), 100 + 280 - 20);
  EXPECT_EQ(chart.YScale(16)->ColorScale(), clWhite);
  EXPECT_THROW(chart.XScale(17), EKorvoPlotwellError);
}

TEST(Chart, ScalesFollowTheirPropertyObjects) {
  TPlotwell chart(nullptr);
  TScalePropsVert& p = *chart.YProps(2);
  p.SetCaption("volts");
  p.SetVisible(true);
  p.SetLabelType(TFigType::ftTime);
  p.SetDecPlaces(2);  // the object keeps 2; its scale gets the label type last
  p.SetRangeHigh(50);
  p.SetScaleLocation(TScaleLocationVert::slLeft);
  p.DateFormat()->SetDateOrder(TDateOrder::doYYMMDD);
  p.Font()->SetName("DejaVu Serif");
  const TScale& s = *chart.YScale(2);
  EXPECT_EQ(s.Caption(), "volts");
  EXPECT_TRUE(s.Visible());
  EXPECT_EQ(s.LabelType(), TFigType::ftTime);
  EXPECT_EQ(p.DecPlaces(), 2);
  EXPECT_EQ(s.DecPlaces(), 4) << "a time axis draws 4 decimals";
  EXPECT_EQ(s.RangeHigh(), 50.0);
  EXPECT_EQ(s.ScaleType(), TScaleType::sctYR);
  EXPECT_EQ(s.DateFormat()->DateOrder(), TDateOrder::doYYMMDD);
  EXPECT_EQ(s.Font()->Name(), "DejaVu Serif");
  // Margins and size follow the chart.
  chart.SetMarginBottom(40);
  chart.SetBounds(0, 0, 300, 250);
  EXPECT_EQ(chart.XScale(1)->MarginTop(), 250 - 40);
  EXPECT_EQ(s.Height(), 250);
  EXPECT_EQ(s.MarginBottom(), 40 - 1);
}

TEST(Chart, ScaleSetterCopiesValuesAndTheChartKeepsListening) {
  TPlotwell chart(nullptr);
  TScalePropsHoriz given;
  given.StoreRangeLow(-10);
  given.StoreRangeHigh(10);
  given.SetCaption("time");
  int givenChanges = 0;
  given.OnChange = [&](TObject*) { ++givenChanges; };
  chart.SetScale2X(given);
  EXPECT_NE(chart.Scale2X(), &given);
  EXPECT_EQ(chart.Scale2X()->Caption(), "time");
  EXPECT_EQ(chart.Scale2X()->RangeLow(), -10.0);
  // The chart's object still re-applies the ranges when it changes.
  chart.Scale2X()->SetRangeHigh(30);
  int32_t px, py;
  chart.WorldToPixel(2, 30, 0, px, py);
  EXPECT_EQ(px, 260);
  EXPECT_EQ(givenChanges, 0);
}

TEST(Chart, ClearGraphEmptiesTheDataListOnly) {
  TPlotwell chart(nullptr);
  chart.MoveTo(0.0, 0.0);
  chart.DrawTo(1.0, 1.0);
  chart.SetAnnotationMode(true);
  chart.TextAt(10, 10, "note", TCoordMode::cmPixel);
  chart.SetAnnotationMode(false);
  chart.SetMarginRight(30);
  chart.ClearGraph();
  EXPECT_EQ(chart.DataItems().Count(), 0);
  EXPECT_EQ(chart.DataItems().Capacity(), 0);
  EXPECT_EQ(chart.KindCount(ckDrawTo), 0);
  EXPECT_EQ(chart.AnnotationItems().Count(), 1);
  EXPECT_EQ(chart.PlotBitmap()->Width(), 280 - 50 - 30 + 1);
}

TEST(Chart, ShowGraphPaintsOnlyAVisibleChart) {
  // Without AutoRedraw ShowGraph paints the whole chart; with it, it
  // refreshes only the plot area (no full paint).
  CountingChart chart;
  chart.SetAutoRedraw(false);
  chart.ShowGraph();
  EXPECT_EQ(chart.paints, 1);
  chart.SetVisible(false);
  chart.paints = 0;
  chart.ShowGraph();
  chart.SetAutoRedraw(true);
  chart.ShowGraph();
  EXPECT_EQ(chart.paints, 0);
}

TEST(Chart, CommandsDoNotPaint) {
  CountingChart chart;
  chart.MoveTo(0.0, 0.0);
  for (int i = 0; i < 100; ++i) chart.DrawTo(double(i), double(i));
  chart.MarkAt(1, 1, 3);
  chart.SetDataColor(clRed);
  EXPECT_EQ(chart.paints, 0);
}

TEST(Chart, CrossHairDefaults) {
  TPlotwell chart(nullptr);
  for (int n = 1; n <= 4; ++n) {
    const TCrossHair& c = *chart.CrossHair(n);
    EXPECT_EQ(c.PosX(), 0.0);
    EXPECT_EQ(c.Layer(), n);
    EXPECT_EQ(c.Color(), clRed);
    EXPECT_EQ(c.Mode(), TCrossHMode::chOff);
    EXPECT_EQ(c.LineType(), TPenStyle::psDashDotDot);
    EXPECT_EQ(c.LineWid(), 1);
  }
  EXPECT_EQ(chart.CrossHair3(), chart.CrossHair(3));
  EXPECT_THROW(chart.CrossHair(5), EKorvoPlotwellError);
}

TEST(Chart, TextLabelsOneToFifty) {
  TPlotwell chart(nullptr);
  for (int n : {1, 50}) {
    const TTextLabel& l = *chart.TextLabel(n);
    EXPECT_EQ(l.PosX(), 0.0);
    EXPECT_EQ(l.AttachToData(), TTxtLblAttachMode::tlamBoth);
    EXPECT_EQ(l.ColorBkg(), clWhite);
    EXPECT_EQ(l.ShadowDx(), 3);
    EXPECT_EQ(l.ColorShadow(), clGray);
    EXPECT_FALSE(l.Visible());
    EXPECT_EQ(l.Mode(), TTxtLblMode::tlOff);
    EXPECT_EQ(l.Font()->Name(), chart.Font()->Name());
  }
  EXPECT_NE(chart.TextLabel(1), chart.TextLabel(2));
  try {
    chart.TextLabel(51);
    FAIL() << "no error";
  } catch (const EKorvoPlotwellError& e) {
    EXPECT_STREQ(e.what(), "Text label 51 is out of range (1..50)");
  }
  EXPECT_THROW(chart.TextLabel(0), EKorvoPlotwellError);
}

TEST(Chart, OwnedObjectsFilledFromAnotherChartNotifyTheirOwnChart) {
  CountingChart a, b;
  b.CrossHair1()->SetPosX(5);
  b.TextLabel(7)->SetCaption("from b");
  a.paints = b.paints = 0;
  a.SetCrossHair1(*b.CrossHair1());
  a.TextLabel(7)->Assign(*b.TextLabel(7));
  EXPECT_EQ(a.CrossHair1()->PosX(), 5.0);
  EXPECT_EQ(a.TextLabel(7)->Caption(), "from b");
  a.paints = b.paints = 0;
  a.CrossHair1()->SetPosX(6);
  a.TextLabel(7)->SetPosY(1);
  EXPECT_EQ(a.paints, 2);
  EXPECT_EQ(b.paints, 0);
}

TEST(Chart, ScaleObjectsFilledFromAnotherChartActOnTheirOwnChart) {
  TPlotwell a(nullptr), b(nullptr);
  b.Scale1X()->SetRangeHigh(4);
  a.SetScale1X(*b.Scale1X());
  a.Scale1X()->SetRangeHigh(8);
  int32_t px, py;
  a.WorldToPixel(1, 8, 0, px, py);
  EXPECT_EQ(px, 260);
  b.WorldToPixel(1, 4, 0, px, py);
  EXPECT_EQ(px, 260) << "the source chart is untouched";
  EXPECT_EQ(b.Scale1X()->RangeHigh(), 4.0);
}

TEST(Chart, OwnedObjectChangesRepaintOnlyWhenAutomatic) {
  CountingChart chart;
  chart.SetAutoRedraw(false);
  chart.CrossHair2()->SetMode(TCrossHMode::chBoth);
  chart.TextLabel(1)->SetVisible(true);
  EXPECT_EQ(chart.paints, 0);
  chart.SetAutoRedraw(true);
  chart.CrossHair2()->SetMode(TCrossHMode::chBoth);
  EXPECT_EQ(chart.paints, 1);
}

TEST(Chart, LoadedClearsTheLoadingFlagsAndChecksLogarithmicFromThenOn) {
  // A chart read from a form description gets Loaded; one made by code
  // leaves its scale objects loading (as a scale made by code does).
  class LoadableChart : public TPlotwell {
   public:
    using TPlotwell::TPlotwell;
    using TPlotwell::Loaded;
  } chart(nullptr);
  chart.Loaded();
  for (int n = 1; n <= 16; ++n) EXPECT_FALSE(chart.XProps(n)->Loading());
  chart.XProps(1)->SetLogarithmic(true);  // range 0..1: refused now
  EXPECT_FALSE(chart.XProps(1)->Logarithmic());
}

}  // namespace
}  // namespace korvo
