// Bitmap copies onto the canvas: Draw at a point and StretchDraw into a
// rectangle. Both clip once to ClipRect(), computing in 64 bits so that any
// 32-bit position works, and then copy whole rows. The pen mode does not
// apply: the bitmap's pixels replace the canvas's.
//
// StretchDraw's pixel rule, per axis (x shown; y is the same with Top,
// Bottom and the height): with d = Right - Left and W the bitmap's width,
// destination column x shows source column (x - Left) * W / d, the division
// truncating towards zero. The columns drawn are those for which that lies in
// 0..W-1: Left..Right-1 when d > 0, and Right+1..Left when d < 0, where
// column Left shows source column 0, so the picture is mirrored and extends
// leftwards from Left. d == 0 draws nothing.
#include <algorithm>
#include <functional>
#include <vector>

#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"
#include "platform/graphics/FigureDevice.h"

namespace korvo {
namespace {

// True when the bitmap's pixels lie in the surface's memory (a bitmap drawn
// onto its own canvas), so copying must not read what it has overwritten.
bool SharesPixels(const TPixelSurface& surface, const TBitmap& bitmap) {
  const TPixel* src_lo = bitmap.ScanLine(0);
  const TPixel* src_hi = src_lo + size_t(bitmap.Width()) * size_t(bitmap.Height());
  const TPixel* dst_lo = surface.Bits;
  const TPixel* dst_hi = surface.Bits + (surface.Height - 1) * surface.Stride + surface.Width;
  const std::less<const TPixel*> before;
  return before(src_lo, dst_hi) && before(dst_lo, src_hi);
}

// The destination span [lo, hi) of one StretchDraw axis from `from` to `to`,
// cut to [clip_lo, clip_hi). False when nothing is left.
bool StretchSpan(int32_t from, int32_t to, int32_t clip_lo, int32_t clip_hi, int64_t& lo, int64_t& hi) {
  if (from == to) return false;
  lo = from < to ? int64_t(from) : int64_t(to) + 1;
  hi = from < to ? int64_t(to) : int64_t(from) + 1;
  lo = std::max<int64_t>(lo, clip_lo);
  hi = std::min<int64_t>(hi, clip_hi);
  return lo < hi;
}

// Source index of destination position p: (p - from) * size / (to - from).
// |p - from| < 2^33 and size <= 2^28, so the product fits in 64 bits.
int64_t SourceIndex(int64_t p, int32_t from, int32_t to, int32_t size) {
  return (p - from) * size / (int64_t(to) - from);
}

}  // namespace

void TCanvas::Draw(int32_t x, int32_t y, const TBitmap& bitmap) {
  if (bitmap.Empty()) return;
  if (figures_ != nullptr) [[unlikely]] {
    const TRect box{x, y, int32_t(std::min<int64_t>(int64_t(x) + bitmap.Width(), INT32_MAX)),
                    int32_t(std::min<int64_t>(int64_t(y) + bitmap.Height(), INT32_MAX))};
    if (!effective_clip_.IsEmpty()) figures_->Picture(*this, box, bitmap);
    return;
  }
  const TRect clip = ClipRect();
  const int64_t left = std::max<int64_t>(x, clip.Left);
  const int64_t right = std::min<int64_t>(int64_t(x) + bitmap.Width(), clip.Right);
  const int64_t top = std::max<int64_t>(y, clip.Top);
  const int64_t bottom = std::min<int64_t>(int64_t(y) + bitmap.Height(), clip.Bottom);
  if (left >= right || top >= bottom) return;

  const size_t count = size_t(right - left);
  const int32_t rows = int32_t(bottom - top);
  const TPixel* src = bitmap.ScanLine(int32_t(top - y)) + (left - x);
  TPixel* dst = surface_.Bits + top * surface_.Stride + left;
  const ptrdiff_t src_stride = bitmap.Width();

  if (!SharesPixels(surface_, bitmap)) {
    for (int32_t r = 0; r < rows; ++r) std::copy_n(src + r * src_stride, count, dst + r * surface_.Stride);
    return;
  }
  if (src_stride == surface_.Stride) {
    // Same rows in the same memory: moving down, copy the bottom row first,
    // so no row is overwritten before it is read; each row may overlap itself.
    for (int32_t i = 0; i < rows; ++i) {
      const int32_t r = dst > src ? rows - 1 - i : i;
      const TPixel* from = src + r * src_stride;
      TPixel* to = dst + r * surface_.Stride;
      if (to > from) {
        std::copy_backward(from, from + count, to + count);
      } else {
        std::copy(from, from + count, to);
      }
    }
    return;
  }
  std::vector<TPixel> block(count * size_t(rows));
  for (int32_t r = 0; r < rows; ++r) std::copy_n(src + r * src_stride, count, block.data() + r * count);
  for (int32_t r = 0; r < rows; ++r) std::copy_n(block.data() + r * count, count, dst + r * surface_.Stride);
}

void TCanvas::StretchDraw(const TRect& r, const TBitmap& bitmap) {
  if (bitmap.Empty()) return;
  if (figures_ != nullptr) [[unlikely]] {
    if (!effective_clip_.IsEmpty() && r.Left != r.Right && r.Top != r.Bottom) figures_->Picture(*this, r, bitmap);
    return;
  }
  const TRect clip = ClipRect();
  int64_t x0, x1, y0, y1;
  if (!StretchSpan(r.Left, r.Right, clip.Left, clip.Right, x0, x1) ||
      !StretchSpan(r.Top, r.Bottom, clip.Top, clip.Bottom, y0, y1)) {
    return;
  }
  const int32_t w = bitmap.Width();
  const int32_t h = bitmap.Height();
  const size_t count = size_t(x1 - x0);

  // The column map, reused across calls in the canvas's scratch memory.
  scratch_.resize(std::max(scratch_.size(), count));
  for (size_t i = 0; i < count; ++i) scratch_[i] = SourceIndex(x0 + int64_t(i), r.Left, r.Right, w);

  const TPixel* pixels = bitmap.ScanLine(0);
  std::vector<TPixel> copy;
  if (SharesPixels(surface_, bitmap)) {
    copy.assign(pixels, pixels + size_t(w) * size_t(h));
    pixels = copy.data();
  }

  int64_t previous_sy = -1;
  const TPixel* previous_row = nullptr;
  for (int64_t y = y0; y < y1; ++y) {
    const int64_t sy = SourceIndex(y, r.Top, r.Bottom, h);
    TPixel* dst = surface_.Bits + y * surface_.Stride + x0;
    if (sy == previous_sy) {
      std::copy_n(previous_row, count, dst);  // an enlarged row repeats the one above
    } else {
      const TPixel* src = pixels + sy * w;
      for (size_t i = 0; i < count; ++i) dst[i] = src[scratch_[i]];
    }
    previous_sy = sy;
    previous_row = dst;
  }
}

}  // namespace korvo
