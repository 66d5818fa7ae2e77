// The figure device over cairo: PDF and SVG files, and pictures drawn at
// another resolution than the screen's (a printer page, a high-density
// screen). The device draws in the canvas's pixels; whoever made the cairo
// context set its transform (0.75 points a pixel for PDF, the device pixel
// ratio for a picture).
//
// How a figure maps, with p the centre (x + 0.5, y + 0.5) of pixel (x, y):
//   - A line from pixel A to pixel B is the segment p(A) -> p(B) in the pen's
//     width. 1-pixel pens have butt ends (LineTo leaves its end point out;
//     the next segment starts there); wide pens round ends and joins, as the
//     discs of the raster stroke. Consecutive LineTo calls with the same pen,
//     each starting where the last ended, become one path.
//   - Dashed 1-pixel pens dash by the raster patterns, in pixels along the
//     path, afresh at each LineTo and running on along a Polyline; with a
//     solid brush the gaps are first stroked in the brush colour.
//   - Rectangle and Ellipse outline the path through the centres of the box's
//     border pixels (X1..X2-1 by Y1..Y2-1), psInsideFrame moves it inwards
//     by half the pen, and the brush fills inside it (psClear: the box
//     X1..X2-2 by Y1..Y2-2, and for Ellipse the whole figure). Arc runs
//     counter-clockwise on the screen from the start ray to the end ray;
//     equal rays give the whole round.
//   - Polygon fills and outlines the closed path through the vertices'
//     centres, by the canvas's fill rule.
//   - Text is text: the font's own outlines (cairo embeds and subsets the
//     font file), each glyph at the pen position the raster canvas advances
//     to, the baseline at the cell's top plus the ascent; the code points
//     go with the glyphs, so a PDF's or SVG's text can be searched and
//     copied. A solid brush fills the cell first.
//   - Pictures are embedded as images, scaled nearest pixel.
//   - The mode: copy paints, xor and not take the difference with what lies
//     below (the same on black and white grounds; xor is for outlines drawn
//     over a picture, which files do not hold). Without `blends` (SVG 1.1
//     has no blend modes: cairo would make the whole page one image) they
//     paint as copy.
//   - The clip rectangle clips everything.
// With `crisp` (pictures at a resolution), figures are drawn without
// anti-aliasing so that a 1-pixel line at a device pixel ratio of 2 is two
// whole device pixels wide; text keeps its anti-aliasing.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/graphics/FigureDevice.h"

struct _cairo;

namespace korvo {

// A text as the device drew it, in its user space (canvas pixels): where a
// file draws glyphs as outlines (cairo's SVG), a layer of invisible text
// elements made from these keeps the text searchable and selectable.
struct TTextRun {
  double X = 0;
  double Baseline = 0;
  double Size = 0;   // the em, in pixels
  double Width = 0;  // the advance, in pixels
  std::string Text;  // UTF-8
};

class TCairoDevice final : public TFigureDevice {
 public:
  // Draws on `cairo` (not owned; it must outlive the device).
  TCairoDevice(_cairo* cairo, bool crisp, bool blends);
  ~TCairoDevice() override;
  TCairoDevice(const TCairoDevice&) = delete;
  TCairoDevice& operator=(const TCairoDevice&) = delete;

  // Draws what is still held back (the open path of LineTo calls). Call it
  // before finishing the cairo surface; the destructor does too.
  void Flush();
  // Keeps every text drawn from now on in `runs` (null: none).
  void RecordTextRuns(std::vector<TTextRun>* runs);

  void Line(const TCanvas& canvas, TPoint from, TPoint to) override;
  void Polyline(const TCanvas& canvas, std::span<const TPoint> points) override;
  void Polygon(const TCanvas& canvas, std::span<const TPoint> points) override;
  void Rectangle(const TCanvas& canvas, const TRect& box) override;
  void Ellipse(const TCanvas& canvas, const TRect& box) override;
  void Arc(const TCanvas& canvas, const TRect& box, TPoint start, TPoint end) override;
  void Fill(const TCanvas& canvas, const TRect& pixels, TColor color) override;
  void Text(const TCanvas& canvas, TPoint at, std::string_view text, int32_t width) override;
  void Picture(const TCanvas& canvas, const TRect& box, const TBitmap& picture) override;
  void Tiles(const TCanvas& canvas, const TRect& area, TPoint origin, const TBitmap& picture) override;

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace korvo
