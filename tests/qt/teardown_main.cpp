// qt_teardown_test: the end of a Qt program that made its own QApplication
// and did not destroy its forms before the window system. The window system
// must delete its widgets and cursors before it goes, uninstall itself, and
// leave the controls to run on (and be destroyed on) the headless system;
// the program's QApplication stays the program's. Run under the sanitizers,
// this is the check that nothing points at a destroyed object. Exits 0 when
// every check holds.
#include <QApplication>
#include <QPointer>
#include <QTest>
#include <QWidget>
#include <QWindow>
#include <cstdio>
#include <cstdlib>

#include "platform/framework/Application.h"
#include "platform/qt/QtWindowSystem.h"
#include "resources/PlotwellCursors.h"

namespace {

int failures = 0;

void Check(bool ok, const char* what) {
  if (ok) return;
  std::fprintf(stderr, "qt_teardown_test: %s\n", what);
  ++failures;
}

}  // namespace

int main(int argc, char** argv) {
  using namespace korvo;
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  auto app = std::make_unique<QApplication>(argc, argv);
  auto system = CreateQtWindowSystem(argc, argv);
  InstallWindowSystem(system.get());
  bool refused = false;
  try {
    CreateQtWindowSystem(argc, argv);
  } catch (const Exception&) {
    refused = true;
  }
  Check(refused, "a second Qt window system was made");
  RegisterPlotwellCursors();

  auto* form = new TForm(nullptr);
  form->SetBounds(0, 0, 300, 200);
  auto* panel = new TPanel(form);
  panel->SetParent(form);
  auto* inner = new TCustomControl(form);
  inner->SetBounds(5, 5, 50, 20);
  inner->SetParent(panel);
  auto* button = new TButton(form);
  button->SetBounds(200, 10, 75, 25);
  button->SetParent(form);
  form->Show();
  Screen()->SetCursors(1, WindowSystem()->LoadCursor("CURHAND"));
  Screen()->SetCursor(1);
  WindowSystem()->ProcessMessages();
  // The mouse held down on the panel, and a destroyed control's widget
  // still waiting for its deletion, when the window system goes.
  QPointer<QWidget> form_widget = ControlWidget(form);
  QTest::mousePress(form_widget->windowHandle(), Qt::LeftButton, Qt::NoModifier, QPoint(20, 20));
  QPointer<QWidget> button_widget = ControlWidget(button);
  delete button;
  Check(!button_widget.isNull(), "the destroyed button's widget was expected to wait for its deletion");

  system.reset();
  Check(WindowSystem() != nullptr && std::string(WindowSystem()->Name()) == "headless",
        "the window system did not uninstall itself");
  Check(form_widget.isNull() && button_widget.isNull(), "widgets outlived the window system");
  Check(QApplication::instance() == app.get(), "the program's QApplication was not left alone");
  Check(QGuiApplication::overrideCursor() == nullptr, "the screen cursor outlived the window system");
  // The controls go on without windows of their own.
  panel->SetBounds(1, 1, 100, 100);
  inner->Invalidate();
  inner->Canvas()->SetPixel(0, 0, clRed);
  form->Hide();
  delete form;
  app.reset();
  if (failures == 0) std::printf("qt_teardown_test: passed\n");
  return failures == 0 ? 0 : 1;
}
