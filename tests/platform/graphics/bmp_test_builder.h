// Builds BMP files byte by byte for the reader tests, independently of the
// library's writer: the headers are laid out here from the published format.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

namespace korvo::test {

// Offsets of the fields the tests patch.
namespace bmpfield {
constexpr size_t PixelOffset = 10;
constexpr size_t HeaderSize = 14;
constexpr size_t Width = 18;
constexpr size_t Height = 22;
constexpr size_t Planes = 26;
constexpr size_t Bits = 28;
constexpr size_t Compression = 30;
constexpr size_t ColorsUsed = 46;
constexpr size_t Masks40 = 54;  // masks after a 40-byte header
}  // namespace bmpfield

inline void Put16(std::vector<uint8_t>& b, size_t at, uint16_t v) {
  b[at] = uint8_t(v);
  b[at + 1] = uint8_t(v >> 8);
}

inline void Put32(std::vector<uint8_t>& b, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) b[at + i] = uint8_t(v >> (8 * i));
}

class BmpBuilder {
 public:
  // A picture of width x height; `values` are given per pixel, top row first:
  // palette indices up to 8 bits, the raw 16- or 32-bit value, 0xRRGGBB for 24.
  BmpBuilder(int32_t width, int32_t height, uint16_t bits) : width_(width), height_(height), bits_(bits) {}

  BmpBuilder& TopDown() { top_down_ = true; return *this; }
  BmpBuilder& HeaderSize(uint32_t size) { header_size_ = size; return *this; }
  BmpBuilder& Compression(uint32_t c) { compression_ = c; return *this; }
  // Palette entries as 0xRRGGBB.
  BmpBuilder& Palette(std::vector<uint32_t> rgb) { palette_ = std::move(rgb); return *this; }
  BmpBuilder& ColorsUsed(uint32_t n) { colors_used_ = n; return *this; }
  BmpBuilder& Masks(uint32_t r, uint32_t g, uint32_t b) { masks_ = {r, g, b}; return *this; }
  BmpBuilder& Values(std::vector<uint32_t> v) { values_ = std::move(v); return *this; }
  // Pixel data taken as is (RLE streams).
  BmpBuilder& RawPixelData(std::vector<uint8_t> data) { raw_ = std::move(data); has_raw_ = true; return *this; }

  std::vector<uint8_t> Build() const {
    const bool core = header_size_ == 12;
    const bool fields = compression_ == 3;
    std::vector<uint8_t> b(14 + header_size_, 0);
    b[0] = 'B';
    b[1] = 'M';
    Put32(b, 14, header_size_);
    if (core) {
      Put16(b, 18, uint16_t(width_));
      Put16(b, 20, uint16_t(height_));
      Put16(b, 22, 1);
      Put16(b, 24, bits_);
    } else {
      Put32(b, 18, uint32_t(width_));
      Put32(b, 22, uint32_t(top_down_ ? -height_ : height_));
      Put16(b, 26, 1);
      Put16(b, 28, bits_);
      Put32(b, 30, compression_);
      Put32(b, 46, colors_used_);
      if (header_size_ >= 52) {
        for (int i = 0; i < 3; ++i) Put32(b, 54 + 4 * i, masks_[i]);
      } else if (fields) {
        b.resize(b.size() + 12);
        for (int i = 0; i < 3; ++i) Put32(b, 54 + 4 * i, masks_[i]);
      }
    }
    for (uint32_t c : palette_) {
      b.push_back(uint8_t(c));
      b.push_back(uint8_t(c >> 8));
      b.push_back(uint8_t(c >> 16));
      if (!core) b.push_back(0);
    }
    Put32(b, 10, uint32_t(b.size()));
    if (has_raw_) {
      b.insert(b.end(), raw_.begin(), raw_.end());
    } else {
      const size_t row_bytes = (size_t(width_) * bits_ + 31) / 32 * 4;
      for (int32_t r = 0; r < height_; ++r) {
        const int32_t y = top_down_ ? r : height_ - 1 - r;
        std::vector<uint8_t> row(row_bytes, 0);
        for (int32_t x = 0; x < width_; ++x) PackPixel(row, x, values_.at(size_t(y) * size_t(width_) + size_t(x)));
        b.insert(b.end(), row.begin(), row.end());
      }
    }
    Put32(b, 2, uint32_t(b.size()));
    return b;
  }

 private:
  void PackPixel(std::vector<uint8_t>& row, int32_t x, uint32_t v) const {
    switch (bits_) {
      case 1: row[x / 8] |= uint8_t((v & 1) << (7 - x % 8)); break;
      case 4: row[x / 2] |= uint8_t((v & 15) << (x % 2 ? 0 : 4)); break;
      case 8: row[x] = uint8_t(v); break;
      case 16: row[2 * x] = uint8_t(v); row[2 * x + 1] = uint8_t(v >> 8); break;
      case 24: row[3 * x] = uint8_t(v); row[3 * x + 1] = uint8_t(v >> 8); row[3 * x + 2] = uint8_t(v >> 16); break;
      case 32: for (int i = 0; i < 4; ++i) row[4 * x + i] = uint8_t(v >> (8 * i)); break;
    }
  }

  int32_t width_;
  int32_t height_;
  uint16_t bits_;
  bool top_down_ = false;
  uint32_t header_size_ = 40;
  uint32_t compression_ = 0;
  uint32_t colors_used_ = 0;
  std::vector<uint32_t> palette_;
  std::array<uint32_t, 3> masks_{};
  std::vector<uint32_t> values_;
  std::vector<uint8_t> raw_;
  bool has_raw_ = false;
};

}  // namespace korvo::test
