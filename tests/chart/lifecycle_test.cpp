// The chart's life: what construction leaves, when painting starts, loading,
// copying one chart into another, and destruction.
#include <gtest/gtest.h>

#include <memory>

#include "chart/plotwell.h"
#include "chart_test_support.h"
#include "platform/framework/Application.h"
#include "platform/graphics/Printer.h"
#include "scale/Scale.h"
#include "support/AllocationCounter.h"

namespace korvo {
namespace {

using test::CountingChart;
using test::HeadlessScope;

// What the default initialisation leaves that no member initialiser gives.
TEST(Lifecycle, ConstructionEndsWithTheDefaults) {
  HeadlessScope scope;
  TPlotwell c(nullptr);
  EXPECT_TRUE(c.PaintSuspended()) << "until the control has its window";
  EXPECT_TRUE(c.AutoRedraw()) << "false only while the defaults are given";
  EXPECT_EQ(c.CaptionPosY(), -16) << "the first layout's, over the initial -15";
  EXPECT_EQ(c.ChartBitmap()->Width(), 280);
  EXPECT_EQ(c.PictureBitmap()->Height(), 10);
  EXPECT_EQ(c.PixelAspectX(), GetDeviceCaps(ScreenHandle, TDeviceCap::ASPECTX));
  EXPECT_EQ(c.PixelAspectY(), GetDeviceCaps(ScreenHandle, TDeviceCap::ASPECTY));
  EXPECT_NE(c.TextFont(), c.Font());
  EXPECT_EQ(c.TextFont()->Name(), c.Font()->Name());
  EXPECT_GE(c.MouseTrace().capacity(), size_t(TCustomPlotwell::MouseTraceCapacity));
  const char* cursors[] = {"CURHAND", "CURZOOMW", "CURZOOMD", "CURZOOMP"};
  for (int i = 1; i <= 4; ++i) EXPECT_EQ(scope.ws().CursorName(Screen()->Cursors(i)), cursors[i - 1]);
}

TEST(Lifecycle, PaintingStartsWithTheWindow) {
  CountingChart c(false);
  c.SetChartColor(clRed);  // repaint (auto), but painting is suspended
  EXPECT_EQ(c.paints, 0);
  c.HandleNeeded();  // CreateWnd lifts PaintSuspended, which paints
  EXPECT_FALSE(c.PaintSuspended());
  EXPECT_EQ(c.paints, 1);
  c.SetPaintSuspended(false);
  EXPECT_EQ(c.paints, 1) << "no change, no paint";
  c.SetPaintSuspended(true);
  c.CrossHair1()->SetMode(TCrossHMode::chBoth);
  EXPECT_EQ(c.paints, 1);
  c.SetPaintSuspended(false);
  EXPECT_EQ(c.paints, 2);
}

TEST(Lifecycle, LoadedBringsTheScalesInStepAndPaintsOnce) {
  CountingChart c;
  c.XProps(3)->StoreRangeHigh(40);  // stored without notification, as while loading
  c.Loaded();
  EXPECT_EQ(c.paints, 1);
  EXPECT_EQ(c.XScale(3)->RangeHigh(), 40.0);
  int32_t px, py;
  c.WorldToPixel(3, 40, 0, px, py);
  EXPECT_EQ(px, 280 - 20);
}

TEST(Lifecycle, TheScalesOwnNoSurfaceSoAResizeCostsOnlyTheChartsOwn) {
  TPlotwell c(nullptr);
  c.SetBounds(0, 0, 1920, 1080);
  for (int l = 1; l <= 16; ++l) {
    EXPECT_EQ(c.XScale(l)->Surface(), nullptr);
    EXPECT_EQ(c.YScale(l)->Surface(), nullptr);
    EXPECT_EQ(c.YScale(l)->Height(), 1080);
  }
  EXPECT_EQ(c.Surface()->Width(), 1920);
  EXPECT_EQ(test::AllocationsDuring([&] { c.SetBounds(0, 0, 1919, 1079); }), 2) << "the chart's surface and its plot bitmap";
  EXPECT_EQ(test::AllocationsDuring([&] { c.SetBounds(5, 5, 1919, 1079); }), 0) << "a move";
}

// Run under the sanitizers: nothing may touch a chart after it is gone.
TEST(Lifecycle, DestructionLeavesNothingBehind) {
  HeadlessScope scope;
  for (bool rootFirst : {true, false}) {
    auto* form = new TForm(nullptr);
    auto* root = new TPlotwell(form);
    auto* member = new TPlotwell(form);
    root->SetParent(form);
    member->SetParent(form);
    if (!rootFirst) root->BringToFront();  // a form destroys its topmost child first
    EXPECT_EQ(root->ComponentCount(), 32) << "the scales are the chart's components";
    root->DrawTo(1.0, 1.0);
    member->SetUseDataOf(root);
    member->JointLayers()->SetXControlledBy(2, 1);
    form->Show();
    Application()->ProcessMessages();
    delete form;
  }
}

// ---- Assign ------------------------------------------------------------------

TEST(Assign, ItemListsGetCapacityInWholeSteps) {
  TPlotwell s(nullptr), d(nullptr), empty(nullptr);
  for (int i = 0; i < 1500; ++i) s.DrawTo(double(i), 0.0);
  s.SetAnnotationMode(true);
  s.TextAt(1, 1, "a", TCoordMode::cmPixel);
  s.SetLongText(3, "annotation text");
  s.SetAnnotationMode(false);
  d.SetAllocSize(7);
  d.Assign(s);
  EXPECT_EQ(d.DataItems().Count(), 1500);
  EXPECT_EQ(d.DataItems().Capacity(), 2000);
  EXPECT_EQ(d.AnnotationItems().Capacity(), 1000);
  EXPECT_EQ(d.KindCount(ckDrawTo), 1500);
  EXPECT_EQ(d.DataItems()[1499].x, 1499.0);
  EXPECT_EQ(d.AnnotationLongTexts().Text(3), "annotation text");
  d.ClearGraph();
  EXPECT_EQ(s.DataItems().Count(), 1500) << "the copy is the copy's own";
  d.Assign(empty);
  EXPECT_EQ(d.DataItems().Capacity(), 1000) << "count 0 still gets one step";
}

TEST(Assign, CopiesSettingsAndLayersButActsOnlyOnItself) {
  TPlotwell s(nullptr);
  s.SetTag(42);
  s.SetMarginLeft(70);
  s.SetShadowWidth(5);
  s.SetCaption("copied");
  s.SetAutoRedraw(false);
  s.SetMouseTraceColor(clRed);
  s.Scale2Y()->SetRangeHigh(8);
  s.Scale1X()->SetLabelType(TFigType::ftTime);
  s.CrossHair3()->SetPosX(0.5);
  s.JointLayers()->SetYControlledBy(5, 2);
  s.OnMouseMoveInChart = [](TObject*, bool, TShiftState, double, double) {};
  CountingChart d;
  d.Loaded();  // its scale objects have loaded; the source's have not
  d.Assign(s);
  EXPECT_EQ(d.Tag(), 42);
  EXPECT_EQ(d.PlotBitmap()->Width(), 280 - 70 - 20 - 5 + 1);
  EXPECT_EQ(d.Caption(), "copied");
  EXPECT_FALSE(d.AutoRedraw());
  EXPECT_EQ(d.MouseTraceColor(), clRed);
  EXPECT_EQ(d.YScale(2)->RangeHigh(), 8.0);
  EXPECT_EQ(d.XScale(1)->DecPlaces(), 4);
  EXPECT_EQ(d.XScale(1)->MarginRight(), 20 + 5 - 1);
  EXPECT_EQ(d.CrossHair3()->PosX(), 0.5);
  EXPECT_EQ(d.JointLayers()->YControlledBy(5), 2);
  EXPECT_TRUE(d.OnMouseMoveInChart);
  // The loading flags stay the copy's own, so it keeps its cross-checks.
  EXPECT_TRUE(s.XProps(3)->Loading());
  d.Scale3X()->SetLogarithmic(true);  // range 0..1: refused once loaded
  EXPECT_FALSE(d.Scale3X()->Logarithmic());
  // The scales report to the copy, the owned objects act on it alone.
  TObject* sender = nullptr;
  d.OnScaleTickDrawn = [&](TObject* who, TCanvas*, TScaleType, double, int, int) { sender = who; };
  d.XScale(1)->OnScaleTickDrawn(d.XScale(1), nullptr, TScaleType::sctXT, 0, 0, 0);
  EXPECT_EQ(sender, &d);
  d.Scale2Y()->SetRangeHigh(20);
  d.JointLayers()->SetYControlledBy(6, 2);
  EXPECT_EQ(s.Scale2Y()->RangeHigh(), 8.0);
  EXPECT_EQ(s.JointLayers()->YControlledBy(6), 6);
  EXPECT_EQ(d.JointLayers()->Owner(), &d);
  // Other classes: the framework's assignment error; AssignTo goes back.
  TFont font;
  EXPECT_THROW(d.Assign(font), EConvertError);
  TPlotwell e(nullptr);
  d.AssignTo(e);
  EXPECT_EQ(e.Caption(), "copied");
}

// The source of a copy is often a chart without a window, which stays
// suspended; a chart that has its window must not take that over, or it
// would never paint again.
TEST(Assign, ACopyWithAWindowKeepsPainting) {
  TPlotwell source(nullptr);
  CountingChart shown;
  shown.Assign(source);
  EXPECT_FALSE(shown.PaintSuspended());
  EXPECT_EQ(shown.paints, 1);
  CountingChart hidden(false);
  hidden.Assign(source);
  EXPECT_TRUE(hidden.PaintSuspended()) << "its window lifts it";
  hidden.HandleNeeded();
  EXPECT_FALSE(hidden.PaintSuspended());
}

}  // namespace
}  // namespace korvo
