// The canvas with a figure device: what the canvas itself decides before a
// figure goes to the device (the pen position, the text's advance, the
// clip), and stamps, which a device takes as runs of pixels.
#include <algorithm>

#include "platform/graphics/Canvas.h"
#include "platform/graphics/FigureDevice.h"
#include "platform/graphics/raster/StampRuns.h"

namespace korvo {

void TCanvas::SetFigureDevice(TFigureDevice* device, int32_t width, int32_t height) {
  figures_ = device;
  for_device_ = printer_page_ || figures_ != nullptr;
  // Stamp's fast path runs only where runs exist (raster/Stamps.cpp).
  if (device != nullptr) stamp_runs_.reset();
  figure_size_ = device != nullptr ? TSize{std::max(width, 0), std::max(height, 0)} : TSize{};
  UpdateEffectiveClip();
}

void TCanvas::FigureLine(TPoint from, TPoint to) {
  if (!effective_clip_.IsEmpty()) figures_->Line(*this, from, to);
}

// Each row's set bits, run by run, as filled pixel boxes in the row's ink;
// later rows over earlier ones, as on pixels.
void TCanvas::FigureStamp(TPoint at, std::span<const TStampRow> rows, TStampInks inks) {
  const TRect& clip = effective_clip_;
  if (clip.IsEmpty()) return;
  for (const TStampRow& row : rows) {
    const int64_t y = int64_t(at.Y) + row.DY;
    if (y < clip.Top || y >= clip.Bottom) continue;
    uint32_t mask = row.Mask;
    while (mask != 0) {
      const int first = __builtin_ctz(mask);
      const uint32_t rest = mask >> first;  // bit 0 set: the run starts there
      const int run = rest == 0xFFFFFFFFu ? 32 : __builtin_ctz(~rest);
      mask = first + run >= 32 ? 0u : mask & ~((1u << (first + run)) - 1u);
      const int64_t left = std::max<int64_t>(int64_t(at.X) + row.DX + first, clip.Left);
      const int64_t right = std::min<int64_t>(int64_t(at.X) + row.DX + first + run, clip.Right);
      if (left < right) {
        figures_->Fill(*this, TRect{int32_t(left), int32_t(y), int32_t(right), int32_t(y + 1)},
                       PixelToColor(inks[row.Ink & 1]));
      }
    }
  }
}

void TCanvas::FigureText(int32_t x, int32_t y, std::string_view text) {
  const int32_t width = TextWidth(text);
  if (!effective_clip_.IsEmpty()) figures_->Text(*this, TPoint{x, y}, text, width);
  pen_pos_ = TPoint{int32_t(std::clamp<int64_t>(int64_t(x) + width, INT32_MIN, INT32_MAX)), y};
}

}  // namespace korvo
