// The layout of a multi-line text in a canvas's current font, as text items
// place it.
#pragma once

#include <cstdint>
#include <string_view>

namespace korvo {

class TCanvas;

// Lines are separated by line feeds (code 10): Lines = line feeds + 1.
// LineHeight = TextHeight + 1; BlockHeight = Lines * LineHeight; Width = the
// largest TextWidth of the lines (each without its line feed), or the
// TextWidth of the whole text when every line measures 0.
struct TTextBlockMetrics {
  int64_t Lines = 1;
  int32_t LineHeight = 0;
  int64_t BlockHeight = 0;
  int32_t Width = 0;
};

// Measures `text` with `canvas`'s font. Allocates nothing once the glyphs
// are cached.
TTextBlockMetrics MeasureTextBlock(std::string_view text, TCanvas* canvas);

// Calls f(line, i) for each line of `text` (split at line feeds), i from 0.
template <class F>
void ForEachTextLine(std::string_view text, F&& f) {
  int64_t i = 0;
  for (;;) {
    const size_t lf = text.find('\n');
    if (lf == std::string_view::npos) {
      f(text, i);
      return;
    }
    f(text.substr(0, lf), i);
    text.remove_prefix(lf + 1);
    ++i;
  }
}

}  // namespace korvo
