#include "app/DemoCommandLine.h"

#include <charconv>
#include <cstdio>
#include <string_view>

namespace korvo {
namespace {

bool Set(const char* value) { return value != nullptr && value[0] != '\0'; }

bool EndsWithPng(std::string_view name) {
  if (name.size() <= 4) return false;
  std::string_view ext = name.substr(name.size() - 4);
  const char* png = ".png";
  for (size_t i = 0; i < 4; ++i) {
    const char c = ext[i] >= 'A' && ext[i] <= 'Z' ? char(ext[i] - 'A' + 'a') : ext[i];
    if (c != png[i]) return false;
  }
  return true;
}

}  // namespace

bool ParseDemoOptions(int argc, const char* const* argv, TDemoOptions& options, std::string& error) {
  options = TDemoOptions{};
  bool seenOffscreen = false, seenFrames = false, seenShot = false, seenFps = false, seenExit = false;
  const auto once = [&](bool& seen, std::string_view name) {
    if (seen) error = "option " + std::string(name) + " is given twice";
    seen = true;
    return error.empty();
  };
  error.clear();
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i] != nullptr ? argv[i] : "";
    const bool hasValue = i + 1 < argc && argv[i + 1] != nullptr;
    if (arg == "--help" || arg == "-h") {
      options = TDemoOptions{};
      options.Help = true;
      return true;
    } else if (arg == "--offscreen") {
      if (!once(seenOffscreen, arg)) return false;
      options.Offscreen = true;
    } else if (arg == "--fps") {
      if (!once(seenFps, arg)) return false;
      options.Fps = true;
    } else if (arg == "--exit") {
      if (!once(seenExit, arg)) return false;
      options.Exit = true;
    } else if (arg == "--frames") {
      if (!once(seenFrames, arg)) return false;
      if (!hasValue) {
        error = "--frames needs a number of frames";
        return false;
      }
      const std::string_view value = argv[++i];
      long long n = 0;
      const auto [end, ec] = std::from_chars(value.data(), value.data() + value.size(), n);
      if (ec != std::errc{} || end != value.data() + value.size() || n < 1 || n > 1000000000) {
        error = "--frames: '" + std::string(value) + "' is not a number of frames from 1 to 1000000000";
        return false;
      }
      options.Frames = int(n);
    } else if (arg == "--screenshot") {
      if (!once(seenShot, arg)) return false;
      if (!hasValue) {
        error = "--screenshot needs the name of a .png file";
        return false;
      }
      const std::string_view value = argv[++i];
      if (!EndsWithPng(value)) {
        error = "--screenshot: '" + std::string(value) + "' does not end in .png";
        return false;
      }
      options.Screenshot = std::string(value);
    } else {
      error = "unknown option '" + std::string(arg) + "'";
      return false;
    }
  }
  return true;
}

std::string DemoUsage() {
  return "usage: plw2win [--offscreen] [--frames N] [--screenshot FILE.png] [--fps] [--exit] [--help]\n"
         "  --offscreen          run on Qt's offscreen platform (nothing is shown)\n"
         "  --frames N           click Start, run N frames, click Stop\n"
         "  --screenshot F.png   save a picture of the window after the frames\n"
         "  --fps                print the frames per second of each animation run\n"
         "  --exit               close the window after that\n"
         "  --help, -h           print this and end\n";
}

TDemoPlatform ChooseDemoPlatform(bool offscreenOption, const char* qpaPlatform, const char* display,
                                 const char* waylandDisplay) {
  if (offscreenOption) return TDemoPlatform::dpOffscreen;
  if (Set(qpaPlatform)) return TDemoPlatform::dpQtChoice;
  if (!Set(display) && !Set(waylandDisplay)) return TDemoPlatform::dpOffscreenNoDisplay;
  return TDemoPlatform::dpQtChoice;
}

std::string FormatAnimationTimes(const TAnimationTimes& t) {
  char line[256];
  if (t.Frames <= 0) {
    std::snprintf(line, sizeof line, "no frame was drawn");
    return line;
  }
  const double perFrame = 1e3 / t.Frames;
  const double fps = t.Seconds > 0 ? t.Frames / t.Seconds : 0.0;
  std::snprintf(line, sizeof line,
                "%d frames in %.2f s: %.1f frames per second; one frame %.3f ms: charts %.3f ms (clear, fill, "
                "show), Qt %.3f ms (events, paints, presentation)",
                t.Frames, t.Seconds, fps, t.Seconds * perFrame, t.RenderSeconds * perFrame,
                t.EventSeconds * perFrame);
  return line;
}

}  // namespace korvo
