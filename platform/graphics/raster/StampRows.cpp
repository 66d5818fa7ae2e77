// Stamps: rows of pixels replayed at a point, one store per pixel found by
// the bits of the row's mask (one multiplication per row, none per pixel).
// A mark's time goes into waiting for its stores to reach memory: the store
// buffer drains in order, so a register saved on the stack waits behind a
// pixel that missed the cache, and the path for a stamp inside the clip
// saves none. (Masked vector stores, one per row, measured no faster: the
// cache lines a mark touches are the same.)
//
// A stamp partly outside the clip drops, row by row, the rows outside and
// the bits left or right of the clip, then paints what is left pixel by
// pixel.
#include <bit>

#include "platform/graphics/Canvas.h"

namespace korvo {
namespace {

// inks[ink], chosen in registers (indexing the array would store it to the
// stack: one more store per row).
[[gnu::always_inline]] inline TPixel InkOf(TStampInks inks, uint8_t ink) { return (ink & 1u) != 0 ? inks[1] : inks[0]; }

[[gnu::always_inline]] inline void InsideRows(TPixel* origin, ptrdiff_t stride, std::span<const TStampRow> rows, TStampInks inks) {
  for (const TStampRow& r : rows) {
    TPixel* p = origin + ptrdiff_t(r.DY) * stride + r.DX;
    const TPixel ink = InkOf(inks, r.Ink);
    for (uint32_t m = r.Mask; m != 0; m &= m - 1) p[std::countr_zero(m)] = ink;
  }
}

// The bits of a row starting at x0 that fall in left..right-1.
uint32_t MaskWithin(uint32_t m, int64_t x0, int64_t left, int64_t right) {
  const int64_t lo = left - x0, hi = right - x0;
  if (hi <= 0 || lo >= 32) return 0;
  if (lo > 0) m &= ~0u << lo;
  if (hi < 32) m &= (1u << hi) - 1;
  return m;
}

// A stamp that is not wholly inside the clip `c`.
[[gnu::noinline]] void ClippedRows(const TPixelSurface& s, const TRect& c, TPoint at,
                                   std::span<const TStampRow> rows, const TRect& box, TStampInks inks) {
  if (int64_t(at.X) + box.Right <= c.Left || int64_t(at.Y) + box.Bottom <= c.Top ||
      int64_t(at.X) + box.Left >= c.Right || int64_t(at.Y) + box.Top >= c.Bottom) {
    return;
  }
  for (const TStampRow& r : rows) {
    const int64_t py = int64_t(at.Y) + r.DY, px = int64_t(at.X) + r.DX;
    if (py < c.Top || py >= c.Bottom) continue;
    TPixel* row = s.Bits + ptrdiff_t(py) * s.Stride;
    const TPixel ink = InkOf(inks, r.Ink);
    for (uint32_t m = MaskWithin(r.Mask, px, c.Left, c.Right); m != 0; m &= m - 1) {
      row[px + std::countr_zero(m)] = ink;
    }
  }
}

}  // namespace

void TCanvas::StampRows(TPoint at, std::span<const TStampRow> rows, const TRect& box, TStampInks inks) {
  const TRect& c = effective_clip_;
  if (int64_t(at.X) + box.Left >= c.Left && int64_t(at.Y) + box.Top >= c.Top &&
      int64_t(at.X) + box.Right <= c.Right && int64_t(at.Y) + box.Bottom <= c.Bottom) {
    return InsideRows(surface_.Bits + ptrdiff_t(at.Y) * surface_.Stride + at.X, surface_.Stride, rows, inks);
  }
  return ClippedRows(surface_, c, at, rows, box, inks);
}

}  // namespace korvo
