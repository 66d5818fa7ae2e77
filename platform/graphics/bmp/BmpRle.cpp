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
namespace {

// The stream, read a chunk at a time. Take(n) gives the next n bytes (n is
// at most 256, the longest literal run with its padding) in one piece, or
// null when fewer are left.
class TRleInput {
 public:
  TRleInput(TByteSource& source, uint64_t offset, uint64_t length)
      : source_(source), next_(offset), end_(offset + length), buffer_(size_t(std::min<uint64_t>(length, kChunkBytes))) {}

  const uint8_t* Take(size_t n) {
    if (size_t(have_end_ - have_at_) < n) {
      if (uint64_t(have_end_ - have_at_) + (end_ - next_) < n) return nullptr;
      Refill();
    }
    const uint8_t* p = have_at_;
    have_at_ += n;
    return p;
  }

 private:
  // Keeps the bytes not yet taken and reads as many more as fit.
  void Refill() {
    const size_t kept = size_t(have_end_ - have_at_);
    const size_t more = size_t(std::min<uint64_t>(buffer_.size() - kept, end_ - next_));
    // A memory source hands out its own bytes; the kept ones are then
    // read again with the new ones, so the piece stays contiguous.
    const uint64_t from = next_ - kept;
    const uint8_t* p = source_.Read(from, kept + more, buffer_.data());
    next_ += more;
    have_at_ = p;
    have_end_ = p + kept + more;
  }

  TByteSource& source_;
  uint64_t next_;
  uint64_t end_;
  std::vector<uint8_t> buffer_;
  const uint8_t* have_at_ = nullptr;
  const uint8_t* have_end_ = nullptr;
};

}  // namespace

void WalkRle(TByteSource& source, uint64_t offset, uint64_t length, int bits, const TPixel* palette, int32_t width,
             int32_t height, TPixel* pixels) {
  const int64_t w = width;
  const int64_t h = height;
  // x and y grow by at most 255 per two bytes read, and the stream is at
  // most a file's length, so they stay far from overflow.
  int64_t x = 0;
  int64_t y = 0;  // rows counted from the bottom
  TRleInput in(source, offset, length);
  // Writes `count` pixels at (x, y) whose k-th index is index(k), keeping
  // only those inside the row; advances x by count.
  auto emit = [&](int64_t count, auto index) {
    if (pixels != nullptr && y < h && x < w) {
      TPixel* out = pixels + size_t(h - 1 - y) * size_t(w);
      const int64_t inside = std::min(count, w - x);
      for (int64_t k = 0; k < inside; ++k) out[x + k] = palette[index(k)];
    }
    x += count;
  };

  for (;;) {
    const uint8_t* pair = in.Take(2);
    if (pair == nullptr) throw EInvalidGraphic("the RLE data ends before its end-of-bitmap marker");
    const uint8_t a = pair[0];
    const uint8_t b = pair[1];
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
      const uint8_t* move = in.Take(2);
      if (move == nullptr) throw EInvalidGraphic("the RLE data ends inside a position move");
      x += move[0];
      y += move[1];
    } else {
      const size_t bytes = bits == 8 ? b : (size_t(b) + 1) / 2;
      const size_t padded = (bytes + 1) & ~size_t(1);
      const uint8_t* literal = in.Take(padded);
      if (literal == nullptr) throw EInvalidGraphic("the RLE data ends inside a run of literal pixels");
      if (bits == 8) {
        emit(b, [literal](int64_t k) { return literal[k]; });
      } else {
        emit(b, [literal](int64_t k) { return (k & 1) ? (literal[k >> 1] & 15) : (literal[k >> 1] >> 4); });
      }
    }
  }
}

}  // namespace korvo::bmp
