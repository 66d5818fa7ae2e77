// The figure kinds: rectangles, pixel boxes, ellipses, framed rectangles,
// 3-D bars, arrows, error marks, arcs and crosses. The batch has been drawn
// before each of them (TItemRenderer::Render).
#include <cmath>
#include <numbers>
#include <utility>

#include "base/Marks.h"
#include "chart/CustomPlotwell.h"
#include "chart/render/ItemRenderer.h"
#include "chart/render/RenderMath.h"
#include "platform/graphics/Canvas.h"
#include "scale/PrinterFont.h"

namespace korvo {
namespace {

TPoint Point32(int64_t x, int64_t y) { return TPoint{render::ClampInt32(x), render::ClampInt32(y)}; }

// Black on a light colour, white on a dark one: brightness
// round(0.3 R + 0.59 G + 0.11 B) of 140 or more is light. System colours
// are read as the colour they show.
TColor ContrastColor(TColor c) {
  const TColor rgb = ColorToRGB(c);
  const double brightness =
      std::nearbyint(0.3 * GetRValue(rgb) + 0.59 * GetGValue(rgb) + 0.11 * GetBValue(rgb));
  return brightness >= 140 ? clBlack : clWhite;
}

}  // namespace

void TItemRenderer::DrawRectangleItem(const TpwChartItem& item, TColor ink, TColor paper) {
  SetFillAttributes(item, ink, paper);
  TPoint a, b;
  TwoPointsByMode(item, item.CoordMode, a, b);
  if (SinglePixel(a, b, ink)) return;
  render::MakeInclusive(a, b);
  pass_.canvas->Rectangle(a.X, a.Y, b.X, b.Y);
}

void TItemRenderer::DrawPixelBoxItem(const TpwChartItem& item, TColor ink, TColor paper) {
  SetFillAttributes(item, ink, paper);
  const TPoint c = WorldPoint(item.Layer, item.x, item.y);
  TPoint a{render::ClampCoord(int64_t(c.X) - item.Param1), render::ClampCoord(int64_t(c.Y) - item.Param2)};
  TPoint b{render::ClampCoord(int64_t(c.X) + item.Param1), render::ClampCoord(int64_t(c.Y) + item.Param2)};
  if (SinglePixel(a, b, ink)) return;
  render::MakeInclusive(a, b);
  pass_.canvas->Rectangle(a.X, a.Y, b.X, b.Y);
}

void TItemRenderer::DrawEllipseItem(const TpwChartItem& item, TColor ink, TColor paper) {
  SetFillAttributes(item, ink, paper);
  TPoint a = WorldPoint(item.Layer, item.x - item.x2, item.y + item.y2);
  TPoint b = WorldPoint(item.Layer, item.x + item.x2, item.y - item.y2);
  if (SinglePixel(a, b, ink)) return;
  render::MakeInclusive(a, b);
  pass_.canvas->Ellipse(a.X, a.Y, b.X, b.Y);
}


// The rectangle covers x1..x2-1 by y2..y1-1 (not made inclusive); the edges
// are drawn along x1..x2 and y2..y1, so they frame it with the corner pixels
// included. (x1, y1) is the lower-left, (x2, y2) the upper-right corner.
void TItemRenderer::DrawFramedRectItem(const TpwChartItem& item, TColor paper) {
  TCanvas* canvas = pass_.canvas;
  SetPenStyle(canvas, item.PenStyle);
  SetPenColor(canvas, paper);
  SetBrushColor(canvas, paper);
  TPoint a, b;
  TwoPointsByMode(item, item.CoordMode, a, b);
  if (SinglePixel(a, b, paper)) return;
  const int32_t x1 = std::min(a.X, b.X), x2 = std::max(a.X, b.X);
  const int32_t y1 = std::max(a.Y, b.Y), y2 = std::min(a.Y, b.Y);
  canvas->Rectangle(x1, y1, x2, y2);

  TColor first = item.Color3, second = item.Color4;
  switch (item.FrameStyle) {
    case TFrameStyle::fsRaised:
      std::swap(first, second);
      [[fallthrough]];
    case TFrameStyle::fsLowered:
      SetPenColor(canvas, first);
      canvas->MoveTo(x1, y1);
      canvas->LineTo(x1, y2);
      canvas->LineTo(x2, y2);
      SetPenColor(canvas, second);
      canvas->LineTo(x2, y1);
      canvas->LineTo(x1, y1);
      return;
    case TFrameStyle::fsEngraved:
      std::swap(first, second);
      [[fallthrough]];
    case TFrameStyle::fsEmbossed:
      SetPenColor(canvas, first);
      canvas->MoveTo(x1 + 1, y1);
      canvas->LineTo(x1 + 1, y2 + 1);
      canvas->LineTo(x2, y2 + 1);
      canvas->LineTo(x2, y1);
      canvas->LineTo(x1 + 1, y1);
      SetPenColor(canvas, second);
      canvas->MoveTo(x1, y1 - 1);
      canvas->LineTo(x1, y2);
      canvas->LineTo(x2 - 1, y2);
      canvas->LineTo(x2 - 1, y1 - 1);
      canvas->LineTo(x1, y1 - 1);
      return;
    default:  // fsNone, fsSimple: no edges
      return;
  }
}

// The front face spans the two world corners; the top and side faces reach
// `depth` pixels back at `angle` degrees, the side face on the right, or on
// the left above 90 degrees. The brush style is the canvas's.
void TItemRenderer::DrawBar3DItem(const TpwChartItem& item, TColor ink, TColor paper) {
  TCanvas* canvas = pass_.canvas;
  const TCustomPlotwell& chart = *pass_.chart;
  SetPenColor(canvas, ink);
  SetBrushColor(canvas, paper);
  SetPenStyle(canvas, item.PenStyle);

  int32_t px1, py1, px2, py2;
  chart.WorldToPixel(item.Layer, item.x, item.y, px1, py1);
  chart.WorldToPixel(item.Layer, item.x2, item.y2, px2, py2);
  const int64_t sx = int64_t(pass_.x0) - chart.MarginLeft(), sy = int64_t(pass_.y0) - chart.MarginTop();
  int64_t left = render::ClampCoord(px1), right = render::ClampCoord(px2);
  int64_t top = render::ClampCoord(py1), bottom = render::ClampCoord(py2);
  if (left > right) std::swap(left, right);
  if (top > bottom) std::swap(top, bottom);
  left += sx;
  right += sx;
  top += sy;
  bottom += sy;

  const double a = item.Param1 * std::numbers::pi / 180;
  const int64_t dx = render::RoundOffset(std::cos(a) * item.Param2);
  const int64_t dy = -int64_t(render::RoundOffset(std::sin(a) * item.Param2));
  if (item.Param1 > 90) std::swap(left, right);

  const TPoint topFace[4] = {Point32(left, top), Point32(left + dx, top + dy), Point32(right + dx, top + dy),
                             Point32(right, top)};
  canvas->Polygon(topFace);
  const TPoint sideFace[4] = {Point32(right + dx, top + dy), Point32(right, top), Point32(right, bottom),
                              Point32(right + dx, bottom + dy)};
  canvas->Polygon(sideFace);
  TPoint p = Point32(left, top), q = Point32(right, bottom);
  render::MakeInclusive(p, q);
  canvas->Rectangle(p.X, p.Y, q.X, q.Y);
}

// The shaft from tail to head, then the heads: each a triangle with a
// half-angle of 20 degrees and sides `headLength` pixels long, filled with
// paper or, hollow, its two sides as lines.
void TItemRenderer::DrawArrowItem(const TpwChartItem& item, TColor ink, TColor paper) {
  TCanvas* canvas = pass_.canvas;
  SetFillAttributes(item, ink, paper);

  TPoint t, h;
  if (item.CoordMode == uint8_t(TCoordMode::cmXPixelYWorld) ||
      item.CoordMode == uint8_t(TCoordMode::cmXWorldYPixel)) {
    t = PointByMode(item, item.x, item.y, item.CoordMode);
    h = PointByMode(item, item.x2, item.y2, item.CoordMode);
  } else {
    TwoPointsByMode(item, item.CoordMode, t, h);
  }
  if (SinglePixel(t, h, ink)) return;

  // A dashed shaft whose gaps would be painted in the line's own colour
  // gets gaps of the contrasting colour instead.
  canvas->MoveTo(t.X, t.Y);
  if (item.PenStyle != TPenStyle::psSolid && paper == ink) {
    SetBrushColor(canvas, ContrastColor(ink));
    canvas->LineTo(h.X, h.Y);
    SetBrushColor(canvas, paper);
  } else {
    canvas->LineTo(h.X, h.Y);
  }

  const int32_t length = item.Param1;
  if (length < 1) return;
  constexpr double Pi = std::numbers::pi;
  double phi;
  if (t.X == h.X) {
    phi = h.Y - t.Y < 1 ? 2 * Pi : Pi;
  } else {
    phi = std::atan(double(h.Y - t.Y) / double(h.X - t.X)) + (h.X - t.X < 0 ? 3 * Pi / 2 : Pi / 2);
  }
  SetPenStyle(canvas, TPenStyle::psSolid);

  constexpr double Wing = 0.3490658503988659154;  // 20 degrees
  const auto head = [&](TPoint tip, int sign) {
    const TPoint w1 = Point32(int64_t(tip.X) - sign * int64_t(render::RoundOffset(std::sin(phi + Wing) * length)),
                              int64_t(tip.Y) + sign * int64_t(render::RoundOffset(std::cos(phi + Wing) * length)));
    const TPoint w2 = Point32(int64_t(tip.X) - sign * int64_t(render::RoundOffset(std::sin(phi - Wing) * length)),
                              int64_t(tip.Y) + sign * int64_t(render::RoundOffset(std::cos(phi - Wing) * length)));
    if (item.Hollow) {
      canvas->MoveTo(tip.X, tip.Y);
      canvas->LineTo(w1.X, w1.Y);
      canvas->MoveTo(tip.X, tip.Y);
      canvas->LineTo(w2.X, w2.Y);
    } else {
      const TPoint triangle[3] = {tip, w1, w2};
      canvas->Polygon(triangle);
    }
  };
  if (item.Kind == ckDoubleArrow) head(t, -1);  // the wings open towards the head
  head(h, 1);
}

// A glyph with an error bar: x2 reaches below, y2 above the value (both as
// absolute values), along y, or along x when Param1 is not 0; each end has a
// 7-pixel cross line. Left out unless both intervals touch the layer's
// ranges.
void TItemRenderer::DrawErrorMarkItem(const TpwChartItem& item, TColor ink) {
  TCanvas* canvas = pass_.canvas;
  const TCustomPlotwell& chart = *pass_.chart;
  const int layer = render::ClampLayer(item.Layer);
  const double below = std::fabs(item.x2), above = std::fabs(item.y2);
  const auto overlaps = [](double lo, double hi, double a, double b) {
    if (a > b) std::swap(a, b);
    return hi >= a && lo <= b;  // NaN: no overlap
  };
  if (!overlaps(item.x - below, item.x + above, chart.XProps(layer)->RangeLow(), chart.XProps(layer)->RangeHigh()) ||
      !overlaps(item.y - below, item.y + above, chart.YProps(layer)->RangeLow(), chart.YProps(layer)->RangeHigh())) {
    return;
  }
  SetPenColor(canvas, ink);
  SetPenStyle(canvas, item.PenStyle);
  SetBrushColor(canvas, item.FillColor);
  const TPoint c = WorldPoint(item.Layer, item.x, item.y);
  if (item.Param3 > 51) AdjustFontForPrinter(canvas, item.Param1);
  const double ends[2] = {-below, above};
  for (double e : ends) {
    if (item.Param1 != 0) {
      const TPoint p = WorldPoint(item.Layer, item.x + e, item.y);
      canvas->MoveTo(c.X, c.Y);
      canvas->LineTo(p.X, c.Y);
      canvas->MoveTo(p.X, c.Y - 3);
      canvas->LineTo(p.X, c.Y + 4);
    } else {
      const TPoint p = WorldPoint(item.Layer, item.x, item.y + e);
      canvas->MoveTo(c.X, c.Y);
      canvas->LineTo(c.X, p.Y);
      canvas->MoveTo(c.X - 3, p.Y);
      canvas->LineTo(c.X + 4, p.Y);
    }
  }
  const uint8_t glyph = uint8_t(item.Param3);
  DrawMark(canvas, glyph, c.X, c.Y);
  if (glyph > 51) font_color_ = canvas->Font()->Color();
}

// The outline of the ellipse of ckEllipse counter-clockwise from the start
// angle to the end angle (Param1, Param2 in 1e-8 radian); the rays pass
// through points 1e8 pixels out from the centre.
void TItemRenderer::DrawArcItem(const TpwChartItem& item, TColor ink) {
  TCanvas* canvas = pass_.canvas;
  SetPenColor(canvas, ink);
  TPoint a = WorldPoint(item.Layer, item.x - item.x2, item.y + item.y2);
  TPoint b = WorldPoint(item.Layer, item.x + item.x2, item.y - item.y2);
  const TPoint c = WorldPoint(item.Layer, item.x, item.y);
  if (SinglePixel(a, b, ink)) return;
  render::MakeInclusive(a, b);
  const double a1 = item.Param1 / 1e8, a2 = item.Param2 / 1e8;
  const auto ray = [&](double angle) {
    return TPoint{c.X + render::RoundOffset(std::cos(angle) * 1e8), c.Y - render::RoundOffset(std::sin(angle) * 1e8)};
  };
  const TPoint r1 = ray(a1), r2 = ray(a2);
  canvas->Arc(a.X, a.Y, b.X, b.Y, r1.X, r1.Y, r2.X, r2.Y);
}

// Two lines through the middle of the box, which includes both corners.
// The middle becomes the batch start point.
void TItemRenderer::DrawCrossItem(const TpwChartItem& item, TColor ink, TColor paper) {
  TCanvas* canvas = pass_.canvas;
  SetPenColor(canvas, ink);
  SetBrushColor(canvas, paper);
  SetPenStyle(canvas, item.PenStyle);
  canvas->Brush()->SetStyle(TBrushStyle::bsSolid);

  TPoint a, b;
  if (item.CoordMode == uint8_t(TCoordMode::cmPixel)) {
    a = TPoint{PixelX(item.x - item.x2), PixelY(item.y + item.y2)};
    b = TPoint{PixelX(item.x + item.x2), PixelY(item.y - item.y2)};
  } else if (item.CoordMode == uint8_t(TCoordMode::cmWorldPixel)) {
    const TPoint c = WorldPoint(item.Layer, item.x, item.y);
    const int64_t hx = render::RoundCoord(item.x2), hy = render::RoundCoord(item.y2);
    a = TPoint{render::ClampCoord(c.X - hx), render::ClampCoord(c.Y + hy)};
    b = TPoint{render::ClampCoord(c.X + hx), render::ClampCoord(c.Y - hy)};
  } else {
    a = WorldPoint(item.Layer, item.x - item.x2, item.y + item.y2);
    b = WorldPoint(item.Layer, item.x + item.x2, item.y - item.y2);
  }
  if (SinglePixel(a, b, ink)) {
    batch_start_ = a;
    return;
  }
  render::MakeInclusive(a, b);
  const int32_t xm = (a.X + b.X) / 2, ym = (a.Y + b.Y) / 2;  // truncating toward zero
  canvas->MoveTo(xm, a.Y);
  canvas->LineTo(xm, b.Y);
  canvas->MoveTo(a.X, ym);
  canvas->LineTo(b.X, ym);
  batch_start_ = TPoint{xm, ym};
}

}  // namespace korvo
