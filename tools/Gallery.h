// Sheets that show what the drawing code does, for people to judge by eye.
#pragma once

#include "platform/Types.h"

namespace korvo {
class TBitmap;
class TCanvas;
}

namespace korvo::gallery {

constexpr TSize GallerySize{960, 760};

// Marks, frames, pen styles, figures and text on one sheet of GallerySize
// (resizes bmp), or onto any canvas (a vector file's).
void DrawGallery(TBitmap& bmp);
void DrawGallery(TCanvas& canvas);

}  // namespace korvo::gallery
