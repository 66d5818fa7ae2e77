// The geometric marks as stamps: each mark's pixels, drawn once with the
// canvas's figures and replayed as pixel sets, so a chart of a million marks
// costs about the stores of their pixels rather than a few figure calls each.
//
// A stamp stands for the figures only where the result cannot depend on
// anything it does not record: a 1-pixel solid pen in copy mode (no dashes
// whose phase, no xor whose overlaps, no width whose joins would matter), on
// any canvas but the printer's (whose marks are strokes). Figures clip
// pixel by pixel, so a mark partly outside the clip keeps exactly its pixels
// inside; the stamp does the same.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/Export.h"
#include "platform/graphics/Canvas.h"

namespace korvo {

// What drawing mark `kind` on a canvas leaves, for one brush style on entry.
struct TMarkStamp {
  bool Valid = false;  // the mark's pixels could be recorded
  // The pixels in the brush colour found on entry (ink 0), then those in
  // the pen colour (ink 1), disjoint, each as rows from top to bottom whose
  // DX is the row's leftmost pixel.
  TStamp Stamp;
  // The canvas state the figures leave behind.
  TBrushStyle BrushStyleAfter = TBrushStyle::bsSolid;
  bool MovesPen = false;
  TPoint PenEnd{};  // offset from the centre, when MovesPen
};

// The figures of geometric mark `kind` (0..51) at (x, y), without stamps.
PLOTWELL_API void DrawGeometricMarkFigures(TCanvas* canvas, uint8_t kind, int32_t x, int32_t y);

// The stamp of geometric mark `kind` (0..51) for the given entry brush
// style; recorded for every kind on first use (thread-safe), then read only.
PLOTWELL_API const TMarkStamp& MarkStamp(uint8_t kind, TBrushStyle entry);

// Draws geometric mark `kind` from its stamp and returns true, or returns
// false (drawing nothing) where the canvas's state needs the figures.
PLOTWELL_API bool DrawStampedMark(TCanvas* canvas, uint8_t kind, int32_t x, int32_t y);

// Draws geometric mark `kind` from its stamp where the canvas's state allows,
// with its figures otherwise.
PLOTWELL_API void DrawStampOrFigures(TCanvas* canvas, uint8_t kind, int32_t x, int32_t y);

}  // namespace korvo
