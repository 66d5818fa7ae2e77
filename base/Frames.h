// Rectangular frames: a one-pixel line or a two-pixel bevel that looks
// lowered, raised, embossed or engraved. The routine is colour-agnostic: the
// caller passes the four bevel colours and the colour of the simple frame, so
// fixed black-white-gray frames and frames in the system's button colours
// come from the same code.
#pragma once

#include <cstdint>

#include "base/BaseEnums.h"
#include "platform/Export.h"
#include "platform/graphics/Color.h"

namespace korvo {

class TCanvas;

// Draws a frame on the rectangle whose bounds are all inclusive: the frame's
// left column is `left`, its right column `right`, its top row `top`, its
// bottom row `bottom`. Only the low seven bits of the style byte count; a
// value of 0 (fsNone) or above 5 draws nothing.
//   fsSimple   every border pixel of the rectangle, corners included, in
//              simpleColor.
//   2 to 5     a two-pixel bevel in four colour roles (outer top/left, outer
//              bottom/right, inner top/left, inner bottom/right):
//                fsLowered   shadow     highlight  darkShadow light
//                fsRaised    highlight  darkShadow light      shadow
//                fsEmbossed  highlight  shadow     shadow     highlight
//                fsEngraved  shadow     highlight  highlight  shadow
//              Where the roles meet, the bottom-left corner of each ring takes
//              the bottom/right colour and the top-right corner the top/left
//              colour.
// Draws with the canvas's pen (its width, style and mode are the caller's; a
// one-pixel solid pen gives the pixels above) and leaves the pen colour at the
// last colour used. A null canvas does nothing.
PLOTWELL_API void DrawFrame(TCanvas* canvas, uint8_t style, int32_t left, int32_t top, int32_t right, int32_t bottom,
                            TColor highlight, TColor light, TColor shadow, TColor darkShadow, TColor simpleColor);
PLOTWELL_API void DrawFrame(TCanvas* canvas, TFrameStyle style, int32_t left, int32_t top, int32_t right,
                            int32_t bottom, TColor highlight, TColor light, TColor shadow, TColor darkShadow,
                            TColor simpleColor);

// The closed outline MoveTo(left, top), LineTo(left, bottom), LineTo(right,
// bottom), LineTo(right, top), LineTo(left, top) in the current pen colour.
PLOTWELL_API void DrawFrameRect(TCanvas* canvas, int32_t left, int32_t top, int32_t right, int32_t bottom);

// The two-pixel bevel on the rectangle (inclusive bounds): the outer ring in
// outerTopLeft and outerBottomRight, the ring inside it in innerTopLeft and
// innerBottomRight.
PLOTWELL_API void DrawFrameEdges(TCanvas* canvas, int32_t left, int32_t top, int32_t right, int32_t bottom,
                                 TColor outerTopLeft, TColor outerBottomRight, TColor innerTopLeft,
                                 TColor innerBottomRight);

}  // namespace korvo
