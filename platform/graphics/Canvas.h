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
// Wide pens (Width > 1, w below): always solid (dashed styles draw solid;
// no gaps, no background). A stroke is the union of one body per segment and
// one disc per point of the path (caps at the ends, joins between segments),
// so a zero-length segment draws the disc alone.
//   - Body of P -> Q: the parallelogram P + U, Q + U, Q + V, P + V, filled by
//     the polygon rule (a pixel is in when its centre is; crossings half-open,
//     so the right and bottom edges stay out). Take u = w / 2 times the unit
//     normal of the segment that points right, or down for a horizontal
//     segment; U rounds each coordinate of u away from zero, V rounds each
//     coordinate of -u to the nearest integer. Exact ties on a slanted
//     segment go outwards (a whole |U| one further, a half |V| away from
//     zero); a horizontal or vertical one has U = ceil(w/2) and V =
//     -floor(w/2) across it. So the right
//     side grows outwards: a 45-degree width-3 line is 6 pixels wide on each
//     row, a horizontal one covers rows y - w/2 .. y - w/2 + w - 1 (width 2:
//     y - 1..y; width 3: y - 1..y + 1). The rounding depends on the
//     geometry only, not on the direction.
//   - Disc at C: the filled digital circle of radius (w - 1) / 2, between
//     pixel centres, about the centre of the w x w box whose top-left is
//     C - (w/2, w/2) (integer halves). In each column the circle's upper and
//     lower pixels are the pixels nearest to it, a tie going inwards; the
//     same in each row for its left and right pixels; the disc is those
//     pixels and all between them. Width 2 is a 2 x 2 square (C - 1 .. C),
//     width 3 a plus, widths 4 and 5 the square without its four corner
//     pixels; large discs show flat runs on their outer rows and columns.
//   A Polyline (and the outline of Polygon and Rectangle) paints each pixel
//   once even where its pieces overlap, so XOR strokes are clean; under an
//   XOR wide outline a Polygon's fill leaves out the outline's pixels.
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
//   - Rectangle with a wide pen: the outline is the closed wide stroke of the
//     path (X1, Y1), (X2-1, Y1), (X2-1, Y2-1), (X1, Y2-1), so it grows
//     outwards by w/2 on the left and top, (w-1)/2 on the right and bottom,
//     and its corners are the discs (cut for w >= 3). The brush fills
//     columns X1 + (w+1)/2 .. X2 - 2 - w/2 (rows alike): the pixels inside
//     the outline, never under it.
//   - psInsideFrame moves that path inwards, to (X1 + w/2, Y1 + w/2) ..
//     (X2-1 - (w-1)/2, Y2-1 - (w-1)/2), so the whole figure stays inside
//     X1..X2-1 by Y1..Y2-1. When w is larger than the box's width or height
//     the pen covers the whole box instead.
//   - psClear draws no outline, and a Rectangle's fill then covers X1..X2-2
//     by Y1..Y2-2 (the box one pixel smaller on the right and bottom); an
//     Ellipse keeps its figure (below).
//   - Ellipse, 1-pixel pens: the outline is a walk, one quadrant at a time.
//     With a = w - 1, b = h - 1 (w = X2 - X1, h = Y2 - Y1) and pixel centres
//     in doubled units from the box centre, X = 2x - (X1 + X2 - 1) and
//     Y = 2y - (Y1 + Y2 - 1), let F(X, Y) = b^2 X^2 + a^2 Y^2 - a^2 b^2 (zero
//     on the ellipse through the centres of the four extreme pixels). The
//     walk starts on the side column at the middle row (the upper and lower
//     of the two middle rows for even heights) and heads for the top and
//     bottom rows; with u = |X| and v = |Y| from the pixel it is on, it moves
//     one row outwards when F(u-2, v+2) + F(u-2, v) <= 0 and one column
//     inwards when F(u-2, v+2) + F(u, v+2) >= 0, both at once when both hold,
//     until it passes the centre column. Where it has not reached the top
//     row by then (narrow tall boxes), its last column runs on straight to
//     the top and bottom rows. The quadrants mirror each other, so the figure
//     is symmetric about both axes of the box and touches all four sides; it
//     covers every pixel with F <= 0 but is not always the transpose of the
//     transposed box (the walk treats rows and columns differently).
//     Ellipse(3, 3, 6, 6) is a plus sign around one fill pixel.
//   - The figure is, on each row, every pixel from the leftmost to the
//     rightmost outline pixel. The brush fills the whole figure, outline
//     pixels included (XOR and NOT flip them twice), then the pen paints the
//     outline, each pixel once, except on the middle row of an odd height:
//     that row belongs to the upper and to the lower half of the outline, so
//     its pixels between its two end pixels are painted twice (XOR and NOT
//     flip them back; in a box 3 high and 8 or more wide they keep only the
//     brush). With psClear the brush fills the same figure.
//     Boxes one or two pixels wide or high are drawn as the Rectangle; a
//     1 x 1 box draws nothing.
//   - Dashed 1-pixel pens dash the outline pixel by pixel counter-clockwise
//     as seen on the screen, the pattern starting afresh at the right end of
//     the middle row (the upper middle row for even heights) and running up
//     the right side first. Each outline pixel is counted once, but for the
//     inner pixels of an odd height's middle row, which the lower half
//     counts (and paints) again: the round is the upper half, right to left,
//     then the lower half, left to right, each half with the whole middle
//     row but the end pixel the other half starts from. Gaps as for lines.
//   - Wide pens: the ring of the figure of the grown box (X1 - Width / 2,
//     w + Width - 1 wide, the same in y) less the figure of the box Width
//     smaller; the brush fills the smaller figure. psInsideFrame: the ring
//     of the box itself less the box shrunk by Width on every side.
//   - Boxes with a side above 2^18 pixels use the row rule instead of the
//     walk: pixel (x, y) is inside when X^2 h^2 + Y^2 w^2 <= w^2 h^2 (every
//     row keeps its middle pixel or two), the outline is the inside pixels
//     with a 4-neighbour outside, dashes draw solid, arcs keep the outline
//     pixels whose centres lie in the sweep.
//   - Arc(X1, Y1, X2, Y2, X3, Y3, X4, Y4): a run of the same round of
//     outline pixels (the order of the dashes), counter-clockwise from the
//     start ray to the end ray. Both rays leave the ray centre
//     (floor((X1 + X2) / 2), floor((Y1 + Y2) / 2)) through (X3, Y3) and
//     (X4, Y4); a ray through the ray centre points along +x. Each outline
//     pixel has a lattice position: its offset from the centre of the
//     quadrant walk, both centre columns of an even width counting as column
//     0 and both middle rows of an even height as row 0. Its angle, as seen
//     on the screen, rises along the round from 0 to 360: pixels of the lower
//     half on the right half of row 0 lie at 360, not 0. A pixel is past a
//     ray when its angle is larger than the ray's, or equal for pixels of
//     the upper half. The run starts at the first pixel past the start ray
//     and stops before the pixel just before the first pixel past the end
//     ray: the pixel on the end ray is left out. An end ray along +x lies at
//     360, after every pixel of the round, so the run goes on to its last
//     pixel and, for odd heights, to its first one again (which closes the
//     round as a lower pixel): Arc with both rays along +x draws the whole
//     round, and other equal rays everything but the pixel before the end
//     ray. The dash pattern starts afresh at the run's first pixel. Arc never
//     fills. Wide pens and boxes one or two pixels across keep the pixels of
//     the figure's ring whose centres lie in the sweep.
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

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string_view>
#include <vector>

#include "platform/Export.h"
#include "platform/Persistent.h"
#include "platform/Types.h"
#include "platform/graphics/Brush.h"
#include "platform/graphics/Color.h"
#include "platform/graphics/Font.h"
#include "platform/graphics/Pen.h"

namespace korvo {

class TBitmap;
class TFigureDevice;

// Which pixels a Polygon fills where its edges cross or wind around twice.
enum class TPolyFillMode : uint8_t { pfAlternate, pfWinding };

namespace raster {
class CanvasAccess;
class ShapeStamps;
struct ShapeKey;
class StampRuns;
}  // namespace raster

// The pixels a canvas draws into: row y starts at Bits + y * Stride.
struct TPixelSurface {
  TPixel* Bits = nullptr;
  int32_t Width = 0;
  int32_t Height = 0;
  ptrdiff_t Stride = 0;  // in pixels
};

// One row of a stamp: on row DY below the stamp's origin, the pixels
// DX + i for every bit i set in Mask (a row spans at most 32 pixels), in the
// stamp's ink number Ink (0 or 1).
struct TStampRow {
  int8_t DY;
  int8_t DX;
  uint8_t Ink;
  uint32_t Mask;
};

// The two pixel values a stamp paints with (ColorToPixel of its colours).
using TStampInks = std::array<TPixel, 2>;

// Stamp rows made once and painted many times (a chart's marks). The rows
// are fixed when the stamp is made; every stamp made gets an Id of its own,
// never reused, by which a canvas keeps the stamp's pixels as runs for its
// surface. Copies share the Id (and the rows).
class PLOTWELL_API TStamp {
 public:
  TStamp() = default;
  explicit TStamp(std::vector<TStampRow> rows);

  std::span<const TStampRow> Rows() const { return rows_; }
  // Holds every pixel's offset from the stamp's origin; empty without pixels.
  const TRect& Box() const { return box_; }
  uint64_t Id() const { return id_; }

 private:
  std::vector<TStampRow> rows_;
  TRect box_{};
  uint64_t id_ = 0;
};

class PLOTWELL_API TCanvas : public TPersistent {
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

  // Hands every figure to `device` instead of painting pixels (a vector
  // file, a picture at another resolution); the canvas then spans
  // 0..width-1 by 0..height-1 for its clip and has no surface. Null gives
  // the canvas back to its surface. The device must outlive its use here.
  // Pixel reads give -1 while a device is set.
  void SetFigureDevice(TFigureDevice* device, int32_t width, int32_t height);
  TFigureDevice* FigureDevice() const { return figures_; }
  // Whether the canvas draws for a device rather than a screen: a printer's
  // page (its printer says so) or a canvas with a figure device. Small
  // figures such as marks are line-drawn there, as single pixels would be
  // dots too small to see or blurred. One flag, so that the marks' fast path
  // asks one question a mark.
  bool ForDevice() const { return for_device_; }
  void SetPrinterPage(bool value) {
    printer_page_ = value;
    for_device_ = printer_page_ || figures_ != nullptr;
  }

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
  // For every row of the stamp and every bit i of its mask, sets the pixel
  // (at.X + DX + i, at.Y + DY) to inks[Ink], later rows over earlier ones,
  // like SetPixel (the clip holds; pen and mode do not count). Small figures
  // drawn in great numbers (a chart's marks) are recorded once as rows and
  // replayed in one call. `box` holds every pixel's offset (box.Left <=
  // DX + i < box.Right, DY likewise); a stamp whose box lies in the clip is
  // painted without a test per pixel.
  void StampRows(TPoint at, std::span<const TStampRow> rows, const TRect& box, TStampInks inks);
  // StampRows for a stamp made once: inside the clip, each pixel in its final
  // ink only, from runs the canvas keeps for the last few stamps it painted.
  void Stamp(TPoint at, const TStamp& stamp, TStampInks inks);

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
  friend class raster::ShapeStamps;

  // Polygon where the quick replay does not apply: no stamp recorded for
  // `key` yet (Head 0: a figure not to record), or system colours.
  [[gnu::noinline]] void PolygonNotReplayed(std::span<const TPoint> points, raster::ShapeKey key);
  // Polygon drawn by its figures, without the stamps of repeated shapes.
  void PaintPolygon(std::span<const TPoint> points);
  // Stamp past the clip, or without runs made yet for this surface.
  [[gnu::noinline]] void StampWithoutRuns(TPoint at, const TStamp& stamp, TStampInks inks);

  // The figure calls of a canvas with a figure device (CanvasFigures.cpp).
  [[gnu::noinline]] void FigureLine(TPoint from, TPoint to);
  [[gnu::noinline]] void FigureStamp(TPoint at, std::span<const TStampRow> rows, TStampInks inks);
  [[gnu::noinline]] void FigureText(int32_t x, int32_t y, std::string_view text);

  TPixelSurface surface_;
  TFigureDevice* figures_ = nullptr;
  TSize figure_size_{};
  bool printer_page_ = false;
  bool for_device_ = false;  // printer_page_ || figures_
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
  // Small shapes drawn again and again, recorded as stamps; made on the first
  // polygon that could be one.
  std::unique_ptr<raster::ShapeStamps> shape_stamps_;
  // The pixel runs of the stamps painted last; made on the first Stamp.
  std::unique_ptr<raster::StampRuns> stamp_runs_;
};

}  // namespace korvo
