// Mouse input through Qt's whole input path (QTest's window events): the
// control under the pointer gets the framework's dispatch calls in its
// client coordinates, with buttons and keys in the shift state, capture from
// press to release, double clicks, enter and leave, and the wheel.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <QWheelEvent>
#include <QWidget>
#include <QWindow>
#include <memory>

#include "qt/qt_fixture.h"

namespace korvo::qttest {
namespace {

// A form of 200 x 150 with a probe at (20, 30, 100, 50) and a graphic probe
// at (150, 100, 30, 30), shown and painted, the mouse resting on the form.
class QtInput : public ::testing::Test {
 protected:
  void SetUp() override {
    form.reset(ShowForm(200, 150));
    probe = new TProbe(form.get());
    probe->SetBounds(20, 30, 100, 50);
    probe->SetParent(form.get());
    graphic = new TGraphicProbe(form.get());
    graphic->SetBounds(150, 100, 30, 30);
    graphic->SetParent(form.get());
    form->OnMouseMove = [this](TObject*, TShiftState s, int x, int y) {
      form_log.push_back("move " + std::to_string(x) + "," + std::to_string(y) + " " + ShiftText(s));
    };
    form->OnMouseEnter = [this](TObject*) { form_log.push_back("enter"); };
    form->OnMouseLeave = [this](TObject*) { form_log.push_back("leave"); };
    ASSERT_TRUE(ProcessUntil([&] { return probe->Paints > 0; }));
    window = WindowOf(form.get());
    ASSERT_NE(window, nullptr);
    QTest::mouseMove(window, QPoint(5, 5));
    probe->Take();
    graphic->Take();
    form_log.clear();
  }
  void TearDown() override {
    // Leave the mouse released and away for the next test.
    QTest::mouseMove(window, QPoint(1, 1));
  }

  std::string FormLog() {
    std::string s;
    for (const std::string& line : form_log) s += (s.empty() ? "" : "; ") + line;
    form_log.clear();
    return s;
  }

  std::unique_ptr<TForm> form;
  TProbe* probe = nullptr;
  TGraphicProbe* graphic = nullptr;
  QWindow* window = nullptr;
  std::vector<std::string> form_log;
};

TEST_F(QtInput, PressMoveAndReleaseKeepTheMouseWithThePressedControlWhereverItGoes) {
  QTest::mouseMove(window, QPoint(40, 50));
  EXPECT_EQ(probe->Take(), "enter; move 20,20 []");
  EXPECT_EQ(FormLog(), "leave");
  QTest::mousePress(window, Qt::LeftButton, Qt::NoModifier, QPoint(40, 50));
  EXPECT_EQ(probe->Take(), "down L 20,20 [L]");
  EXPECT_EQ(Qt()->Captured(), probe);
  // Over the form, then outside the window: still the probe's, in its own
  // coordinates, with no enter or leave on the way.
  QTest::mouseMove(window, QPoint(5, 6));
  QTest::mouseMove(window, QPoint(260, -10));
  EXPECT_EQ(probe->Take(), "move -15,-24 [L]; move 240,-40 [L]");
  EXPECT_EQ(FormLog(), "");
  QTest::mouseRelease(window, Qt::LeftButton, Qt::NoModifier, QPoint(260, -10));
  EXPECT_EQ(probe->Take(), "up L 240,-40 []; leave") << "released outside: no click";
  EXPECT_EQ(Qt()->Captured(), nullptr);
  QTest::mouseMove(window, QPoint(6, 7));
  EXPECT_EQ(FormLog(), "enter; move 6,7 []");
  EXPECT_EQ(probe->Take(), "");
}

TEST_F(QtInput, ButtonsAndKeysMakeTheShiftStateAndAClickNeedsPressAndReleaseInside) {
  // Qt moves the mouse to where a button goes down or up first, with the
  // keys of that event and the buttons held before.
  QTest::mousePress(window, Qt::RightButton, Qt::ShiftModifier | Qt::ControlModifier, QPoint(30, 40));
  QTest::mousePress(window, Qt::LeftButton, Qt::AltModifier, QPoint(31, 41));
  QTest::mouseRelease(window, Qt::RightButton, Qt::AltModifier, QPoint(32, 42));
  QTest::mouseRelease(window, Qt::LeftButton, Qt::NoModifier, QPoint(33, 43));
  EXPECT_EQ(probe->Take(),
            "enter; move 10,10 [SC]; down R 10,10 [SCR]; move 11,11 [AR]; down L 11,11 [ALR]; "
            "move 12,12 [ALR]; up R 12,12 [AL]; move 13,13 [L]; click; up L 13,13 []");
  QTest::mouseMove(window, QPoint(30, 40));
  probe->Take();
  QTest::mousePress(window, Qt::MiddleButton, Qt::NoModifier, QPoint(30, 40));
  QTest::mouseRelease(window, Qt::MiddleButton, Qt::NoModifier, QPoint(30, 40));
  EXPECT_EQ(probe->Take(), "down M 10,10 [M]; up M 10,10 []") << "only the left button clicks";
}

TEST_F(QtInput, SecondPressOfADoubleClickIsTheDoubleClick) {
  QTest::mouseMove(window, QPoint(25, 35));
  EXPECT_EQ(probe->Take(), "enter; move 5,5 []");
  QTest::mouseDClick(window, Qt::LeftButton, Qt::ShiftModifier, QPoint(25, 35));
  EXPECT_EQ(probe->Take(), "down L 5,5 [SL]; click; up L 5,5 [S]; dblclick; down L 5,5 [SLD]; up L 5,5 [S]");
  EXPECT_EQ(Qt()->Captured(), nullptr);
}

TEST_F(QtInput, GraphicControlsGetTheInputOfTheirAreaOfTheParent) {
  QTest::mouseMove(window, QPoint(155, 104));
  EXPECT_EQ(graphic->Take(), "enter; move 5,4 []");
  EXPECT_EQ(FormLog(), "leave");
  QTest::mouseMove(window, QPoint(156, 105));
  graphic->Take();
  QTest::mousePress(window, Qt::LeftButton, Qt::NoModifier, QPoint(156, 105));
  QTest::mouseMove(window, QPoint(140, 90));
  QTest::mouseRelease(window, Qt::LeftButton, Qt::NoModifier, QPoint(140, 90));
  EXPECT_EQ(graphic->Take(), "down L 6,5 [L]; move -10,-10 [L]; up L -10,-10 []");
  EXPECT_EQ(FormLog(), "") << "the graphic control kept the mouse";
  QTest::mouseMove(window, QPoint(141, 91));
  EXPECT_EQ(graphic->Take(), "leave");
  EXPECT_EQ(FormLog(), "enter; move 141,91 []");
}

TEST_F(QtInput, DisabledControlsSwallowTheirInput) {
  probe->SetEnabled(false);
  graphic->SetEnabled(false);
  for (const QPoint p : {QPoint(40, 50), QPoint(160, 110)}) {
    QTest::mouseMove(window, p);
    QTest::mouseClick(window, Qt::LeftButton, Qt::NoModifier, p);
  }
  EXPECT_EQ(probe->Take(), "");
  EXPECT_EQ(graphic->Take(), "");
  EXPECT_EQ(FormLog(), "leave") << "the form gets nothing of their areas either";
  probe->SetEnabled(true);
  QTest::mouseMove(window, QPoint(41, 51));
  EXPECT_EQ(probe->Take(), "enter; move 21,21 []");
}

TEST_F(QtInput, WheelGoesToTheControlUnderThePointerInClientCoordinates) {
  QWidget* w = WidgetOf(probe);
  const QPointF local(7, 8);
  QWheelEvent up(local, w->mapToGlobal(local), QPoint(), QPoint(0, 120), Qt::NoButton, Qt::ControlModifier,
                 Qt::NoScrollPhase, false);
  QApplication::sendEvent(w, &up);
  QWheelEvent sideways(local, w->mapToGlobal(local), QPoint(), QPoint(120, 0), Qt::NoButton, Qt::NoModifier,
                       Qt::NoScrollPhase, false);
  QApplication::sendEvent(w, &sideways);
  QWheelEvent down(local, w->mapToGlobal(local), QPoint(), QPoint(0, -240), Qt::LeftButton, Qt::NoModifier,
                   Qt::NoScrollPhase, false);
  QApplication::sendEvent(w, &down);
  EXPECT_EQ(probe->Take(), "wheel 120 7,8 [C]; wheel -240 7,8 [L]") << "no sideways wheel in the framework";
}

TEST_F(QtInput, ControlDestroyedByItsOwnHandlerLeavesNothingBehind) {
  probe->DeleteOnPress = &probe;
  QTest::mouseMove(window, QPoint(40, 50));
  FormLog();
  QTest::mousePress(window, Qt::LeftButton, Qt::NoModifier, QPoint(40, 50));
  EXPECT_EQ(probe, nullptr);
  EXPECT_EQ(Qt()->Captured(), nullptr);
  EXPECT_EQ(Qt()->Hovered(), nullptr);
  // The rest of the gesture goes nowhere, and the form is usable.
  QTest::mouseMove(window, QPoint(45, 55));
  QTest::mouseRelease(window, Qt::LeftButton, Qt::NoModifier, QPoint(45, 55));
  WindowSystem()->ProcessMessages();
  QTest::mouseMove(window, QPoint(46, 56));
  EXPECT_EQ(FormLog(), "enter; move 46,56 []");
}

}  // namespace
}  // namespace korvo::qttest
