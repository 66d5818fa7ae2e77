// Buttons, bounds in both directions, captions and closing, destruction in
// any order, and a control hosted in a Qt program's own layout.
#include <gtest/gtest.h>

#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>
#include <QWidget>
#include <QWindow>
#include <memory>

#include "platform/Exceptions.h"
#include "platform/framework/Application.h"
#include "platform/qt/QtWindowSystem.h"
#include "qt/qt_fixture.h"

namespace korvo::qttest {
namespace {

// Destroys itself when clicked, clearing *Clicked first.
class TSelfDestroyingButton : public TButton {
 public:
  using TButton::TButton;
  TSelfDestroyingButton** Clicked = nullptr;
  void Click() override {
    if (Clicked == nullptr) return;
    *Clicked = nullptr;
    delete this;
  }
};

TEST(QtButton, ShowsCaptionEnabledStateAndFontAndClicksOnceWhenEnabled) {
  std::unique_ptr<TForm> form(ShowForm(300, 100));
  auto* button = new TButton(form.get());
  button->SetBounds(10, 20, 89, 31);
  button->SetCaption("Start");
  button->Font()->SetName("DejaVu Sans");
  button->Font()->SetHeight(-17);
  button->Font()->SetStyle({TFontStyle::fsBold});
  button->SetParent(form.get());
  int clicks = 0;
  std::vector<std::string> mouse;
  button->OnClick = [&](TObject*) { ++clicks; };
  button->OnMouseDown = [&](TObject*, TMouseButton, TShiftState s, int x, int y) {
    mouse.push_back("down " + std::to_string(x) + "," + std::to_string(y) + " " + ShiftText(s));
  };
  button->OnMouseUp = [&](TObject*, TMouseButton, TShiftState, int, int) { mouse.push_back("up"); };
  WindowSystem()->ProcessMessages();

  auto* b = qobject_cast<QPushButton*>(WidgetOf(button));
  ASSERT_NE(b, nullptr);
  EXPECT_EQ(b->text(), "Start");
  EXPECT_EQ(b->geometry(), QRect(10, 20, 89, 31));
  EXPECT_EQ(b->font().pixelSize(), 17);
  EXPECT_TRUE(b->font().bold());
  button->SetCaption("Stop");
  EXPECT_EQ(b->text(), "Stop");

  QWindow* window = WindowOf(form.get());
  QTest::mouseClick(window, Qt::LeftButton, Qt::NoModifier, QPoint(30, 30));
  EXPECT_EQ(clicks, 1) << "the framework's click and Qt's clicked signal make one click";
  ASSERT_EQ(mouse.size(), 2u);
  EXPECT_EQ(mouse[0], "down 20,10 [L]");
  b->click();  // the keyboard's way
  EXPECT_EQ(clicks, 2);

  button->SetEnabled(false);
  EXPECT_FALSE(b->isEnabled());
  QTest::mouseClick(window, Qt::LeftButton, Qt::NoModifier, QPoint(30, 30));
  b->click();
  EXPECT_EQ(clicks, 2) << "a disabled button does not click";
  EXPECT_EQ(mouse.size(), 2u);
  button->SetEnabled(true);
  QTest::mouseClick(window, Qt::LeftButton, Qt::NoModifier, QPoint(30, 30));
  EXPECT_EQ(clicks, 3);
}

TEST(QtBounds, SetBoundsMovesWidgetsAndAUserResizeBecomesSetBounds) {
  std::unique_ptr<TForm> form(ShowForm(300, 200));
  const TRect f = WindowSystem()->FormFrame();
  QWidget* fw = WidgetOf(form.get());
  EXPECT_EQ(fw->size(), QSize(300, 200)) << "the widget is the client area";
  EXPECT_EQ(fw->pos(), QPoint(100, 80)) << "Left and Top place the frame";

  auto* panel = new TPanel(form.get());
  panel->SetBounds(10, 10, 100, 80);
  panel->SetAnchors({TAnchorKind::akLeft, TAnchorKind::akTop, TAnchorKind::akRight, TAnchorKind::akBottom});
  panel->SetParent(form.get());
  auto* inner = new TProbe(form.get());
  inner->SetBounds(5, 6, 30, 20);
  inner->SetParent(panel);
  QWidget* pw = WidgetOf(panel);
  EXPECT_EQ(pw->geometry(), QRect(10, 10, 100, 80));
  EXPECT_EQ(WidgetOf(inner)->parentWidget(), pw);
  EXPECT_EQ(WidgetOf(inner)->geometry(), QRect(5, 6, 30, 20)) << "in the parent's client area";
  form->SetBounds(50, 60, 400 + f.Left + f.Right, 250 + f.Top + f.Bottom);
  EXPECT_EQ(fw->size(), QSize(400, 250));
  EXPECT_EQ(fw->pos(), QPoint(50, 60));
  EXPECT_EQ(pw->geometry(), QRect(10, 10, 200, 130)) << "the anchored panel followed";

  // The user drags the window larger: the form's bounds follow, with its
  // anchored child.
  int resizes = 0;
  form->OnResize = [&](TObject*) { ++resizes; };
  fw->resize(420, 260);
  EXPECT_EQ(form->ClientWidth(), 420);
  EXPECT_EQ(form->ClientHeight(), 260);
  EXPECT_EQ(form->Width(), 420 + f.Left + f.Right);
  EXPECT_EQ(resizes, 1);
  EXPECT_EQ(pw->geometry(), QRect(10, 10, 220, 140));
  ASSERT_TRUE(ProcessUntil([&] { return !form->PaintPending() && !panel->PaintPending(); }));
  EXPECT_EQ(form->Surface()->Width(), 420);

  // A size the form refuses is put back on the window.
  form->Constraints()->SetMaxWidth(300 + f.Left + f.Right);
  EXPECT_EQ(fw->width(), 300);
  fw->resize(500, 260);
  EXPECT_EQ(form->ClientWidth(), 300);
  EXPECT_EQ(fw->width(), 300);
}

TEST(QtForm, CaptionIsTheTitleAndClosingTheWindowClosesTheForm) {
  std::unique_ptr<TForm> form(ShowForm(100, 80));
  QWidget* fw = WidgetOf(form.get());
  form->SetCaption("A simple demo");
  EXPECT_EQ(fw->windowTitle(), "A simple demo");
  EXPECT_TRUE(fw->isVisible());

  bool can_close = false;
  int closes = 0;
  form->OnCloseQuery = [&](TObject*, bool& ok) { ok = can_close; };
  form->OnClose = [&](TObject*, TCloseAction&) { ++closes; };
  fw->close();
  EXPECT_TRUE(form->Visible()) << "OnCloseQuery refused";
  EXPECT_TRUE(fw->isVisible());
  can_close = true;
  fw->close();
  EXPECT_EQ(closes, 1);
  EXPECT_FALSE(form->Visible()) << "closed with caHide, a form that is not the main form hides";
  EXPECT_FALSE(fw->isVisible());
  form->Show();
  EXPECT_TRUE(fw->isVisible());
}

TEST(QtLifetime, ControlsAndFormsDestroyedInAnyOrderLeaveNoWidgetPointingAtThem) {
  std::unique_ptr<TForm> form(ShowForm(200, 150));
  auto* panel = new TPanel(form.get());
  panel->SetBounds(0, 0, 120, 100);
  panel->SetParent(form.get());
  auto* probe = new TProbe(form.get());
  probe->SetBounds(10, 10, 50, 50);
  probe->SetParent(panel);
  auto* button = new TSelfDestroyingButton(form.get());
  button->SetBounds(130, 10, 60, 25);
  button->SetParent(form.get());
  ASSERT_TRUE(ProcessUntil([&] { return probe->Paints > 0; }));
  QPointer<QWidget> probe_widget = WidgetOf(probe);
  QPointer<QWidget> panel_widget = WidgetOf(panel);
  QPointer<QWidget> button_widget = WidgetOf(button);

  // A child alone, then its parent while it still has a child, then a
  // button from inside its click (the keyboard's, which Qt's button sends
  // from inside its own event handler).
  delete probe;
  EXPECT_TRUE(probe_widget.isNull() || !probe_widget->isVisible());
  auto* second = new TProbe(form.get());
  second->SetBounds(1, 1, 20, 20);
  second->SetParent(panel);
  QPointer<QWidget> second_widget = WidgetOf(second);
  delete panel;  // takes `second` along
  button->Clicked = &button;
  qobject_cast<QPushButton*>(button_widget.data())->animateClick();
  ASSERT_TRUE(ProcessUntil([&] { return button == nullptr; }));
  // Hidden at once, deleted once no handler runs.
  for (QWidget* w : {panel_widget.data(), second_widget.data(), button_widget.data()}) {
    if (w != nullptr) {
      EXPECT_FALSE(w->isVisible());
    }
  }
  WindowSystem()->ProcessMessages();
  EXPECT_TRUE(probe_widget.isNull());
  EXPECT_TRUE(panel_widget.isNull());
  EXPECT_TRUE(second_widget.isNull());
  EXPECT_TRUE(button_widget.isNull());

  // The form last, with a control inside whose widget Qt still shows.
  auto* last = new TProbe(form.get());
  last->SetBounds(0, 0, 10, 10);
  last->SetParent(form.get());
  QPointer<QWidget> form_widget = WidgetOf(form.get());
  form.reset();
  WindowSystem()->ProcessMessages();
  EXPECT_TRUE(form_widget.isNull());
}

TEST(QtHosting, ControlInAQtLayoutFollowsTheLayoutAndPaints) {
  auto host = std::make_unique<QWidget>();
  auto* layout = new QVBoxLayout(host.get());
  layout->setContentsMargins(0, 0, 0, 0);
  auto probe = std::make_unique<TProbe>(nullptr);
  probe->SetBounds(0, 0, 160, 90);
  probe->Fill = clAqua;
  QWidget* w = ControlWidget(probe.get());
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(ControlWidget(probe.get()), w) << "one window per control";
  EXPECT_FALSE(w->isVisible()) << "no window of its own before it has a Qt parent";
  EXPECT_EQ(w->sizeHint(), QSize(160, 90));
  layout->addWidget(w);
  host->resize(300, 200);
  host->show();
  ASSERT_TRUE(ProcessUntil([&] { return w->isVisible() && probe->Paints > 0 && !probe->PaintPending(); }));
  EXPECT_EQ(probe->Width(), 300);
  EXPECT_EQ(probe->Height(), 200);
  EXPECT_EQ(ShownPixel(w, 299, 199), clAqua);
  host->resize(250, 120);
  EXPECT_EQ(probe->Width(), 250);
  EXPECT_EQ(probe->Height(), 120);
  // Qt input reaches it like any control.
  QTest::mouseMove(host->windowHandle(), QPoint(12, 13));
  EXPECT_EQ(probe->Take(), "enter; move 12,13 []");
  // The control goes first, and its widget with it.
  QPointer<QWidget> guard = w;
  probe.reset();
  WindowSystem()->ProcessMessages();
  EXPECT_TRUE(guard.isNull());
  EXPECT_EQ(ControlWidget(nullptr), nullptr);
}

TEST(QtHosting, ControlWidgetWithoutTheQtWindowSystemInstalledSaysWhatToCall) {
  // The Qt window system exists but is not installed, as in a program that
  // forgot InstallWindowSystem; it goes back in even when a check fails.
  struct TReinstall {
    TWindowSystem* Qt = InstallWindowSystem(nullptr);
    ~TReinstall() { InstallWindowSystem(Qt); }
  } reinstall;
  ASSERT_NE(reinstall.Qt, nullptr);
  auto probe = std::make_unique<TProbe>(nullptr);
  try {
    ControlWidget(probe.get());
    ADD_FAILURE() << "ControlWidget returned without the Qt window system";
  } catch (const Exception& e) {
    EXPECT_STREQ(e.what(),
                 "ControlWidget needs the Qt window system installed: call korvo::InstallWindowSystem(ws.get()) "
                 "first, with ws = korvo::CreateQtWindowSystem(argc, argv)");
  }
  EXPECT_EQ(ControlWidget(nullptr), nullptr) << "a null control is no error";
}

}  // namespace
}  // namespace korvo::qttest
