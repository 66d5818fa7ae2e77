// Run-length encoded BMP pixels (RLE8 and RLE4).
//
// The stream is a sequence of byte pairs starting at the bottom row:
//   n > 0, c        a run of n pixels of index c (RLE4: the two nibbles of c
//                   alternate, high nibble first);
//   0, 0            end of line: next row, column 0;
//   0, 1            end of bitmap;
//   0, 2, dx, dy    move right by dx and up by dy;
//   0, n >= 3       n literal indices follow (RLE4: two per byte), padded to
//                   an even number of bytes.
// Pixels that land outside the picture are dropped; pixels the stream never
// reaches stay black. A stream that ends before its end-of-bitmap marker is
// truncated and refused.
#include <algorithm>

#include "platform/Exceptions.h"
#include "platform/graphics/bmp/BmpCodec_p.h"

namespace korvo::bmp {

void DecodeRle(std::span<const uint8_t> data, int bits, const TPixel* palette, TDecodedImage& image) {
  const int64_t width = image.Width;
  const int64_t height = image.Height;
  // x and y grow by at most 255 per two bytes read, so they stay far from
  // overflow for any buffer that fits in memory.
  int64_t x = 0;
  int64_t y = 0;  // rows counted from the bottom
  size_t i = 0;
  const size_t n = data.size();
  auto row = [&]() -> TPixel* {
    return y < height ? image.Pixels.data() + size_t(height - 1 - y) * size_t(width) : nullptr;
  };
  // Writes `count` pixels at (x, y) whose k-th index is index(k), keeping
  // only those inside the row; advances x by count.
  auto emit = [&](int64_t count, auto index) {
    if (TPixel* out = row(); out != nullptr && x < width) {
      const int64_t inside = std::min(count, width - x);
      for (int64_t k = 0; k < inside; ++k) out[x + k] = palette[index(k)];
    }
    x += count;
  };

  for (;;) {
    if (n - i < 2) throw EInvalidGraphic("the RLE data ends before its end-of-bitmap marker");
    const uint8_t a = data[i];
    const uint8_t b = data[i + 1];
    i += 2;
    if (a > 0) {
      if (bits == 8) {
        emit(a, [b](int64_t) { return b; });
      } else {
        emit(a, [b](int64_t k) { return (k & 1) ? (b & 15) : (b >> 4); });
      }
    } else if (b == 0) {
      x = 0;
      ++y;
    } else if (b == 1) {
      return;
    } else if (b == 2) {
      if (n - i < 2) throw EInvalidGraphic("the RLE data ends inside a position move");
      x += data[i];
      y += data[i + 1];
      i += 2;
    } else {
      const size_t bytes = bits == 8 ? b : (size_t(b) + 1) / 2;
      const size_t padded = (bytes + 1) & ~size_t(1);
      if (n - i < padded) throw EInvalidGraphic("the RLE data ends inside a run of literal pixels");
      const uint8_t* literal = data.data() + i;
      if (bits == 8) {
        emit(b, [literal](int64_t k) { return literal[k]; });
      } else {
        emit(b, [literal](int64_t k) { return (k & 1) ? (literal[k >> 1] & 15) : (literal[k >> 1] >> 4); });
      }
      i += padded;
    }
  }
}

}  // namespace korvo::bmp
