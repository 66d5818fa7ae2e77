// Mouse tracking: the world position report, the plot-area test, cursors,
// enter and leave, the re-entrancy guard, double clicks on the scale bands
// and the mouse trace.
#include <stdexcept>
#include <string>
#include <vector>

#include "chart/mouse/mouse_fixture.h"
#include "platform/framework/StdCtrls.h"
#include "support/TestSupport.h"

namespace korvo::test {
namespace {

using enum TMouseActMode;

// A chart laid out like MouseChart on a shown form, for the window
// system's simulated mouse (form client coordinates are the chart's).
struct FormChart {
  FormChart() : form(new TForm(nullptr)), chart(new TPlotwell(form.get())) {
    chart->SetParent(form.get());
    chart->SetMarginLeft(50);
    chart->SetMarginRight(10);
    chart->SetMarginTop(16);
    chart->SetMarginBottom(32);
    chart->SetBounds(0, 0, 160, 148);
    chart->ApplyLayerRange(1, false, 0, 0, 10, 10, false);
    form->SetBounds(0, 0, 400, 300);
    form->Show();
    Application()->ProcessMessages();
  }
  std::unique_ptr<TForm> form;
  TPlotwell* chart;
};

TEST(MouseTracking, ReportsTheWorldPositionAndWhetherInsideThePlotArea) {
  HeadlessScope scope;
  MouseChart c;
  struct Report {
    bool in;
    double x, y;
    bool left;
  };
  std::vector<Report> reports;
  c.OnMouseMoveInChart = [&](TObject* sender, bool in, TShiftState s, double x, double y) {
    EXPECT_EQ(sender, &c);
    reports.push_back({in, x, y, s.Contains(TShiftFlag::ssLeft)});
  };
  c.Move(50, 16, false);
  c.Move(49, 16, false);
  c.Move(150, 116);
  c.Move(151, 117);
  ASSERT_EQ(reports.size(), 4u);
  EXPECT_TRUE(reports[0].in);
  EXPECT_DOUBLE_EQ(reports[0].x, 0);
  EXPECT_DOUBLE_EQ(reports[0].y, 10);
  EXPECT_FALSE(reports[1].in);
  EXPECT_DOUBLE_EQ(reports[1].x, -0.1) << "extrapolated beyond the axis";
  EXPECT_TRUE(reports[2].in);
  EXPECT_TRUE(reports[2].left);
  EXPECT_FALSE(reports[3].in);
  EXPECT_DOUBLE_EQ(reports[3].y, -0.1);
  EXPECT_EQ(c.LastMouseX(), 151);
  EXPECT_EQ(c.LastMouseY(), 117);
  // The report follows CurrentLayer, and takes the unclamped position even
  // where a band clamps the point.
  c.SetLayerInUse(2, true);
  c.Ranges(2, 100, 200, 0, 1);
  c.SetCurrentLayer(2);
  c.SetMouseAction(maZoomWind);
  c.Press(100, 60);
  c.Move(200, 60);
  EXPECT_FALSE(reports.back().in);
  EXPECT_DOUBLE_EQ(reports.back().x, 250);
}

TEST(MouseTracking, ModeCursorsUnlessFixed) {
  HeadlessScope scope;
  MouseChart c;
  const struct {
    TMouseActMode mode;
    TCursor cursor;
  } table[] = {{maNone, crCross},       {maPan, 1},           {maPanHoriz, 1},       {maPanVert, 1},
               {maPanGrid, 1},          {maRubberBand, crDefault}, {maDragCrossH, crDefault},
               {maDragLabel, crDefault}, {maSelectRect, crDefault}, {maZoomWind, 2}, {maZoomWindPos, 4},
               {maZoomDrag, 3}};
  EXPECT_TRUE(c.MouseCursorFixed());
  for (const auto& row : table) {
    c.SetMouseAction(row.mode);
    Screen()->SetCursor(crHourGlass);
    c.Move(100, 60, false);
    EXPECT_EQ(Screen()->Cursor(), crDefault) << "fixed, mode " << int(row.mode);
  }
  c.SetMouseCursorFixed(false);
  for (const auto& row : table) {
    c.SetMouseAction(row.mode);
    c.Move(100, 60, false);
    EXPECT_EQ(Screen()->Cursor(), row.cursor) << "mode " << int(row.mode);
    c.Move(20, 60, false);
    EXPECT_EQ(Screen()->Cursor(), crDefault) << "in the margin, mode " << int(row.mode);
  }
  // The cursors construction registered, by the resources they came from.
  const char* names[] = {"CURHAND", "CURZOOMW", "CURZOOMD", "CURZOOMP"};
  const TMouseActMode modes[] = {maPan, maZoomWind, maZoomDrag, maZoomWindPos};
  for (int i = 0; i < 4; ++i) {
    c.SetMouseAction(modes[i]);
    c.Move(100, 60, false);
    EXPECT_EQ(scope.ws().CursorName(scope.ws().ScreenCursor()), names[i]);
  }
  // The modes the plot area ignores leave the cursor alone inside it.
  for (TMouseActMode mode : {maZoom, maRotate, maRotAndZoom, maRotXOnly, maRotZOnly, maDrawMTrace, maZoomPanColors}) {
    c.SetMouseAction(mode);
    Screen()->SetCursor(crHourGlass);
    c.Move(100, 60, false);
    EXPECT_EQ(Screen()->Cursor(), crHourGlass) << "mode " << int(mode);
  }
}

TEST(MouseTracking, EnterAndLeaveFireOnceAndLeavingGivesTheCursorBack) {
  HeadlessScope scope;
  FormChart f;
  TPlotwell& c = *f.chart;
  c.SetMouseCursorFixed(false);
  c.SetMouseAction(maPan);
  std::vector<std::string> log;
  c.OnMouseEnter = [&](TObject* s) { log.push_back(s == &c ? "enter" : "?"); };
  c.OnMouseLeave = [&](TObject* s) { log.push_back(s == &c ? "leave" : "?"); };
  scope.ws().MouseMove(f.form.get(), 100, 60);
  EXPECT_EQ(scope.ws().CursorName(scope.ws().ScreenCursor()), "CURHAND");
  scope.ws().MouseMove(f.form.get(), 110, 60);
  scope.ws().MouseMove(f.form.get(), 300, 60);
  EXPECT_EQ(log, (std::vector<std::string>{"enter", "leave"}));
  EXPECT_EQ(Screen()->Cursor(), crDefault);
  // A cursor somebody else set since is left alone.
  scope.ws().MouseMove(f.form.get(), 100, 60);
  Screen()->SetCursor(crHourGlass);
  scope.ws().MouseMove(f.form.get(), 300, 60);
  EXPECT_EQ(Screen()->Cursor(), crHourGlass);
}

// A move that comes while the previous one is being handled (a handler ran
// the event loop) is dropped whole; an exception does not leave the guard
// set.
TEST(MouseTracking, NestedMovesAreDropped) {
  HeadlessScope scope;
  MouseChart c;
  int moves = 0, reports = 0;
  c.OnMouseMove = [&](TObject*, TShiftState, int, int) { ++moves; };
  c.OnMouseMoveInChart = [&](TObject*, bool, TShiftState, double, double) {
    ++reports;
    c.Move(120, 70, false);
    Application()->ProcessMessages();
  };
  c.Move(100, 60, false);
  EXPECT_EQ(moves, 1);
  EXPECT_EQ(reports, 1);
  EXPECT_EQ(c.LastMouseX(), 100);
  c.Move(101, 60, false);
  EXPECT_EQ(moves, 2);
  c.OnMouseMoveInChart = [&](TObject*, bool, TShiftState, double, double) { throw std::runtime_error("handler"); };
  EXPECT_THROW(c.Move(102, 60, false), std::runtime_error);
  c.OnMouseMoveInChart = nullptr;
  c.Move(103, 60, false);
  EXPECT_EQ(moves, 4);
  EXPECT_EQ(c.LastMouseX(), 103);
}

TEST(MouseDoubleClick, SwitchesTheScaleUnderThePointerAndSwallowsThePress) {
  HeadlessScope scope;
  FormChart f;
  TPlotwell& c = *f.chart;
  ASSERT_TRUE(c.YProps(1)->Visible());
  ASSERT_TRUE(c.XProps(1)->Visible());
  std::vector<std::string> log;
  c.OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int, int) { log.push_back("down"); };
  c.OnMouseUp = [&](TObject*, TMouseButton, TShiftState, int, int) { log.push_back("up"); };
  c.OnDblClick = [&](TObject*) { log.push_back("dbl"); };
  c.YProps(1)->SetMouseAction(maPan);
  scope.ws().MouseMove(f.form.get(), 25, 60);  // the band left of the plot area
  EXPECT_EQ(c.ScaleAtPos(25, 60), 1);
  scope.ws().DoubleClick(f.form.get(), 25, 60);
  EXPECT_EQ(c.YProps(1)->MouseAction(), maZoom);
  EXPECT_EQ(log, (std::vector<std::string>{"down", "up", "dbl", "up"}));
  scope.ws().DoubleClick(f.form.get(), 25, 60);
  EXPECT_EQ(c.YProps(1)->MouseAction(), maPan);
  // The x scale below the plot area; other modes stay.
  EXPECT_EQ(c.ScaleAtPos(100, 130), -1);
  c.XProps(1)->SetMouseAction(maZoom);
  scope.ws().DoubleClick(f.form.get(), 100, 130);
  EXPECT_EQ(c.XProps(1)->MouseAction(), maPan);
  for (TMouseActMode m : {maNone, maZoomDrag}) {
    c.XProps(1)->SetMouseAction(m);
    scope.ws().DoubleClick(f.form.get(), 100, 130);
    EXPECT_EQ(c.XProps(1)->MouseAction(), m);
  }
  // The swallowed press starts no action either.
  c.SetMouseAction(maZoomWind);
  scope.ws().MouseMove(f.form.get(), 100, 60);
  c.DispatchMouseDoubleClick(TMouseButton::mbLeft, {TShiftFlag::ssLeft}, 100, 60);
  EXPECT_FALSE(c.BandActive());
  c.DispatchMouseDown(TMouseButton::mbLeft, {TShiftFlag::ssLeft}, 100, 60);
  EXPECT_TRUE(c.BandActive()) << "only the one press is swallowed";
}

TEST(MouseTraceRecording, RecordsStrokesDrawnAtOnceAsThePaintDrawsThem) {
  HeadlessScope scope;
  MouseChart c;
  c.SetMouseAction(maDrawMTrace);
  const auto before = Snapshot(c.Shown());
  const auto shown = [&](int x, int y) { return c.Shown().Canvas()->Pixel(x, y); };
  const auto was = [&](int x, int y) { return before->Canvas()->Pixel(x, y); };
  c.Move(60, 60, false);
  EXPECT_TRUE(c.MouseTrace().empty()) << "only with the left button held";
  c.Press(60, 60);
  c.Move(60, 60);
  c.Move(80, 60);
  c.Move(300, 60);  // clamped to column 150
  ASSERT_EQ(c.MouseTrace().size(), 3u);
  EXPECT_DOUBLE_EQ(c.MouseTrace()[1].X, 3);
  EXPECT_DOUBLE_EQ(c.MouseTrace()[2].X, 10);
  EXPECT_EQ(c.MouseTrace()[2].Flags, 2) << "inverted";
  EXPECT_EQ(c.MouseTrace()[2].Color, clWhite);
  EXPECT_EQ(shown(60, 60), was(60, 60) ^ 0xFFFFFF);
  EXPECT_EQ(shown(120, 60), was(120, 60) ^ 0xFFFFFF);
  c.Release(150, 60);
  EXPECT_EQ(c.MouseTrace()[2].Flags, 3) << "the stroke ends";
  // A new stroke in red, copied, is not joined to the first.
  c.SetMouseTraceInvert(false);
  c.SetMouseTraceColor(clRed);
  c.Press(60, 100);
  c.Move(60, 100);
  c.Move(60, 80);
  c.Release(60, 80);
  ASSERT_EQ(c.MouseTrace().size(), 5u);
  EXPECT_EQ(c.MouseTrace()[3].Flags, 0);
  EXPECT_EQ(shown(60, 90), clRed);
  EXPECT_EQ(shown(105, 80), was(105, 80)) << "no segment between the strokes";
  // The paint draws the recorded trace the same way.
  const auto live = Snapshot(c.Shown());
  c.Repaint();
  EXPECT_EQ(CountDifferentPixels(*live, c.Shown()), 0);
}

TEST(MouseTraceRecording, StopsSilentlyAtItsCapacity) {
  HeadlessScope scope;
  MouseChart c;
  c.SetMouseAction(maDrawMTrace);
  c.Press(50, 20);
  for (int i = 0; i < TCustomPlotwell::MouseTraceCapacity; ++i) c.Move(50 + i % 101, 20 + (i / 101) % 97);
  ASSERT_EQ(c.MouseTrace().size(), 5000u);
  const auto full = Snapshot(c.Shown());
  c.Move(140, 110);
  c.Move(60, 30);
  EXPECT_EQ(c.MouseTrace().size(), 5000u);
  EXPECT_EQ(CountDifferentPixels(*full, c.Shown()), 0) << "nothing drawn beyond the limit";
  EXPECT_LE(c.MouseTrace().capacity(), 5000u);
}

}  // namespace
}  // namespace korvo::test
