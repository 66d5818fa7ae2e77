// Helpers shared by the test programs: pixel pictures and small canvases.
#pragma once

#include <initializer_list>
#include <string>
#include <utility>

#include "platform/graphics/Bitmap.h"

namespace korvo::test {

// A bitmap of the given size filled with `paper`.
void Fill(TBitmap& bmp, TColor paper);

// The pixels of `region` as text, one line per row ending in '\n': each pixel
// becomes the character that `legend` gives its colour, '?' when it has none.
// Compare with a literal picture to pin pixel rules exactly.
std::string Picture(const TBitmap& bmp, const TRect& region,
                    std::initializer_list<std::pair<TColor, char>> legend);

// The same with '#' for `ink` and '.' for `paper`.
std::string Picture(const TBitmap& bmp, const TRect& region, TColor ink, TColor paper);

// How many pixels of the bitmap have the colour.
int CountPixels(const TBitmap& bmp, TColor color);

// How many pixels differ between two bitmaps of the same size (-1 when the
// sizes differ).
long CountDifferentPixels(const TBitmap& a, const TBitmap& b);

}  // namespace korvo::test
