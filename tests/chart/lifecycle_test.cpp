// The chart's life: what construction leaves, when painting starts,
// loading, copying one chart into another, and destruction.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "chart/plotwell.h"
#include "chart_test_support.h"
#include "platform/framework/Application.h"
#include "platform/framework/StdCtrls.h"
#include "platform/graphics/Printer.h"
#include "scale/Scale.h"
#include "support/AllocationCounter.h"

namespace korvo {
namespace {

using test::CountingChart;
using test::HeadlessScope;

TEST(Lifecycle, ConstructionGivesTheDefaults) {
  HeadlessScope scope;
  TPlotwell c(nullptr);
  EXPECT_TRUE(c.PaintSuspended()) << "until the control has its window";
  EXPECT_TRUE(c.AutoRedraw()) << "set false only while the defaults are given";
  EXPECT_EQ(c.StandardLayout(), TpwLayout::pwl_X1Bottom_Y1Left);
  EXPECT_EQ(c.DataItems().Count(), 0);
  EXPECT_EQ(c.DataItems().Capacity(), 0);
  EXPECT_EQ(c.AnnotationItems().Capacity(), 0);
  for (int k = 0; k <= ckLastKind; ++k) EXPECT_EQ(c.KindCount(k), 0);
  EXPECT_EQ(c.ClassDefault(), 0);
  EXPECT_EQ(c.AllocSize(), 1000);
  EXPECT_FALSE(c.AvoidDuplicateMarks());
  EXPECT_EQ(c.MinDupMarkDist(), 1);
  EXPECT_EQ(c.ShadowWidth(), 0);
  EXPECT_EQ(c.ShadowColor(), clGrayText);
  EXPECT_EQ(c.ShadowBakColor(), clBtnFace);
  EXPECT_EQ(c.ShadowStyle(), TShadowStyle::ssFlying);
  EXPECT_EQ(c.CurrentLayer(), 1);
  for (int l = 1; l <= 16; ++l) {
    EXPECT_EQ(c.LayerInUse(l), l == 1);
    EXPECT_TRUE(c.LayerVisible(l));
  }
  EXPECT_EQ(c.DataColor(), clBlack);
  EXPECT_EQ(c.PenStyle(), TPenStyle::psSolid);
  EXPECT_EQ(c.ChartFrameColor(), clBlack);
  EXPECT_EQ(c.FillColor(), clSilver);
  EXPECT_EQ(c.ChartColor(), clWhite);
  EXPECT_EQ(c.WindColor(), clBtnFace);
  EXPECT_EQ(c.GridColor(), clBlack);
  EXPECT_EQ(c.LineWidth(), 1);
  EXPECT_EQ(c.PanGridDx(), 1.0);
  EXPECT_EQ(c.PanGridDy(), 1.0);
  EXPECT_EQ(c.PanGridOffsX(), 0.0);
  EXPECT_EQ(c.PanGridOffsY(), 0.0);
  EXPECT_EQ(c.UseDataOf(), nullptr);
  EXPECT_EQ(c.ShareCount(), 0);
  EXPECT_EQ(c.Caption(), "");
  EXPECT_EQ(c.CaptionTrim(), 100);
  EXPECT_EQ(c.CaptionPosX(), 0);
  EXPECT_EQ(c.CaptionPosY(), -16) << "the first layout's, over the initial -15";
  EXPECT_EQ(c.CaptionAlignment(), TAlignment::taRightJustify);
  EXPECT_EQ(c.CaptionAnchorHoriz(), TCaptionAnchorHoriz::cahChartRight);
  EXPECT_EQ(c.CaptionAnchorVert(), TCaptionAnchorVert::cavChartTop);
  EXPECT_FALSE(c.Isometric());
  EXPECT_TRUE(c.MouseCursorFixed());
  EXPECT_EQ(c.TextFont()->Name(), c.Font()->Name());
  EXPECT_EQ(c.TextFont()->Size(), c.Font()->Size());
  EXPECT_NE(c.TextFont(), c.Font());
  EXPECT_EQ(c.TextFontStyle(), TFontStyles{});
  EXPECT_EQ(c.TextBkStyle(), TTextBkg::tbClear);
  EXPECT_EQ(c.TextAlignment(), TAlignment::taCenter);
  for (int k : {0, 128, 255}) {
    EXPECT_TRUE(c.ClassVisible(uint8_t(k)));
    EXPECT_TRUE(c.AnnotationClassVisible(uint8_t(k)));
  }
  EXPECT_FALSE(c.DataOverAnnotations());
  EXPECT_TRUE(c.AnnotationTextsOnTop());
  EXPECT_TRUE(c.AnnotationsVisible());
  EXPECT_FALSE(c.AnnotationMode());
  EXPECT_EQ(c.GridStyle(), GridStyleType::gsNone);
  EXPECT_EQ(c.GridDx(), 0.0);
  EXPECT_EQ(c.GridDy(), 0.0);
  EXPECT_EQ(c.PlotBitmap()->PixelFormat(), TPixelFormat::pf32bit);
  EXPECT_EQ(c.PictureBitmap()->Width(), 10);
  EXPECT_EQ(c.PictureBitmap()->Height(), 10);
  EXPECT_EQ(c.ChartBitmap()->Width(), 280);
  EXPECT_EQ(c.ChartBitmap()->Height(), 200);
  EXPECT_EQ(c.PixelAspectX(), GetDeviceCaps(ScreenHandle, TDeviceCap::ASPECTX));
  EXPECT_EQ(c.PixelAspectY(), GetDeviceCaps(ScreenHandle, TDeviceCap::ASPECTY));
  EXPECT_TRUE(c.RangeLimits().AllZero());
  EXPECT_EQ(c.MouseAction(), TMouseActMode::maNone);
  EXPECT_TRUE(c.MouseTrace().empty());
  EXPECT_GE(c.MouseTrace().capacity(), size_t(TCustomPlotwell::MouseTraceCapacity));
  EXPECT_EQ(c.MouseTraceColor(), clWhite);
  EXPECT_TRUE(c.MouseTraceInvert());
  EXPECT_EQ(c.BackGroundImg()->Name(), "");
  EXPECT_TRUE(c.BackGroundImg()->OnChange);
  EXPECT_TRUE(c.JointLayers()->OnChange);
  EXPECT_EQ(c.JointLayers()->Owner(), &c);
  // The four cursors of the mouse actions are the screen's cursors 1 to 4.
  const char* cursors[] = {"CURHAND", "CURZOOMW", "CURZOOMD", "CURZOOMP"};
  for (int i = 1; i <= 4; ++i) EXPECT_EQ(scope.ws().CursorName(Screen()->Cursors(i)), cursors[i - 1]);
  EXPECT_EQ(c.DialogCode() & (DLGC_WANTARROWS | DLGC_WANTTAB), DLGC_WANTARROWS | DLGC_WANTTAB);
  EXPECT_EQ(c.DialogCode() & DLGC_WANTALLKEYS, 0);
}

TEST(Lifecycle, PaintingStartsWithTheWindow) {
  CountingChart c(false);
  c.SetChartColor(clRed);  // repaint (auto), but painting is suspended
  c.SetGridStyle(GridStyleType::gsLines);
  EXPECT_EQ(c.paints, 0);
  c.HandleNeeded();  // CreateWnd lifts PaintSuspended, which paints
  EXPECT_FALSE(c.PaintSuspended());
  EXPECT_EQ(c.paints, 1);
  c.SetPaintSuspended(false);
  EXPECT_EQ(c.paints, 1) << "no change, no paint";
  c.SetPaintSuspended(true);
  c.SetChartColor(clBlue);
  c.CrossHair1()->SetMode(TCrossHMode::chBoth);
  EXPECT_EQ(c.paints, 1);
  c.SetPaintSuspended(false);
  EXPECT_EQ(c.paints, 2);
  c.SetChartColor(clGreen);
  EXPECT_EQ(c.paints, 3);
}

TEST(Lifecycle, LoadedBringsTheScalesInStepAndPaintsOnce) {
  CountingChart c;
  // Values stored without notification, as while loading.
  c.XProps(3)->StoreRangeHigh(40);
  c.YProps(7)->StoreRangeLow(-5);
  EXPECT_EQ(c.XScale(3)->RangeHigh(), 1.0);
  c.Loaded();
  EXPECT_EQ(c.paints, 1);
  EXPECT_EQ(c.XScale(3)->RangeHigh(), 40.0);
  EXPECT_EQ(c.YScale(7)->RangeLow(), -5.0);
  int32_t px, py;
  c.WorldToPixel(3, 40, 0, px, py);
  EXPECT_EQ(px, 280 - 20);
  for (int l = 1; l <= 16; ++l) {
    EXPECT_FALSE(c.XProps(l)->Loading());
    EXPECT_FALSE(c.YProps(l)->Loading());
  }
}

TEST(Lifecycle, TheScalesOwnNoSurfaceSoAResizeCostsOnlyTheChartsOwn) {
  TPlotwell c(nullptr);
  c.SetBounds(0, 0, 1920, 1080);
  for (int l = 1; l <= 16; ++l) {
    EXPECT_EQ(c.XScale(l)->Surface(), nullptr);
    EXPECT_EQ(c.YScale(l)->Surface(), nullptr);
    EXPECT_EQ(c.XScale(l)->Width(), 1920);
    EXPECT_EQ(c.YScale(l)->Height(), 1080);
  }
  ASSERT_NE(c.Surface(), nullptr);
  EXPECT_EQ(c.Surface()->Width(), 1920);
  // Another size: the chart's surface is the only block allocated.
  EXPECT_EQ(test::AllocationsDuring([&] { c.SetBounds(0, 0, 1919, 1079); }), 1);
  EXPECT_EQ(test::AllocationsDuring([&] { c.SetBounds(5, 5, 1919, 1079); }), 0) << "a move allocates nothing";
}

// ---- Assign ------------------------------------------------------------------

TEST(Assign, ItemListsGetCapacityInWholeSteps) {
  TPlotwell s(nullptr), d(nullptr);
  for (int i = 0; i < 1500; ++i) s.DrawTo(double(i), double(i));
  s.MarkAt(1, 1, 3);
  s.SetAnnotationMode(true);
  for (int i = 0; i < 10; ++i) s.TextAt(i, i, "a", TCoordMode::cmPixel);
  s.SetLongText(3, "annotation text");
  s.SetAnnotationMode(false);
  s.SetLongText(2, "data text");
  d.SetAllocSize(7);
  d.Assign(s);
  EXPECT_EQ(d.DataItems().Count(), 1501);
  EXPECT_EQ(d.DataItems().Capacity(), 2000);
  EXPECT_EQ(d.AnnotationItems().Count(), 10);
  EXPECT_EQ(d.AnnotationItems().Capacity(), 1000);
  EXPECT_EQ(d.AllocSize(), 1000);
  EXPECT_EQ(d.KindCount(ckDrawTo), 1500);
  EXPECT_EQ(d.KindCount(ckMark), 1);
  EXPECT_EQ(d.DataItems()[1499].x, 1499.0);
  EXPECT_EQ(d.DataLongTexts().Text(2), "data text");
  EXPECT_EQ(d.AnnotationLongTexts().Text(3), "annotation text");
  EXPECT_NE(&d.DataItems(), &s.DataItems());
  // The copies are the copy's own.
  d.ClearGraph();
  EXPECT_EQ(s.DataItems().Count(), 1501);
  s.SetAllocSize(1000);
  TPlotwell e(nullptr);
  TPlotwell empty(nullptr);
  e.Assign(empty);
  EXPECT_EQ(e.DataItems().Capacity(), 1000) << "count 0 still gets one step";
}

TEST(Assign, CopiesTheSettingsLayersAndOwnedObjects) {
  TPlotwell s(nullptr);
  s.SetTag(42);
  s.SetMarginLeft(70);
  s.SetShadowWidth(5);
  s.SetGridStyle(GridStyleType::gsDotLines);
  s.SetGridDx(0.5);
  s.SetGridColor(clNavy);
  s.SetChartColor(clYellow);
  s.SetWindColor(clAqua);
  s.SetDataColor(clRed);
  s.SetFillColor(clLime);
  s.SetPenStyle(TPenStyle::psDot);
  s.SetLineWidth(3);
  s.SetCaption("copied");
  s.SetCaptionTrim(50);
  s.SetCaptionAnchorHoriz(TCaptionAnchorHoriz::cahControlLeft);
  s.SetClassDefault(9);
  s.SetCurrentLayer(4);
  s.SetLayerInUse(4, true);
  s.SetLayerVisible(6, false);
  s.SetClassVisible(200, false);
  s.SetAvoidDuplicateMarks(true);
  s.SetMinDupMarkDist(3);
  s.SetAutoRedraw(false);
  s.SetTextBkStyle(TTextBkg::tbSolid);
  s.SetTextAlignment(TAlignment::taLeftJustify);
  s.TextFont()->SetName("DejaVu Serif");
  s.SetMouseAction(TMouseActMode::maPan);
  s.SetMouseTraceColor(clRed);
  s.SetPanGridDx(0.25);
  s.SetDataOverAnnotations(true);
  s.SetRangeLimits(-10, -10, 10, 10);
  s.Scale2Y()->SetRangeHigh(8);
  s.Scale2Y()->SetCaption("volts");
  s.Scale1X()->SetLabelType(TFigType::ftTime);
  s.CrossHair3()->SetPosX(0.5);
  s.TextLabel(12)->SetCaption("label");
  s.BackGroundImg()->SetAreaMode(TBGAreaMode::bamRect);
  s.JointLayers()->SetYControlledBy(5, 2);
  s.PushZoomHistory();
  int moves = 0;
  s.OnMouseMoveInChart = [&](TObject*, bool, TShiftState, double, double) { ++moves; };

  class LoadableChart : public TPlotwell {
   public:
    using TPlotwell::TPlotwell;
    using TPlotwell::Loaded;
  } d(nullptr);
  d.Loaded();  // its scale objects are loaded; the source's are not
  d.Assign(s);
  EXPECT_EQ(d.Tag(), 42);
  EXPECT_EQ(d.MarginLeft(), 70);
  EXPECT_EQ(d.ShadowWidth(), 5);
  EXPECT_EQ(d.PlotBitmap()->Width(), 280 - 70 - 20 - 5 + 1);
  EXPECT_EQ(d.GridStyle(), GridStyleType::gsDotLines);
  EXPECT_EQ(d.GridDx(), 0.5);
  EXPECT_EQ(d.GridColor(), clNavy);
  EXPECT_EQ(d.ChartColor(), clYellow);
  EXPECT_EQ(d.WindColor(), clAqua);
  EXPECT_EQ(d.DataColor(), clRed);
  EXPECT_EQ(d.FillColor(), clLime);
  EXPECT_EQ(d.PenStyle(), TPenStyle::psDot);
  EXPECT_EQ(d.LineWidth(), 3);
  EXPECT_EQ(d.Caption(), "copied");
  EXPECT_EQ(d.CaptionTrim(), 50);
  EXPECT_EQ(d.CaptionAnchorHoriz(), TCaptionAnchorHoriz::cahControlLeft);
  EXPECT_EQ(d.ClassDefault(), 9);
  EXPECT_EQ(d.CurrentLayer(), 4);
  EXPECT_TRUE(d.LayerInUse(4));
  EXPECT_FALSE(d.LayerVisible(6));
  EXPECT_FALSE(d.ClassVisible(200));
  EXPECT_TRUE(d.AvoidDuplicateMarks());
  EXPECT_EQ(d.MinDupMarkDist(), 3);
  EXPECT_FALSE(d.AutoRedraw());
  EXPECT_EQ(d.TextBkStyle(), TTextBkg::tbSolid);
  EXPECT_EQ(d.TextAlignment(), TAlignment::taLeftJustify);
  EXPECT_EQ(d.TextFont()->Name(), "DejaVu Serif");
  EXPECT_NE(d.TextFont(), s.TextFont());
  EXPECT_EQ(d.MouseAction(), TMouseActMode::maPan);
  EXPECT_EQ(d.MouseTraceColor(), clRed);
  EXPECT_EQ(d.PanGridDx(), 0.25);
  EXPECT_TRUE(d.DataOverAnnotations());
  EXPECT_EQ(d.RangeLimits().XHigh, 10);
  EXPECT_EQ(d.Scale2Y()->RangeHigh(), 8.0);
  EXPECT_EQ(d.YScale(2)->Caption(), "volts");
  EXPECT_EQ(d.YScale(2)->RangeHigh(), 8.0);
  EXPECT_EQ(d.XScale(1)->DecPlaces(), 4);
  EXPECT_EQ(d.XScale(1)->ColorBackGnd(), s.XScale(1)->ColorBackGnd());
  EXPECT_EQ(d.XScale(1)->MarginRight(), 20 + 5 - 1);
  EXPECT_EQ(d.CrossHair3()->PosX(), 0.5);
  EXPECT_EQ(d.TextLabel(12)->Caption(), "label");
  EXPECT_EQ(d.BackGroundImg()->AreaMode(), TBGAreaMode::bamRect);
  EXPECT_EQ(d.JointLayers()->YControlledBy(5), 2);
  EXPECT_EQ(d.JointLayers()->Owner(), &d);
  EXPECT_EQ(d.ZoomHistory(2, 2), s.ZoomHistory(2, 2));
  // Re-applying the ranges at the end moves the joined layer 5 along its
  // controller, which records one state.
  EXPECT_EQ(d.ZoomHistoryIndex(), s.ZoomHistoryIndex() + 1);
  ASSERT_TRUE(d.OnMouseMoveInChart);
  // The loading flags stay the copy's own: a copy whose chart has loaded
  // keeps its cross-checks.
  for (int l = 1; l <= 16; ++l) EXPECT_FALSE(d.XProps(l)->Loading());
  EXPECT_TRUE(s.XProps(1)->Loading());
  d.Scale3X()->SetLogarithmic(true);  // range 0..1: refused once loaded
  EXPECT_FALSE(d.Scale3X()->Logarithmic());

  // Nothing in the copy acts on the source.
  int sourceChanges = 0;
  s.OnScaleTickDrawn = [&](TObject*, TCanvas*, TScaleType, double, int, int) { ++sourceChanges; };
  TObject* sender = nullptr;
  d.OnScaleTickDrawn = [&](TObject* who, TCanvas*, TScaleType, double, int, int) { sender = who; };
  ASSERT_TRUE(d.XScale(1)->OnScaleTickDrawn);
  d.XScale(1)->OnScaleTickDrawn(d.XScale(1), nullptr, TScaleType::sctXT, 0, 0, 0);
  EXPECT_EQ(sender, &d);
  EXPECT_EQ(sourceChanges, 0);
  d.Scale2Y()->SetRangeHigh(20);
  d.CrossHair3()->SetPosX(0.75);
  d.JointLayers()->SetYControlledBy(6, 2);
  EXPECT_EQ(s.Scale2Y()->RangeHigh(), 8.0);
  EXPECT_EQ(s.CrossHair3()->PosX(), 0.5);
  EXPECT_EQ(s.JointLayers()->YControlledBy(6), 6);
  int32_t px, py;
  d.WorldToPixel(2, 0, 20, px, py);
  EXPECT_EQ(py, 20);
  s.WorldToPixel(2, 0, 8, px, py);
  EXPECT_EQ(py, 20);
}

TEST(Assign, OtherClassesAndTheReverseDirection) {
  TPlotwell a(nullptr), b(nullptr);
  TFont font;
  EXPECT_THROW(a.Assign(font), EConvertError);
  EXPECT_THROW(font.Assign(a), EConvertError);
  a.SetChartColor(clMaroon);
  a.MoveTo(1.0, 2.0);
  a.AssignTo(b);
  EXPECT_EQ(b.ChartColor(), clMaroon);
  EXPECT_EQ(b.DataItems().Count(), 1);
  b.Assign(b);  // itself: nothing happens
  EXPECT_EQ(b.DataItems().Count(), 1);
}

// The source of a copy is often a chart without a window, which stays
// suspended; a chart that has its window must not take that over, or it
// would never paint again.
TEST(Assign, ACopyWithAWindowKeepsPainting) {
  TPlotwell source(nullptr);
  ASSERT_TRUE(source.PaintSuspended());
  CountingChart shown;
  shown.Assign(source);
  EXPECT_FALSE(shown.PaintSuspended());
  EXPECT_EQ(shown.paints, 1) << "the copy paints once";
  shown.SetChartColor(clRed);
  EXPECT_EQ(shown.paints, 2);
  // A chart without a window takes the source's state; its window lifts it.
  CountingChart hidden(false);
  CountingChart painting;
  hidden.Assign(painting);
  EXPECT_FALSE(hidden.PaintSuspended());
  CountingChart hidden2(false);
  hidden2.Assign(source);
  EXPECT_TRUE(hidden2.PaintSuspended());
  hidden2.HandleNeeded();
  EXPECT_FALSE(hidden2.PaintSuspended());
}

// ---- destruction -------------------------------------------------------------

// Run under the sanitizers: nothing may touch a chart after it is gone.
TEST(Lifecycle, DestructionLeavesNothingBehind) {
  HeadlessScope scope;
  for (bool rootFirst : {true, false}) {
    SCOPED_TRACE(rootFirst);
    auto* form = new TForm(nullptr);
    auto* root = new TPlotwell(form);
    auto* member = new TPlotwell(form);
    root->SetParent(form);
    member->SetParent(form);
    if (!rootFirst) root->BringToFront();  // a form destroys its topmost child first
    EXPECT_EQ(root->ComponentCount(), 32) << "the scales are the chart's components";
    root->MoveTo(0.0, 0.0);
    root->DrawTo(1.0, 1.0);
    member->SetUseDataOf(root);
    member->TextLabel(50)->SetVisible(true);
    member->CrossHair4()->SetMode(TCrossHMode::chBoth);
    form->Show();
    Application()->ProcessMessages();
    delete form;
  }
  // A chart on its own, with every owned object in use.
  auto chart = std::make_unique<CountingChart>();
  chart->Scale1X()->SetRangeHigh(5);
  chart->BackGroundImg()->SetAreaMode(TBGAreaMode::bamLeft);
  chart->JointLayers()->SetXControlledBy(2, 1);
  chart.reset();
}

}  // namespace
}  // namespace korvo
