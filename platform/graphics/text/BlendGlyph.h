// Blending a glyph's coverage bitmap onto canvas pixels, a whole glyph (or
// its clipped part) per call.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/graphics/Color.h"

namespace korvo::text {

// Bytes a glyph blend may read past the last coverage byte of a row; the
// glyph store keeps at least this many zero bytes after every bitmap.
constexpr size_t CoverageReadSlack = 16;

// Blends `rows` rows of `width` pixels: pixel i of row r, at
// dst[r * stride + i], becomes BlendCoverage(pixel, ink, c) with
// c = coverage[r * pitch + i], except that c = 0 leaves the pixel exactly as
// it was (its alpha byte too). Writes no pixel outside those rows and
// widths; reads up to CoverageReadSlack - 1 coverage bytes past a row's end.
// Chooses, once per process, a vector path the processor can run; every
// path gives the same pixels.
void BlendGlyph(TPixel* dst, ptrdiff_t stride, const uint8_t* coverage, ptrdiff_t pitch, int32_t width, int32_t rows,
                TPixel ink);

// The two paths, for the tests that hold them to each other.
void BlendGlyphScalar(TPixel* dst, ptrdiff_t stride, const uint8_t* coverage, ptrdiff_t pitch, int32_t width,
                      int32_t rows, TPixel ink);
// False (and nothing drawn) when the processor lacks AVX2.
bool BlendGlyphAvx2(TPixel* dst, ptrdiff_t stride, const uint8_t* coverage, ptrdiff_t pitch, int32_t width,
                    int32_t rows, TPixel ink);

}  // namespace korvo::text
