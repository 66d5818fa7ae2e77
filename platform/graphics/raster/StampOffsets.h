// The pixels of the stamps a canvas painted last, as offsets from the
// stamp's origin into its surface (DY * Stride + DX + bit), each pixel once
// in its final ink, ink 0 first. A stamp inside the clip is then one load
// and one store per pixel: no bit scan, no row address, no ink per row.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/graphics/Canvas.h"

namespace korvo::raster {

struct OffsetsOfStamp {
  uint64_t Id = 0;  // of the TStamp; 0 with Stride 0: unused (and empty)
  ptrdiff_t Stride = 0;
  std::vector<ptrdiff_t> Offsets;
  size_t BrushPixels = 0;  // Offsets[0..BrushPixels) take ink 0 (a mark's brush), the rest ink 1
};

class StampOffsets {
 public:
  const OffsetsOfStamp* Find(uint64_t id, ptrdiff_t stride) const {
    for (const OffsetsOfStamp& e : entries_) {
      if (e.Id == id && e.Stride == stride) return &e;
    }
    return nullptr;
  }
  // Makes the offsets of `stamp` for rows `stride` pixels apart, over the
  // entry made longest ago.
  const OffsetsOfStamp& Make(const TStamp& stamp, ptrdiff_t stride);

 private:
  std::array<OffsetsOfStamp, 8> entries_{};
  size_t next_ = 0;
};

// Paints the stamp's pixels at origin.
[[gnu::always_inline]] inline void PaintOffsets(TPixel* origin, const OffsetsOfStamp& e, TStampInks inks) {
  const TPixel first = inks[0], second = inks[1];
  const ptrdiff_t* offset = e.Offsets.data();
  const ptrdiff_t* const first_end = offset + e.BrushPixels;
  const ptrdiff_t* const end = offset + e.Offsets.size();
  for (; offset < first_end; ++offset) origin[*offset] = first;
  for (; offset < end; ++offset) origin[*offset] = second;
}

}  // namespace korvo::raster
