// The zoom and pan arithmetic of a mouse drag along a scale, shared by the
// scale control and the chart's mouse handling. Every result is computed
// from the range saved when the drag started, so repeated moves do not
// accumulate rounding errors.
#pragma once

#include <cstdint>

#include "base/BaseEnums.h"
#include "platform/Export.h"

namespace korvo {

struct TZoomPanInput {
  int32_t X = 0, Y = 0;            // the pointer now
  int32_t StartX = 0, StartY = 0;  // the pointer when the drag started
  double RangeLow = 0, RangeHigh = 0;  // the range now
  double SavedLow = 0, SavedHigh = 0;  // the range when the drag started
  bool Logarithmic = false;
  TScaleType ScaleType = TScaleType::sctXB;
  TMouseActMode MouseAction = TMouseActMode::maNone;
  int32_t MarginLeft = 0, MarginRight = 0, MarginTop = 0, MarginBottom = 0;
  int32_t Width = 0, Height = 0;
};

// The new range for the drag, with Hp = Width - MarginLeft - MarginRight and
// Vp = Height - MarginTop - MarginBottom:
//   maPan       the content follows the pointer: linear ranges shift by
//               (X - StartX) * (RangeHigh - RangeLow) / Hp to the left
//               (vertical: by (Y - StartY) * ... / Vp upward); logarithmic
//               ones are multiplied by (RangeHigh / RangeLow)^(...).
//   maZoom      one end stays (the high end when the drag started in the
//               left or lower half, else the low end); the other follows
//               the pointer.
//   maZoomDrag  symmetric zoom about the middle: dragging right narrows a
//               horizontal range, dragging down widens a vertical one.
// Other actions give no range. The result is false, and the outputs are
// left alone, when the action gives no range or when the arithmetic has no
// meaningful answer: a zero denominator (no pixels between the margins, a
// drag that starts or ends exactly on the fixed end's margin), a
// logarithmic range that is not positive, or a result that is not a finite
// double.
PLOTWELL_API bool ComputeZoomPan(const TZoomPanInput& in, double* newLow, double* newHigh);

}  // namespace korvo
