// Uncompressed BMP output: 14-byte file header, 40-byte information header,
// bottom-up rows padded to 4 bytes.
#include <string>

#include "platform/Exceptions.h"
#include "platform/graphics/bmp/BmpCodec_p.h"

namespace korvo::bmp {
namespace {

constexpr uint32_t kHeadersSize = 14 + 40;
constexpr uint32_t kPixelsPerMetre = 3780;  // 96 pixels per inch

void Put16(uint8_t* p, uint16_t v) {
  p[0] = uint8_t(v);
  p[1] = uint8_t(v >> 8);
}

void Put32(uint8_t* p, uint32_t v) {
  for (int i = 0; i < 4; ++i) p[i] = uint8_t(v >> (8 * i));
}

}  // namespace

std::vector<uint8_t> EncodeBmp(const TBitmap& bitmap) {
  if (bitmap.Empty()) {
    throw EInvalidGraphic("the bitmap is empty (" + std::to_string(bitmap.Width()) + " x " +
                          std::to_string(bitmap.Height()) + " pixels)");
  }
  const uint32_t width = uint32_t(bitmap.Width());
  const uint32_t height = uint32_t(bitmap.Height());
  const uint16_t bits = bitmap.PixelFormat() == TPixelFormat::pf24bit ? 24 : 32;
  // A bitmap holds at most MaxPixels (2^28) pixels, so the file stays below
  // 4 GiB and every size fits the 32-bit header fields.
  const uint64_t row_bytes = (uint64_t(width) * bits + 31) / 32 * 4;
  const uint64_t image_bytes = row_bytes * height;
  std::vector<uint8_t> out(size_t(kHeadersSize + image_bytes), 0);

  uint8_t* p = out.data();
  p[0] = 'B';
  p[1] = 'M';
  Put32(p + 2, uint32_t(out.size()));
  Put32(p + 10, kHeadersSize);
  Put32(p + 14, 40);
  Put32(p + 18, width);
  Put32(p + 22, height);  // positive: bottom-up
  Put16(p + 26, 1);
  Put16(p + 28, bits);
  Put32(p + 30, 0);  // BI_RGB
  Put32(p + 34, uint32_t(image_bytes));
  Put32(p + 38, kPixelsPerMetre);
  Put32(p + 42, kPixelsPerMetre);

  for (uint32_t r = 0; r < height; ++r) {
    const TPixel* src = bitmap.ScanLine(int32_t(height - 1 - r));
    uint8_t* dst = p + kHeadersSize + size_t(r) * size_t(row_bytes);
    for (uint32_t x = 0; x < width; ++x) {
      const TPixel px = src[x];
      *dst++ = uint8_t(px);
      *dst++ = uint8_t(px >> 8);
      *dst++ = uint8_t(px >> 16);
      if (bits == 32) *dst++ = 0xFF;
    }
  }
  return out;
}

}  // namespace korvo::bmp
