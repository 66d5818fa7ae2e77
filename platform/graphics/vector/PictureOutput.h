// A picture drawn by a function onto a canvas, written as a file of any kind
// the chart saves (PNG, BMP, SVG, PDF) or drawn at another resolution onto a
// bitmap. The vector kinds and the other resolutions go through cairo
// (CairoDevice.h); one canvas pixel is 1/96 inch.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/Export.h"
#include "platform/Types.h"

namespace korvo {

class TCanvas;
struct TPixelSurface;

enum class TPictureKind : uint8_t { Png, Bmp, Svg, Pdf };

// The kind a file name asks for by its extension (either case). Another
// name raises EInvalidGraphic "Cannot save '<path>': unknown picture type
// '.gif' (the name must end in .png, .bmp, .svg or .pdf)", or "the name has
// no extension".
PLOTWELL_INTERNAL_API TPictureKind PictureKindOf(const std::string& path);

// Draws a width x height-pixel picture on a canvas of figures.
using TDrawPicture = std::function<void(TCanvas&)>;

// The bytes of an SVG (width x height px) or a one-page PDF (width x height
// x 0.75 points) of the picture, fonts embedded. Raises EInvalidGraphic
// when cairo fails, and for a size outside 1..32767.
std::vector<uint8_t> RenderVectorPicture(TPictureKind kind, int32_t width, int32_t height, const TDrawPicture& draw);

// RenderVectorPicture written to `path` (beside it, then renamed onto it, so
// it never appears half-written). Raises EInvalidGraphic "Cannot save
// '<path>': ..." on any failure, leaving an earlier file as it was.
PLOTWELL_INTERNAL_API void SaveVectorPicture(const std::string& path, TPictureKind kind, int32_t width, int32_t height,
                                             const TDrawPicture& draw);

// Draws the picture onto `target`'s pixels at `scale` device pixels a canvas
// pixel, the canvas's pixel (0, 0) at `origin`, clipped to `target`:
// figures without anti-aliasing (whole device pixels), text anti-aliased at
// the device's resolution.
PLOTWELL_INTERNAL_API void RenderScaledPicture(const TPixelSurface& target, TPoint origin, double scale, int32_t width,
                                               int32_t height, const TDrawPicture& draw);

// Prints the picture onto the printer's current page at the printer's
// resolution, scaled to fit `pageRect` (page pixels) keeping its aspect and
// centred in it. Opens and closes a document of its own when none is open;
// inside an open one it draws on the current page. A picture or rectangle
// without pixels raises EInvalidGraphic.
PLOTWELL_INTERNAL_API void PrintPicture(int32_t width, int32_t height, const TRect& pageRect, const TDrawPicture& draw);

}  // namespace korvo
