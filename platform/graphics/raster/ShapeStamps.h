// Small polygons drawn again and again (a chart's own mark shapes) are
// recorded once as stamp rows and replayed. The pixels a figure paints depend
// neither on where it lies (every rule works on integer offsets between its
// vertices and pixel centres) nor on the clip (clipping only leaves pixels
// out), so a shape recorded once in stand-in colours paints the figure's
// pixels anywhere, with its two inks put back.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "platform/graphics/Canvas.h"
#include "platform/graphics/raster/Raster.h"

namespace korvo::raster {

// A shape: its vertices as offsets from the first one, and the canvas state
// its pixels depend on. Only copy-mode figures with a 1-pixel pen (or none)
// are recorded: their pixels lie in the box of their vertices. The key is
// packed into three words made in registers; one compare each.
struct ShapeKey {
  // vertex count (0: no shape), pen style, brush solid, winding rule: a byte each
  uint64_t Head = 0;
  // the offsets of vertices 1..7 as a byte dx and a byte dy (two's
  // complement), four to a word
  std::array<uint64_t, 2> Offsets{};

  static constexpr size_t kMaxPoints = 8;
  size_t Count() const { return size_t(Head & 0xFFu); }
  TPoint Offset(size_t i) const {  // i in 1..Count()-1
    const uint64_t v = Offsets[(i - 1) / 4] >> (16 * ((i - 1) % 4));
    return TPoint{int8_t(v & 0xFFu), int8_t((v >> 8) & 0xFFu)};
  }
};

inline bool SameShape(const ShapeKey& a, const ShapeKey& b) {
  return ((a.Head ^ b.Head) | (a.Offsets[0] ^ b.Offsets[0]) | (a.Offsets[1] ^ b.Offsets[1])) == 0;
}

// Vertices at most this far from the first one (on either axis) fit the
// recording and a byte; the box of all of them at most 32 pixels wide fits a
// stamp row.
inline constexpr int64_t kShapeReach = 31;

// The key of the polygon `points` as canvas `c` would draw it now; false
// when its figure is not one to record.
inline bool ShapeKeyOf(const TCanvas& c, std::span<const TPoint> points, ShapeKey& key) {
  const size_t n = points.size();
  if (n == 0 || n > ShapeKey::kMaxPoints || c.Pen()->Mode() != TPenMode::pmCopy || c.Pen()->Width() > 1) return false;
  const TPoint first = LoadPoint(points[0]);
  int64_t left = 0, right = 0;
  uint64_t words[2] = {0, 0};
  for (size_t i = 1; i < n; ++i) {
    const TPoint p = LoadPoint(points[i]);
    const int64_t dx = int64_t(p.X) - first.X, dy = int64_t(p.Y) - first.Y;
    if (dx < -kShapeReach || dx > kShapeReach || dy < -kShapeReach || dy > kShapeReach) return false;
    left = std::min(left, dx);
    right = std::max(right, dx);
    const uint64_t packed = (uint64_t(dx) & 0xFFu) | ((uint64_t(dy) & 0xFFu) << 8);
    words[(i - 1) / 4] |= packed << (16 * ((i - 1) % 4));
  }
  if (right - left >= 32) return false;
  key.Head = uint64_t(n) | uint64_t(c.Pen()->Style()) << 8 |
             uint64_t(c.Brush()->Style() == TBrushStyle::bsSolid) << 16 |
             uint64_t(c.PolyFillMode() == TPolyFillMode::pfWinding) << 24;
  key.Offsets = {words[0], words[1]};
  return true;
}

struct ShapeStamp {
  ShapeKey Key;                 // Count() 0: empty
  std::vector<TStampRow> Rows;  // brush pixels (ink 0), then pen pixels (ink 1)
  TRect Box;
};

class ShapeStamps {
 public:
  // The stamp of `key` as canvas `source` draws it, recorded on the second
  // request for the same shape in a row, so a shape drawn once costs no
  // recording; nullptr when the canvas should draw the figure itself.
  const ShapeStamp* Find(const ShapeKey& key, const TCanvas& source) {
    for (const ShapeStamp& s : stamps_) {
      if (SameShape(s.Key, key)) return &s;
    }
    if (!SameShape(candidate_, key)) {
      candidate_ = key;
      return nullptr;
    }
    return Record(key, source);
  }

 private:
  const ShapeStamp* Record(const ShapeKey& key, const TCanvas& source);

  std::array<ShapeStamp, 4> stamps_{};
  size_t next_ = 0;  // the stamp to record over next
  ShapeKey candidate_;
};

}  // namespace korvo::raster
