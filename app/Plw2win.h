// The demo program: PLW2WIN, one window with two animated charts, on the Qt
// window system. The command line is app/DemoCommandLine.h's.
#pragma once

#include <functional>

namespace korvo {

class TDuoPaneForm;

// Runs the program: reads the options, picks the platform, makes the Qt
// window system, sets the application title "PLW2WIN", creates the main
// form from its form description, runs what the options ask for and the
// event loop until the window is closed, and destroys the form before the
// window system. With --help it prints the usage to stdout and returns 0
// before any of that. Returns the exit status: 0, 1 when a picture could not be
// saved or an error reached the event loop on the offscreen platform (where
// no message box can be answered), 2 for a bad command line. `prepare`
// (for tests) sees the form before the event loop starts.
int RunPlw2win(int argc, char** argv, const std::function<void(TDuoPaneForm&)>& prepare = {});

}  // namespace korvo
