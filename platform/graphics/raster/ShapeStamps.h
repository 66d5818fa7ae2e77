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
// its pixels depend on, in two words made in registers (one compare each).
// Only copy-mode figures with a 1-pixel pen (or none) are recorded: their
// pixels lie in the box of their vertices, so vertices within kShapeReach of
// the first one keep them in a 32-pixel stamp row.
inline constexpr int64_t kShapeReach = 15;  // offsets from -15 to 16 on either axis

struct ShapeKey {
  // vertex count, pen style, brush solid, winding rule: a byte each from
  // bit 0; 0: no shape
  uint64_t Head = 0;
  // vertices 1..Count-1, ten bits each, the last one lowest: (dx + 15) in
  // bits 0..4 and (dy + 15) in bits 5..9
  uint64_t Offsets = 0;

  static constexpr size_t kMaxPoints = 7;
  size_t Count() const { return size_t(Head & 0xFFu); }
  TPoint Offset(size_t i) const {  // i in 1..Count()-1
    const uint64_t field = Offsets >> (10 * (Count() - 1 - i));
    return TPoint{int32_t(field & 31u) - int32_t(kShapeReach), int32_t((field >> 5) & 31u) - int32_t(kShapeReach)};
  }
};

inline bool SameShape(const ShapeKey& a, const ShapeKey& b) {
  return ((a.Head ^ b.Head) | (a.Offsets ^ b.Offsets)) == 0;
}

// The key of the polygon `points` as canvas `c` would draw it now; Head 0
// when its figure is not one to record.
inline ShapeKey ShapeKeyOf(const TCanvas& c, std::span<const TPoint> points) {
  const size_t n = points.size();
  if (n == 0 || n > ShapeKey::kMaxPoints || c.Pen()->Mode() != TPenMode::pmCopy || c.Pen()->Width() > 1) return {};
  const TPoint first = LoadPoint(points[0]);
  uint64_t offsets = 0, spread = 0;  // spread: every biased offset or'ed, below 32 when all fit
  for (size_t i = 1; i < n; ++i) {
    const TPoint p = LoadPoint(points[i]);
    const uint64_t dx = uint64_t(int64_t(p.X) - first.X + kShapeReach);
    const uint64_t dy = uint64_t(int64_t(p.Y) - first.Y + kShapeReach);
    spread |= dx | dy;
    offsets = offsets << 10 | dx | dy << 5;
  }
  if (spread >= 32) return {};
  return ShapeKey{uint64_t(n) | uint64_t(c.Pen()->Style()) << 8 |
                      uint64_t(c.Brush()->Style() == TBrushStyle::bsSolid) << 16 |
                      uint64_t(c.PolyFillMode() == TPolyFillMode::pfWinding) << 24,
                  offsets};
}

struct ShapeStamp {
  ShapeKey Key;  // Count() 0: empty
  TStamp Stamp;  // brush pixels (ink 0), then pen pixels (ink 1)
};

class ShapeStamps {
 public:
  // The recorded stamp of `key`, or nullptr.
  ShapeStamp* Find(ShapeKey key) {
    for (ShapeStamp& s : stamps_) {
      if (SameShape(s.Key, key)) return &s;
    }
    return nullptr;
  }
  // For a shape Find did not know: records it, as canvas `source` draws it,
  // on the second request for the same shape in a row, so a shape drawn
  // once costs no recording; nullptr when the canvas should draw the figure
  // itself.
  ShapeStamp* Miss(ShapeKey key, const TCanvas& source) {
    if (!SameShape(candidate_, key)) {
      candidate_ = key;
      return nullptr;
    }
    return Record(key, source);
  }

 private:
  ShapeStamp* Record(ShapeKey key, const TCanvas& source);

  std::array<ShapeStamp, 4> stamps_{};
  size_t next_ = 0;  // the stamp to record over next
  ShapeKey candidate_;
};

}  // namespace korvo::raster
