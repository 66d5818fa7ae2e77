#include "app/Plw2win.h"

#include <QAbstractButton>
#include <QPixmap>
#include <QWidget>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "app/DemoCommandLine.h"
#include "app/DuoPaned.h"
#include "platform/framework/Application.h"
#include "platform/qt/QtWindowSystem.h"
#include "resources/PlotwellCursors.h"

namespace korvo {
namespace {

// A click as the user makes it: through Qt's button, so that its signal,
// the framework's Click and the enabled state all take part.
void ClickButton(TButton* button) {
  if (auto* qt = qobject_cast<QAbstractButton*>(ControlWidget(button))) {
    qt->click();
  } else {
    button->Click();
  }
}

// The window as Qt draws it (client area, native buttons included).
bool SaveScreenshot(TDuoPaneForm& form, const std::string& file) {
  Application()->ProcessMessages();
  QWidget* widget = ControlWidget(&form);
  if (widget == nullptr) return false;
  const QPixmap picture = widget->grab();
  if (!picture.save(QString::fromStdString(file), "PNG")) {
    std::fprintf(stderr, "plw2win: cannot write the screenshot %s\n", file.c_str());
    return false;
  }
  std::printf("plw2win: screenshot of the window (%d x %d) in %s\n", picture.width(), picture.height(),
              file.c_str());
  return true;
}

// What the options ask for, run once the event loop has started: the
// frames (the Start click returns when the animation has ended), the
// picture, the close.
void Drive(TDuoPaneForm& form, const TDemoOptions& options, int& status) {
  if (options.Frames > 0) {
    const std::function<void(int)> previous = form.OnFrameShown;
    form.OnFrameShown = [previous, &form, last = options.Frames](int frame) {
      if (previous) previous(frame);
      // Clicked in the event loop's turn after this frame, so the loop
      // ends with it.
      if (frame == last) Application()->PostWork([&form] { ClickButton(form.Button2); });
    };
    ClickButton(form.Button1);
    if (Application()->Terminated()) return;
    form.OnFrameShown = previous;
  }
  if (!options.Screenshot.empty() && !SaveScreenshot(form, options.Screenshot)) status = 1;
  if (options.Exit) form.Close();
}

}  // namespace

int RunPlw2win(int argc, char** argv, const std::function<void(TDuoPaneForm&)>& prepare) {
  TDemoOptions options;
  std::string error;
  if (!ParseDemoOptions(argc, argv, options, error)) {
    std::fprintf(stderr, "plw2win: %s\n%s", error.c_str(), DemoUsage().c_str());
    return 2;
  }
  if (options.Help) {
    std::fputs(DemoUsage().c_str(), stdout);
    return 0;
  }
  const TDemoPlatform platform = ChooseDemoPlatform(options.Offscreen, std::getenv("QT_QPA_PLATFORM"),
                                                    std::getenv("DISPLAY"), std::getenv("WAYLAND_DISPLAY"));
  if (platform != TDemoPlatform::dpQtChoice) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  if (platform == TDemoPlatform::dpOffscreenNoDisplay) {
    std::printf("plw2win: no display (DISPLAY and WAYLAND_DISPLAY are not set): running on Qt's offscreen "
                "platform, where the window is drawn but not shown\n");
  }
  const bool offscreen = platform != TDemoPlatform::dpQtChoice;
  if (offscreen && !options.Exit) {
    std::printf("plw2win: the program runs until it is ended (--exit closes the window after the options' work)\n");
  }
  std::fflush(stdout);

  // Qt sees the program's name only: the options above are all there are.
  int qtArgc = 1;
  char* qtArgv[] = {argv[0], nullptr};
  int status = 0;
  {
    std::unique_ptr<TWindowSystem> system = CreateQtWindowSystem(qtArgc, qtArgv);
    InstallWindowSystem(system.get());
    RegisterPlotwellCursors();
    TApplication& app = *Application();
    app.Initialize();
    app.SetTitle("PLW2WIN");
    if (offscreen) {
      // Nobody could answer a message box that nobody sees.
      app.OnException = [&status](TObject*, const std::exception& e) {
        std::fprintf(stderr, "plw2win: %s\n", e.what());
        status = 1;
      };
    }
    TDuoPaneForm* form = app.CreateForm<TDuoPaneForm>();
    if (options.Fps) {
      form->OnAnimationEnded = [](const TAnimationTimes& times) {
        std::printf("plw2win: %s\n", FormatAnimationTimes(times).c_str());
        std::fflush(stdout);
      };
    }
    if (prepare) prepare(*form);
    if (options.Frames > 0 || !options.Screenshot.empty() || options.Exit) {
      app.PostWork([form, &options, &status] { Drive(*form, options, status); });
    }
    app.Run();
    // The forms go before the window system.
    app.DestroyComponents();
  }
  return status;
}

}  // namespace korvo
