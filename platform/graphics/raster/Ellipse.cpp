// Ellipse and Arc. The figure of a box is the outline of EllipseWalk.h and,
// on each row, every pixel between its two outermost outline pixels. Boxes
// one or two pixels wide or high are rectangles. Boxes with a side above
// kMaxWalkSide use the row rule below instead of the walk.
//
// Row rule (huge boxes only): in doubled units from the box centre, pixel
// (x, y) is inside when dx^2 h^2 + dy^2 w^2 <= w^2 h^2, and every row keeps
// at least its middle pixel (or two); the outline is the inside pixels with a
// 4-neighbour outside.
#include <cmath>
#include <cstdlib>
#include <optional>
#include <utility>

#include "platform/graphics/raster/EllipseWalk.h"
#include "platform/graphics/FigureDevice.h"
#include "platform/graphics/raster/Raster.h"

namespace korvo {

namespace {

using u128 = unsigned __int128;
using i128 = __int128;
using raster::EllipseQuadrant;

// A box [X, X + W) by [Y, Y + H) with W, H >= 1.
struct Box {
  int64_t X, Y, W, H;
  bool Valid() const { return W >= 1 && H >= 1; }
  bool Thin() const { return W <= 2 || H <= 2; }
  bool Walked() const { return !Thin() && W <= raster::kMaxWalkSide && H <= raster::kMaxWalkSide; }
  int64_t CentreX2() const { return 2 * X + W - 1; }  // twice the centre
  int64_t CentreY2() const { return 2 * Y + H - 1; }
};

// The row rule: the largest |dx| of row y in doubled units (the same parity
// as W - 1); -1 when the row lies outside the box.
int64_t HalfExtent(const Box& b, int64_t y) {
  if (!b.Valid() || y < b.Y || y >= b.Y + b.H) return -1;
  const int64_t dy = 2 * y - b.CentreY2();
  const u128 w = u128(b.W), h = u128(b.H);
  const u128 h2 = h * h;
  const u128 room = w * w * (h2 - u128(i128(dy) * dy));
  const long double approx =
      (long double)b.W * std::sqrt((long double)b.H * b.H - (long double)dy * dy) / (long double)b.H;
  int64_t c = int64_t(approx);
  if (c > b.W) c = b.W;
  while (c > 0 && u128(c) * u128(c) * h2 > room) --c;
  while (c + 1 <= b.W && u128(c + 1) * u128(c + 1) * h2 <= room) ++c;
  if (((c - (b.W - 1)) & 1) != 0) --c;
  const int64_t least = (b.W - 1) & 1;
  return c < least ? least : c;
}

// The figure of a box, row by row: Inset(y) is how far row y lies inside
// the box's side columns (-1: the row is outside the box).
struct Figure {
  Box B{0, 0, 0, 0};
  EllipseQuadrant Q;
  bool Walk = false;

  int64_t Row(int64_t y) const {  // the walk's row index j of y
    const int64_t up = B.Y + (B.H - 1) / 2, down = B.Y + B.H / 2;
    return y <= up ? up - y : y - down;
  }
  int64_t Inset(int64_t y) const {
    if (!B.Valid() || y < B.Y || y >= B.Y + B.H) return -1;
    if (B.Thin()) return 0;
    if (Walk) return Q.First(Row(y));
    return ((B.CentreX2() - HalfExtent(B, y)) >> 1) - B.X;
  }
};

// Prepares the figures of up to two boxes (the scratch holds both walks).
void MakeFigures(raster::CanvasAccess& a, Figure* f, int n) {
  size_t at = 0;
  for (int k = 0; k < n; ++k) {
    f[k].Walk = f[k].B.Valid() && f[k].B.Walked();
    if (f[k].Walk) {
      f[k].Q = raster::WalkEllipseQuadrant(f[k].B.W, f[k].B.H, a.Scratch(), at);
      at = f[k].Q.End();
    }
  }
  for (int k = 0; k < n; ++k) {
    if (f[k].Walk) f[k].Q.Point(a.Scratch());
  }
}

// The run of outline indices an arc paints: Length pixels from First, both
// counted in the order of ForEachOutlinePixel (N pixels in all).
struct ArcRange {
  int64_t First = 0, Length = 0, N = 0;
  bool Contains(int64_t k) const {
    int64_t d = k - First;
    if (d < 0) d += N;
    return d < Length;
  }
  int64_t Phase(int64_t k) const {
    const int64_t d = k - First;
    return d < 0 ? d + N : d;
  }
};

// Angles round the ray centre, counter-clockwise as seen on the screen, as
// a half turn (0: [0, 180), 1: [180, 360), 2: exactly 360) and a direction
// (x, y upwards) to compare within the half turn.
struct Angle {
  int Half;
  int64_t X, Y;
};

Angle AngleOf(int64_t x, int64_t y_up) {
  return Angle{y_up > 0 || (y_up == 0 && x > 0) ? 0 : 1, x, y_up};
}

// -1, 0 or 1 as a is before, at or after b.
int Compare(const Angle& a, const Angle& b) {
  if (a.Half != b.Half) return a.Half < b.Half ? -1 : 1;
  if (a.Half == 2) return 0;
  const i128 c = i128(a.X) * b.Y - i128(a.Y) * b.X;
  return c > 0 ? -1 : (c < 0 ? 1 : 0);
}

// The angle of an outline pixel from its lattice position: the lower
// quadrants end the round, so their pixels on the right half of the middle
// row lie at 360, not at 0.
Angle PixelAngle(int64_t px, int64_t py, bool lower) {
  if (lower && py == 0 && px > 0) return Angle{2, 0, 0};
  return AngleOf(px, -py);
}

// A pixel is past a ray when its angle is larger, or equal for pixels of
// the upper quadrants.
bool Past(const Angle& pixel, bool lower, const Angle& ray) {
  const int c = Compare(pixel, ray);
  return c > 0 || (c == 0 && !lower);
}

// The arc: the round of ForEachOutlinePixel with the pixel angles rising
// from 0 to 360. It starts at the first pixel past the start ray and stops
// before the pixel just before the first pixel past the end ray: the pixel
// on the end ray is left out. A ray through the ray centre points along +x.
// An end ray along +x lies at 360, at the end of the round, and nothing is
// past it, so the arc runs to the round's last pixel; for odd heights the
// first pixel (the right end of the middle row) also closes the round as a
// lower pixel, after the last one. Equal rays therefore draw everything but
// the pixel before the end ray, or everything when the rays point along +x.
ArcRange FindArc(const EllipseQuadrant& q, int64_t x1, int64_t y1, int64_t sx, int64_t sy, int64_t ex, int64_t ey) {
  if (sx == 0 && sy == 0) sx = 1;
  if (ex == 0 && ey == 0) ex = 1;
  const Angle start = AngleOf(sx, -sy);
  const Angle end = ey == 0 && ex > 0 ? Angle{2, 0, 0} : AngleOf(ex, -ey);
  const bool odd_h = (q.H & 1) != 0;
  int64_t n = 0, first = -1, stop = -1;
  raster::ForEachOutlinePixel(q, x1, y1, [&](int64_t, int64_t, int64_t px, int64_t py, bool lower) {
    const Angle angle = PixelAngle(px, py, lower);
    if (first < 0 && Past(angle, lower, start)) first = n;
    // For odd heights the first pixel is seen by the end ray at the end.
    if (stop < 0 && !(odd_h && n == 0) && Past(angle, lower, end)) stop = n;
    ++n;
    return true;
  });
  if (first < 0) first = n;  // the first pixel again, closing the round
  // Nothing past the end ray before the round ends: for odd heights the
  // closing pixel comes next, at 360 as a lower pixel, so it is past every
  // end ray but one along +x; then the run stops after it.
  if (stop < 0) stop = odd_h && end.Half == 2 ? n + 1 : n;
  ArcRange r;
  r.N = n;
  r.First = first % n;
  int64_t len = stop - 1 - first;
  if (len < 0) len += n;
  r.Length = len;
  return r;
}

// The 1-pixel outline of a walked figure: solid and whole as spans,
// otherwise pixel by pixel in outline order with the dash pattern running
// from the first painted pixel.
void WalkedOutline(const raster::Target& t, const Figure& f, const raster::CosmeticStroke& pen, const ArcRange* arc) {
  const EllipseQuadrant& q = f.Q;
  const int64_t x1 = f.B.X, right = f.B.X + f.B.W - 1, a = f.B.W - 1;
  if (!arc && pen.Dash.Period == 0) {
    const int64_t up = f.B.Y + (f.B.H - 1) / 2, down = f.B.Y + f.B.H / 2;
    for (int64_t j = 0; j < q.Rows; ++j) {
      const int64_t first = q.First(j), last = q.Last(j);
      for (int side = 0; side < (j == 0 && up == down ? 1 : 2); ++side) {  // the middle row once
        const int64_t y = side == 0 ? up - j : down + j;
        if (2 * last >= a) {
          t.Span(y, x1 + first, right - first + 1, pen.Pen);
        } else {
          t.Span(y, x1 + first, x1 + last + 1, pen.Pen);
          t.Span(y, right - last, right - first + 1, pen.Pen);
        }
      }
    }
    // An odd height's middle row belongs to the lower quadrants as well:
    // they paint it again but for its two end pixels (a no-op in copy mode).
    if (up == down && pen.Pen.Xor && q.Last(0) >= 1) {
      t.Span(up, x1 + 1, x1 + q.Last(0) + 1, pen.Pen);
      t.Span(up, right - q.Last(0), right, pen.Pen);
    }
    return;
  }
  int64_t k = 0;
  raster::ForEachOutlinePixel(q, x1, f.B.Y, [&](int64_t x, int64_t y, int64_t, int64_t, bool) {
    const int64_t index = k++;
    if (arc && !arc->Contains(index)) return true;
    if (!t.Contains(x, y)) return true;
    bool on = true;
    if (pen.Dash.Period != 0) {
      const uint64_t phase = uint64_t(arc ? arc->Phase(index) : index) % pen.Dash.Period;
      on = (pen.Dash.OnMask >> phase) & 1u;
    }
    if (on) {
      t.Span(y, x, x + 1, pen.Pen);
    } else if (pen.GapVisible) {
      t.Span(y, x, x + 1, pen.Gap);
    }
    return true;
  });
}

// The row rule's 1-pixel outline (huge boxes): inside pixels with a
// 4-neighbour outside. Dashed pens draw it solid; an arc keeps the pixels
// whose centres lie in the sweep.
struct Sweep {
  i128 sx, sy, ex, ey;  // with y flipped upwards
  bool full;
  bool narrow;  // sweep below 180 degrees

  Sweep(int64_t s_x, int64_t s_y, int64_t e_x, int64_t e_y) {
    if (s_x == 0 && s_y == 0) s_x = 1;
    if (e_x == 0 && e_y == 0) e_x = 1;
    sx = s_x;
    sy = -s_y;
    ex = e_x;
    ey = -e_y;
    const i128 cross = sx * ey - sy * ex;
    const i128 dot = sx * ex + sy * ey;
    full = cross == 0 && dot > 0;
    narrow = cross > 0;
  }
  bool Contains(int64_t px, int64_t py) const {
    if (full) return true;
    const i128 x = px, y = -i128(py);
    const bool after_start = sx * y - sy * x >= 0;
    const bool before_end = x * ey - y * ex >= 0;
    return narrow ? (after_start && before_end) : (after_start || before_end);
  }
};

// Paints x0..x1 (inclusive) of row y, or only the pixels of it in the sweep
// (positions in doubled units from the doubled centre cx2, cy2).
void Run(const raster::Target& t, int64_t y, int64_t x0, int64_t x1, raster::Ink ink, const Sweep* sweep,
         int64_t cx2, int64_t cy2) {
  if (x0 > x1) return;
  if (!sweep) {
    t.Span(y, x0, x1 + 1, ink);
    return;
  }
  x0 = std::max<int64_t>(x0, t.Left);
  x1 = std::min<int64_t>(x1, int64_t(t.Right) - 1);
  for (int64_t x = x0; x <= x1; ++x) {
    if (sweep->Contains(2 * x - cx2, 2 * y - cy2)) t.Span(y, x, x + 1, ink);
  }
}

void RowRuleOutline(const raster::Target& t, const Box& b, raster::Ink pen, const Sweep* sweep) {
  const int64_t y0 = std::max<int64_t>(b.Y, t.Top);
  const int64_t y1 = std::min<int64_t>(b.Y + b.H, t.Bottom);
  if (y0 >= y1) return;
  int64_t prev = HalfExtent(b, y0 - 1), cur = HalfExtent(b, y0);
  const int64_t cx2 = b.CentreX2(), cy2 = b.CentreY2();
  for (int64_t y = y0; y < y1; ++y) {
    const int64_t next = HalfExtent(b, y + 1);
    const int64_t inner = std::min({prev, next, cur - 2});
    const int64_t ox0 = (cx2 - cur) >> 1, ox1 = (cx2 + cur) >> 1;
    if (inner >= 0) {
      Run(t, y, ox0, ((cx2 - inner) >> 1) - 1, pen, sweep, cx2, cy2);
      Run(t, y, ((cx2 + inner) >> 1) + 1, ox1, pen, sweep, cx2, cy2);
    } else {
      Run(t, y, ox0, ox1, pen, sweep, cx2, cy2);
    }
    prev = cur;
    cur = next;
  }
}

// Fills each row of the figure from side to side.
void FillFigure(const raster::Target& t, const Figure& f, raster::Ink ink) {
  const int64_t y0 = std::max<int64_t>(f.B.Y, t.Top), y1 = std::min<int64_t>(f.B.Y + f.B.H, t.Bottom);
  for (int64_t y = y0; y < y1; ++y) {
    const int64_t inset = f.Inset(y);
    t.Span(y, f.B.X + inset, f.B.X + f.B.W - inset, ink);
  }
}

// A wide outline: the pixels of the outer figure not in the inner one; the
// brush fills the inner figure. An arc keeps the ring's pixels whose centres
// lie in the sweep.
void Ring(const raster::Target& t, const Figure& outer, const Figure& inner, raster::Ink pen, const raster::Ink* fill,
          const Sweep* sweep, int64_t cx2, int64_t cy2) {
  const int64_t y0 = std::max<int64_t>(outer.B.Y, t.Top), y1 = std::min<int64_t>(outer.B.Y + outer.B.H, t.Bottom);
  for (int64_t y = y0; y < y1; ++y) {
    const int64_t o = outer.Inset(y);
    const int64_t ox0 = outer.B.X + o, ox1 = outer.B.X + outer.B.W - 1 - o;
    const int64_t i = inner.Inset(y);
    if (i < 0) {
      Run(t, y, ox0, ox1, pen, sweep, cx2, cy2);
      continue;
    }
    const int64_t ix0 = inner.B.X + i, ix1 = inner.B.X + inner.B.W - 1 - i;
    if (fill) t.Span(y, ix0, ix1 + 1, *fill);
    Run(t, y, ox0, ix0 - 1, pen, sweep, cx2, cy2);
    Run(t, y, ix1 + 1, ox1, pen, sweep, cx2, cy2);
  }
}

raster::CosmeticStroke ThinPen(raster::CanvasAccess& a) {
  raster::CosmeticStroke s;
  s.Pen = a.PenInk();
  s.Dash = raster::PatternFor(a.canvas.Pen()->Style());
  s.GapVisible = a.BrushVisible();
  s.Gap = a.BrushInk();
  return s;
}

// The ray points of an arc.
struct Rays {
  int32_t X3, Y3, X4, Y4;
};

// Shared by Ellipse and Arc (rays == nullptr: the whole figure, filled).
void DrawEllipse(raster::CanvasAccess& a, int32_t x1, int32_t y1, int32_t x2, int32_t y2, const Rays* rays) {
  if (x2 < x1) std::swap(x1, x2);
  if (y2 < y1) std::swap(y1, y2);
  const int64_t w = int64_t(x2) - x1, h = int64_t(y2) - y1;
  if (w == 0 || h == 0 || (w == 1 && h == 1)) return;
  const raster::Target& t = a.target();
  if (t.Empty()) return;
  const raster::Ink brush = a.BrushInk();
  const raster::Ink* fill = !rays && a.BrushVisible() ? &brush : nullptr;
  const Box box{x1, y1, w, h};
  // Arcs of huge boxes and of wide pens keep the pixels whose centres lie in
  // the sweep (doubled units from the box centre).
  const int64_t cx2 = box.CentreX2(), cy2 = box.CentreY2();
  std::optional<Sweep> sweep;
  if (rays) {
    sweep.emplace(2 * int64_t(rays->X3) - cx2, 2 * int64_t(rays->Y3) - cy2, 2 * int64_t(rays->X4) - cx2,
                  2 * int64_t(rays->Y4) - cy2);
  }
  const Sweep* swept = sweep ? &*sweep : nullptr;

  if (!a.PenVisible() || !a.WidePen()) {
    Figure f;
    f.B = box;
    MakeFigures(a, &f, 1);
    if (fill) FillFigure(t, f, *fill);  // under the outline, the outline pixels too
    if (!a.PenVisible()) return;
    const raster::CosmeticStroke pen = ThinPen(a);
    if (f.Walk) {
      if (!rays) {
        WalkedOutline(t, f, pen, nullptr);
        return;
      }
      // The ray centre: floor((X1 + X2) / 2), floor((Y1 + Y2) / 2).
      const int64_t rcx = (int64_t(x1) + x2) >> 1, rcy = (int64_t(y1) + y2) >> 1;
      const ArcRange arc = FindArc(f.Q, x1, y1, rays->X3 - rcx, rays->Y3 - rcy, rays->X4 - rcx, rays->Y4 - rcy);
      WalkedOutline(t, f, pen, &arc);
      return;
    }
    if (box.Thin()) {
      Ring(t, f, Figure{}, pen.Pen, nullptr, swept, cx2, cy2);  // every pixel is on the border
      return;
    }
    RowRuleOutline(t, box, pen.Pen, swept);
    return;
  }

  const int64_t pw = a.PenWidth();
  Figure f[2];
  if (a.canvas.Pen()->Style() == TPenStyle::psInsideFrame) {
    f[0].B = box;
    f[1].B = Box{box.X + pw, box.Y + pw, w - 2 * pw, h - 2 * pw};
  } else {
    // The stroke of the outline path grows outwards by Width / 2.
    f[0].B = Box{box.X - pw / 2, box.Y - pw / 2, w + pw - 1, h + pw - 1};
    f[1].B = Box{box.X - pw / 2 + pw, box.Y - pw / 2 + pw, w - pw - 1, h - pw - 1};
  }
  MakeFigures(a, f, 2);
  Ring(t, f[0], f[1], a.PenInk(), fill, swept, cx2, cy2);
}

}  // namespace

void TCanvas::Ellipse(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
  if (figures_ != nullptr) [[unlikely]] {
    if (!effective_clip_.IsEmpty()) figures_->Ellipse(*this, TRect{x1, y1, x2, y2});
    return;
  }
  const int64_t w = std::abs(int64_t(x2) - x1), h = std::abs(int64_t(y2) - y1);
  if ((w <= 2 || h <= 2) && !(w == 1 && h == 1)) {
    // A box one or two pixels across is drawn as the rectangle.
    Rectangle(x1, y1, x2, y2);
    return;
  }
  raster::CanvasAccess a(*this);
  DrawEllipse(a, x1, y1, x2, y2, nullptr);
}

void TCanvas::Arc(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t x3, int32_t y3, int32_t x4, int32_t y4) {
  if (figures_ != nullptr) [[unlikely]] {
    if (!effective_clip_.IsEmpty()) figures_->Arc(*this, TRect{x1, y1, x2, y2}, TPoint{x3, y3}, TPoint{x4, y4});
    return;
  }
  raster::CanvasAccess a(*this);
  const Rays rays{x3, y3, x4, y4};
  DrawEllipse(a, x1, y1, x2, y2, &rays);
}

}  // namespace korvo
