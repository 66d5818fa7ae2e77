// Keys through Qt's input path: the control with the focus gets them, a
// Focusable control takes the focus by a click, and a chart is Focusable,
// pans by keys and zooms by the wheel only with WheelAndKeyNavigation.
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

// A form of 300 x 200 with a probe at (10, 10, 80, 50) and a chart at
// (100, 10, 190, 180), layer 1 spanning 0..10 both ways; window (210, 90)
// lies in the chart's plot area.
class QtKeys : public ::testing::Test {
 protected:
  void SetUp() override {
    form.reset(ShowForm(300, 200));
    probe = new TProbe(form.get());
    probe->SetBounds(10, 10, 80, 50);
    probe->SetParent(form.get());
    chart = new TPlotwell(form.get());
    chart->SetBounds(100, 10, 190, 180);
    chart->SetParent(form.get());
    chart->ApplyLayerRange(1, false, 0, 0, 10, 10, false);
    ASSERT_TRUE(ProcessUntil([&] { return probe->Paints > 0; }));
    window = WindowOf(form.get());
    ASSERT_NE(window, nullptr);
  }
  void Click(QPoint p) {
    QTest::mouseMove(window, p);
    QTest::mouseClick(window, Qt::LeftButton, Qt::NoModifier, p);
  }
  bool Focused(TWinControl* c) { return WidgetOf(c)->hasFocus(); }
  void Wheel(int delta) {
    QWidget* w = WidgetOf(chart);
    const QPointF local(110, 80);
    QWheelEvent e(local, w->mapToGlobal(local), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                  Qt::NoScrollPhase, false);
    QApplication::sendEvent(w, &e);
  }

  std::unique_ptr<TForm> form;
  TProbe* probe = nullptr;
  TPlotwell* chart = nullptr;
  QWindow* window = nullptr;
};

TEST_F(QtKeys, TheFocusedControlGetsKeyDownThenTheCharacterThenKeyUp) {
  Click(QPoint(20, 20));
  EXPECT_FALSE(Focused(probe)) << "TabStop off";
  probe->SetTabStop(true);
  Click(QPoint(20, 20));
  ASSERT_TRUE(Focused(probe));
  probe->Take();
  QTest::keyClick(window, Qt::Key_Right, Qt::ShiftModifier);
  QTest::keyClick(window, Qt::Key_A);
  QTest::keyClick(window, Qt::Key_Plus, Qt::KeypadModifier);
  QTest::keyClick(window, Qt::Key_Backspace, Qt::ControlModifier);
  // QTest presses and releases the modifier keys around a key, as a user does.
  EXPECT_EQ(probe->Take(),
            "keydown 16 [S]; keydown 39 [S]; keyup 39 [S]; keyup 16 []; keydown 65 []; keypress a; keyup 65 []; "
            "keydown 107 []; keypress +; keyup 107 []; keydown 17 [C]; keydown 8 [C]; keypress #8; keyup 8 [C]; "
            "keyup 17 []");
  probe->OnKeyDown = [](TObject*, uint16_t& key, TShiftState) { key = 0; };
  QTest::keyClick(window, Qt::Key_B);
  EXPECT_EQ(probe->Take(), "keydown 66 []; keyup 66 []") << "a key taken types nothing";
  probe->SetTabStop(false);
  EXPECT_FALSE(Focused(probe));
}

TEST_F(QtKeys, AChartTakesTheFocusAndTheKeysOnlyWithNavigation) {
  int keys = 0, wheels = 0;
  chart->OnKeyDown = [&](TObject*, uint16_t&, TShiftState) { ++keys; };
  chart->OnMouseWheel = [&](TObject*, TShiftState, int, const TPoint&, bool&) { ++wheels; };
  probe->SetTabStop(true);
  Click(QPoint(210, 90));
  EXPECT_FALSE(Focused(chart));
  QTest::keyClick(window, Qt::Key_Right);
  Wheel(120);
  EXPECT_EQ(keys, 0);
  EXPECT_EQ(wheels, 1);
  EXPECT_DOUBLE_EQ(chart->XProps(1)->RangeLow(), 0);
  EXPECT_DOUBLE_EQ(chart->XProps(1)->RangeHigh(), 10);

  chart->SetWheelAndKeyNavigation(true);
  Click(QPoint(210, 90));
  ASSERT_TRUE(Focused(chart));
  QTest::keyClick(window, Qt::Key_Right);
  EXPECT_DOUBLE_EQ(chart->XProps(1)->RangeLow(), 1);
  Wheel(120);
  EXPECT_DOUBLE_EQ(chart->XProps(1)->RangeHigh() - chart->XProps(1)->RangeLow(), 8);
  QTest::keyClick(window, Qt::Key_Tab);
  EXPECT_TRUE(Focused(chart)) << "the chart wants Tab";
  EXPECT_EQ(keys, 2);
  QTest::keyClick(window, Qt::Key_Tab, Qt::ControlModifier);
  EXPECT_TRUE(Focused(probe)) << "Ctrl+Tab moves on";
  Click(QPoint(210, 90));
  chart->SetWheelAndKeyNavigation(false);
  EXPECT_FALSE(Focused(chart));
}

}  // namespace
}  // namespace korvo::qttest
