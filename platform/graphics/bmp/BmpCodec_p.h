// The BMP codec behind TBitmap's file operations. Private to platform/bmp.
//
// The decoder reads a whole file held in memory. Every field and every pixel
// row is read only after checking, in 64-bit arithmetic, that it lies inside
// the buffer; a file that breaks any rule raises EInvalidGraphic whose
// message is the fault alone ("pixel data ends past the end of the file").
// The TBitmap entry points put the file name in front.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "platform/graphics/Bitmap.h"

namespace korvo::bmp {

// A decoded picture: Width x Height pixels (both > 0), top row first.
struct TDecodedImage {
  int32_t Width = 0;
  int32_t Height = 0;
  TPixelFormat Format = TPixelFormat::pfDevice;  // the file's bit depth
  std::vector<TPixel> Pixels;
};

// Reads a BMP file: the Windows headers of 40, 52, 56, 108 and 124 bytes and
// the OS/2 core header of 12 bytes; 1, 4 and 8 bits with palettes, 16 and 32
// bits plain or with bit field masks, 24 bits; RLE8 and RLE4; bottom-up and
// top-down rows. Palette indices beyond the palette read as black, as do the
// pixels an RLE stream skips.
TDecodedImage DecodeBmp(std::span<const uint8_t> file);

// Writes the bitmap as an uncompressed bottom-up BMP file with a 40-byte
// header: 24 bits per pixel for pf24bit, else 32 (the fourth byte 255).
// An empty bitmap raises EInvalidGraphic.
std::vector<uint8_t> EncodeBmp(const TBitmap& bitmap);

// RLE8 (bits 8) or RLE4 (bits 4) data onto a bottom-up picture whose pixels
// the caller has set to black. `palette` has 256 entries (indices beyond the
// file's palette already black).
void DecodeRle(std::span<const uint8_t> data, int bits, const TPixel* palette, TDecodedImage& image);

}  // namespace korvo::bmp
