// The demo program's command line: its options, the platform it runs on and
// the line that reports the animation's speed. Without options the program
// opens its window and waits for the user.
//
//   --offscreen         Qt's offscreen platform: the window exists and draws,
//                       but nothing is shown (chosen by itself when neither
//                       DISPLAY nor WAYLAND_DISPLAY is set and
//                       QT_QPA_PLATFORM does not name a platform)
//   --frames N          clicks "Start", lets N frames run, clicks "Stop"
//   --screenshot F.png  saves a picture of the window after the frames
//   --fps               prints the frames per second of each animation run
//                       and how one frame splits between the charts' own
//                       rendering and Qt's events and presentation
//   --exit              closes the window after that
//   --help, -h          prints the usage and ends (status 0)
#pragma once

#include <string>

#include "app/DuoPaned.h"

namespace korvo {

struct TDemoOptions {
  bool Offscreen = false;
  int Frames = 0;  // 0: no frames are run by the program itself
  std::string Screenshot;
  bool Fps = false;
  bool Exit = false;
  bool Help = false;  // --help or -h: the usage, nothing else
};

// Reads the options after argv[0]. An unknown option, a missing or invalid
// value (N must be 1 to 1000000000, the picture's name must end in ".png")
// or an option given twice: false, with `error` saying which. --help (or
// -h) before any such error sets Help alone and ends the reading.
bool ParseDemoOptions(int argc, const char* const* argv, TDemoOptions& options, std::string& error);
// The usage text, one option a line.
std::string DemoUsage();

enum class TDemoPlatform : unsigned char {
  dpQtChoice,          // QT_QPA_PLATFORM or Qt's default for the display
  dpOffscreen,         // --offscreen
  dpOffscreenNoDisplay // no display to show a window on
};
// Which platform the program runs on, from the option and the values of
// QT_QPA_PLATFORM, DISPLAY and WAYLAND_DISPLAY (nullptr when unset; an
// empty value counts as unset).
TDemoPlatform ChooseDemoPlatform(bool offscreenOption, const char* qpaPlatform, const char* display,
                                 const char* waylandDisplay);

// "200 frames in 0.52 s: 385.2 frames per second; one frame 2.596 ms:
// charts 0.089 ms (clear, fill, show), Qt 2.507 ms (events, paints,
// presentation)".
std::string FormatAnimationTimes(const TAnimationTimes& times);

}  // namespace korvo
