// The BMP codec behind TBitmap's file operations. Private to platform/bmp.
//
// Decoding runs in two steps so that a load either succeeds or changes
// nothing, while holding no more than the picture itself: the decoder first
// reads and checks the headers, the palette, the extent of the pixel data
// and (for RLE) the whole compressed stream, all in 64-bit arithmetic
// against the source's size; only then does the caller make room for the
// pixels and DecodeInto writes them, reading the source a bounded chunk at
// a time. A file that breaks any rule raises EInvalidGraphic whose message
// is the fault alone ("pixel data ends past the end of the file"). The
// TBitmap entry points put the file name in front.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/graphics/Bitmap.h"
#include "platform/graphics/bmp/PictureSource.h"

namespace korvo::bmp {

// The bytes the decoder reads at once from a file, and so about all the
// memory a load needs beside the picture.
constexpr size_t kChunkBytes = size_t(1) << 16;

struct TBmpHeader {
  uint32_t HeaderSize = 0;
  int64_t Width = 0;
  int64_t Height = 0;  // as stored: negative for top-down rows
  uint16_t Planes = 0;
  uint16_t Bits = 0;
  uint32_t Compression = 0;
  uint32_t ImageSize = 0;
  uint32_t ColorsUsed = 0;
  std::array<uint32_t, 3> Masks{};  // red, green, blue
  uint64_t PaletteOffset = 0;
  uint32_t PaletteEntrySize = 4;
  uint64_t PixelOffset = 0;
};

// Reads a BMP file: the Windows headers of 40, 52, 56, 108 and 124 bytes and
// the OS/2 core header of 12 bytes; 1, 4 and 8 bits with palettes, 16 and 32
// bits plain or with bit field masks, 24 bits; RLE8 and RLE4; bottom-up and
// top-down rows. Palette indices beyond the palette read as black, as do the
// pixels an RLE stream skips.
class TBmpDecoder {
 public:
  // Reads and checks everything (see above); the source must outlive the
  // decoder.
  explicit TBmpDecoder(TByteSource& source);
  int32_t Width() const { return width_; }
  int32_t Height() const { return height_; }
  TPixelFormat Format() const;  // the file's bit depth
  // Writes Width x Height pixels, top row first, over whatever `pixels`
  // holds. Raises EInvalidGraphic only when a file can no longer be read.
  void DecodeInto(TPixel* pixels);

 private:
  void DecodeRows(TPixel* pixels);

  TByteSource& source_;
  TBmpHeader h_;
  int32_t width_ = 0;
  int32_t height_ = 0;
  uint64_t rle_length_ = 0;
  std::array<TPixel, 256> palette_{};
};

// Writes the bitmap as an uncompressed bottom-up BMP file with a 40-byte
// header: 24 bits per pixel for pf24bit, else 32 (the fourth byte 255).
// An empty bitmap raises EInvalidGraphic.
std::vector<uint8_t> EncodeBmp(const TBitmap& bitmap);

// Walks the RLE8 (bits 8) or RLE4 (bits 4) stream of `length` bytes at
// `offset` of the source for a bottom-up picture of width x height. With
// `pixels` null it only checks that the stream is whole; otherwise it
// writes the runs into `pixels` (top row first), which the caller has set
// to black. `palette` has 256 entries (indices beyond the file's palette
// already black).
void WalkRle(TByteSource& source, uint64_t offset, uint64_t length, int bits, const TPixel* palette, int32_t width,
             int32_t height, TPixel* pixels);

}  // namespace korvo::bmp
