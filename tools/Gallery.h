// Sheets that show what the drawing code does, for people to judge by eye.
#pragma once

namespace korvo {
class TBitmap;
}

namespace korvo::gallery {

// Marks, frames, pen styles, figures and text on one sheet (resizes bmp).
void DrawGallery(TBitmap& bmp);

}  // namespace korvo::gallery
