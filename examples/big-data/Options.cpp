#include "Options.h"

#include <charconv>
#include <string_view>

namespace plotwell_big_data {
namespace {

bool Set(const char* value) { return value != nullptr && value[0] != '\0'; }

bool EndsWithPng(std::string_view name) {
  if (name.size() <= 4) return false;
  const std::string_view ext = name.substr(name.size() - 4);
  for (size_t i = 0; i < 4; ++i) {
    const char c = ext[i] >= 'A' && ext[i] <= 'Z' ? char(ext[i] - 'A' + 'a') : ext[i];
    if (c != ".png"[i]) return false;
  }
  return true;
}

bool Digit(char c) { return c >= '0' && c <= '9'; }

// A whole number from `low` to `high`; its digits may be grouped with ','
// or '_' (10,000,000).
bool ReadCount(std::string_view text, int64_t low, int64_t high, int64_t& value) {
  if (text.empty() || !Digit(text.front()) || !Digit(text.back())) return false;
  std::string digits;
  for (const char c : text) {
    if (Digit(c)) {
      digits += c;
    } else if (c != ',' && c != '_') {
      return false;
    }
  }
  const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  return ec == std::errc{} && end == digits.data() + digits.size() && value >= low && value <= high;
}

}  // namespace

bool ParseOptions(int argc, const char* const* argv, TOptions& options, std::string& error) {
  options = TOptions{};
  error.clear();
  bool seenOffscreen = false, seenPoints = false, seenFrames = false, seenShot = false, seenExit = false,
       seenHelp = false;
  const auto once = [&](bool& seen, std::string_view name) {
    if (seen) error = "option " + std::string(name) + " is given twice";
    seen = true;
    return error.empty();
  };
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i] != nullptr ? argv[i] : "";
    const char* value = i + 1 < argc ? argv[i + 1] : nullptr;
    if (arg == "--offscreen") {
      if (!once(seenOffscreen, arg)) return false;
      options.Offscreen = true;
    } else if (arg == "--exit") {
      if (!once(seenExit, arg)) return false;
      options.Exit = true;
    } else if (arg == "--help" || arg == "-h") {
      if (!once(seenHelp, "--help")) return false;
      options.Help = true;
    } else if (arg == "--points" || arg == "--frames") {
      const bool points = arg == "--points";
      if (!once(points ? seenPoints : seenFrames, arg)) return false;
      const std::string what = points ? "a number of points from 2 to 1,000,000,000"
                                      : "a number of frames from 1 to 1,000,000,000";
      if (value == nullptr) {
        error = std::string(arg) + " needs " + what;
        return false;
      }
      int64_t n = 0;
      if (!ReadCount(value, points ? MinPoints : 1, points ? MaxPoints : MaxFrames, n)) {
        error = std::string(arg) + ": '" + value + "' is not " + what;
        return false;
      }
      (points ? options.Points : options.Frames) = n;
      ++i;
    } else if (arg == "--screenshot") {
      if (!once(seenShot, arg)) return false;
      if (value == nullptr) {
        error = "--screenshot needs the name of a .png file";
        return false;
      }
      if (!EndsWithPng(value)) {
        error = std::string("--screenshot: '") + value + "' does not end in .png";
        return false;
      }
      options.Screenshot = value;
      ++i;
    } else {
      error = "unknown option '" + std::string(arg) + "'";
      return false;
    }
  }
  return true;
}

std::string Usage() {
  return "usage: plotwell-big-data [--offscreen] [--points N] [--frames N] [--screenshot FILE.png] [--exit]\n"
         "  A chart of a live signal: N points (default 10,000,000) at first, then 10,000 more each\n"
         "  frame while the oldest drop out. Drag to pan, turn the wheel to zoom (or click the chart\n"
         "  and use the arrow keys, + and -); the view stops following the signal then, and\n"
         "  \"Follow\" or the Home key brings it back.\n"
         "  --offscreen          run on Qt's offscreen platform (nothing is shown; chosen by itself\n"
         "                       when there is no display)\n"
         "  --points N           the points the chart shows, 2 to 1,000,000,000\n"
         "  --frames N           stop the signal after N frames and print how fast they ran\n"
         "  --screenshot F.png   save a picture of the window when the frames stop (without\n"
         "                       --frames: when the window closes)\n"
         "  --exit               close the window when the frames stop (without --frames: after\n"
         "                       the first frame)\n"
         "  --help               print this text\n";
}

bool ChooseOffscreen(bool offscreenOption, const char* qpaPlatform, const char* display,
                     const char* waylandDisplay) {
  if (offscreenOption) return true;
  if (Set(qpaPlatform)) return false;
  return !Set(display) && !Set(waylandDisplay);
}

std::string WithThousands(uint64_t n) {
  const std::string digits = std::to_string(n);
  std::string out;
  for (size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) out += ',';
    out += digits[i];
  }
  return out;
}

}  // namespace plotwell_big_data
