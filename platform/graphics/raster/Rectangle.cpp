// Rectangle and FillRect: the box X1..X2-1 by Y1..Y2-1, outlined by the pen
// and filled by the brush inside the outline.
#include <utility>

#include "platform/graphics/FigureDevice.h"
#include "platform/graphics/raster/Raster.h"

namespace korvo {

namespace {

void Normalize(int32_t& x1, int32_t& y1, int32_t& x2, int32_t& y2) {
  if (x2 < x1) std::swap(x1, x2);
  if (y2 < y1) std::swap(y1, y2);
}

void FillBox(const raster::Target& t, int64_t l, int64_t tp, int64_t r, int64_t b, raster::Ink ink) {
  tp = std::max<int64_t>(tp, t.Top);
  b = std::min<int64_t>(b, t.Bottom);
  for (int64_t y = tp; y < b; ++y) t.Span(y, l, r, ink);
}

// A box with a solid 1-pixel copy pen lying wholly inside the clip (marks,
// bars, a plot's background): its rows written directly, no clipping, no
// inks. Thin boxes paint their overlapping sides in the same colour, so the
// result is the outline path's. The rows inside the outline start one pixel
// off the box's left edge, so long ones go through FillLongRun's aligned
// stores.
void SmallSolidBox(const TPixelSurface& s, int32_t x1, int32_t y1, int32_t x2, int32_t y2, TPixel pen, bool fill,
                   TPixel brush) {
  const int32_t w = x2 - x1;
  TPixel* row = s.Bits + y1 * s.Stride + x1;
  raster::Target::FillPixels(row, size_t(w), pen);
  for (int32_t y = y1 + 1; y < y2 - 1; ++y) {
    row += s.Stride;
    row[0] = pen;
    if (w > 1) {
      if (fill) raster::Target::FillPixels(row + 1, size_t(w - 2), brush);
      row[w - 1] = pen;
    }
  }
  if (y2 - 1 > y1) raster::Target::FillPixels(row + s.Stride, size_t(w), pen);
}

}  // namespace

void TCanvas::FillRect(const TRect& rect) {
  int32_t x1 = rect.Left, y1 = rect.Top, x2 = rect.Right, y2 = rect.Bottom;
  Normalize(x1, y1, x2, y2);
  if (x1 == x2 || y1 == y2 || brush_.Style() != TBrushStyle::bsSolid) return;
  if (figures_ != nullptr) [[unlikely]] {
    if (!effective_clip_.IsEmpty()) figures_->Fill(*this, TRect{x1, y1, x2, y2}, brush_.Color());
    return;
  }
  const TPixel ink = ColorToPixel(brush_.Color());
  const TRect& clip = effective_clip_;
  if (x1 >= clip.Left && y1 >= clip.Top && x2 <= clip.Right && y2 <= clip.Bottom) {
    // Wholly inside the clip: rows without clipping.
    TPixel* row = surface_.Bits + y1 * surface_.Stride + x1;
    for (int32_t y = y1; y < y2; ++y, row += surface_.Stride) raster::Target::FillPixels(row, size_t(x2 - x1), ink);
    return;
  }
  raster::CanvasAccess a(*this);
  FillBox(a.target(), x1, y1, x2, y2, raster::Ink{ink, false});
}

void TCanvas::Rectangle(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
  if (figures_ != nullptr) [[unlikely]] {
    if (!effective_clip_.IsEmpty()) figures_->Rectangle(*this, TRect{x1, y1, x2, y2});
    return;
  }
  Normalize(x1, y1, x2, y2);
  if (x1 == x2 || y1 == y2) return;
  const TRect& clip = effective_clip_;
  if (pen_.Width() <= 1 && pen_.Mode() == TPenMode::pmCopy &&
      (pen_.Style() == TPenStyle::psSolid || pen_.Style() == TPenStyle::psInsideFrame) && x1 >= clip.Left &&
      y1 >= clip.Top && x2 <= clip.Right && y2 <= clip.Bottom) {
    // (An empty clip contains no box.) The outline's four sides of a 1 x 1
    // box are empty: nothing.
    if (x2 - x1 == 1 && y2 - y1 == 1) return;
    const bool fill = brush_.Style() == TBrushStyle::bsSolid;
    SmallSolidBox(surface_, x1, y1, x2, y2, ColorToPixel(pen_.Color()), fill, fill ? ColorToPixel(brush_.Color()) : 0);
    return;
  }
  raster::CanvasAccess a(*this);
  const raster::Target& t = a.target();
  if (t.Empty()) return;

  if (!a.PenVisible()) {
    if (a.BrushVisible()) FillBox(t, x1, y1, int64_t(x2) - 1, int64_t(y2) - 1, a.BrushInk());
    return;
  }

  if (a.WidePen()) {
    const int w = a.PenWidth();
    // The outline path through the centres of the border pixels.
    int64_t px1 = x1, py1 = y1, px2 = int64_t(x2) - 1, py2 = int64_t(y2) - 1;
    if (pen_.Style() == TPenStyle::psInsideFrame) {
      px1 += w / 2;
      py1 += w / 2;
      px2 -= (w - 1) / 2;
      py2 -= (w - 1) / 2;
      if (px2 < px1 || py2 < py1) {
        // The frame is wider than the box: the pen covers all of it.
        FillBox(t, x1, y1, x2, y2, a.PenInk());
        return;
      }
    }
    if (a.BrushVisible()) FillBox(t, px1 + (w + 1) / 2, py1 + (w + 1) / 2, px2 - w / 2, py2 - w / 2, a.BrushInk());
    const TPoint path[4] = {{int32_t(px1), int32_t(py1)},
                            {int32_t(px2), int32_t(py1)},
                            {int32_t(px2), int32_t(py2)},
                            {int32_t(px1), int32_t(py2)}};
    raster::WideStroke(a, path, true, w, a.PenInk());
    return;
  }

  // 1-pixel pens. The outline is the closed path (X2-1, Y1) -> (X1, Y1) ->
  // (X1, Y2-1) -> (X2-1, Y2-1) -> back, each side without its end point, as
  // one stroke: dashes start at the top-right corner and run
  // counter-clockwise. A 1 x 1 box has four empty sides and draws nothing.
  const int64_t r = int64_t(x2) - 1, b = int64_t(y2) - 1;
  if (r == x1 && b == y1) return;
  const bool solid = pen_.Style() == TPenStyle::psSolid || pen_.Style() == TPenStyle::psInsideFrame;
  const bool thin = r == x1 || b == y1;  // one pixel wide or high: the sides overlap
  if (a.BrushVisible()) FillBox(t, int64_t(x1) + 1, int64_t(y1) + 1, r, b, a.BrushInk());
  if (solid && !thin) {
    // The four sides never overlap: runs, clipped once each.
    const raster::Ink ink = a.PenInk();
    t.Span(y1, x1, int64_t(x2), ink);
    t.Span(b, x1, int64_t(x2), ink);
    for (int64_t y = std::max<int64_t>(int64_t(y1) + 1, t.Top); y < std::min<int64_t>(b, t.Bottom); ++y) {
      t.Span(y, x1, int64_t(x1) + 1, ink);
      t.Span(y, r, r + 1, ink);
    }
    return;
  }
  // Dashed, or a thin box: the path itself, so a thin box's overlapping
  // sides paint twice (xor flips them back) as the path says.
  const TPoint path[4] = {{int32_t(r), y1}, {x1, y1}, {x1, int32_t(b)}, {int32_t(r), int32_t(b)}};
  raster::StrokeClosedPath(a, path);
}

}  // namespace korvo
