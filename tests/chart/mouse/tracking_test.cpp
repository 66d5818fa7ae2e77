// Mouse tracking: the world position report, the re-entrancy guard,
// cursors, enter and leave, double clicks on the scale bands and the trace.
#include <stdexcept>
#include <string>
#include <vector>

#include "chart/mouse/mouse_fixture.h"
#include "platform/framework/StdCtrls.h"

namespace korvo::test {
namespace {

using enum TMouseActMode;

TEST(MouseTracking, ReportsTheWorldPositionAndDropsNestedMoves) {
  HeadlessScope scope;
  MouseChart c;
  std::vector<std::pair<bool, double>> reports;  // InChart, world x
  c.OnMouseMoveInChart = [&](TObject*, bool in, TShiftState, double x, double y) {
    reports.push_back({in, x});
    EXPECT_DOUBLE_EQ(y, 10);
  };
  c.Move(50, 16, false);
  c.Move(49, 16, false);
  ASSERT_EQ(reports.size(), 2u);
  EXPECT_TRUE(reports[0].first);
  EXPECT_DOUBLE_EQ(reports[0].second, 0);
  EXPECT_FALSE(reports[1].first);
  EXPECT_DOUBLE_EQ(reports[1].second, -0.1) << "extrapolated beyond the axis";
  // The unclamped position, where a band clamps the point.
  c.SetMouseAction(maZoomWind);
  c.Press(100, 16);
  c.Move(200, 16);
  EXPECT_DOUBLE_EQ(reports.back().second, 15);
  EXPECT_EQ(c.LastMouseX(), 200);
  c.Release(200, 16, TMouseButton::mbRight);

  // A move arriving while a handler of the previous one runs is dropped
  // whole; an exception does not leave the guard set.
  int moves = 0;
  c.OnMouseMove = [&](TObject*, TShiftState, int, int) { ++moves; };
  c.OnMouseMoveInChart = [&](TObject*, bool, TShiftState, double, double) {
    c.Move(120, 70, false);
    throw std::runtime_error("handler");
  };
  EXPECT_THROW(c.Move(100, 60, false), std::runtime_error);
  EXPECT_EQ(moves, 1);
  EXPECT_EQ(c.LastMouseX(), 100);
  c.OnMouseMoveInChart = nullptr;
  c.Move(103, 60, false);
  EXPECT_EQ(moves, 2);
}

TEST(MouseTracking, ModeCursorsUnlessFixed) {
  HeadlessScope scope;
  MouseChart c;
  const std::pair<TMouseActMode, TCursor> table[] = {
      {maNone, crCross},          {maPan, 1},         {maPanHoriz, 1},        {maPanVert, 1},
      {maPanGrid, 1},             {maRubberBand, crDefault}, {maDragCrossH, crDefault},
      {maDragLabel, crDefault},   {maSelectRect, crDefault}, {maZoomWind, 2}, {maZoomWindPos, 4},
      {maZoomDrag, 3}};
  for (bool fixed : {true, false}) {
    c.SetMouseCursorFixed(fixed);
    for (const auto& [mode, cursor] : table) {
      c.SetMouseAction(mode);
      Screen()->SetCursor(crHourGlass);
      c.Move(100, 60, false);
      EXPECT_EQ(Screen()->Cursor(), fixed ? crDefault : cursor) << int(mode);
      Screen()->SetCursor(crHourGlass);
      c.Move(20, 60, false);
      EXPECT_EQ(Screen()->Cursor(), crDefault) << "in the margin, " << int(mode);
    }
  }
  c.SetMouseAction(maZoomWindPos);
  c.Move(100, 60, false);
  EXPECT_EQ(scope.ws().CursorName(scope.ws().ScreenCursor()), "CURZOOMP") << "the registered cursor";
  for (TMouseActMode mode : {maZoom, maRotate, maDrawMTrace, maZoomPanColors}) {
    c.SetMouseAction(mode);
    Screen()->SetCursor(crHourGlass);
    c.Move(100, 60, false);
    EXPECT_EQ(Screen()->Cursor(), crHourGlass) << "left alone, " << int(mode);
  }
}

// A chart laid out like MouseChart on a shown form, for the window
// system's simulated mouse.
struct FormChart {
  FormChart() : form(new TForm(nullptr)), chart(new TPlotwell(form.get())) {
    chart->SetParent(form.get());
    chart->SetMarginLeft(50);
    chart->SetMarginRight(10);
    chart->SetMarginTop(16);
    chart->SetMarginBottom(32);
    chart->SetBounds(0, 0, 160, 148);
    form->SetBounds(0, 0, 400, 300);
    form->Show();
  }
  std::unique_ptr<TForm> form;
  TPlotwell* chart;
};

TEST(MouseTracking, EnterAndLeaveFireOnceAndLeavingGivesTheCursorBack) {
  HeadlessScope scope;
  FormChart f;
  f.chart->SetMouseCursorFixed(false);
  f.chart->SetMouseAction(maPan);
  std::vector<std::string> log;
  f.chart->OnMouseEnter = [&](TObject*) { log.push_back("enter"); };
  f.chart->OnMouseLeave = [&](TObject*) { log.push_back("leave"); };
  scope.ws().MouseMove(f.form.get(), 100, 60);
  EXPECT_EQ(scope.ws().CursorName(scope.ws().ScreenCursor()), "CURHAND");
  scope.ws().MouseMove(f.form.get(), 110, 60);
  scope.ws().MouseMove(f.form.get(), 300, 60);
  EXPECT_EQ(log, (std::vector<std::string>{"enter", "leave"}));
  EXPECT_EQ(Screen()->Cursor(), crDefault);
  scope.ws().MouseMove(f.form.get(), 100, 60);
  Screen()->SetCursor(crHourGlass);  // somebody else's cursor stays
  scope.ws().MouseMove(f.form.get(), 300, 60);
  EXPECT_EQ(Screen()->Cursor(), crHourGlass);
}

TEST(MouseDoubleClick, SwitchesTheScaleUnderThePointerAndSwallowsThePress) {
  HeadlessScope scope;
  FormChart f;
  TPlotwell& c = *f.chart;
  std::vector<std::string> log;
  c.OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int, int) { log.push_back("down"); };
  c.OnMouseUp = [&](TObject*, TMouseButton, TShiftState, int, int) { log.push_back("up"); };
  c.OnDblClick = [&](TObject*) { log.push_back("dbl"); };
  c.YProps(1)->SetMouseAction(maPan);
  scope.ws().MouseMove(f.form.get(), 25, 60);  // the y scale left of the plot area
  scope.ws().DoubleClick(f.form.get(), 25, 60);
  EXPECT_EQ(c.YProps(1)->MouseAction(), maZoom);
  EXPECT_EQ(log, (std::vector<std::string>{"down", "up", "dbl", "up"}));
  scope.ws().DoubleClick(f.form.get(), 25, 60);
  EXPECT_EQ(c.YProps(1)->MouseAction(), maPan);
  for (TMouseActMode m : {maNone, maZoomDrag}) {  // the x scale below; other modes stay
    c.XProps(1)->SetMouseAction(m);
    scope.ws().DoubleClick(f.form.get(), 100, 130);
    EXPECT_EQ(c.XProps(1)->MouseAction(), m);
  }
  // The swallowed press starts no action; the next one does.
  c.SetMouseAction(maZoomWind);
  c.DispatchMouseDoubleClick(TMouseButton::mbLeft, {TShiftFlag::ssLeft}, 100, 60);
  EXPECT_FALSE(c.BandActive());
  c.DispatchMouseDown(TMouseButton::mbLeft, {TShiftFlag::ssLeft}, 100, 60);
  EXPECT_TRUE(c.BandActive());
}

// LastMouseX/Y are the latest move's position: a press elsewhere (a
// synthetic one, or one the window system reports without a move) leaves
// them, and the double click that follows picks its band from the move.
TEST(MouseDoubleClick, APressDoesNotMoveTheLastMousePosition) {
  HeadlessScope scope;
  MouseChart c;
  c.YProps(1)->SetMouseAction(maPan);
  c.Move(100, 60, false);  // inside the plot area
  c.Press(25, 60);         // over the y scale
  EXPECT_EQ(c.LastMouseX(), 100);
  EXPECT_EQ(c.LastMouseY(), 60);
  c.Release(25, 60);
  c.DispatchMouseDoubleClick(TMouseButton::mbLeft, {TShiftFlag::ssLeft}, 25, 60);
  EXPECT_EQ(c.YProps(1)->MouseAction(), maPan) << "the band under the last move, the plot area, has none";
}

TEST(MouseTraceRecording, StrokesDrawnAtOnceAsThePaintDrawsThem) {
  HeadlessScope scope;
  MouseChart c;
  c.SetMouseAction(maDrawMTrace);
  const auto before = Snapshot(c.Shown());
  const auto was = [&](int x, int y) { return before->Canvas()->Pixel(x, y); };
  c.Move(60, 60, false);  // only with the left button held
  c.Drag({{60, 60}, {80, 60}, {300, 60}});
  ASSERT_EQ(c.MouseTrace().size(), 3u);
  EXPECT_DOUBLE_EQ(c.MouseTrace()[2].X, 10) << "clamped into the plot area";
  EXPECT_EQ(c.MouseTrace()[2].Flags, 3) << "inverted, and the stroke ends";
  EXPECT_EQ(c.At(60, 60), was(60, 60) ^ 0xFFFFFF);
  EXPECT_EQ(c.At(120, 60), was(120, 60) ^ 0xFFFFFF);
  c.SetMouseTraceInvert(false);
  c.SetMouseTraceColor(clRed);
  c.Drag({{60, 100}, {60, 80}});
  EXPECT_EQ(c.MouseTrace()[3].Flags, 0);
  EXPECT_EQ(c.At(60, 90), clRed);
  EXPECT_EQ(c.At(105, 80), was(105, 80)) << "no segment between the strokes";
  const auto live = Snapshot(c.Shown());
  c.Repaint();
  EXPECT_EQ(CountDifferentPixels(*live, c.Shown()), 0);

  // It stops silently at its capacity, drawing nothing more.
  c.Press(50, 20);
  while (c.MouseTrace().size() < 5000) c.Move(50 + int(c.MouseTrace().size() % 101), 20);
  const auto full = Snapshot(c.Shown());
  c.Move(140, 110);
  EXPECT_EQ(c.MouseTrace().size(), 5000u);
  EXPECT_EQ(CountDifferentPixels(*full, c.Shown()), 0);
}

}  // namespace
}  // namespace korvo::test
