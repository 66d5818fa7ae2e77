// The dash patterns of 1-pixel pens, in one place for everything that draws
// them: the raster canvas (CosmeticLine.cpp, as a bit mask a pixel), the
// cairo device (cairo's dash array, in canvas pixels) and the scaled raster
// device (runs of whole canvas pixels along a row or column). Internal: not
// part of the public interface.
//
// A pattern is a list of run lengths in pixels, on and off alternating,
// starting with an on run. The pixels of a stroke are counted one per step
// along the major axis, the count running from 0 at the stroke's first
// pixel; pixel k is painted with the pen when k mod the period falls in an
// on run, so a stroke always begins with the first pixel of the first dash.
// Each segment leaves its end point out, and the next segment of the same
// stroke starts there, so the count runs on across the vertices of a
// Polyline (and round an outline). Every LineTo is a stroke of its own and
// starts again at 0. A clipped segment counts from its true start, not from
// its first visible pixel. The off runs are painted in the brush colour when
// the brush is solid, and left alone otherwise.
#pragma once

#include <array>
#include <cstddef>
#include <span>

#include "platform/graphics/Pen.h"

namespace korvo::raster {

inline constexpr std::array<int, 2> kDashRuns{18, 6};
inline constexpr std::array<int, 2> kDotRuns{3, 3};
inline constexpr std::array<int, 4> kDashDotRuns{9, 6, 3, 6};
inline constexpr std::array<int, 6> kDashDotDotRuns{9, 3, 3, 3, 3, 3};

// The most runs a pattern has.
inline constexpr size_t kMaxDashRuns = 6;

// The runs of a style's pattern; empty for the styles that draw solid
// (psSolid, psInsideFrame) or draw nothing (psClear).
constexpr std::span<const int> DashRunsOf(TPenStyle style) {
  switch (style) {
    case TPenStyle::psDash:
      return kDashRuns;
    case TPenStyle::psDot:
      return kDotRuns;
    case TPenStyle::psDashDot:
      return kDashDotRuns;
    case TPenStyle::psDashDotDot:
      return kDashDotDotRuns;
    default:
      return {};
  }
}

// The pixels of one whole pattern (0 for none).
constexpr int DashPeriodOf(std::span<const int> runs) {
  int period = 0;
  for (const int n : runs) period += n;
  return period;
}

}  // namespace korvo::raster
