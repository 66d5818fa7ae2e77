// Recording a shape: the polygon is drawn with its first vertex in the middle
// of a bitmap of its own, on a ground colour, with the pen and the brush in
// two other colours; every pixel that is not the ground becomes a stamp
// pixel in the ink of its colour. Dashed pens whose gaps take the brush
// colour come out right the same way.
#include "platform/graphics/raster/ShapeStamps.h"

#include <array>
#include <utility>
#include <vector>

namespace korvo::raster {

namespace {

constexpr int32_t kSide = 2 * int32_t(kShapeReach) + 4, kOrigin = int32_t(kShapeReach) + 1;  // offsets -15..16 land on 1..32
constexpr TColor kGround = TColor(0x010203), kPen = TColor(0x0A0AC8), kBrush = TColor(0x0AC80A);

// Appends the row of pixels of colour `colour` on row y of the recording.
void AddRow(std::vector<TStampRow>& rows, const TPixel* row, int32_t y, TPixel colour, uint8_t ink) {
  int32_t first = -1;
  uint32_t mask = 0;
  for (int32_t x = 0; x < kSide; ++x) {
    if (row[x] != colour) continue;
    if (first < 0) first = x;
    mask |= 1u << (x - first);  // the shape is at most 32 pixels wide
  }
  if (first >= 0) rows.push_back(TStampRow{int8_t(y - kOrigin), int8_t(first - kOrigin), ink, mask});
}

}  // namespace

ShapeStamp* ShapeStamps::Record(ShapeKey key, const TCanvas& source) {
  std::array<TPixel, size_t(kSide) * kSide> bits;
  bits.fill(ColorToPixel(kGround));
  TCanvas canvas;
  canvas.SetSurface(TPixelSurface{bits.data(), kSide, kSide, kSide});
  canvas.Pen()->Assign(*source.Pen());
  canvas.Pen()->SetColor(kPen);
  canvas.Brush()->Assign(*source.Brush());
  canvas.Brush()->SetColor(kBrush);
  canvas.SetPolyFillMode(source.PolyFillMode());
  std::array<TPoint, ShapeKey::kMaxPoints> local{};
  local[0] = TPoint{kOrigin, kOrigin};
  for (size_t i = 1; i < key.Count(); ++i) local[i] = TPoint{kOrigin + key.Offset(i).X, kOrigin + key.Offset(i).Y};
  canvas.PaintPolygon(std::span<const TPoint>(local.data(), key.Count()));

  ShapeStamp& s = stamps_[next_];
  next_ = (next_ + 1) % stamps_.size();
  s.Key = key;
  std::vector<TStampRow> rows;
  const TPixel brush = ColorToPixel(kBrush), pen = ColorToPixel(kPen);
  for (uint8_t ink = 0; ink < 2; ++ink) {
    for (int32_t y = 0; y < kSide; ++y) AddRow(rows, bits.data() + ptrdiff_t(y) * kSide, y, ink == 0 ? brush : pen, ink);
  }
  s.Stamp = TStamp(std::move(rows));
  return &s;
}

}  // namespace korvo::raster
