// BMP headers, palettes, bit fields and uncompressed rows.
#include <algorithm>
#include <array>
#include <bit>
#include <cstdio>
#include <span>
#include <string>
#include <vector>

#include "platform/Exceptions.h"
#include "platform/graphics/bmp/BmpCodec_p.h"

namespace korvo::bmp {
namespace {

constexpr size_t kFileHeaderSize = 14;
constexpr uint32_t kCoreHeaderSize = 12;
// Encoders paint every pixel with runs of at most 255 per two bytes; only
// end-of-line and position moves describe more, by leaving pixels out. A
// picture over 1024 pixels per byte of RLE data is refused.
constexpr uint64_t kMaxRlePixelsPerByte = 1024;

enum : uint32_t { BI_RGB = 0, BI_RLE8 = 1, BI_RLE4 = 2, BI_BITFIELDS = 3, BI_JPEG = 4, BI_PNG = 5, BI_ALPHABITFIELDS = 6 };

[[noreturn]] void Fail(const std::string& fault) { throw EInvalidGraphic(fault); }

std::string Hex(uint32_t v) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "0x%08X", v);
  return buf;
}

// The first bytes of the file, which hold every header field, and the
// file's size, against which every extent is checked. Fields are read only
// inside the buffer.
constexpr size_t kHeadBytes = 14 + 124 + 16;

class TBytes {
 public:
  TBytes(std::span<const uint8_t> head, uint64_t file_size) : head_(head), size_(file_size) {}
  uint64_t Size() const { return size_; }
  bool Has(uint64_t offset, uint64_t count) const { return offset <= size_ && count <= size_ - offset; }
  void Need(uint64_t offset, uint64_t count, const char* fault) const {
    if (!Has(offset, count)) Fail(fault);
  }
  uint16_t U16(size_t offset) const {
    NeedHead(offset, 2);
    return uint16_t(head_[offset] | (head_[offset + 1] << 8));
  }
  uint32_t U32(size_t offset) const {
    NeedHead(offset, 4);
    return uint32_t(head_[offset]) | uint32_t(head_[offset + 1]) << 8 | uint32_t(head_[offset + 2]) << 16 |
           uint32_t(head_[offset + 3]) << 24;
  }
  uint8_t Byte(size_t offset) const {
    NeedHead(offset, 1);
    return head_[offset];
  }

 private:
  void NeedHead(size_t offset, size_t count) const {
    if (offset > head_.size() || count > head_.size() - offset) Fail("the file ends inside the bitmap header");
  }
  std::span<const uint8_t> head_;
  uint64_t size_;
};

using THeader = TBmpHeader;

bool IsKnownInfoHeaderSize(uint32_t size) {
  return size == 40 || size == 52 || size == 56 || size == 108 || size == 124;
}

THeader ReadHeader(const TBytes& file) {
  if (file.Size() < kFileHeaderSize + 4) {
    Fail("the file is too short to be a bitmap (" + std::to_string(file.Size()) + " bytes)");
  }
  if (file.Byte(0) != 'B' || file.Byte(1) != 'M') Fail("not a bitmap file (it does not start with 'BM')");
  THeader h;
  h.PixelOffset = file.U32(10);
  h.HeaderSize = file.U32(kFileHeaderSize);
  if (h.HeaderSize != kCoreHeaderSize && !IsKnownInfoHeaderSize(h.HeaderSize)) {
    Fail("unsupported bitmap header size " + std::to_string(h.HeaderSize));
  }
  file.Need(kFileHeaderSize, h.HeaderSize, "the file ends inside the bitmap header");
  const size_t at = kFileHeaderSize;
  h.PaletteOffset = kFileHeaderSize + h.HeaderSize;
  if (h.HeaderSize == kCoreHeaderSize) {
    h.Width = file.U16(at + 4);
    h.Height = file.U16(at + 6);
    h.Planes = file.U16(at + 8);
    h.Bits = file.U16(at + 10);
    h.PaletteEntrySize = 3;
    return h;
  }
  h.Width = int32_t(file.U32(at + 4));
  h.Height = int32_t(file.U32(at + 8));
  h.Planes = file.U16(at + 12);
  h.Bits = file.U16(at + 14);
  h.Compression = file.U32(at + 16);
  h.ImageSize = file.U32(at + 20);
  h.ColorsUsed = file.U32(at + 32);
  if (h.Compression == BI_BITFIELDS || h.Compression == BI_ALPHABITFIELDS) {
    // The masks are part of the larger headers; after a 40-byte header they
    // follow it (with an alpha mask for BI_ALPHABITFIELDS, which we ignore).
    if (h.HeaderSize == 40) {
      const uint64_t count = h.Compression == BI_ALPHABITFIELDS ? 16 : 12;
      file.Need(h.PaletteOffset, count, "the file ends inside the bit field masks");
      h.PaletteOffset += count;
    }
    for (size_t i = 0; i < 3; ++i) h.Masks[i] = file.U32(at + 40 + 4 * i);
  }
  return h;
}

void CheckMask(uint32_t mask, uint16_t bits) {
  if (bits == 16 && mask > 0xFFFF) Fail("bit field mask " + Hex(mask) + " does not fit in 16 bits");
  if (mask != 0) {
    const uint32_t run = mask >> std::countr_zero(mask);
    if ((run & (run + 1)) != 0) Fail("bit field mask " + Hex(mask) + " is not contiguous");
  }
}

void CheckHeader(const THeader& h, const TBytes& file) {
  if (h.Planes != 1) Fail("the number of colour planes is " + std::to_string(h.Planes) + " (must be 1)");
  if (h.Width <= 0) Fail("invalid width " + std::to_string(h.Width));
  if (h.Height == 0) Fail("invalid height 0");
  const bool core = h.HeaderSize == kCoreHeaderSize;
  const uint16_t b = h.Bits;
  const bool bits_ok = b == 1 || b == 4 || b == 8 || b == 24 || (!core && (b == 16 || b == 32));
  if (!bits_ok) Fail("unsupported bit count " + std::to_string(b));
  switch (h.Compression) {
    case BI_RGB:
      break;
    case BI_RLE8:
    case BI_RLE4: {
      const uint16_t need = h.Compression == BI_RLE8 ? 8 : 4;
      const char* name = h.Compression == BI_RLE8 ? "RLE8" : "RLE4";
      if (b != need) Fail(std::string(name) + " compression needs " + std::to_string(need) + " bits per pixel, not " + std::to_string(b));
      if (h.Height < 0) Fail(std::string("a top-down bitmap cannot be ") + name + "-compressed");
      break;
    }
    case BI_BITFIELDS:
    case BI_ALPHABITFIELDS:
      if (b != 16 && b != 32) Fail("bit field masks need 16 or 32 bits per pixel, not " + std::to_string(b));
      for (uint32_t mask : h.Masks) CheckMask(mask, b);
      break;
    case BI_JPEG:
      Fail("JPEG-compressed bitmaps are not supported");
    case BI_PNG:
      Fail("PNG-compressed bitmaps are not supported");
    default:
      Fail("unknown compression " + std::to_string(h.Compression));
  }
  const int64_t height = h.Height < 0 ? -h.Height : h.Height;
  if (h.Width * height > TBitmap::MaxPixels) {
    Fail("the image size " + std::to_string(h.Width) + " x " + std::to_string(height) + " exceeds the limit of " +
         std::to_string(TBitmap::MaxPixels) + " pixels");
  }
  if (h.PixelOffset < kFileHeaderSize + h.HeaderSize) {
    Fail("the pixel data offset " + std::to_string(h.PixelOffset) + " lies inside the headers");
  }
  if (h.PixelOffset > file.Size()) {
    Fail("the pixel data offset " + std::to_string(h.PixelOffset) + " lies past the end of the file (" +
         std::to_string(file.Size()) + " bytes)");
  }
}

// 256 entries, so any index byte can be looked up unchecked: the entries the
// file does not define are black.
std::array<TPixel, 256> ReadPalette(const THeader& h, const TBytes& file, TByteSource& source) {
  std::array<TPixel, 256> palette;
  palette.fill(0xFF000000u);
  if (h.Bits > 8) return palette;
  const uint32_t full = 1u << h.Bits;
  if (h.ColorsUsed > full) {
    Fail("the palette count " + std::to_string(h.ColorsUsed) + " exceeds the " + std::to_string(full) +
         " colours of " + std::to_string(h.Bits) + " bits per pixel");
  }
  const uint32_t count = h.ColorsUsed == 0 ? full : h.ColorsUsed;
  file.Need(h.PaletteOffset, uint64_t(count) * h.PaletteEntrySize, "the palette ends past the end of the file");
  uint8_t scratch[256 * 4];
  const uint8_t* p = source.Read(h.PaletteOffset, size_t(count) * h.PaletteEntrySize, scratch);
  for (uint32_t i = 0; i < count; ++i, p += h.PaletteEntrySize) {
    palette[i] = 0xFF000000u | uint32_t(p[2]) << 16 | uint32_t(p[1]) << 8 | p[0];
  }
  return palette;
}

// One colour channel of a bit-field pixel, scaled to 8 bits: a channel of
// n < 8 bits maps 0..2^n-1 onto 0..255 rounded to nearest; wider channels
// keep their top 8 bits.
class TChannel {
 public:
  explicit TChannel(uint32_t mask)
      : mask_(mask), shift_(mask ? std::countr_zero(mask) : 0), bits_(std::popcount(mask)) {
    if (bits_ < 8) {
      const uint32_t max = (1u << bits_) - 1;
      for (uint32_t v = 0; v <= max; ++v) scale_[v] = uint8_t(max == 0 ? 0 : (v * 255 + max / 2) / max);
    }
  }
  uint32_t Get(uint32_t pixel) const {
    const uint32_t v = (pixel & mask_) >> shift_;
    return bits_ >= 8 ? v >> (bits_ - 8) : scale_[v];
  }

 private:
  uint32_t mask_;
  int shift_;
  int bits_;
  std::array<uint8_t, 128> scale_{};
};

class TBitFields {
 public:
  explicit TBitFields(const std::array<uint32_t, 3>& masks) : r_(masks[0]), g_(masks[1]), b_(masks[2]) {}
  TPixel Get(uint32_t v) const { return 0xFF000000u | r_.Get(v) << 16 | g_.Get(v) << 8 | b_.Get(v); }

 private:
  TChannel r_, g_, b_;
};

void DecodeRow(const uint8_t* src, const THeader& h, const std::array<TPixel, 256>& palette,
               const TBitFields& fields, TPixel* out, int32_t width) {
  switch (h.Bits) {
    case 1:
      for (int32_t x = 0; x < width; ++x) out[x] = palette[(src[x >> 3] >> (7 - (x & 7))) & 1];
      break;
    case 4:
      for (int32_t x = 0; x < width; ++x) out[x] = palette[(src[x >> 1] >> ((x & 1) ? 0 : 4)) & 15];
      break;
    case 8:
      for (int32_t x = 0; x < width; ++x) out[x] = palette[src[x]];
      break;
    case 16:
      for (int32_t x = 0; x < width; ++x, src += 2) out[x] = fields.Get(uint32_t(src[0] | src[1] << 8));
      break;
    case 24:
      for (int32_t x = 0; x < width; ++x, src += 3) {
        out[x] = 0xFF000000u | uint32_t(src[2]) << 16 | uint32_t(src[1]) << 8 | src[0];
      }
      break;
    case 32:
      if (h.Compression == BI_RGB) {
        for (int32_t x = 0; x < width; ++x, src += 4) {
          out[x] = 0xFF000000u | uint32_t(src[2]) << 16 | uint32_t(src[1]) << 8 | src[0];
        }
      } else {
        for (int32_t x = 0; x < width; ++x, src += 4) {
          out[x] = fields.Get(uint32_t(src[0]) | uint32_t(src[1]) << 8 | uint32_t(src[2]) << 16 | uint32_t(src[3]) << 24);
        }
      }
      break;
  }
}

TPixelFormat FormatOf(const THeader& h) {
  switch (h.Bits) {
    case 1: return TPixelFormat::pf1bit;
    case 4: return TPixelFormat::pf4bit;
    case 8: return TPixelFormat::pf8bit;
    case 16: return h.Masks == std::array<uint32_t, 3>{0x7C00, 0x03E0, 0x001F} ? TPixelFormat::pf15bit : TPixelFormat::pf16bit;
    case 24: return TPixelFormat::pf24bit;
    default: return TPixelFormat::pf32bit;
  }
}

}  // namespace

TBmpDecoder::TBmpDecoder(TByteSource& source) : source_(source) {
  uint8_t head[kHeadBytes];
  const size_t head_size = size_t(std::min<uint64_t>(source.Size(), kHeadBytes));
  const TBytes file(std::span<const uint8_t>(source.Read(0, head_size, head), head_size), source.Size());
  h_ = ReadHeader(file);
  CheckHeader(h_, file);
  if (h_.Compression == BI_RGB && h_.Bits == 16) h_.Masks = {0x7C00, 0x03E0, 0x001F};
  palette_ = ReadPalette(h_, file, source);
  width_ = int32_t(h_.Width);
  height_ = int32_t(h_.Height < 0 ? -h_.Height : h_.Height);

  if (h_.Compression == BI_RLE8 || h_.Compression == BI_RLE4) {
    rle_length_ = file.Size() - h_.PixelOffset;
    if (h_.ImageSize != 0) rle_length_ = std::min<uint64_t>(rle_length_, h_.ImageSize);
    // Position moves let a few bytes claim a huge picture; a tiny file must
    // not demand gigabytes of memory.
    if (uint64_t(width_) * uint64_t(height_) > rle_length_ * kMaxRlePixelsPerByte) {
      Fail("the RLE data (" + std::to_string(rle_length_) + " bytes) is too short for a " + std::to_string(width_) +
           " x " + std::to_string(height_) + " picture");
    }
    WalkRle(source_, h_.PixelOffset, rle_length_, h_.Bits, palette_.data(), width_, height_, nullptr);
    return;
  }
  // Width * Height is at most MaxPixels, so none of these products overflow.
  const uint64_t row_bytes = (uint64_t(h_.Width) * h_.Bits + 31) / 32 * 4;
  const uint64_t data_bytes = row_bytes * uint64_t(height_);
  if (!file.Has(h_.PixelOffset, data_bytes)) {
    Fail("pixel data ends past the end of the file (" + std::to_string(data_bytes) + " bytes at offset " +
         std::to_string(h_.PixelOffset) + ", the file has " + std::to_string(file.Size()) + ")");
  }
}

TPixelFormat TBmpDecoder::Format() const { return FormatOf(h_); }

void TBmpDecoder::DecodeInto(TPixel* pixels) {
  if (h_.Compression == BI_RLE8 || h_.Compression == BI_RLE4) {
    std::fill_n(pixels, size_t(width_) * size_t(height_), TPixel(0xFF000000u));
    WalkRle(source_, h_.PixelOffset, rle_length_, h_.Bits, palette_.data(), width_, height_, pixels);
    return;
  }
  DecodeRows(pixels);
}

// Rows are read in pieces of kChunkPixels pixels (a multiple of 8, so every
// piece starts on a byte), whatever the width.
void TBmpDecoder::DecodeRows(TPixel* pixels) {
  constexpr int32_t kChunkPixels = int32_t(kChunkBytes / 4);
  static_assert(kChunkPixels % 8 == 0);
  const TBitFields fields(h_.Masks);
  const bool top_down = h_.Height < 0;
  const uint64_t row_bytes = (uint64_t(h_.Width) * h_.Bits + 31) / 32 * 4;
  std::vector<uint8_t> scratch(size_t(std::min<uint64_t>(row_bytes, kChunkBytes)));
  for (int32_t r = 0; r < height_; ++r) {
    const int32_t y = top_down ? r : height_ - 1 - r;
    TPixel* out = pixels + size_t(y) * size_t(width_);
    const uint64_t row_at = h_.PixelOffset + uint64_t(r) * row_bytes;
    for (int32_t x = 0; x < width_; x += kChunkPixels) {
      const int32_t count = std::min(kChunkPixels, width_ - x);
      const uint64_t from = uint64_t(x) * h_.Bits / 8;
      const size_t bytes = size_t((uint64_t(count) * h_.Bits + 7) / 8);
      DecodeRow(source_.Read(row_at + from, bytes, scratch.data()), h_, palette_, fields, out + x, count);
    }
  }
}

}  // namespace korvo::bmp
