#include "platform/graphics/vector/ScaledRasterDevice.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <utility>

#include "platform/graphics/Brush.h"
#include "platform/graphics/Pen.h"
#include "platform/graphics/raster/DashPatterns.h"
#include "platform/graphics/raster/Raster.h"
#include "platform/graphics/vector/CairoDevice.h"

namespace korvo {
namespace {

// Far beyond any surface, yet safe to convert and to add to.
constexpr double kFar = 1 << 30;

// ceil(v) clamped to lo..hi (v finite), without the library call that
// std::ceil is on processors before SSE 4.1.
inline int32_t CeilIn(double v, int32_t lo, int32_t hi) {
  if (!(v > lo)) return lo;
  if (!(v < hi)) return hi;
  const int32_t t = int32_t(v);
  return t + (v > t);
}

inline void FillRow(TPixel* p, int32_t n, TPixel pixel) { raster::Target::FillPixels(p, size_t(n), pixel); }

bool PlainPen(const TCanvas& canvas) {
  const TPen& pen = *canvas.Pen();
  return pen.Mode() == TPenMode::pmCopy && pen.Width() <= 1 &&
         (pen.Style() == TPenStyle::psSolid || pen.Style() == TPenStyle::psInsideFrame);
}

}  // namespace

TScaledRasterDevice::TScaledRasterDevice(const TPixelSurface& target, double ratio, TFigureDevice* others)
    : target_(target),
      ratio_(ratio),
      whole_(ratio >= 1 && ratio <= 8 && ratio == std::floor(ratio) ? int32_t(ratio) : 0),
      others_(others),
      cairo_(dynamic_cast<TCairoDevice*>(others)) {}

TScaledRasterDevice::~TScaledRasterDevice() = default;

int32_t TScaledRasterDevice::Edge(int64_t v) const {
  return CeilIn(double(v) * ratio_ - 0.5, -int32_t(kFar), int32_t(kFar));
}

TScaledRasterDevice::TSpan TScaledRasterDevice::DeviceClip(const TCanvas& canvas) {
  const TRect c = canvas.ClipRect();
  if (c != clip_of_) {
    clip_of_ = c;
    clip_ = TSpan{std::max(Edge(c.Left), 0), std::max(Edge(c.Top), 0), std::min(Edge(c.Right), target_.Width),
                  std::min(Edge(c.Bottom), target_.Height)};
  }
  return clip_;
}

void TScaledRasterDevice::FlushOthers() {
  if (cairo_ != nullptr) cairo_->Flush();
}

void TScaledRasterDevice::FillDevice(TSpan r, const TSpan& clip, TPixel pixel) {
  r.Left = std::max(r.Left, clip.Left);
  r.Top = std::max(r.Top, clip.Top);
  r.Right = std::min(r.Right, clip.Right);
  r.Bottom = std::min(r.Bottom, clip.Bottom);
  if (r.Left >= r.Right || r.Top >= r.Bottom) return;
  for (int32_t y = r.Top; y < r.Bottom; ++y) {
    FillRow(target_.Bits + ptrdiff_t(y) * target_.Stride + r.Left, r.Right - r.Left, pixel);
  }
}

void TScaledRasterDevice::FillPixels(const TRect& p, const TSpan& clip, TPixel pixel) {
  if (p.Left >= p.Right || p.Top >= p.Bottom) return;
  FillDevice(TSpan{Edge(p.Left), Edge(p.Top), Edge(p.Right), Edge(p.Bottom)}, clip, pixel);
}

namespace {

// The centre line runs through the pixels' centres; along the major axis
// the device pixels whose centres lie from the start pixel's leading edge
// up to the end pixel's leading edge, across it those within half the
// ratio of the line. A slanted segment (neither along a row nor a column)
// is handed to `emit` as spans of one device row, (row, left, right) with
// right exclusive, inside `clip`.
template <class TEmit>
void SlantedRows(double fx, double fy, double tx, double ty, double r, const TScaledRasterDevice::TSpan& clip,
                 TEmit&& emit) {
  double ax = (fx + 0.5) * r, ay = (fy + 0.5) * r, bx = (tx + 0.5) * r, by = (ty + 0.5) * r;
  const bool xMajor = std::abs(tx - fx) >= std::abs(ty - fy);
  // The x-major case; a y-major line is drawn with the axes swapped.
  int32_t majorLo = clip.Left, majorHi = clip.Right, minorLo = clip.Top, minorHi = clip.Bottom;
  if (!xMajor) {
    std::swap(ax, ay);
    std::swap(bx, by);
    std::swap(majorLo, minorLo);
    std::swap(majorHi, minorHi);
  }
  if (majorLo >= majorHi || minorLo >= minorHi) return;
  const double slope = (by - ay) / (bx - ax);
  const double back = bx > ax ? r / 2 : -r / 2;
  const double e0 = ax - back, e1 = bx - back;
  const double lo = std::max(std::ceil(std::min(e0, e1) - 0.5), double(majorLo));
  const double hi = std::min(std::ceil(std::max(e0, e1) - 0.5), double(majorHi));
  if (!(lo < hi)) return;
  // Column (or row) i's centre line at c0 + slope i; across it the pixels
  // j with c0 + slope i - r/2 - 0.5 <= j < c0 + slope i + r/2 - 0.5.
  const double c0 = ay + slope * (0.5 - ax);
  if (!xMajor) {
    // Rows: one span across each.
    const double near = c0 - r / 2 - 0.5;
    for (int32_t i = int32_t(lo); i < int32_t(hi); ++i) {
      const double edge = near + slope * i;
      const int32_t left = CeilIn(edge, minorLo, minorHi), right = CeilIn(edge + r, minorLo, minorHi);
      if (left < right) emit(i, left, right);
    }
    return;
  }
  // Columns: the same pixels found row by row, so that each row is one
  // span. Row j holds the columns whose centre line lies in
  // (j + 0.5 - r/2, j + 0.5 + r/2].
  const double yLo = c0 + slope * lo, yHi = c0 + slope * (hi - 1);
  const double top = std::max(std::ceil(std::min(yLo, yHi) - r / 2 - 0.5), double(minorLo));
  const double bottom = std::min(std::ceil(std::max(yLo, yHi) + r / 2 - 0.5), double(minorHi));
  const double inverse = 1 / slope;
  const int32_t from_i = int32_t(lo), to_i = int32_t(hi);
  for (int32_t j = int32_t(top); j < int32_t(bottom); ++j) {
    const double a = (j + 0.5 - r / 2 - c0) * inverse, b = (j + 0.5 + r / 2 - c0) * inverse;
    // slope > 0: a < i <= b, so floor(a) + 1 <= i < floor(b) + 1, and
    // floor(x) + 1 is ceil(x) but for whole x, where it is x + 1;
    // slope < 0: b <= i < a.
    int32_t first, last;
    if (slope > 0) {
      first = CeilIn(a, from_i - 1, to_i);
      if (first == a) ++first;
      last = CeilIn(b, from_i - 1, to_i);
      if (last == b) ++last;
    } else {
      first = CeilIn(b, from_i, to_i);
      last = CeilIn(a, from_i, to_i);
    }
    first = std::max(first, from_i);
    last = std::min(last, to_i);
    if (first < last) emit(j, first, last);
  }
}

}  // namespace

void TScaledRasterDevice::Segment(TPoint from, TPoint to, const TSpan& clip, TPixel pixel) {
  if (from.X == to.X && from.Y == to.Y) return;
  if (from.X == to.X || from.Y == to.Y) {
    // Along a row or column: the device pixels of the canvas pixels, the
    // end pixel left out.
    const int64_t x0 = from.X, y0 = from.Y, x1 = to.X, y1 = to.Y;
    const int64_t left = x0 == x1 ? x0 : x0 < x1 ? x0 : x1 + 1, right = x0 == x1 ? x0 + 1 : x0 < x1 ? x1 : x0 + 1;
    const int64_t top = y0 == y1 ? y0 : y0 < y1 ? y0 : y1 + 1, bottom = y0 == y1 ? y0 + 1 : y0 < y1 ? y1 : y0 + 1;
    FillDevice(TSpan{Edge(left), Edge(top), Edge(right), Edge(bottom)}, clip, pixel);
    return;
  }
  const int64_t dx = int64_t(to.X) - from.X, dy = int64_t(to.Y) - from.Y;
  if (whole_ > 0 && std::abs(dx) <= ShortReach && std::abs(dy) <= ShortReach) {
    ShortSegment(from, int32_t(dx), int32_t(dy), clip, pixel);
    return;
  }
  SlantedRows(from.X, from.Y, to.X, to.Y, ratio_, clip, [&](int32_t row, int32_t left, int32_t right) {
    FillRow(target_.Bits + ptrdiff_t(row) * target_.Stride + left, right - left, pixel);
  });
}

// At a whole ratio a canvas pixel's device pixels start at its coordinates
// times the ratio, so a segment's device pixels move with its start: the
// rows of each short shape are worked out once, from a start at (0, 0), and
// copied to every start. Every copy of a shape (the segments of the marks of
// a dense series) so gets the same pixels wherever it lies, which working
// each out where it lies does not promise where a row edge falls exactly on
// a pixel centre (a slope of 1/3 is not exact in binary).
void TScaledRasterDevice::ShortSegment(TPoint from, int32_t dx, int32_t dy, const TSpan& clip, TPixel pixel) {
  const size_t key = size_t(dy + ShortReach) * (2 * ShortReach + 1) + size_t(dx + ShortReach);
  TShortShape& shape = short_shapes_[key];
  if (!shape.Made) {
    shape.First = uint32_t(short_rows_.size());
    constexpr int32_t Far = 1 << 24;
    SlantedRows(0, 0, dx, dy, ratio_, TSpan{-Far, -Far, Far, Far}, [&](int32_t row, int32_t left, int32_t right) {
      short_rows_.push_back(TShortRow{int16_t(row), int16_t(left), int16_t(right)});
    });
    shape.Count = uint32_t(short_rows_.size()) - shape.First;
    shape.Made = true;
  }
  const int64_t ox = int64_t(from.X) * whole_, oy = int64_t(from.Y) * whole_;
  for (uint32_t k = shape.First; k < shape.First + shape.Count; ++k) {
    const TShortRow& s = short_rows_[k];
    const int64_t y = oy + s.Row;
    if (y < clip.Top || y >= clip.Bottom) continue;
    const int64_t left = std::max<int64_t>(ox + s.Left, clip.Left), right = std::min<int64_t>(ox + s.Right, clip.Right);
    if (left < right) FillRow(target_.Bits + ptrdiff_t(y) * target_.Stride + left, int32_t(right - left), pixel);
  }
}

// Only along a row or a column (the caller sees to it).
void TScaledRasterDevice::DashedLine(const TCanvas& canvas, TPoint from, TPoint to, const TSpan& clip) {
  const std::span<const int> pattern = raster::DashRunsOf(canvas.Pen()->Style());
  const bool horizontal = from.Y == to.Y;
  const int64_t start = horizontal ? from.X : from.Y;
  const int64_t end = horizontal ? to.X : to.Y;
  const int64_t step = end > start ? 1 : -1;
  const int64_t length = std::abs(end - start);  // pixels start, start + step, ... (the end left out)
  const int64_t across = horizontal ? from.Y : from.X;
  const TPixel ink = ColorToPixel(canvas.Pen()->Color());
  const bool gaps = canvas.Brush()->Style() == TBrushStyle::bsSolid;
  const TPixel gap = ColorToPixel(canvas.Brush()->Color());
  // Begin at the first whole pattern before the clip, not at a start that
  // may lie a billion pixels away.
  const int period = raster::DashPeriodOf(pattern);
  const TRect c = canvas.ClipRect();
  const int64_t clipLo = horizontal ? c.Left : c.Top, clipHi = horizontal ? c.Right : c.Bottom;
  const int64_t firstSeen = step > 0 ? clipLo - start : start - (clipHi - 1);
  const int64_t lastSeen = step > 0 ? clipHi - 1 - start : start - clipLo;
  int64_t k = std::max<int64_t>(0, firstSeen) / period * period;
  const int64_t stop = std::min(length, lastSeen + 1);
  for (size_t seg = 0; k < stop; seg = (seg + 1) % pattern.size()) {
    const int64_t n = std::min<int64_t>(pattern[seg], length - k);
    const bool on = seg % 2 == 0;
    if (on || gaps) {
      const int64_t a = start + step * k, b = start + step * (k + n - 1);
      const int64_t lo = std::min(a, b), hi = std::max(a, b) + 1;
      const TRect pixels = horizontal ? TRect{int32_t(std::clamp<int64_t>(lo, INT32_MIN, INT32_MAX)), int32_t(across),
                                              int32_t(std::clamp<int64_t>(hi, INT32_MIN, INT32_MAX)),
                                              int32_t(across + 1)}
                                      : TRect{int32_t(across), int32_t(std::clamp<int64_t>(lo, INT32_MIN, INT32_MAX)),
                                              int32_t(across + 1),
                                              int32_t(std::clamp<int64_t>(hi, INT32_MIN, INT32_MAX))};
      FillPixels(pixels, clip, on ? ink : gap);
    }
    k += n;
  }
}

void TScaledRasterDevice::Line(const TCanvas& canvas, TPoint from, TPoint to) {
  const TPen& pen = *canvas.Pen();
  const bool dashed = pen.Mode() == TPenMode::pmCopy && pen.Width() <= 1 && !raster::DashRunsOf(pen.Style()).empty() &&
                      (from.X == to.X || from.Y == to.Y) && !(from.X == to.X && from.Y == to.Y) &&
                      int64_t(from.X) + 1 < INT32_MAX && int64_t(from.Y) + 1 < INT32_MAX;
  if (!PlainPen(canvas) && !dashed) {
    others_->Line(canvas, from, to);
    return;
  }
  FlushOthers();
  const TSpan clip = DeviceClip(canvas);
  if (dashed) {
    DashedLine(canvas, from, to, clip);
  } else {
    Segment(from, to, clip, ColorToPixel(pen.Color()));
  }
}

void TScaledRasterDevice::Polyline(const TCanvas& canvas, std::span<const TPoint> points) {
  if (!PlainPen(canvas)) {
    others_->Polyline(canvas, points);
    return;
  }
  FlushOthers();
  const TSpan clip = DeviceClip(canvas);
  const TPixel ink = ColorToPixel(canvas.Pen()->Color());
  for (size_t i = 1; i < points.size(); ++i) Segment(points[i - 1], points[i], clip, ink);
}

void TScaledRasterDevice::Rectangle(const TCanvas& canvas, const TRect& given) {
  const TPen& pen = *canvas.Pen();
  const bool noPen = pen.Style() == TPenStyle::psClear;
  if (!(PlainPen(canvas) || (noPen && pen.Mode() == TPenMode::pmCopy))) {
    others_->Rectangle(canvas, given);
    return;
  }
  TRect b = given;
  if (b.Left > b.Right) std::swap(b.Left, b.Right);
  if (b.Top > b.Bottom) std::swap(b.Top, b.Bottom);
  if (b.Left == b.Right || b.Top == b.Bottom) return;
  FlushOthers();
  const TSpan clip = DeviceClip(canvas);
  const bool filled = canvas.Brush()->Style() == TBrushStyle::bsSolid;
  const TPixel brush = ColorToPixel(canvas.Brush()->Color());
  if (noPen) {
    if (filled) FillPixels(TRect{b.Left, b.Top, b.Right - 1, b.Bottom - 1}, clip, brush);
    return;
  }
  const TPixel ink = ColorToPixel(pen.Color());
  if (filled) FillPixels(TRect{b.Left + 1, b.Top + 1, b.Right - 1, b.Bottom - 1}, clip, brush);
  FillPixels(TRect{b.Left, b.Top, b.Right, b.Top + 1}, clip, ink);
  if (b.Bottom - 1 > b.Top) FillPixels(TRect{b.Left, b.Bottom - 1, b.Right, b.Bottom}, clip, ink);
  FillPixels(TRect{b.Left, b.Top + 1, b.Left + 1, b.Bottom - 1}, clip, ink);
  if (b.Right - 1 > b.Left) FillPixels(TRect{b.Right - 1, b.Top + 1, b.Right, b.Bottom - 1}, clip, ink);
}

void TScaledRasterDevice::Fill(const TCanvas& canvas, const TRect& pixels, TColor color) {
  FlushOthers();
  FillPixels(pixels, DeviceClip(canvas), ColorToPixel(color));
}

void TScaledRasterDevice::Polygon(const TCanvas& canvas, std::span<const TPoint> points) {
  others_->Polygon(canvas, points);
}
void TScaledRasterDevice::Ellipse(const TCanvas& canvas, const TRect& box) { others_->Ellipse(canvas, box); }
void TScaledRasterDevice::Arc(const TCanvas& canvas, const TRect& box, TPoint start, TPoint end) {
  others_->Arc(canvas, box, start, end);
}
void TScaledRasterDevice::Text(const TCanvas& canvas, TPoint at, std::string_view text, int32_t width) {
  others_->Text(canvas, at, text, width);
}
void TScaledRasterDevice::Picture(const TCanvas& canvas, const TRect& box, const TBitmap& picture) {
  others_->Picture(canvas, box, picture);
}
void TScaledRasterDevice::Tiles(const TCanvas& canvas, const TRect& area, TPoint origin, const TBitmap& picture) {
  others_->Tiles(canvas, area, origin, picture);
}

}  // namespace korvo
