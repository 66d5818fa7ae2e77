// The software canvas: every control, off-screen bitmap, clipboard bitmap and
// printer page draws through this class, with the classic aliased raster rules
// of the desktop graphics interface the charts were designed on.
//
// Coordinates are 32-bit pixels, x to the right, y downwards, (0, 0) the
// top-left pixel of the surface. Any 32-bit coordinate is accepted: figures
// are clipped to the surface (and the clip rectangle) before any integer
// arithmetic that could overflow, and nothing is written outside the clip.
//
// The pixel rules, each pinned by a test in tests/platform:
//
// Lines with 1-pixel pens (Width <= 1)
//   - LineTo paints from the pen position up to, not including, the end point,
//     and leaves the pen at the end point. MoveTo paints nothing.
//   - One pixel per step along the major axis (the axis with the larger
//     extent). The minor coordinate at each step is the exact line position
//     rounded to the nearest pixel; an exact half-pixel tie goes up/left (to
//     the smaller coordinate). The choice depends only on the two end points,
//     not on the direction, so A->B then B->A in XOR mode leaves exactly the
//     two end pixels changed.
//   - Dash patterns, in pixels along the major axis, on/off alternating:
//       psDash 18/6, psDot 3/3, psDashDot 9/6/3/6, psDashDotDot 9/3/3/3/3/3.
//     The pattern starts afresh at each LineTo and runs on across the vertices
//     of one Polyline. A clipped line keeps the phase of its true start.
//     With a solid brush the gaps are painted in the brush colour (opaque
//     background); with a clear brush they are left alone.
//   - psClear paints nothing (LineTo still moves the pen). psInsideFrame draws
//     lines as psSolid.
//
// Wide pens (Width > 1): geometric strokes, always solid (dashed styles draw
// solid). The stroke of a segment is every point within Width / 2 of it:
// round caps, round joins, end points painted. A pixel is painted when its
// centre (the integer point) lies in the stroke, with the half-open rule of
// polygon fills: on a row, x is painted when left <= x < right; a row y is
// reached when top <= y < bottom. So a horizontal line at y with Width 3
// paints rows y-1..y+1, with Width 2 rows y-1..y. A Polyline (and the outline
// of Polygon, Rectangle, Ellipse) paints each pixel once even where its
// segments overlap, so XOR strokes are clean.
//
// Rectangle(X1, Y1, X2, Y2) and Ellipse(X1, Y1, X2, Y2)
//   - Reversed corners are swapped first. The figure covers X1..X2-1 by
//     Y1..Y2-1: the pen outlines the border pixels of that box and the brush
//     (when solid) fills the pixels inside the outline. A box with no width
//     or no height draws nothing.
//   - Rectangle with a 1-pixel pen: the outline is the closed path
//     (X2-1, Y1) -> (X1, Y1) -> (X1, Y2-1) -> (X2-1, Y2-1) -> (X2-1, Y1),
//     each side drawn as LineTo draws it (without its end point), as one
//     stroke: a dash pattern starts at the top-right corner pixel and runs
//     counter-clockwise (leftwards along the top) without restarting at the
//     corners. So a 1 x 1 box draws nothing, and in a box one pixel wide or
//     high the two long sides cover the same pixels: the later side wins
//     (opaque gaps), and xor flips the inner pixels twice (back) and the two
//     end pixels once. psInsideFrame at width 1 draws as psSolid.
//   - Wide pens: the outline is the wide stroke of the 1-pixel outline path,
//     so it grows outwards by Width / 2 (X1 - Width / 2 ...). With
//     psInsideFrame the path is moved inwards so the whole figure, outline
//     included, stays inside X1..X2-1 by Y1..Y2-1.
//   - psClear draws no outline, and the fill then covers X1..X2-2 by
//     Y1..Y2-2 (the box one pixel smaller on the right and bottom).
//   - Ellipse: row y of the box covers the pixels whose centres lie in the
//     ellipse through the outer edges of the box: with w = X2 - X1,
//     h = Y2 - Y1, dx = 2x - (X1 + X2 - 1), dy = 2y - (Y1 + Y2 - 1), pixel
//     (x, y) is inside when dx^2 h^2 + dy^2 w^2 <= w^2 h^2. The outline is the
//     inside pixels with a 4-neighbour outside; the fill is the rest. The
//     figure is symmetric about both axes of the box. A 1 x 1 box draws
//     nothing.
//   - Arc(X1, Y1, X2, Y2, X3, Y3, X4, Y4): the outline pixels of the same
//     ellipse that lie counter-clockwise (as seen on the screen) from the ray
//     centre->(X3, Y3) to the ray centre->(X4, Y4), both rays included. Equal
//     rays draw the whole outline. Arc never fills.
//
// Polygon(points): fills with the brush, then outlines the closed path with
// the pen through every vertex (the outline is Polyline of the points and the
// first point again). A square polygon therefore spans one pixel more than
// the Rectangle with the same corners.
//   - The fill is decided per pixel centre (x, y). An edge from (xa, ya) to
//     (xb, yb) crosses row y when min(ya, yb) <= y < max(ya, yb) (so
//     horizontal edges never cross, and shared edges fill once), at
//     xc = exact crossing; pixel x is filled when the crossings with
//     xc <= x say so: pfAlternate (the default) when their number is odd,
//     pfWinding when their directions (downwards +1, upwards -1) do not sum
//     to zero. A five-point star keeps its centre empty under pfAlternate
//     and filled under pfWinding; a path traced twice around fills under
//     pfWinding only.
//   - Fewer than three points fill nothing. Two points draw the segment
//     there and back (in xor only its two end pixels change); one point,
//     or all points equal, draws nothing. Repeated and collinear points
//     change nothing in the fill.
//   - psClear draws the fill alone, with the same pixels; psInsideFrame at
//     width 1 draws as psSolid.
// Polyline(points): MoveTo(first) then LineTo each following point, as one
// stroke (dash phase runs on; wide pens join round). Neither Polyline nor
// Polygon reads or changes the pen position.
//
// Pen modes apply to everything the pen and the brush paint: pmCopy paints the
// colour, pmXor exclusive-ors the colour's RGB into the pixel, pmNot inverts
// the pixel. Text ignores the mode.
//
// Text (TextOut, TextWidth, TextHeight): the text cell's top-left corner is
// at (X, Y) (left/top alignment). With a solid brush the cell, TextWidth by
// TextHeight, is first filled with the brush colour; with a clear brush only
// the glyphs are drawn, anti-aliased in the font colour. TextOut leaves the
// pen at (X + TextWidth(Text), Y). TextHeight is the cell height of the font
// and the same for every string. Text is UTF-8; each malformed sequence
// draws U+FFFD.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string_view>
#include <vector>

#include "platform/Persistent.h"
#include "platform/Types.h"
#include "platform/graphics/Brush.h"
#include "platform/graphics/Color.h"
#include "platform/graphics/Font.h"
#include "platform/graphics/Pen.h"

namespace korvo {

class TBitmap;

// Which pixels a Polygon fills where its edges cross or wind around twice.
enum class TPolyFillMode : uint8_t { pfAlternate, pfWinding };

namespace raster {
class CanvasAccess;
}

// The pixels a canvas draws into: row y starts at Bits + y * Stride.
struct TPixelSurface {
  TPixel* Bits = nullptr;
  int32_t Width = 0;
  int32_t Height = 0;
  ptrdiff_t Stride = 0;  // in pixels
};

class TCanvas : public TPersistent {
 public:
  TCanvas();
  ~TCanvas() override;
  TCanvas(const TCanvas&) = delete;
  TCanvas& operator=(const TCanvas&) = delete;
  const char* ClassName() const override { return "TCanvas"; }

  // The surface is set by the canvas's owner (a bitmap, a control, the
  // printer's page). A canvas without a surface draws nothing.
  void SetSurface(const TPixelSurface& surface);
  const TPixelSurface& Surface() const { return surface_; }

  TPen* Pen() { return &pen_; }
  const TPen* Pen() const { return &pen_; }
  TBrush* Brush() { return &brush_; }
  const TBrush* Brush() const { return &brush_; }
  TFont* Font() { return &font_; }
  const TFont* Font() const { return &font_; }

  TPoint PenPos() const { return pen_pos_; }
  void SetPenPos(TPoint p) { pen_pos_ = p; }

  // Drawing is limited to the intersection of the surface and this
  // rectangle; by default (and after ResetClipRect) the whole surface.
  TRect ClipRect() const { return effective_clip_; }
  void SetClipRect(const TRect& r);
  void ResetClipRect();

  void MoveTo(int32_t x, int32_t y);
  void LineTo(int32_t x, int32_t y);
  void Polyline(std::span<const TPoint> points);
  void Polygon(std::span<const TPoint> points);
  // The rule Polygon fills by; pfAlternate unless set.
  TPolyFillMode PolyFillMode() const { return poly_fill_mode_; }
  void SetPolyFillMode(TPolyFillMode mode) { poly_fill_mode_ = mode; }
  void Rectangle(int32_t x1, int32_t y1, int32_t x2, int32_t y2);
  void Rectangle(const TRect& r) { Rectangle(r.Left, r.Top, r.Right, r.Bottom); }
  void Ellipse(int32_t x1, int32_t y1, int32_t x2, int32_t y2);
  void Arc(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t x3, int32_t y3, int32_t x4, int32_t y4);
  // Fills Left..Right-1 by Top..Bottom-1 with the brush; no outline. Reversed
  // corners are swapped.
  void FillRect(const TRect& r);

  // The colour of a pixel; -1 outside the surface.
  TColor Pixel(int32_t x, int32_t y) const;
  // Sets one pixel (ignoring pen and mode); outside the clip does nothing.
  void SetPixel(int32_t x, int32_t y, TColor color);

  void TextOut(int32_t x, int32_t y, std::string_view text);
  int32_t TextWidth(std::string_view text);
  int32_t TextHeight(std::string_view text);
  TSize TextExtent(std::string_view text);

  // Copies the bitmap's pixels with its top-left pixel at (x, y).
  void Draw(int32_t x, int32_t y, const TBitmap& bitmap);
  // Scales the bitmap into Left..Right-1 by Top..Bottom-1, nearest pixel:
  // destination pixel (x, y) shows source pixel
  // ((x - Left) * W / (Right - Left), (y - Top) * H / (Bottom - Top)), W x H
  // the bitmap's size, the divisions in 64 bits. A reversed rectangle
  // mirrors the picture by the same formula: with Right < Left the picture
  // covers Right+1..Left and column Left shows source column 0.
  void StretchDraw(const TRect& r, const TBitmap& bitmap);

 private:
  friend class raster::CanvasAccess;

  TPixelSurface surface_;
  void UpdateEffectiveClip();

  TRect clip_{INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX};
  TRect effective_clip_;  // clip_ within the surface; empty without pixels
  TPen pen_;
  TBrush brush_;
  TFont font_;
  TPoint pen_pos_;
  TPolyFillMode poly_fill_mode_ = TPolyFillMode::pfAlternate;
  // Scratch memory reused across calls (polygon crossings, stroke spans), so
  // drawing allocates only when a figure is larger than any before it.
  std::vector<int64_t> scratch_;
  std::vector<uint8_t> mask_;
};

}  // namespace korvo
