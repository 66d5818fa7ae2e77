// A device that takes a canvas's figures instead of its pixels: a vector
// file, or a picture at another resolution than the screen's. A canvas with a
// figure device (TCanvas::SetFigureDevice) has no pixels of its own; each
// drawing call hands the device the figure in the canvas's pixel coordinates
// together with the canvas, whose pen, brush, font, clip rectangle and fill
// mode the device reads. The device decides how a chart pixel maps to its
// own units; every device here follows one rule: pixel (x, y) is the unit
// square x..x+1 by y..y+1, so a figure's corner (x, y) is drawn at the pixel
// centre (x + 0.5, y + 0.5), and one pixel is 1/96 inch.
//
// The calls arrive with their arguments as the raster canvas takes them
// (corners not yet sorted, the pen position already advanced) and in the
// order the chart drew them; nothing is called for a canvas whose clip is
// empty.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "platform/Export.h"
#include "platform/Types.h"
#include "platform/graphics/Color.h"

namespace korvo {

class TBitmap;
class TCanvas;

class PLOTWELL_API TFigureDevice {
 public:
  virtual ~TFigureDevice() = default;

  // LineTo from `from` to `to` with the canvas's pen.
  virtual void Line(const TCanvas& canvas, TPoint from, TPoint to) = 0;
  // Polyline, and Polygon (filled with the brush, outlined closed).
  virtual void Polyline(const TCanvas& canvas, std::span<const TPoint> points) = 0;
  virtual void Polygon(const TCanvas& canvas, std::span<const TPoint> points) = 0;
  // Rectangle, Ellipse and Arc with the corners as given.
  virtual void Rectangle(const TCanvas& canvas, const TRect& box) = 0;
  virtual void Ellipse(const TCanvas& canvas, const TRect& box) = 0;
  virtual void Arc(const TCanvas& canvas, const TRect& box, TPoint start, TPoint end) = 0;
  // Fills the pixels Left..Right-1 by Top..Bottom-1 with one colour, without
  // pen or mode: FillRect, SetPixel and the rows of stamps.
  virtual void Fill(const TCanvas& canvas, const TRect& pixels, TColor color) = 0;
  // TextOut at the cell's top-left corner; `width` is the text's advance as
  // the canvas measured it.
  virtual void Text(const TCanvas& canvas, TPoint at, std::string_view text, int32_t width) = 0;
  // The picture scaled into `box` (Draw: the picture's own size), nearest
  // pixel; a reversed box mirrors it as StretchDraw does.
  virtual void Picture(const TCanvas& canvas, const TRect& box, const TBitmap& picture) = 0;
  // Copies of the picture over `area`, tile (0, 0) with its top-left pixel
  // at `origin`.
  virtual void Tiles(const TCanvas& canvas, const TRect& area, TPoint origin, const TBitmap& picture) = 0;
};

}  // namespace korvo
