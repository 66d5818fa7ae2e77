// Who frees a control hosted in a Qt layout: the widget (the default) or
// the program, whichever goes first, each control deleted exactly once.
#include <gtest/gtest.h>

#include <QPointer>
#include <QTest>
#include <QVBoxLayout>
#include <QWidget>
#include <functional>
#include <memory>

#include "platform/framework/Application.h"
#include "platform/qt/QtWindowSystem.h"
#include "qt/qt_fixture.h"

namespace korvo::qttest {
namespace {

// Counts its deletions; OnDown runs inside its mouse-down handler.
class TCountedProbe : public TProbe {
 public:
  TCountedProbe(int* deletions) : TProbe(nullptr), deletions_(deletions) {}
  ~TCountedProbe() override { ++*deletions_; }
  std::function<void()> OnDown;

 protected:
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override {
    TProbe::MouseDown(button, shift, x, y);
    if (OnDown) OnDown();
    // Still alive here, even when the handler deleted its widget.
    Log.push_back("after");
  }

 private:
  int* deletions_;
};

// A Qt window with the probe in its layout, shown.
QWidget* HostInLayout(TWinControl* control, THostOwnership ownership) {
  auto* host = new QWidget;
  auto* layout = new QVBoxLayout(host);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(ControlWidget(control, ownership));
  host->resize(120, 80);
  host->show();
  ProcessUntil([host] { return host->isVisible(); });
  return host;
}

TEST(QtOwnership, TheWidgetOrTheProgramFreesTheHostedControlOnceInEitherOrder) {
  struct Case {
    const char* Name;
    THostOwnership Ownership;
    bool ControlFirst;  // the program deletes the control before the Qt window
    int DeletedWithWindow;  // deletions once the window is gone
  };
  const Case cases[] = {
      {"widget owns, window goes", THostOwnership::hoWidget, false, 1},
      {"widget owns, control deleted first", THostOwnership::hoWidget, true, 1},
      {"program owns, window goes", THostOwnership::hoProgram, false, 0},
      {"program owns, control deleted first", THostOwnership::hoProgram, true, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    int deletions = 0;
    auto* probe = new TCountedProbe(&deletions);
    probe->SetBounds(0, 0, 100, 60);
    QWidget* host = HostInLayout(probe, c.Ownership);
    QPointer<QWidget> widget = ControlWidget(probe, c.Ownership);
    if (c.ControlFirst) {
      delete probe;
      WindowSystem()->ProcessMessages();
      EXPECT_TRUE(widget.isNull()) << "the control's widget outlived it";
    }
    delete host;
    WindowSystem()->ProcessMessages();
    EXPECT_EQ(deletions, c.DeletedWithWindow);
    if (deletions == 0) {
      EXPECT_EQ(ControlWidget(probe, c.Ownership), nullptr) << "the control lost its widget";
      delete probe;
      EXPECT_EQ(deletions, 1);
    }
  }
}

TEST(QtOwnership, AWindowDeletedInsideTheControlsHandlerFreesItAfterTheHandler) {
  int deletions = 0;
  auto* probe = new TCountedProbe(&deletions);
  probe->SetBounds(0, 0, 100, 60);
  QWidget* host = HostInLayout(probe, THostOwnership::hoWidget);
  probe->OnDown = [&] {
    delete host;
    EXPECT_EQ(deletions, 0) << "deleted under its own handler";
  };
  QTest::mousePress(ControlWidget(probe), Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));
  EXPECT_TRUE(ProcessUntil([&] { return deletions == 1; }));
}

TEST(QtOwnership, AControlWithAFrameworkParentBelongsToItsParent) {
  std::unique_ptr<TForm> form(ShowForm(200, 100));
  int deletions = 0;
  auto* child = new TCountedProbe(&deletions);
  child->SetBounds(0, 0, 50, 50);
  child->SetParent(form.get());
  delete ControlWidget(child, THostOwnership::hoWidget);
  WindowSystem()->ProcessMessages();
  EXPECT_EQ(deletions, 0);
  form.reset();
  EXPECT_EQ(deletions, 1);
}

}  // namespace
}  // namespace korvo::qttest
