// Ellipse and Arc. The ellipse of a box X1..X2-1 by Y1..Y2-1 (w = X2 - X1,
// h = Y2 - Y1) is the set of pixels whose centres lie in the ellipse through
// the box's outer edges. In doubled coordinates relative to the box centre,
// dx = 2x - (X1 + X2 - 1) and dy = 2y - (Y1 + Y2 - 1), pixel (x, y) is inside
// when dx^2 h^2 + dy^2 w^2 <= w^2 h^2. Every row of the box keeps at least its
// middle pixel (or two), so the figure touches all four sides of the box.
// All of this is symmetric about both axes of the box.
#include <cmath>
#include <utility>

#include "platform/graphics/raster/Raster.h"

namespace korvo {

namespace {

using u128 = unsigned __int128;
using i128 = __int128;

// A box [X, X + W) by [Y, Y + H) with W, H >= 1.
struct Box {
  int64_t X, Y, W, H;
  bool Valid() const { return W >= 1 && H >= 1; }
  int64_t CentreX2() const { return 2 * X + W - 1; }  // twice the centre
  int64_t CentreY2() const { return 2 * Y + H - 1; }
};

// The largest |dx| of row y of the ellipse in doubled units (the same parity
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

// The pixel columns of |dx| <= m on a row: first..last inclusive.
std::pair<int64_t, int64_t> Columns(const Box& b, int64_t m) {
  return {(b.CentreX2() - m) / 2, (b.CentreX2() + m) / 2};
}

// Whether a pixel lies on the counter-clockwise sweep from ray s to ray e
// (vectors in doubled coordinates, y downwards); equal rays sweep all.
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

// Paints x0..x1 (inclusive) of row y, or only the pixels of it on the sweep.
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

// The 1-pixel outline (inside pixels with a 4-neighbour outside) and, with a
// fill ink, the pixels inside it.
void ThinEllipse(const raster::Target& t, const Box& b, const raster::Ink* pen, const raster::Ink* fill,
                 const Sweep* sweep, int64_t cx2, int64_t cy2) {
  const int64_t y0 = std::max<int64_t>(b.Y, t.Top);
  const int64_t y1 = std::min<int64_t>(b.Y + b.H, t.Bottom);
  if (y0 >= y1) return;
  int64_t prev = HalfExtent(b, y0 - 1), cur = HalfExtent(b, y0);
  for (int64_t y = y0; y < y1; ++y) {
    const int64_t next = HalfExtent(b, y + 1);
    const int64_t inner = std::min({prev, next, cur - 2});
    const auto [ox0, ox1] = Columns(b, cur);
    if (inner >= 0) {
      const auto [ix0, ix1] = Columns(b, inner);
      if (fill) t.Span(y, ix0, ix1 + 1, *fill);
      if (pen) {
        Run(t, y, ox0, ix0 - 1, *pen, sweep, cx2, cy2);
        Run(t, y, ix1 + 1, ox1, *pen, sweep, cx2, cy2);
      }
    } else if (pen) {
      Run(t, y, ox0, ox1, *pen, sweep, cx2, cy2);
    }
    prev = cur;
    cur = next;
  }
}

// A wide outline: the pixels of the outer ellipse not in the inner one; the
// fill is the inner ellipse.
void RingEllipse(const raster::Target& t, const Box& outer, const Box& inner, const raster::Ink* pen,
                 const raster::Ink* fill, const Sweep* sweep, int64_t cx2, int64_t cy2) {
  const int64_t y0 = std::max<int64_t>(outer.Y, t.Top);
  const int64_t y1 = std::min<int64_t>(outer.Y + outer.H, t.Bottom);
  for (int64_t y = y0; y < y1; ++y) {
    const int64_t mo = HalfExtent(outer, y);
    const int64_t mi = HalfExtent(inner, y);
    const auto [ox0, ox1] = Columns(outer, mo);
    if (mi >= 0) {
      const auto [ix0, ix1] = Columns(inner, mi);
      if (fill) t.Span(y, ix0, ix1 + 1, *fill);
      if (pen) {
        Run(t, y, ox0, ix0 - 1, *pen, sweep, cx2, cy2);
        Run(t, y, ix1 + 1, ox1, *pen, sweep, cx2, cy2);
      }
    } else if (pen) {
      Run(t, y, ox0, ox1, *pen, sweep, cx2, cy2);
    }
  }
}

// Shared by Ellipse and Arc: sweep == nullptr draws the whole figure.
void DrawEllipse(raster::CanvasAccess& a, int32_t x1, int32_t y1, int32_t x2, int32_t y2, bool with_fill,
                 const Sweep* sweep) {
  if (x2 < x1) std::swap(x1, x2);
  if (y2 < y1) std::swap(y1, y2);
  const int64_t w = int64_t(x2) - x1, h = int64_t(y2) - y1;
  if (w == 0 || h == 0 || (w == 1 && h == 1)) return;
  const raster::Target& t = a.target();
  if (t.Empty()) return;
  const int64_t cx2 = int64_t(x1) + x2 - 1, cy2 = int64_t(y1) + y2 - 1;
  const raster::Ink brush = a.BrushInk();
  const raster::Ink* fill = with_fill && a.BrushVisible() ? &brush : nullptr;
  const raster::Ink pen_ink = a.PenInk();

  if (!a.PenVisible()) {
    // Without an outline the fill covers the box one pixel smaller.
    const Box b{x1, y1, w - 1, h - 1};
    if (fill && b.Valid() && !(b.W == 1 && b.H == 1)) RingEllipse(t, b, Box{0, 0, 0, 0}, fill, nullptr, nullptr, 0, 0);
    return;
  }
  if (!a.WidePen()) {
    ThinEllipse(t, Box{x1, y1, w, h}, &pen_ink, fill, sweep, cx2, cy2);
    return;
  }
  const int64_t pw = a.PenWidth();
  const int64_t left = x1, top = y1;  // 64-bit: the ring may reach past the 32-bit range
  Box outer, inner;
  if (a.canvas.Pen()->Style() == TPenStyle::psInsideFrame) {
    outer = Box{left, top, w, h};
    inner = Box{left + pw, top + pw, w - 2 * pw, h - 2 * pw};
  } else {
    // The stroke of the outline path grows outwards by Width / 2.
    outer = Box{left - pw / 2, top - pw / 2, w + pw - 1, h + pw - 1};
    inner = Box{left - pw / 2 + pw, top - pw / 2 + pw, w - pw - 1, h - pw - 1};
  }
  RingEllipse(t, outer, inner, &pen_ink, fill, sweep, cx2, cy2);
}

}  // namespace

void TCanvas::Ellipse(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
  raster::CanvasAccess a(*this);
  DrawEllipse(a, x1, y1, x2, y2, true, nullptr);
}

void TCanvas::Arc(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t x3, int32_t y3, int32_t x4, int32_t y4) {
  raster::CanvasAccess a(*this);
  const int64_t cx2 = int64_t(x1) + x2 - 1, cy2 = int64_t(y1) + y2 - 1;
  const Sweep sweep(2 * int64_t(x3) - cx2, 2 * int64_t(y3) - cy2, 2 * int64_t(x4) - cx2, 2 * int64_t(y4) - cy2);
  DrawEllipse(a, x1, y1, x2, y2, false, &sweep);
}

}  // namespace korvo
