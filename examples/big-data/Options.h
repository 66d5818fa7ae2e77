// The program's command line.
//
//   --offscreen         Qt's offscreen platform: the window exists and draws,
//                       but nothing is shown (chosen by itself when neither
//                       DISPLAY nor WAYLAND_DISPLAY is set and
//                       QT_QPA_PLATFORM names no platform)
//   --points N          the points the chart shows (default 10 000 000)
//   --frames N          stop the signal after N frames
//   --screenshot F.png  save a picture of the window when the frames stop
//                       (or, without --frames, when the window closes)
//   --exit              close the window when the frames stop (without
//                       --frames: after the first frame)
//   --help              print the usage and end
#pragma once

#include <cstdint>
#include <string>

namespace plotwell_big_data {

struct TOptions {
  bool Offscreen = false;
  int64_t Points = 10'000'000;
  int64_t Frames = 0;  // 0: run until the window is closed
  std::string Screenshot;
  bool Exit = false;
  bool Help = false;
};

// Points appended each frame.
constexpr int64_t PointsPerFrame = 10'000;
// The limits of --points and --frames.
constexpr int64_t MinPoints = 2, MaxPoints = 1'000'000'000;
constexpr int64_t MaxFrames = 1'000'000'000;

// Reads the options after argv[0]. An unknown option, a missing or invalid
// value or an option given twice: false, with `error` saying which.
bool ParseOptions(int argc, const char* const* argv, TOptions& options, std::string& error);
// The usage text, one option a line.
std::string Usage();

// Whether to run on Qt's offscreen platform: asked for, or no display to
// show a window on (and QT_QPA_PLATFORM not set). The arguments are the
// environment's values, nullptr when unset.
bool ChooseOffscreen(bool offscreenOption, const char* qpaPlatform, const char* display,
                     const char* waylandDisplay);

// 10000000 -> "10,000,000".
std::string WithThousands(uint64_t n);

}  // namespace plotwell_big_data
