// Keys through Qt's input path: the focused control gets KeyDown, the
// character and KeyUp; a chart takes the focus by a click, and pans and
// zooms by keys and wheel, only with WheelAndKeyNavigation.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <QWheelEvent>
#include <QWidget>
#include <QWindow>
#include <memory>

#include "chart/plotwell.h"
#include "qt/qt_fixture.h"

namespace korvo::qttest {
namespace {

TEST(QtKeys, AChartTakesTheFocusAndTheKeysOnlyWithNavigation) {
  std::unique_ptr<TForm> form(ShowForm(300, 200));
  auto* probe = new TProbe(form.get());  // where Ctrl+Tab goes
  probe->SetBounds(10, 10, 80, 50);
  probe->SetParent(form.get());
  probe->SetTabStop(true);
  auto* chart = new TPlotwell(form.get());
  chart->SetBounds(100, 10, 190, 180);  // window (210, 90) lies in its plot area
  chart->SetParent(form.get());
  chart->ApplyLayerRange(1, false, 0, 0, 10, 10, false);
  ASSERT_TRUE(ProcessUntil([&] { return probe->Paints > 0; }));
  QWindow* window = WindowOf(form.get());
  std::string log;
  chart->OnKeyDown = [&](TObject*, uint16_t& key, TShiftState s) {
    log += "down " + std::to_string(key) + ShiftText(s) + " ";
    if (key == 'B') key = 0;
  };
  chart->OnKeyPress = [&](TObject*, char& c) { log += std::string("press ") + c + " "; };
  chart->OnKeyUp = [&](TObject*, uint16_t& key, TShiftState) { log += "up " + std::to_string(key) + " "; };
  int wheels = 0;
  chart->OnMouseWheel = [&](TObject*, TShiftState, int, const TPoint&, bool&) { ++wheels; };
  const auto click = [&] { QTest::mouseClick(window, Qt::LeftButton, Qt::NoModifier, QPoint(210, 90)); };
  const auto focused = [](TWinControl* c) { return WidgetOf(c)->hasFocus(); };
  const auto wheel = [&] {
    QWidget* w = WidgetOf(chart);
    const QPointF at(110, 80);
    QWheelEvent e(at, w->mapToGlobal(at), QPoint(), QPoint(0, 120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase,
                  false);
    QApplication::sendEvent(w, &e);
  };

  click();
  EXPECT_FALSE(focused(chart));
  QTest::keyClick(window, Qt::Key_Right);
  wheel();
  EXPECT_EQ(log, "");
  EXPECT_EQ(wheels, 1);
  EXPECT_DOUBLE_EQ(chart->XProps(1)->RangeLow(), 0);
  EXPECT_DOUBLE_EQ(chart->XProps(1)->RangeHigh(), 10);

  chart->SetWheelAndKeyNavigation(true);
  click();
  ASSERT_TRUE(focused(chart));
  QTest::keyClick(window, Qt::Key_Right, Qt::ShiftModifier);  // QTest presses and releases Shift around it
  QTest::keyClick(window, Qt::Key_A);
  QTest::keyClick(window, Qt::Key_B);  // taken by OnKeyDown: types nothing
  QTest::keyClick(window, Qt::Key_Plus, Qt::KeypadModifier);
  QTest::keyClick(window, Qt::Key_Tab);
  EXPECT_EQ(log,
            "down 16[S] down 39[S] up 39 up 16 down 65[] press a up 65 down 66[] up 66 down 107[] up 107 "
            "down 9[] press \t up 9 ");
  EXPECT_TRUE(focused(chart)) << "the chart wants Tab";
  EXPECT_DOUBLE_EQ(chart->XProps(1)->RangeLow(), 2);  // panned a tenth, then zoomed about the centre
  EXPECT_DOUBLE_EQ(chart->XProps(1)->RangeHigh(), 10);
  wheel();
  EXPECT_DOUBLE_EQ(chart->XProps(1)->RangeHigh() - chart->XProps(1)->RangeLow(), 6.4);
  QTest::keyClick(window, Qt::Key_Tab, Qt::ControlModifier);
  EXPECT_TRUE(focused(probe)) << "Ctrl+Tab moves on";
  click();
  chart->SetWheelAndKeyNavigation(false);
  EXPECT_FALSE(focused(chart));
}

}  // namespace
}  // namespace korvo::qttest
