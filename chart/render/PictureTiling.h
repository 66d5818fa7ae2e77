// Covering an area with copies of a picture.
#pragma once

#include <cstdint>

namespace korvo {

class TBitmap;
class TCanvas;

// Tiles `picture` (pw x ph pixels) over the area whose top-left pixel is
// (x0, y0), `width` x `height` pixels: (width - 1) / pw + 1 columns and
// (height - 1) / ph + 1 rows of tiles, tile (c, r) with its top-left pixel
// at (x0 + c * pw, y0 + r * ph), so the last column and row may reach past
// the area's right and bottom edge. Tiles are copies like TCanvas::Draw (the
// pen mode does not apply) and are cut at the canvas's clip rectangle.
//
// The pixels are written row by row, each row as a few block copies, so the
// cost follows the pixels covered and not the number of tiles: a 1 x 1
// picture over 2000 x 2000 pixels is 4 million pixel copies, not 4 million
// draws. An empty picture or area draws nothing; the result says whether
// any tile was placed.
bool TilePicture(TCanvas& canvas, const TBitmap& picture, int32_t x0, int32_t y0, int32_t width, int32_t height);

}  // namespace korvo
