// The pixels of the stamps a canvas painted last, as runs: pixels next to
// each other in the surface's memory, in one ink, at an offset from the
// stamp's origin (DY * Stride + DX + bit). Every pixel is in one run (or is
// a pixel on its own), in its final ink. A stamp inside the clip is then a
// few short fills per row and nothing per pixel: no bit scan, no row
// address, no ink per row.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/graphics/Canvas.h"
#include "platform/graphics/raster/Raster.h"

namespace korvo::raster {

// Longer runs are split, so every run is painted inline (a call would save
// registers on the stack for every stamp).
inline constexpr uint16_t kMaxStampRun = 15;

struct StampRun {
  int32_t Offset;   // of the run's first pixel from the stamp's origin
  uint16_t Length;  // 1 to kMaxStampRun
  uint16_t Ink;     // 0 or 1
};

// A stamp's pixels for one row distance: runs of two pixels or more in
// memory order, then the pixels that have no neighbour of their ink beside
// them, one by one, ink 0 first (a single pixel then costs one load and one
// store instead of a run's length tests).
struct RunsOfStamp {
  uint64_t Id = 0;  // of the TStamp; 0 with Stride 0: unused (and empty)
  ptrdiff_t Stride = 0;
  std::vector<StampRun> Runs;
  std::vector<int32_t> Singles;
  size_t FirstInkSingles = 0;  // Singles[0..FirstInkSingles) take ink 0, the rest ink 1
};

class StampRuns {
 public:
  const RunsOfStamp* Find(uint64_t id, ptrdiff_t stride) const {
    for (const RunsOfStamp& e : entries_) {
      if (e.Id == id && e.Stride == stride) return &e;
    }
    return nullptr;
  }
  // Makes the runs of `stamp` for rows `stride` pixels apart, over the entry
  // made longest ago; nullptr when an offset would not fit in 32 bits (rows
  // of more than 16 million pixels).
  const RunsOfStamp* Make(const TStamp& stamp, ptrdiff_t stride);

 private:
  std::array<RunsOfStamp, 8> entries_{};
  size_t next_ = 0;
};

// Paints the stamp's pixels at origin. The ink is chosen in registers
// (indexing `inks` would store it to the stack: one more store per stamp,
// waiting behind the previous stamp's pixels).
[[gnu::always_inline]] inline void PaintRuns(TPixel* origin, const RunsOfStamp& e, TStampInks inks) {
  const TPixel first = inks[0], second = inks[1];
  for (const StampRun& r : e.Runs) Target::FillShortRun(origin + r.Offset, r.Length, r.Ink != 0 ? second : first);
  const int32_t* single = e.Singles.data();
  const int32_t* const first_end = single + e.FirstInkSingles;
  const int32_t* const end = single + e.Singles.size();
#pragma GCC unroll 4
  for (; single < first_end; ++single) origin[*single] = first;
#pragma GCC unroll 4
  for (; single < end; ++single) origin[*single] = second;
}

}  // namespace korvo::raster
