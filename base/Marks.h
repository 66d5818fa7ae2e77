// Mark glyphs: small symbols centred on one pixel, drawn for the data points
// of a chart on any canvas (an off-screen bitmap, the clipboard bitmap, the
// printer's page).
#pragma once

#include <array>
#include <cstdint>

#include "platform/Export.h"
#include "platform/graphics/Color.h"

namespace korvo {

class TCanvas;

// A 7 x 7 glyph: seven row bytes, top row first. In a row byte bit 6 is the
// leftmost pixel (x - 3) and bit 0 the rightmost (x + 3); bit 7 is unused.
using TMarkGlyph = std::array<uint8_t, 7>;

// The glyphs stamped pixel by pixel on screen, indexed by glyph number. The
// marks use glyphs 1 to 6 (plus and cross in three sizes) and 18 (a
// checkerboard); the other numbers are blank.
inline constexpr std::array<TMarkGlyph, 19> MarkGlyphs = {{
    {},                                            // 0
    {0x00, 0x00, 0x08, 0x1C, 0x08, 0x00, 0x00},  // 1 small plus
    {0x00, 0x08, 0x08, 0x3E, 0x08, 0x08, 0x00},  // 2 plus
    {0x08, 0x08, 0x08, 0x7F, 0x08, 0x08, 0x08},  // 3 large plus
    {0x00, 0x00, 0x14, 0x08, 0x14, 0x00, 0x00},  // 4 small cross
    {0x00, 0x22, 0x14, 0x08, 0x14, 0x22, 0x00},  // 5 cross
    {0x41, 0x22, 0x14, 0x08, 0x14, 0x22, 0x41},  // 6 large cross
    {}, {}, {}, {}, {}, {}, {}, {}, {}, {}, {},  // 7 to 17
    {0x55, 0x2A, 0x55, 0x2A, 0x55, 0x2A, 0x55},  // 18 checkerboard
}};

// Stamps glyph `glyph` centred on (x, y): row r (0 to 6) lies at y - 3 + r,
// and bit b of the row byte sets pixel (x + 3 - b, y - 3 + r) to `color`
// with SetPixel (so pen width, style and mode do not matter). A glyph number
// outside the table draws nothing.
PLOTWELL_API void DrawMarkGlyph(TCanvas* canvas, int glyph, int32_t x, int32_t y, TColor color);

// Draws mark `kind` centred on pixel (x, y) in the canvas's pen colour. The
// caller sets pen colour, width and style first; the pen is never changed.
//
// Kinds 0 to 51 are geometric, drawn with the canvas's figures and their
// pixel rules (LineTo leaves out its end point, Rectangle and Ellipse cover
// X1..X2-1 by Y1..Y2-1). A filled figure sets the brush colour to the pen
// colour before drawing (the brush style is the caller's); a hollow figure
// sets the brush style to clear, draws, and sets it to solid. The brush
// colour is restored on return.
//    0  the pixel (x, y)
//  1-3  plus, arms 1, 2, 3 (glyphs 1-3)      4-6  cross, arms 1, 2, 3 (glyphs 4-6)
//  7-9  filled squares 3, 5, 7 pixels wide   10-12 square outlines, chains at 1, 2, 3
//   13  diamond outline (radius 3) with its centre pixel; 19 without it
// 14-15 filled diamonds, radius 2 and 3      16-17 hollow circles, boxes 5 and 7
//   18  checkerboard of 25 pixels, corners set (glyph 18)
// 20-21 open angle, apex up at (x, y)        22-23 apex down, arms 3 and 4
// 24,26 filled circles, boxes 7 and 5        27-28 hollow and filled 4 x 4 circles
// 29-36 triangles apex down (29-34) and up (35-36), hollow or filled
//   37  pin        38 lying H        39 circle with plus
// 40-47 triangles apex left (40-43) and right (44-47), hollow or filled
//   48  square with plus   49 small square with long plus
//   50  star (sets the brush style solid)   51 plus in a broken ring (the same)
// On the printer's canvas (the canvas of Printer(); drawing a mark never
// creates the printer object) kinds 1-6 and 18 are drawn
// with lines and dots instead of single pixels, and kind 25 with shorter
// strokes, so they stay visible with a wide printer pen.
//
// Kinds 52 to 255 are characters: 200 to 209 the digits "0" to "9", every
// other kind the character with that code in the Western single-byte code
// page (Windows-1252: 128 is the euro sign, 176 the degree sign). The font
// colour is set to
// the pen colour and the brush style to clear (both stay so), and the
// character's cell, W x H in the canvas's font, is placed with its top-left
// corner at (x - W / 2, y - H / 2), the divisions truncating toward zero. The
// brush colour is not touched.
//
// With a 1-pixel solid pen in copy mode (off the printer) a geometric mark is
// drawn from its stamp (MarkStamps.h): the same pixels and state, recorded
// from these figures on first use. Allocates nothing on the geometric path
// after that first use; a null canvas does nothing.
PLOTWELL_API void DrawMark(TCanvas* canvas, uint8_t kind, int32_t x, int32_t y);

}  // namespace korvo
