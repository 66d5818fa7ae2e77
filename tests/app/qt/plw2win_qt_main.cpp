// app_qt_tests: the demo on Qt's offscreen platform. Started plainly it
// runs the tests with one Qt window system installed for the whole run.
// Started as `app_qt_tests --child <scene> [program options]` it is the demo
// program itself (its real entry point) with a scene played in it, so that
// a test can watch the program end and read its exit status:
//
//   close-during-animation   the window's close button is pressed in the
//                            event loop's turn after frame 5 of an
//                            animation that would run on for 100000 frames
#include <gtest/gtest.h>

#include <QWidget>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "app/DuoPaned.h"
#include "app/Plw2win.h"
#include "platform/framework/Application.h"
#include "platform/qt/QtWindowSystem.h"
#include "resources/PlotwellCursors.h"

namespace {

int RunScene(const std::string& scene, int argc, char** argv) {
  using namespace korvo;
  if (scene != "close-during-animation") {
    std::fprintf(stderr, "app_qt_tests: unknown scene %s\n", scene.c_str());
    return 3;
  }
  return RunPlw2win(argc, argv, [](TDuoPaneForm& form) {
    form.OnFrameShown = [&form](int frame) {
      if (frame != 5) return;
      // As the window manager's close button: a close request to the window.
      Application()->PostWork([&form] { ControlWidget(&form)->close(); });
    };
    form.OnAnimationEnded = [](const TAnimationTimes& times) {
      std::printf("%s: animation ended after %d frames\n", Application()->Title().c_str(), times.Frames);
      std::fflush(stdout);
    };
  });
}

}  // namespace

int main(int argc, char** argv) {
  if (argc >= 3 && std::strcmp(argv[1], "--child") == 0) {
    // argv[2] is the scene; the program sees its name and the options after.
    const std::string scene = argv[2];
    argv[2] = argv[0];
    return RunScene(scene, argc - 2, argv + 2);
  }
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  testing::InitGoogleTest(&argc, argv);
  std::unique_ptr<korvo::TWindowSystem> system = korvo::CreateQtWindowSystem(argc, argv);
  korvo::InstallWindowSystem(system.get());
  korvo::RegisterPlotwellCursors();
  korvo::Application()->SetTitle("PLW2WIN");
  // A message box would wait for a user; the test that runs fails instead.
  korvo::Application()->OnException = [](korvo::TObject*, const std::exception& e) {
    ADD_FAILURE() << "an exception reached the event loop: " << e.what();
  };
  const int result = RUN_ALL_TESTS();
  system.reset();
  return result;
}
