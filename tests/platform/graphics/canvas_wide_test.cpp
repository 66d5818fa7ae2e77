// Pixel rules of wide pens: the disc at every point, the body of every
// segment with its rounding, exclusive-or strokes, clipping and far
// coordinates.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "platform/graphics/Bitmap.h"
#include "support/AllocationCounter.h"
#include "support/TestSupport.h"

namespace korvo {
namespace {

using test::Picture;

void Dot(TCanvas* c, int32_t x, int32_t y) {
  c->MoveTo(x, y);
  c->LineTo(x, y);
}

TEST(WidePens, AZeroLengthSegmentDrawsTheDiscOfItsWidth) {
  TBitmap b(9, 9);
  TCanvas* c = b.Canvas();
  const auto disc = [&](int width) {
    test::Fill(b, clWhite);
    c->Pen()->SetWidth(width);
    Dot(c, 4, 4);
    return Picture(b, Rect(1, 1, 8, 8), clBlack, clWhite);
  };
  // Even widths reach w/2 up and left of the point, w/2 - 1 down and right.
  EXPECT_EQ(disc(2),
            ".......\n"
            ".......\n"
            "..##...\n"
            "..##...\n"
            ".......\n"
            ".......\n"
            ".......\n");
  EXPECT_EQ(disc(3),
            ".......\n"
            ".......\n"
            "...#...\n"
            "..###..\n"
            "...#...\n"
            ".......\n"
            ".......\n");
  EXPECT_EQ(disc(4),
            ".......\n"
            "..##...\n"
            ".####..\n"
            ".####..\n"
            "..##...\n"
            ".......\n"
            ".......\n");
  EXPECT_EQ(disc(5),
            ".......\n"
            "..###..\n"
            ".#####.\n"
            ".#####.\n"
            ".#####.\n"
            "..###..\n"
            ".......\n");
  EXPECT_EQ(disc(6),
            "..##...\n"
            ".####..\n"
            "######.\n"
            "######.\n"
            ".####..\n"
            "..##...\n"
            ".......\n");
}

TEST(WidePens, DiscsAreSymmetricAndFillTheirBoxAcrossTheMiddle) {
  for (int w = 2; w <= 40; ++w) {
    TBitmap b(48, 48);
    test::Fill(b, clWhite);
    b.Canvas()->Pen()->SetWidth(w);
    Dot(b.Canvas(), 24, 24);
    const int32_t lo = 24 - w / 2, hi = lo + w - 1;  // the box
    int painted = 0;
    for (int32_t y = 0; y < 48; ++y) {
      for (int32_t x = 0; x < 48; ++x) {
        const bool in = b.Canvas()->Pixel(x, y) == clBlack;
        painted += in;
        if (x < lo || x > hi || y < lo || y > hi) {
          ASSERT_FALSE(in) << "width " << w << " outside its box at " << x << "," << y;
          continue;
        }
        ASSERT_EQ(in, b.Canvas()->Pixel(lo + hi - x, y) == clBlack) << "width " << w;
        ASSERT_EQ(in, b.Canvas()->Pixel(y, x) == clBlack) << "width " << w;
      }
    }
    // The middle row spans the whole box; the corners stay out from width 3.
    EXPECT_EQ(b.Canvas()->Pixel(lo, lo + w / 2) == clBlack && b.Canvas()->Pixel(hi, lo + w / 2) == clBlack, true)
        << "width " << w;
    if (w >= 3) {
      EXPECT_NE(b.Canvas()->Pixel(lo, lo), clBlack) << "width " << w;
    }
    // Roughly the area of the circle of diameter w.
    EXPECT_GT(painted, 0.785 * (w - 2) * (w - 2)) << "width " << w;
    EXPECT_LT(painted, 0.785 * (w + 1) * (w + 1)) << "width " << w;
  }
}

TEST(WidePens, LargeDiscsFollowTheNearestPixelsOfTheCircle) {
  // Width 16: radius 7.5 between pixel centres; the rows' lengths from the
  // top. The top row is 6 long because the columns up to 2.5 pixels from
  // the centre meet the circle nearest to that row.
  TBitmap b(20, 20);
  test::Fill(b, clWhite);
  b.Canvas()->Pen()->SetWidth(16);
  Dot(b.Canvas(), 10, 10);
  std::vector<int> rows;
  for (int32_t y = 0; y < 20; ++y) {
    int n = 0;
    for (int32_t x = 0; x < 20; ++x) n += b.Canvas()->Pixel(x, y) == clBlack;
    if (n > 0) rows.push_back(n);
  }
  EXPECT_EQ(rows, (std::vector<int>{6, 8, 12, 12, 14, 16, 16, 16, 16, 16, 16, 14, 12, 12, 8, 6}));
}

// A segment's stroke is its parallelogram P + U, Q + U, Q + V, P + V
// (filled by the polygon rule) and the discs at both ends.
struct TBody {
  TPoint P, Q;
  int Width;
  TPoint U, V;
};

TEST(WidePens, ASegmentIsItsRoundedParallelogramAndTwoDiscs) {
  const TBody cases[] = {
      {{6, 7}, {22, 7}, 3, {0, 2}, {0, -1}},      // horizontal: rows y-1..y+1
      {{7, 22}, {7, 6}, 4, {2, 0}, {-2, 0}},      // vertical, drawn upwards
      {{9, 6}, {9, 30}, 5, {3, 0}, {-2, 0}},      // columns x-2..x+2
      {{6, 6}, {22, 22}, 3, {2, -2}, {-1, 1}},    // 45 degrees: 6 pixels a row
      {{40, 40}, {70, 41}, 3, {1, -2}, {0, 1}},   // a shallow slope rounds up
      {{22, 6}, {6, 22}, 5, {2, 2}, {-2, -2}},    // the other diagonal
      {{4, 4}, {16, 20}, 5, {3, -2}, {-2, 2}},    // u = (2, -1.5) exactly
      {{24, 4}, {40, 16}, 5, {2, -3}, {-2, 2}},   // u = (1.5, -2) exactly
      {{8, 8}, {20, 24}, 10, {5, -4}, {-4, 3}},   // u = (4, -3) exactly
      {{10, 30}, {50, 20}, 8, {1, 4}, {-1, -4}},  // rising to the right
  };
  for (const TBody& k : cases) {
    SCOPED_TRACE(testing::Message() << k.P.X << "," << k.P.Y << " -> " << k.Q.X << "," << k.Q.Y << " width " << k.Width);
    TBitmap stroke(80, 60), parts(80, 60);
    test::Fill(stroke, clWhite);
    test::Fill(parts, clWhite);
    stroke.Canvas()->Pen()->SetWidth(k.Width);
    stroke.Canvas()->MoveTo(k.P.X, k.P.Y);
    stroke.Canvas()->LineTo(k.Q.X, k.Q.Y);
    // The same, drawn the other way.
    TBitmap back(80, 60);
    test::Fill(back, clWhite);
    back.Canvas()->Pen()->SetWidth(k.Width);
    back.Canvas()->MoveTo(k.Q.X, k.Q.Y);
    back.Canvas()->LineTo(k.P.X, k.P.Y);
    EXPECT_EQ(test::CountDifferentPixels(stroke, back), 0);

    TCanvas* c = parts.Canvas();
    c->Pen()->SetStyle(TPenStyle::psClear);
    c->Brush()->SetColor(clBlack);
    const TPoint quad[] = {{k.P.X + k.U.X, k.P.Y + k.U.Y},
                           {k.Q.X + k.U.X, k.Q.Y + k.U.Y},
                           {k.Q.X + k.V.X, k.Q.Y + k.V.Y},
                           {k.P.X + k.V.X, k.P.Y + k.V.Y}};
    c->Polygon(quad);
    c->Pen()->SetStyle(TPenStyle::psSolid);
    c->Pen()->SetWidth(k.Width);
    Dot(c, k.P.X, k.P.Y);
    Dot(c, k.Q.X, k.Q.Y);
    EXPECT_EQ(test::CountDifferentPixels(stroke, parts), 0);
  }
}

TEST(WidePens, DashedStylesDrawSolid) {
  for (TPenStyle style : {TPenStyle::psDash, TPenStyle::psDot, TPenStyle::psDashDot, TPenStyle::psDashDotDot}) {
    TBitmap solid(60, 20), dashed(60, 20);
    test::Fill(solid, clWhite);
    test::Fill(dashed, clWhite);
    const TPoint path[] = {{3, 4}, {50, 9}, {20, 16}};
    solid.Canvas()->Pen()->SetWidth(3);
    solid.Canvas()->Polyline(path);
    dashed.Canvas()->Pen()->SetWidth(3);
    dashed.Canvas()->Pen()->SetStyle(style);
    dashed.Canvas()->Brush()->SetColor(clLime);  // no gaps to paint
    dashed.Canvas()->Polyline(path);
    EXPECT_EQ(test::CountDifferentPixels(solid, dashed), 0);
  }
}

TEST(WidePens, XorStrokesAndXorPolygonsChangeEachPixelOnce) {
  std::mt19937 rng(7);
  std::uniform_int_distribution<int32_t> coord(-6, 46);
  for (int round = 0; round < 40; ++round) {
    std::vector<TPoint> path(2 + round % 6);
    for (TPoint& p : path) p = TPoint{coord(rng), coord(rng)};
    const int width = 2 + round % 9;
    TBitmap copy(40, 40), xored(40, 40);
    test::Fill(copy, clBlack);
    test::Fill(xored, clBlack);
    copy.Canvas()->Pen()->SetColor(clWhite);
    copy.Canvas()->Pen()->SetWidth(width);
    copy.Canvas()->Polyline(path);
    xored.Canvas()->Pen()->SetColor(clWhite);
    xored.Canvas()->Pen()->SetWidth(width);
    xored.Canvas()->Pen()->SetMode(TPenMode::pmXor);
    xored.Canvas()->Polyline(path);
    ASSERT_EQ(test::CountDifferentPixels(copy, xored), 0) << "round " << round;

    // A polygon under an XOR wide outline: every pixel is the brush's, the
    // pen's or untouched, never both; the outline covers what it covers in
    // copy mode, and drawing again restores the picture.
    if (path.size() < 3) continue;
    TBitmap outlined(40, 40), poly(40, 40);
    test::Fill(outlined, clBlack);
    test::Fill(poly, clBlack);
    outlined.Canvas()->Pen()->SetColor(clWhite);
    outlined.Canvas()->Pen()->SetWidth(width);
    outlined.Canvas()->Brush()->SetStyle(TBrushStyle::bsClear);
    outlined.Canvas()->Polygon(path);
    TCanvas* c = poly.Canvas();
    c->Pen()->SetColor(clWhite);
    c->Pen()->SetWidth(width);
    c->Pen()->SetMode(TPenMode::pmXor);
    c->Brush()->SetColor(clRed);
    c->Polygon(path);
    for (int32_t y = 0; y < 40; ++y) {
      for (int32_t x = 0; x < 40; ++x) {
        const TColor p = c->Pixel(x, y);
        ASSERT_TRUE(p == clBlack || p == clRed || p == clWhite) << x << "," << y << " round " << round;
        ASSERT_EQ(p == clWhite, outlined.Canvas()->Pixel(x, y) == clWhite) << x << "," << y << " round " << round;
      }
    }
    c->Polygon(path);
    ASSERT_EQ(test::CountPixels(poly, clBlack), 1600) << "round " << round;
  }
}

TEST(WidePens, ClippedStrokesMatchTheUnclippedOnesInsideTheClip) {
  std::mt19937 rng(11);
  std::uniform_int_distribution<int32_t> coord(-20, 60);
  const TRect clip = Rect(7, 5, 31, 27);
  for (int round = 0; round < 60; ++round) {
    const TPoint path[] = {{coord(rng), coord(rng)}, {coord(rng), coord(rng)}, {coord(rng), coord(rng)}};
    const int width = 2 + round % 11;
    const bool xorMode = round % 2 == 1;
    TBitmap full(40, 36), clipped(40, 36);
    for (TBitmap* b : {&full, &clipped}) {
      test::Fill(*b, clYellow);
      b->Canvas()->Pen()->SetWidth(width);
      b->Canvas()->Pen()->SetColor(clBlue);
      if (xorMode) b->Canvas()->Pen()->SetMode(TPenMode::pmXor);
    }
    full.Canvas()->Polyline(path);
    clipped.Canvas()->SetClipRect(clip);
    clipped.Canvas()->Polyline(path);
    for (int32_t y = 0; y < 36; ++y) {
      for (int32_t x = 0; x < 40; ++x) {
        const bool inside = x >= clip.Left && x < clip.Right && y >= clip.Top && y < clip.Bottom;
        ASSERT_EQ(clipped.Canvas()->Pixel(x, y), inside ? full.Canvas()->Pixel(x, y) : clYellow)
            << x << "," << y << " round " << round;
      }
    }
  }
}

TEST(WidePens, FarEndsDrawTheSameLineAsNearOnes) {
  // Both segments lie on y = x / 2 and both ends are far outside the bitmap,
  // so only the bodies show, with the same offsets.
  for (int width : {2, 3, 5, 8}) {
    TBitmap far(40, 30), near(40, 30);
    test::Fill(far, clWhite);
    test::Fill(near, clWhite);
    far.Canvas()->Pen()->SetWidth(width);
    far.Canvas()->MoveTo(-2000000000, -1000000000);
    far.Canvas()->LineTo(2000000000, 1000000000);
    near.Canvas()->Pen()->SetWidth(width);
    near.Canvas()->MoveTo(-100, -50);
    near.Canvas()->LineTo(100, 50);
    EXPECT_EQ(test::CountDifferentPixels(far, near), 0) << "width " << width;
    EXPECT_GT(test::CountPixels(far, clBlack), 40 * width / 2) << "width " << width;
  }
  // Extreme coordinates and an absurd width neither crash nor write
  // outside the surface.
  TBitmap b(20, 20);
  test::Fill(b, clWhite);
  TCanvas* c = b.Canvas();
  c->Pen()->SetWidth(INT32_MAX);
  const TPoint extreme[] = {{INT32_MIN, INT32_MIN}, {INT32_MAX, INT32_MAX}, {INT32_MIN, INT32_MAX}};
  c->Polyline(extreme);
  EXPECT_EQ(test::CountPixels(b, clBlack), 400);
  c->Pen()->SetWidth(7);
  c->Pen()->SetMode(TPenMode::pmXor);
  c->Pen()->SetColor(clWhite);
  c->Polyline(extreme);
  EXPECT_GT(test::CountPixels(b, clWhite), 0);
}

TEST(WidePens, InsideFrameNarrowerThanThePenCoversTheBox) {
  TBitmap b(12, 10);
  test::Fill(b, clWhite);
  TCanvas* c = b.Canvas();
  c->Pen()->SetWidth(5);
  c->Pen()->SetStyle(TPenStyle::psInsideFrame);
  c->Brush()->SetColor(clRed);
  c->Rectangle(2, 3, 9, 6);  // 3 rows high, the pen 5 wide
  EXPECT_EQ(Picture(b, Rect(0, 0, 12, 10), {{clBlack, '#'}, {clRed, 'r'}, {clWhite, '.'}}),
            "............\n"
            "............\n"
            "............\n"
            "..#######...\n"
            "..#######...\n"
            "..#######...\n"
            "............\n"
            "............\n"
            "............\n"
            "............\n");
  // Exactly as wide as the box: the path is one vertical segment, its
  // stroke inside the box, the discs cutting the corners.
  test::Fill(b, clWhite);
  c->Pen()->SetWidth(4);
  c->Rectangle(3, 2, 7, 8);
  EXPECT_EQ(test::CountPixels(b, clBlack), 20);
  EXPECT_EQ(Picture(b, Rect(2, 1, 8, 9), clBlack, clWhite),
            "......\n"
            "..##..\n"
            ".####.\n"
            ".####.\n"
            ".####.\n"
            ".####.\n"
            "..##..\n"
            "......\n");
}

TEST(WidePens, WarmStrokesAllocateNothing) {
  TBitmap b(200, 120);
  TCanvas* c = b.Canvas();
  std::vector<TPoint> path;
  for (int i = 0; i < 60; ++i) path.push_back(TPoint{3 * i, 60 + ((i * 37) % 50) - 25});
  const auto work = [&] {
    for (TPenMode mode : {TPenMode::pmCopy, TPenMode::pmXor}) {
      c->Pen()->SetMode(mode);
      for (int w : {2, 3, 8}) {
        c->Pen()->SetWidth(w);
        c->Polyline(path);
        c->Polygon(path);
        c->Rectangle(10, 10, 150, 90);
        c->MoveTo(5, 5);
        c->LineTo(190, 100);
      }
    }
  };
  work();
  EXPECT_EQ(test::AllocationsDuring(work), 0);
}

}  // namespace
}  // namespace korvo
