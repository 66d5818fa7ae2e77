// Pixel rules of rectangles, ellipses, arcs and polygons.
#include <gtest/gtest.h>

#include <random>

#include "platform/graphics/Bitmap.h"
#include "support/TestSupport.h"

namespace korvo {
namespace {

using test::Picture;

// Pen black, brush red: '#' outline, 'r' fill, '.' untouched white.
std::string Shape(const TBitmap& b, const TRect& r) {
  return Picture(b, r, {{clBlack, '#'}, {clRed, 'r'}, {clWhite, '.'}});
}

struct ShapeCanvas {
  TBitmap bmp;
  TCanvas* c;
  ShapeCanvas(int w, int h) : bmp(w, h), c(bmp.Canvas()) {
    test::Fill(bmp, clWhite);
    c->Brush()->SetColor(clRed);
  }
  std::string All() const { return Shape(bmp, Rect(0, 0, bmp.Width(), bmp.Height())); }
};

TEST(CanvasRectangle, CoversX1ToX2MinusOneOutlinedAndFilled) {
  ShapeCanvas s(7, 6);
  s.c->Rectangle(1, 1, 6, 5);
  EXPECT_EQ(s.All(),
            ".......\n"
            ".#####.\n"
            ".#rrr#.\n"
            ".#rrr#.\n"
            ".#####.\n"
            ".......\n");
  // Reversed corners give the same rectangle.
  ShapeCanvas r(7, 6);
  r.c->Rectangle(6, 5, 1, 1);
  EXPECT_EQ(r.All(), s.All());
}

TEST(CanvasRectangle, SizesZeroOneAndTwo) {
  ShapeCanvas s(6, 4);
  s.c->Rectangle(1, 1, 1, 3);  // no width
  s.c->Rectangle(1, 1, 4, 1);  // no height
  EXPECT_EQ(test::CountPixels(s.bmp, clWhite), 24);
  s.c->Rectangle(1, 1, 2, 2);  // 1 x 1: its four sides are empty, nothing
  s.c->Rectangle(3, 1, 5, 3);  // 2 x 2: all outline
  EXPECT_EQ(s.All(),
            "......\n"
            "...##.\n"
            "...##.\n"
            "......\n");
}

TEST(CanvasRectangle, ClearPenFillsOnePixelLessAndClearBrushLeavesTheInside) {
  ShapeCanvas s(7, 6);
  s.c->Pen()->SetStyle(TPenStyle::psClear);
  s.c->Rectangle(1, 1, 6, 5);
  EXPECT_EQ(s.All(),
            ".......\n"
            ".rrrr..\n"
            ".rrrr..\n"
            ".rrrr..\n"
            ".......\n"
            ".......\n");
  ShapeCanvas h(7, 6);
  h.c->Brush()->SetStyle(TBrushStyle::bsClear);
  h.c->Rectangle(1, 1, 6, 5);
  EXPECT_EQ(h.All(),
            ".......\n"
            ".#####.\n"
            ".#...#.\n"
            ".#...#.\n"
            ".#####.\n"
            ".......\n");
}

TEST(CanvasRectangle, WidePenGrowsOutwardsInsideFrameStaysInside) {
  ShapeCanvas s(11, 11);
  s.c->Pen()->SetWidth(3);
  s.c->Rectangle(2, 2, 9, 9);
  EXPECT_EQ(s.All(),
            "...........\n"
            "..#######..\n"
            ".#########.\n"
            ".#########.\n"
            ".###rrr###.\n"
            ".###rrr###.\n"
            ".###rrr###.\n"
            ".#########.\n"
            ".#########.\n"
            "..#######..\n"
            "...........\n");
  ShapeCanvas f(11, 11);
  f.c->Pen()->SetWidth(3);
  f.c->Pen()->SetStyle(TPenStyle::psInsideFrame);
  f.c->Rectangle(2, 2, 9, 9);
  EXPECT_EQ(f.All(),
            "...........\n"
            "...........\n"
            "...#####...\n"
            "..#######..\n"
            "..#######..\n"
            "..###r###..\n"
            "..#######..\n"
            "..#######..\n"
            "...#####...\n"
            "...........\n"
            "...........\n");
  // Width 2 inside the frame: the two-pixel border lies on the box's edge,
  // its corners full (the 2 x 2 joins fill them).
  ShapeCanvas e(8, 8);
  e.c->Pen()->SetWidth(2);
  e.c->Pen()->SetStyle(TPenStyle::psInsideFrame);
  e.c->Rectangle(1, 1, 7, 7);
  EXPECT_EQ(e.All(),
            "........\n"
            ".######.\n"
            ".######.\n"
            ".##rr##.\n"
            ".##rr##.\n"
            ".######.\n"
            ".######.\n"
            "........\n");
}

TEST(CanvasRectangle, DashedOutlineRunsAroundTheBox) {
  ShapeCanvas s(9, 5);
  s.c->Pen()->SetStyle(TPenStyle::psDot);
  s.c->Brush()->SetStyle(TBrushStyle::bsClear);
  s.c->Rectangle(0, 0, 9, 5);
  // Counter-clockwise from the top-right corner: top x 8..1, left y 0..3,
  // bottom x 0..7, right y 4..1, one phase of 3 on, 3 off throughout.
  EXPECT_EQ(s.All(),
            "###...###\n"
            ".........\n"
            ".........\n"
            ".........\n"
            "###...###\n");
}

TEST(CanvasEllipse, SmallCirclesAreRoundAndSymmetric) {
  ShapeCanvas s(9, 9);
  s.c->Ellipse(1, 1, 8, 8);  // 7 x 7
  EXPECT_EQ(s.All(),
            ".........\n"
            "...###...\n"
            "..#rrr#..\n"
            ".#rrrrr#.\n"
            ".#rrrrr#.\n"
            ".#rrrrr#.\n"
            "..#rrr#..\n"
            "...###...\n"
            ".........\n");
  ShapeCanvas f(7, 7);
  f.c->Ellipse(1, 1, 6, 6);  // 5 x 5
  EXPECT_EQ(f.All(),
            ".......\n"
            "..###..\n"
            ".#rrr#.\n"
            ".#rrr#.\n"
            ".#rrr#.\n"
            "..###..\n"
            ".......\n");
  ShapeCanvas q(6, 6);
  q.c->Ellipse(1, 1, 5, 5);  // 4 x 4
  EXPECT_EQ(q.All(),
            "......\n"
            "..##..\n"
            ".#rr#.\n"
            ".#rr#.\n"
            "..##..\n"
            "......\n");
}

TEST(CanvasEllipse, TinyBoxes) {
  ShapeCanvas s(10, 7);
  s.c->Ellipse(1, 1, 2, 2);  // 1 x 1: nothing
  EXPECT_EQ(test::CountPixels(s.bmp, clWhite), 70);
  s.c->Ellipse(1, 1, 1, 5);  // no width: nothing
  EXPECT_EQ(test::CountPixels(s.bmp, clWhite), 70);
  s.c->Ellipse(1, 1, 3, 3);  // 2 x 2
  s.c->Ellipse(4, 1, 5, 6);  // 1 x 5: a column
  s.c->Ellipse(6, 1, 9, 4);  // 3 x 3: a plus sign around one fill pixel
  EXPECT_EQ(s.All(),
            "..........\n"
            ".##.#..#..\n"
            ".##.#.#r#.\n"
            "....#..#..\n"
            "....#.....\n"
            "....#.....\n"
            "..........\n");
}

TEST(CanvasEllipse, CoversTheEllipseThroughTheExtremePixelsTouchesEverySideAndIsSymmetric) {
  std::mt19937 rng(5);
  std::uniform_int_distribution<int> size(3, 40);
  for (int k = 0; k < 200; ++k) {
    const int w = size(rng), h = size(rng);
    TBitmap b(w + 4, h + 4);
    test::Fill(b, clWhite);
    b.Canvas()->Brush()->SetColor(clRed);
    b.Canvas()->Ellipse(2, 2, 2 + w, 2 + h);
    const __int128 a = w - 1, bb = h - 1;
    bool top = false, bottom = false, left = false, right = false;
    for (int y = 0; y < h; ++y) {
      int first = -1, last = -1;
      for (int x = 0; x < w; ++x) {
        const bool covered = b.Canvas()->Pixel(x + 2, y + 2) != clWhite;
        // Every pixel whose centre lies in the ellipse through the centres
        // of the four extreme pixels is covered.
        const __int128 dx = 2 * x - a, dy = 2 * y - bb;
        if (dx * dx * bb * bb + dy * dy * a * a <= a * a * bb * bb) {
          ASSERT_TRUE(covered) << w << "x" << h << " at " << x << "," << y;
        }
        if (covered) {
          if (first < 0) first = x;
          last = x;
          top |= y == 0;
          bottom |= y == h - 1;
          left |= x == 0;
          right |= x == w - 1;
        }
        // Mirror images about both axes agree, outline with outline.
        ASSERT_EQ(b.Canvas()->Pixel(x + 2, y + 2), b.Canvas()->Pixel(w - 1 - x + 2, y + 2));
        ASSERT_EQ(b.Canvas()->Pixel(x + 2, y + 2), b.Canvas()->Pixel(x + 2, h - 1 - y + 2));
      }
      // Each row is one run.
      ASSERT_GE(first, 0) << w << "x" << h << " row " << y;
      for (int x = first; x <= last; ++x) ASSERT_NE(b.Canvas()->Pixel(x + 2, y + 2), clWhite);
    }
    EXPECT_TRUE(top && bottom && left && right) << w << "x" << h;
    // Nothing outside the box.
    for (int y = 0; y < h + 4; ++y) {
      for (int x = 0; x < w + 4; ++x) {
        if (x < 2 || y < 2 || x >= w + 2 || y >= h + 2) {
          ASSERT_EQ(b.Canvas()->Pixel(x, y), clWhite);
        }
      }
    }
  }
}

TEST(CanvasEllipse, OutlineIsClosedAndThin) {
  // Every outline pixel has an outline neighbour on both sides (8-connected
  // ring), and no fill pixel touches the outside.
  for (int w : {6, 13, 31}) {
    for (int h : {5, 12, 40}) {
      TBitmap b(w + 2, h + 2);
      test::Fill(b, clWhite);
      b.Canvas()->Brush()->SetColor(clRed);
      b.Canvas()->Ellipse(1, 1, w + 1, h + 1);
      for (int y = 1; y <= h; ++y) {
        for (int x = 1; x <= w; ++x) {
          if (b.Canvas()->Pixel(x, y) != clRed) continue;
          for (auto [ox, oy] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}}) {
            ASSERT_NE(b.Canvas()->Pixel(x + ox, y + oy), clWhite) << w << "x" << h;
          }
        }
      }
    }
  }
}

TEST(CanvasEllipse, ClearPenFillsTheWholeFigureAndWidePenGrowsOutwards) {
  ShapeCanvas s(10, 10);
  s.c->Pen()->SetStyle(TPenStyle::psClear);
  s.c->Ellipse(1, 1, 9, 9);  // the figure of the 8 x 8 box, outline included
  ShapeCanvas o(10, 10);
  o.c->Pen()->SetColor(clRed);
  o.c->Ellipse(1, 1, 9, 9);
  EXPECT_EQ(s.All(), o.All());
  EXPECT_EQ(Shape(s.bmp, Rect(0, 1, 10, 2)), "...rrrr...\n");
  ShapeCanvas w(11, 11);
  w.c->Pen()->SetWidth(3);
  w.c->Ellipse(2, 2, 9, 9);  // 7 x 7 box: the 9 x 9 figure less the 3 x 3 one
  EXPECT_EQ(w.All(),
            "...........\n"
            "....###....\n"
            "..#######..\n"
            "..#######..\n"
            ".####r####.\n"
            ".###rrr###.\n"
            ".####r####.\n"
            "..#######..\n"
            "..#######..\n"
            "....###....\n"
            "...........\n");
  ShapeCanvas f(11, 11);
  f.c->Pen()->SetWidth(2);
  f.c->Pen()->SetStyle(TPenStyle::psInsideFrame);
  f.c->Ellipse(2, 2, 9, 9);
  EXPECT_EQ(f.All().substr(0, 12), "...........\n");
  EXPECT_EQ(f.All().substr(12 * 10), "...........\n");
  EXPECT_EQ(Shape(f.bmp, Rect(0, 5, 11, 6)), "..##rrr##..\n");
}

TEST(CanvasArc, RunsCounterClockwiseFromTheStartRayToTheEndRay) {
  auto arc = [](int x3, int y3, int x4, int y4) {
    TBitmap b(11, 11);
    test::Fill(b, clWhite);
    b.Canvas()->Brush()->SetColor(clRed);
    b.Canvas()->Arc(1, 1, 10, 10, x3, y3, x4, y4);
    return Shape(b, Rect(0, 0, 11, 11));
  };
  // The 9 x 9 circle, ray centre (5, 5). East to north: from the pixel on
  // the east ray up to, not including, the pixel on the north ray (5, 1).
  EXPECT_EQ(arc(10, 5, 5, 0),
            "...........\n"
            "...........\n"
            ".......##..\n"
            "........#..\n"
            ".........#.\n"
            ".........#.\n"
            "...........\n"
            "...........\n"
            "...........\n"
            "...........\n"
            "...........\n");
  // North to just above east goes the long way round; the brush is never
  // used.
  EXPECT_EQ(arc(5, 0, 10, 4),
            "...........\n"
            "....##.....\n"
            "..##.......\n"
            "..#........\n"
            ".#.........\n"
            ".#.........\n"
            ".#.......#.\n"
            "..#.....#..\n"
            "..##...##..\n"
            "....###....\n"
            "...........\n");
  // Equal rays: the whole outline but the pixel on the ray.
  EXPECT_EQ(arc(10, 2, 10, 2),
            "...........\n"
            "....###....\n"
            "..##...##..\n"
            "..#.....#..\n"
            ".#.........\n"
            ".#.......#.\n"
            ".#.......#.\n"
            "..#.....#..\n"
            "..##...##..\n"
            "....###....\n"
            "...........\n");
}

TEST(CanvasPolygon, FillsThenOutlinesThroughEveryVertex) {
  ShapeCanvas s(7, 7);
  const TPoint square[] = {{1, 1}, {5, 1}, {5, 5}, {1, 5}};
  s.c->Polygon(square);
  // One pixel more each way than Rectangle(1, 1, 5, 5).
  EXPECT_EQ(s.All(),
            ".......\n"
            ".#####.\n"
            ".#rrr#.\n"
            ".#rrr#.\n"
            ".#rrr#.\n"
            ".#####.\n"
            ".......\n");
  ShapeCanvas t(9, 6);
  const TPoint tri[] = {{1, 1}, {7, 1}, {4, 4}};
  t.c->Polygon(tri);
  EXPECT_EQ(t.All(),
            ".........\n"
            ".#######.\n"
            "..#rrr#..\n"
            "...#r#...\n"
            "....#....\n"
            ".........\n");
}

TEST(CanvasPolygon, AlternateRuleLeavesTheMiddleOfAStarAndSharedEdgesFillOnce) {
  TBitmap b(21, 21);
  test::Fill(b, clWhite);
  TCanvas* c = b.Canvas();
  c->Pen()->SetStyle(TPenStyle::psClear);
  c->Brush()->SetColor(clRed);
  const TPoint star[] = {{10, 0}, {16, 20}, {0, 7}, {20, 7}, {4, 20}};
  c->Polygon(star);
  EXPECT_EQ(c->Pixel(10, 11), clWhite);  // the pentagon in the middle
  EXPECT_EQ(c->Pixel(10, 3), clRed);     // a point of the star
  // Two triangles sharing an edge, filled in xor: each pixel flips once.
  TBitmap x(20, 20);
  test::Fill(x, clBlack);
  TCanvas* xc = x.Canvas();
  xc->Pen()->SetStyle(TPenStyle::psClear);
  xc->Pen()->SetMode(TPenMode::pmXor);
  xc->Brush()->SetColor(clWhite);
  const TPoint a[] = {{1, 1}, {18, 3}, {4, 17}};
  const TPoint d[] = {{18, 3}, {19, 19}, {4, 17}};
  xc->Polygon(a);
  xc->Polygon(d);
  TBitmap u(20, 20);
  test::Fill(u, clBlack);
  u.Canvas()->Pen()->SetStyle(TPenStyle::psClear);
  u.Canvas()->Brush()->SetColor(clWhite);
  const TPoint quad[] = {{1, 1}, {18, 3}, {19, 19}, {4, 17}};
  u.Canvas()->Polygon(quad);
  EXPECT_EQ(test::CountDifferentPixels(x, u), 0);
}

TEST(CanvasFigures, XorTwiceRestoresEveryFigure) {
  TBitmap b(40, 30), before(40, 30);
  std::mt19937 rng(3);
  std::uniform_int_distribution<uint32_t> colour(0, 0xFFFFFF);
  for (int y = 0; y < 30; ++y) {
    for (int x = 0; x < 40; ++x) b.ScanLine(y)[x] = RGBToPixel(TColor(colour(rng)));
  }
  before.Assign(b);
  TCanvas* c = b.Canvas();
  c->Pen()->SetMode(TPenMode::pmXor);
  c->Pen()->SetColor(clAqua);
  c->Brush()->SetColor(clFuchsia);
  const TPoint poly[] = {{2, 2}, {30, 5}, {12, 25}};
  for (int width : {1, 4}) {
    c->Pen()->SetWidth(width);
    for (int twice = 0; twice < 2; ++twice) {
      c->Rectangle(3, 4, 20, 18);
      c->Ellipse(10, 2, 35, 27);
      c->Polygon(poly);
      c->Arc(0, 0, 30, 30, 30, 0, 0, 30);
      c->MoveTo(-5, 29);
      c->LineTo(45, 1);
    }
    EXPECT_EQ(test::CountDifferentPixels(b, before), 0) << "width " << width;
  }
}

TEST(CanvasFigures, HugeFiguresClipAtAllFourEdges) {
  TBitmap b(60, 50);
  TCanvas* c = b.Canvas();
  c->Brush()->SetColor(clRed);
  c->SetClipRect(Rect(10, 10, 50, 40));
  const int32_t lo = INT32_MIN, hi = INT32_MAX;
  auto border_untouched = [&] {
    for (int y = 0; y < 50; ++y) {
      for (int x = 0; x < 60; ++x) {
        if (x < 10 || y < 10 || x >= 50 || y >= 40) {
          if (c->Pixel(x, y) != clWhite) return false;
        }
      }
    }
    return true;
  };
  for (int width : {1, 3}) {
    c->Pen()->SetWidth(width);
    test::Fill(b, clWhite);
    c->Rectangle(lo, lo, hi, hi);  // the outline is far away: all fill
    EXPECT_TRUE(border_untouched());
    EXPECT_EQ(c->Pixel(30, 25), c->Brush()->Color());
    test::Fill(b, clWhite);
    c->Rectangle(20, lo, 40, hi);
    EXPECT_TRUE(border_untouched());
    EXPECT_EQ(c->Pixel(20, 10), clBlack);
    test::Fill(b, clWhite);
    c->Ellipse(lo, lo, hi, hi);
    EXPECT_TRUE(border_untouched());
    test::Fill(b, clWhite);
    c->Ellipse(-1000000000, 20, 1000000000, 30);
    EXPECT_TRUE(border_untouched());
    test::Fill(b, clWhite);
    const TPoint tri[] = {{lo, lo}, {hi, 0}, {0, hi}};
    c->Polygon(tri);
    EXPECT_TRUE(border_untouched());
    test::Fill(b, clWhite);
    c->Arc(lo, lo, hi, hi, hi, 0, 0, hi);
    EXPECT_TRUE(border_untouched());
  }
}

TEST(CanvasPixels, SetPixelClipsAndPixelOutsideIsMinusOne) {
  TBitmap b(4, 4);
  test::Fill(b, clWhite);
  TCanvas* c = b.Canvas();
  c->SetPixel(1, 2, clBtnFace);
  EXPECT_EQ(c->Pixel(1, 2), ColorToRGB(clBtnFace));
  c->SetPixel(-1, 2, clBlack);
  c->SetPixel(4, 0, clBlack);
  c->SetPixel(INT32_MIN, INT32_MAX, clBlack);
  EXPECT_EQ(test::CountPixels(b, clBlack), 0);
  EXPECT_EQ(c->Pixel(4, 0), -1);
  EXPECT_EQ(c->Pixel(0, -1), -1);
  TCanvas bare;  // no surface: draws nothing, reads -1
  bare.Rectangle(0, 0, 10, 10);
  bare.LineTo(5, 5);
  EXPECT_EQ(bare.Pixel(0, 0), -1);
}

}  // namespace
}  // namespace korvo
