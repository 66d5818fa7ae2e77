// The outline walk of Ellipse and Arc: the walk against a direct evaluation
// of its stepping rule, the figure's fill and modes, the dash order and the
// arc's ends.
#include <gtest/gtest.h>

#include <set>
#include <utility>
#include <vector>

#include "platform/graphics/Bitmap.h"
#include "support/TestSupport.h"

namespace korvo {
namespace {

using Pixels = std::set<std::pair<int, int>>;

// The stepping rule of the walk evaluated from F at every step (no
// incremental terms), mirrored into four quadrants; the last column runs on
// to the top row.
Pixels WalkedDirectly(int w, int h) {
  using i128 = __int128;
  const i128 a = w - 1, b = h - 1;
  auto F = [&](i128 X, i128 Y) { return b * b * X * X + a * a * Y * Y - a * a * b * b; };
  Pixels out;
  auto plot = [&](int i, int j) {  // i inwards from the side, j outwards from the middle row
    const int up = (h - 1) / 2 - j, down = h / 2 + j;
    for (int y : {up, down}) {
      out.insert({i, y});
      out.insert({w - 1 - i, y});
    }
  };
  i128 X = -a, Y = b & 1;
  int i = 0, j = 0, last_row = 0;
  while (2 * i <= a && j <= (h - 1) / 2) {
    plot(i, j);
    last_row = j;
    const bool out_step = F(X + 2, Y + 2) + F(X + 2, Y) <= 0;
    const bool in_step = F(X + 2, Y + 2) + F(X, Y + 2) >= 0 || !out_step;
    if (out_step) ++j, Y += 2;
    if (in_step) ++i, X += 2;
  }
  for (int k = last_row + 1; k <= (h - 1) / 2; ++k) plot(i - 1, k);
  return out;
}

Pixels Painted(const TBitmap& b, TColor color, int ox, int oy) {
  Pixels p;
  for (int y = 0; y < b.Height(); ++y) {
    for (int x = 0; x < b.Width(); ++x) {
      if (b.Canvas()->Pixel(x, y) == color) p.insert({x - ox, y - oy});
    }
  }
  return p;
}

TEST(EllipseWalk, OutlineIsTheWalkOfItsSteppingRule) {
  std::vector<std::pair<int, int>> sizes;
  for (int w = 3; w <= 24; ++w) {
    for (int h = 3; h <= 24; ++h) sizes.push_back({w, h});
  }
  for (auto s : std::vector<std::pair<int, int>>{{101, 60}, {60, 101}, {300, 7}, {3, 300}, {257, 256}, {1000, 999}}) {
    sizes.push_back(s);
  }
  for (auto [w, h] : sizes) {
    TBitmap b(w + 2, h + 2);
    test::Fill(b, clWhite);
    b.Canvas()->Brush()->SetStyle(TBrushStyle::bsClear);
    b.Canvas()->Ellipse(1, 1, w + 1, h + 1);
    ASSERT_EQ(Painted(b, clBlack, 1, 1), WalkedDirectly(w, h)) << w << " x " << h;
  }
}

TEST(EllipseWalk, SmallFiguresAndNarrowTips) {
  TBitmap b(26, 10);
  test::Fill(b, clWhite);
  TCanvas* c = b.Canvas();
  c->Brush()->SetColor(clRed);
  c->Ellipse(1, 1, 4, 4);    // 3 x 3: a plus sign around one fill pixel
  c->Ellipse(5, 1, 13, 4);   // 8 x 3
  c->Ellipse(14, 1, 17, 9);  // 3 x 8: the tips run on to the top and bottom rows
  c->Ellipse(18, 1, 25, 5);  // 7 x 4
  EXPECT_EQ(test::Picture(b, Rect(0, 0, 26, 10), {{clBlack, '#'}, {clRed, 'r'}, {clWhite, '.'}}),
            "..........................\n"
            "..#....####....#...#####..\n"
            ".#r#.##rrrr##..#..#rrrrr#.\n"
            "..#....####...#r#.#rrrrr#.\n"
            "..............#r#..#####..\n"
            "..............#r#.........\n"
            "..............#r#.........\n"
            "...............#..........\n"
            "...............#..........\n"
            "..........................\n");
  // The 8 x 3 and 3 x 8 figures are transposes of each other.
  const Pixels wide = Painted(b, clBlack, 5, 1);
  Pixels tall;
  for (auto [x, y] : Painted(b, clBlack, 14, 1)) {
    if (x >= 0 && x < 3 && y >= 0 && y < 8) tall.insert({y, x});
  }
  Pixels wide_only;
  for (auto [x, y] : wide) {
    if (x >= 0 && x < 8 && y >= 0 && y < 3) wide_only.insert({x, y});
  }
  EXPECT_EQ(wide_only, tall);
}

TEST(EllipseWalk, BrushCoversTheWholeFigureUnderTheOutline) {
  // XOR: outline pixels are flipped by the brush and by the pen, the inside
  // by the brush only; a clear pen fills the same figure; NOT twice over the
  // outline leaves it unchanged.
  TBitmap x(16, 10), clear(16, 10), hollow(16, 10);
  for (TBitmap* b : {&x, &clear, &hollow}) test::Fill(*b, clWhite);
  x.Canvas()->Pen()->SetMode(TPenMode::pmXor);
  x.Canvas()->Pen()->SetColor(clLime);
  x.Canvas()->Brush()->SetColor(clBlue);
  x.Canvas()->Ellipse(1, 1, 15, 9);
  clear.Canvas()->Pen()->SetStyle(TPenStyle::psClear);
  clear.Canvas()->Brush()->SetColor(clRed);
  clear.Canvas()->Ellipse(1, 1, 15, 9);
  hollow.Canvas()->Brush()->SetStyle(TBrushStyle::bsClear);
  hollow.Canvas()->Ellipse(1, 1, 15, 9);
  const Pixels outline = Painted(hollow, clBlack, 0, 0), figure = Painted(clear, clRed, 0, 0);
  EXPECT_EQ(outline.size(), 28u);
  for (int yy = 0; yy < 10; ++yy) {
    for (int xx = 0; xx < 16; ++xx) {
      const bool on_outline = outline.count({xx, yy}) > 0, in_figure = figure.count({xx, yy}) > 0;
      EXPECT_TRUE(!on_outline || in_figure);
      const uint32_t white = 0xFFFFFF, pen = ColorToRGB(clLime), brush = ColorToRGB(clBlue);
      const uint32_t expected = on_outline ? white ^ pen ^ brush : in_figure ? white ^ brush : white;
      EXPECT_EQ(uint32_t(ColorToRGB(x.Canvas()->Pixel(xx, yy))), expected) << xx << "," << yy;
    }
  }
  TBitmap n(16, 10);
  test::Fill(n, TColor(0x808080));
  n.Canvas()->Pen()->SetMode(TPenMode::pmNot);
  n.Canvas()->Ellipse(1, 1, 15, 9);
  EXPECT_EQ(ColorToRGB(n.Canvas()->Pixel(1, 4)), 0x808080);
  EXPECT_EQ(ColorToRGB(n.Canvas()->Pixel(7, 4)), 0x7F7F7F);
}

TEST(EllipseWalk, DashesRunCounterClockwiseFromTheRightEndOfTheMiddleRow) {
  TBitmap b(42, 27);
  test::Fill(b, clWhite);
  TCanvas* c = b.Canvas();
  c->Brush()->SetStyle(TBrushStyle::bsClear);
  c->Pen()->SetStyle(TPenStyle::psDot);
  c->Ellipse(1, 1, 41, 26);  // 40 x 25, middle row 13
  const char* pattern = "###...###";
  TBitmap solid(42, 27);
  test::Fill(solid, clWhite);
  solid.Canvas()->Brush()->SetStyle(TBrushStyle::bsClear);
  solid.Canvas()->Ellipse(1, 1, 41, 26);
  // The counter-clockwise order of the first pixels: the right column from
  // the middle row up, then inwards along the curve.
  std::vector<std::pair<int, int>> order;
  int x = 40, y = 13;
  order.push_back({x, y});
  while (order.size() < 9) {
    // The next pixel counter-clockwise: up, up-left or left.
    if (solid.Canvas()->Pixel(x, y - 1) == clBlack) {
      --y;
    } else if (solid.Canvas()->Pixel(x - 1, y - 1) == clBlack) {
      --x, --y;
    } else {
      --x;
    }
    order.push_back({x, y});
  }
  for (size_t k = 0; k < order.size(); ++k) {
    EXPECT_EQ(c->Pixel(order[k].first, order[k].second) == clBlack, pattern[k] == '#') << k;
  }
  // Clockwise from the start the pattern is the end of the round, not its start.
  EXPECT_EQ(c->Pixel(40, 14), clWhite);
  // Opaque gaps take the brush colour.
  c->Brush()->SetStyle(TBrushStyle::bsSolid);
  c->Brush()->SetColor(clLime);
  c->Ellipse(1, 1, 41, 26);
  EXPECT_EQ(c->Pixel(order[3].first, order[3].second), clLime);
  EXPECT_EQ(c->Pixel(20, 13), clLime);  // and the brush fills the inside
}

TEST(EllipseArc, EndsRaysAndSweeps) {
  auto arc = [](int x3, int y3, int x4, int y4) {
    TBitmap b(46, 31);
    test::Fill(b, clWhite);
    b.Canvas()->Arc(3, 3, 43, 28, x3, y3, x4, y4);  // 40 x 25, ray centre (23, 15)
    return Painted(b, clBlack, 0, 0);
  };
  TBitmap full(46, 31);
  test::Fill(full, clWhite);
  full.Canvas()->Brush()->SetStyle(TBrushStyle::bsClear);
  full.Canvas()->Ellipse(3, 3, 43, 28);
  const Pixels outline = Painted(full, clBlack, 0, 0);
  ASSERT_EQ(outline.size(), 90u);
  // Equal rays leave out only the pixel before the end ray; rays along +x
  // (and rays through the ray centre, which point along +x) draw everything,
  // as the end ray then lies at the end of the round.
  EXPECT_EQ(arc(100, 3, 100, 3).size(), 89u);
  EXPECT_EQ(arc(23, 15, 23, 15), outline);
  EXPECT_EQ(arc(100, 15, 100, 15), outline);
  // From just below +x to +x passes only the first pixel, on the end ray:
  // nothing; the same rays the other way round draw all but one pixel, and
  // so does a sweep between two pixels that passes none.
  EXPECT_TRUE(arc(100, 16, 100, 15).empty());
  EXPECT_TRUE(arc(100, 16, 23, 15).empty());
  EXPECT_EQ(arc(100, 15, 100, 16).size(), 89u);
  EXPECT_EQ(arc(123, -15, 123, -16).size(), 89u);
  // Two arcs from A to B and from B to A leave out exactly the two pixels on
  // the rays.
  const Pixels ab = arc(60, -20, -30, 40), ba = arc(-30, 40, 60, -20);
  Pixels both = ab;
  for (auto p : ba) EXPECT_TRUE(both.insert(p).second) << "painted twice";
  EXPECT_EQ(both.size(), outline.size() - 2);
  // A pixel exactly on a ray in the upper half belongs to the arc starting
  // there; in the lower half the arc starts after it. Pixel (10, 6) has the
  // lattice position (-12, -9) and (35, 24) the position (12, 9); the first
  // arc leaves (35, 24) out as the pixel on its end ray.
  const Pixels up = arc(23 - 800, 15 - 600, 23 + 800, 15 + 600);
  const Pixels down = arc(23 + 800, 15 + 600, 23 - 800, 15 - 600);
  EXPECT_TRUE(up.count({10, 6}));
  EXPECT_FALSE(up.count({35, 24}));
  EXPECT_FALSE(down.count({35, 24}));
  EXPECT_TRUE(down.count({36, 24}));
  EXPECT_EQ(up.size() + down.size(), outline.size() - 2);
  // Reversed corners describe the same box.
  TBitmap r(46, 31);
  test::Fill(r, clWhite);
  r.Canvas()->Arc(43, 28, 3, 3, 60, -20, -30, 40);
  EXPECT_EQ(Painted(r, clBlack, 0, 0), ab);
}

TEST(EllipseArc, DashPhaseStartsAtTheArcsFirstPixel) {
  TBitmap b(46, 31), solid(46, 31);
  test::Fill(b, clWhite);
  test::Fill(solid, clWhite);
  b.Canvas()->Pen()->SetStyle(TPenStyle::psDash);
  b.Canvas()->Arc(3, 3, 43, 28, 23, 0, 0, 40);  // from the top centre, the left half
  solid.Canvas()->Arc(3, 3, 43, 28, 23, 0, 0, 40);
  // 18 on, 6 off counted from the first pixel of the arc: of its 35 pixels
  // the 19th to the 24th are left out.
  const Pixels dashed = Painted(b, clBlack, 0, 0), all = Painted(solid, clBlack, 0, 0);
  EXPECT_EQ(all.size(), 35u);
  EXPECT_EQ(dashed.size(), 29u);
  EXPECT_TRUE(dashed.count({23, 3}));  // the first pixel, on the start ray
}

TEST(EllipseArc, HugeBoxesUseTheRowRuleWithoutOverflow) {
  // Past the walk's limit the figure still lies in its box, symmetric, and
  // an arc keeps to its half.
  TBitmap b(64, 40);
  test::Fill(b, clWhite);
  TCanvas* c = b.Canvas();
  c->Brush()->SetColor(clRed);
  c->Ellipse(-1000000, 5, 1000064, 35);
  for (int x = 0; x < 64; ++x) {
    EXPECT_EQ(c->Pixel(x, 4), clWhite);
    EXPECT_EQ(c->Pixel(x, 5), clBlack);
    EXPECT_EQ(c->Pixel(x, 34), clBlack);
    EXPECT_EQ(c->Pixel(x, 20), clRed);
  }
  test::Fill(b, clWhite);
  c->Arc(-1000000, 5, 1000064, 35, 100, 0, -100, 0);  // the upper half
  EXPECT_EQ(c->Pixel(30, 5), clBlack);
  EXPECT_EQ(c->Pixel(30, 34), clWhite);
}

}  // namespace
}  // namespace korvo
