// The scale sheet of the gallery: stand-alone TScale controls of every kind,
// rendered headless, for people to judge by eye.
#pragma once

namespace korvo {
class TBitmap;
}

namespace korvo::gallery {

// All four orientations; linear, reversed and logarithmic scales (with
// automatic decimals and decade numbers); time-of-day scales; date/time
// scales at the hours, days, months and years kinds; user texts and
// inscripts; the frame styles and colour schemes of opaque scales and a
// transparent scale. Resizes bmp.
void DrawScaleSheet(TBitmap& bmp);

}  // namespace korvo::gallery
