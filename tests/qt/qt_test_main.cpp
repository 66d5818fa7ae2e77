// The Qt tests run on Qt's offscreen platform (CTest sets it, and so does
// this program when started by hand), with one Qt window system installed
// for the whole run and torn down before the program ends.
#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/framework/Application.h"
#include "platform/qt/QtWindowSystem.h"
#include "qt/qt_fixture.h"
#include "resources/PlotwellCursors.h"

int main(int argc, char** argv) {
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  testing::InitGoogleTest(&argc, argv);
  std::unique_ptr<korvo::TWindowSystem> system = korvo::CreateQtWindowSystem(argc, argv);
  korvo::InstallWindowSystem(system.get());
  korvo::RegisterPlotwellCursors();
  // An exception from a handler would show a message box and wait for a
  // user; the tests read the texts instead.
  korvo::Application()->OnException = [](korvo::TObject*, const std::exception& e) {
    korvo::qttest::HandledExceptions().push_back(e.what());
  };
  const int result = RUN_ALL_TESTS();
  system.reset();
  return result;
}
