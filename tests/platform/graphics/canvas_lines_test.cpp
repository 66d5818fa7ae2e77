// Pixel rules of 1-pixel and wide lines.
#include <gtest/gtest.h>

#include <random>

#include "platform/graphics/Bitmap.h"
#include "support/TestSupport.h"

namespace korvo {
namespace {

using test::Picture;

TEST(CanvasLines, LineToLeavesOutItsEndPointAndKeepsThePenThere) {
  TBitmap b(8, 3);
  test::Fill(b, clWhite);
  TCanvas* c = b.Canvas();
  c->MoveTo(1, 1);
  c->LineTo(5, 1);
  EXPECT_EQ(c->PenPos(), Point(5, 1));
  EXPECT_EQ(Picture(b, Rect(0, 0, 8, 3), clBlack, clWhite),
            "........\n"
            ".####...\n"
            "........\n");
  // A vertical line continues from the pen and again leaves out its end.
  c->LineTo(5, 3);
  EXPECT_EQ(Picture(b, Rect(0, 0, 8, 3), clBlack, clWhite),
            "........\n"
            ".#####..\n"
            ".....#..\n");
}

TEST(CanvasLines, HalfPixelTiesGoUpAndLeftWhateverTheDirection) {
  TBitmap b(6, 3);
  test::Fill(b, clWhite);
  // (0,0)->(4,1): the exact y at x = 2 is 0.5; the pixel above is chosen.
  b.Canvas()->MoveTo(0, 0);
  b.Canvas()->LineTo(4, 1);
  EXPECT_EQ(Picture(b, Rect(0, 0, 6, 2), clBlack, clWhite),
            "###...\n"
            "...#..\n");
  test::Fill(b, clWhite);
  b.Canvas()->MoveTo(4, 1);
  b.Canvas()->LineTo(0, 0);
  EXPECT_EQ(Picture(b, Rect(0, 0, 6, 2), clBlack, clWhite),
            ".##...\n"
            "...##.\n");
  // Clipping decides ties the same way: with row 0 clipped away only the
  // last pixel is left, and nothing is written into the clipped row.
  test::Fill(b, clWhite);
  b.Canvas()->SetClipRect(Rect(0, 1, 6, 3));
  b.Canvas()->MoveTo(0, 0);
  b.Canvas()->LineTo(4, 1);
  EXPECT_EQ(Picture(b, Rect(0, 0, 6, 2), clBlack, clWhite),
            "......\n"
            "...#..\n");
  b.Canvas()->ResetClipRect();
  // Steep lines: ties go left.
  test::Fill(b, clWhite);
  b.Canvas()->MoveTo(0, 0);
  b.Canvas()->LineTo(1, 2);
  EXPECT_EQ(Picture(b, Rect(0, 0, 3, 3), clBlack, clWhite),
            "#..\n"
            "#..\n"
            "...\n");
}

TEST(CanvasLines, XorThereAndBackLeavesOnlyTheTwoEndPixels) {
  std::mt19937 rng(7);
  std::uniform_int_distribution<int> coord(-10, 50);
  TBitmap b(40, 40);
  TCanvas* c = b.Canvas();
  c->Pen()->SetMode(TPenMode::pmXor);
  c->Pen()->SetColor(clWhite);
  for (int k = 0; k < 300; ++k) {
    test::Fill(b, clBlack);
    const int x0 = coord(rng), y0 = coord(rng), x1 = coord(rng), y1 = coord(rng);
    c->MoveTo(x0, y0);
    c->LineTo(x1, y1);
    c->LineTo(x0, y0);
    int expected = 0;
    if (x0 != x1 || y0 != y1) {
      expected += b.Canvas()->Pixel(x0, y0) != -1;
      expected += b.Canvas()->Pixel(x1, y1) != -1;
    }
    ASSERT_EQ(test::CountPixels(b, clWhite), expected) << x0 << "," << y0 << " -> " << x1 << "," << y1;
    if (c->Pixel(x0, y0) != -1 && expected) {
      EXPECT_EQ(c->Pixel(x0, y0), clWhite);
    }
  }
}

// The pixel a line from (x0, y0) to (x1, y1) paints at step i, computed
// independently with exact rational rounding (ties to the smaller value).
TPoint ReferencePixel(int64_t x0, int64_t y0, int64_t x1, int64_t y1, int64_t i) {
  const int64_t dx = x1 - x0, dy = y1 - y0;
  const bool x_major = std::llabs(dx) >= std::llabs(dy);
  const int64_t n = x_major ? std::llabs(dx) : std::llabs(dy);
  auto round_down_ties = [](__int128 num, __int128 den) {  // den > 0: round num/den, ties down
    __int128 twice = 2 * num - den;                           // ceil((2num - den) / 2den)
    __int128 d = 2 * den;
    __int128 q = twice / d;
    if (twice % d != 0 && twice > 0) ++q;
    return int64_t(q);
  };
  if (x_major) {
    return Point(int32_t(x0 + (dx > 0 ? i : -i)), int32_t(y0 + round_down_ties(__int128(i) * dy, n)));
  }
  return Point(int32_t(x0 + round_down_ties(__int128(i) * dx, n)), int32_t(y0 + (dy > 0 ? i : -i)));
}

TEST(CanvasLines, ClippedLinesPaintExactlyTheVisiblePixelsOfTheTrueLine) {
  std::mt19937 rng(11);
  std::uniform_int_distribution<int> far(-3000, 3000);
  TBitmap b(64, 48);
  TCanvas* c = b.Canvas();
  for (int k = 0; k < 400; ++k) {
    test::Fill(b, clWhite);
    const int x0 = far(rng), y0 = far(rng) / 2, x1 = far(rng), y1 = far(rng) / 2;
    c->MoveTo(x0, y0);
    c->LineTo(x1, y1);
    TBitmap expect(64, 48);
    test::Fill(expect, clWhite);
    const int64_t n = std::max(std::llabs(int64_t(x1) - x0), std::llabs(int64_t(y1) - y0));
    for (int64_t i = 0; i < n; ++i) {
      const TPoint p = ReferencePixel(x0, y0, x1, y1, i);
      if (p.X >= 0 && p.Y >= 0 && p.X < 64 && p.Y < 48) expect.ScanLine(p.Y)[p.X] = RGBToPixel(clBlack);
    }
    ASSERT_EQ(test::CountDifferentPixels(b, expect), 0) << x0 << "," << y0 << " -> " << x1 << "," << y1;
  }
}

TEST(CanvasLines, PolylineAgreesOnAndOffTheTargetAndWithLineTo) {
  // Polyline takes a shortcut for segments with both ends on the target.
  // A path partly off a 64 x 64 bitmap must give the same pixels as the
  // whole path on a larger bitmap, solid and dashed, copy and xor; solid
  // polylines must equal their segments drawn with LineTo.
  std::mt19937 rng(21);
  std::uniform_int_distribution<int> coord(-20, 80);
  std::vector<TPoint> path, shifted;
  for (int i = 0; i < 60; ++i) {
    path.push_back(Point(coord(rng), coord(rng)));
    shifted.push_back(Point(path.back().X + 50, path.back().Y + 50));
  }
  for (TPenStyle style : {TPenStyle::psSolid, TPenStyle::psDashDot}) {
    for (TPenMode mode : {TPenMode::pmCopy, TPenMode::pmXor}) {
      TBitmap part(64, 64), whole(200, 200), lines(64, 64);
      for (TBitmap* b : {&part, &whole, &lines}) {
        test::Fill(*b, clWhite);
        b->Canvas()->Pen()->SetStyle(style);
        b->Canvas()->Pen()->SetMode(mode);
        b->Canvas()->Pen()->SetColor(clRed);
        b->Canvas()->Brush()->SetStyle(TBrushStyle::bsClear);
      }
      part.Canvas()->Polyline(path);
      whole.Canvas()->Polyline(shifted);
      for (int y = 0; y < 64; ++y) {
        for (int x = 0; x < 64; ++x) {
          ASSERT_EQ(part.Canvas()->Pixel(x, y), whole.Canvas()->Pixel(x + 50, y + 50)) << x << "," << y;
        }
      }
      if (style == TPenStyle::psSolid) {
        lines.Canvas()->MoveTo(path[0].X, path[0].Y);
        for (size_t i = 1; i < path.size(); ++i) lines.Canvas()->LineTo(path[i].X, path[i].Y);
        EXPECT_EQ(test::CountDifferentPixels(part, lines), 0) << int(mode);
      }
      EXPECT_GT(test::CountPixels(part, clRed) + test::CountPixels(part, clAqua), 100);
    }
  }
}

TEST(CanvasLines, ExtremeCoordinatesClipWithoutOverflowOrStrayPixels) {
  TBitmap b(50, 40);
  TCanvas* c = b.Canvas();
  c->SetClipRect(Rect(5, 5, 45, 35));
  const int32_t lo = INT32_MIN, hi = INT32_MAX;
  const TPoint ends[] = {{lo, lo}, {hi, hi}, {lo, hi}, {hi, lo}, {lo, 20}, {hi, 20}, {25, lo}, {25, hi}, {hi, 19}};
  for (int width : {1, 3}) {
    c->Pen()->SetWidth(width);
    for (const TPoint& p : ends) {
      for (const TPoint& q : ends) {
        test::Fill(b, clWhite);
        c->MoveTo(p.X, p.Y);
        c->LineTo(q.X, q.Y);
        for (int y = 0; y < 40; ++y) {
          for (int x = 0; x < 50; ++x) {
            if (x < 5 || y < 5 || x >= 45 || y >= 35) {
              ASSERT_EQ(c->Pixel(x, y), clWhite) << x << "," << y;
            }
          }
        }
      }
    }
  }
  // The horizontal line through the middle is visible across the whole clip.
  c->Pen()->SetWidth(1);
  test::Fill(b, clWhite);
  c->MoveTo(lo, 20);
  c->LineTo(hi, 20);
  EXPECT_EQ(test::CountPixels(b, clBlack), 40);
  // A nearly horizontal line from far away keeps its true slope.
  test::Fill(b, clWhite);
  c->MoveTo(lo, 0);
  c->LineTo(hi, 40);
  for (int x = 5; x < 45; ++x) {
    const TPoint p = ReferencePixel(lo, 0, hi, 40, int64_t(x) - lo);
    EXPECT_EQ(c->Pixel(x, p.Y), clBlack) << x;
  }
}

TEST(CanvasLines, DashPatternsWithTransparentAndOpaqueGaps) {
  TBitmap b(40, 1);
  TCanvas* c = b.Canvas();
  struct Case {
    TPenStyle style;
    const char* pattern;
  };
  const Case cases[] = {
      {TPenStyle::psDot, "###...###...###...###...###...###...###."},
      {TPenStyle::psDash, "##################......################"},
      {TPenStyle::psDashDot, "#########......###......#########......#"},
      {TPenStyle::psDashDotDot, "#########...###...###...#########...###."},
  };
  for (const Case& k : cases) {
    c->Pen()->SetStyle(k.style);
    c->Brush()->SetStyle(TBrushStyle::bsClear);
    test::Fill(b, clWhite);
    c->MoveTo(0, 0);
    c->LineTo(40, 0);
    EXPECT_EQ(Picture(b, Rect(0, 0, 40, 1), clBlack, clWhite), std::string(k.pattern) + "\n");
    // With a solid brush the gaps take the brush colour.
    c->Brush()->SetStyle(TBrushStyle::bsSolid);
    c->Brush()->SetColor(clRed);
    test::Fill(b, clWhite);
    c->MoveTo(0, 0);
    c->LineTo(40, 0);
    std::string opaque = k.pattern;
    for (char& ch : opaque) ch = ch == '.' ? 'r' : ch;
    EXPECT_EQ(Picture(b, Rect(0, 0, 40, 1), {{clBlack, '#'}, {clRed, 'r'}}), opaque + "\n");
  }
}

TEST(CanvasLines, DashPhaseRestartsAtLineToRunsOnInPolylineAndSurvivesClipping) {
  TBitmap b(12, 6);
  TCanvas* c = b.Canvas();
  c->Pen()->SetStyle(TPenStyle::psDot);
  c->Brush()->SetStyle(TBrushStyle::bsClear);
  test::Fill(b, clWhite);
  const TPoint path[] = {{0, 0}, {4, 0}, {4, 6}};
  c->Polyline(path);
  EXPECT_EQ(Picture(b, Rect(0, 0, 6, 6), clBlack, clWhite),
            "###...\n"
            "......\n"
            "....#.\n"
            "....#.\n"
            "....#.\n"
            "......\n");
  // Two LineTo calls along the same path restart the pattern at the corner.
  test::Fill(b, clWhite);
  c->MoveTo(0, 0);
  c->LineTo(4, 0);
  c->LineTo(4, 6);
  EXPECT_EQ(Picture(b, Rect(0, 0, 6, 6), clBlack, clWhite),
            "###.#.\n"
            "....#.\n"
            "....#.\n"
            "......\n"
            "......\n"
            "......\n");
  // A line starting 4 pixels left of the bitmap keeps the phase of its start.
  test::Fill(b, clWhite);
  c->MoveTo(-4, 5);
  c->LineTo(12, 5);
  EXPECT_EQ(Picture(b, Rect(0, 5, 12, 6), clBlack, clWhite), "..###...###.\n");
}

TEST(CanvasLines, DashedStylesAboveWidthOneDrawSolidAndClearDrawsNothing) {
  TBitmap b(20, 7);
  TCanvas* c = b.Canvas();
  test::Fill(b, clWhite);
  c->Pen()->SetStyle(TPenStyle::psDot);
  c->Pen()->SetWidth(2);
  c->MoveTo(2, 3);
  c->LineTo(17, 3);
  // Width 2: rows 2 and 3; the 2 x 2 caps reach x - 1..x at both ends.
  EXPECT_EQ(Picture(b, Rect(0, 1, 20, 5), clBlack, clWhite),
            "....................\n"
            ".#################..\n"
            ".#################..\n"
            "....................\n");
  test::Fill(b, clWhite);
  c->Pen()->SetStyle(TPenStyle::psClear);
  c->MoveTo(2, 3);
  c->LineTo(17, 3);
  EXPECT_EQ(test::CountPixels(b, clWhite), 140);
  EXPECT_EQ(c->PenPos(), Point(17, 3));
}

TEST(CanvasLines, WidePensHaveRoundCapsAndPaintTheirEndPoint) {
  TBitmap b(16, 9);
  TCanvas* c = b.Canvas();
  test::Fill(b, clWhite);
  c->Pen()->SetWidth(3);
  c->MoveTo(5, 4);
  c->LineTo(10, 4);
  // The width-3 cap is a plus: the end columns are painted on the centre
  // row only.
  EXPECT_EQ(Picture(b, Rect(0, 2, 16, 7), clBlack, clWhite),
            "................\n"
            ".....######.....\n"
            "....########....\n"
            ".....######.....\n"
            "................\n");
  // Width 5 shows the rounding of the caps: the corners are cut.
  test::Fill(b, clWhite);
  c->Pen()->SetWidth(5);
  c->MoveTo(7, 4);
  c->LineTo(7, 4);
  EXPECT_EQ(Picture(b, Rect(3, 0, 12, 9), clBlack, clWhite),
            ".........\n"
            ".........\n"
            "...###...\n"
            "..#####..\n"
            "..#####..\n"
            "..#####..\n"
            "...###...\n"
            ".........\n"
            ".........\n");
}

TEST(CanvasLines, WideXorPolylineFlipsEveryCoveredPixelOnce) {
  TBitmap copy(30, 30), xored(30, 30);
  test::Fill(copy, clBlack);
  test::Fill(xored, clBlack);
  const TPoint path[] = {{3, 3}, {25, 20}, {5, 25}, {20, 4}, {3, 3}};
  copy.Canvas()->Pen()->SetColor(clWhite);
  copy.Canvas()->Pen()->SetWidth(4);
  copy.Canvas()->Polyline(path);
  xored.Canvas()->Pen()->SetColor(clWhite);
  xored.Canvas()->Pen()->SetWidth(4);
  xored.Canvas()->Pen()->SetMode(TPenMode::pmXor);
  xored.Canvas()->Polyline(path);
  EXPECT_EQ(test::CountDifferentPixels(copy, xored), 0);
  xored.Canvas()->Polyline(path);
  EXPECT_EQ(test::CountPixels(xored, clBlack), 900);
}

TEST(CanvasLines, NotModeInvertsAndTwiceRestores) {
  TBitmap b(10, 3);
  test::Fill(b, clYellow);
  TCanvas* c = b.Canvas();
  c->Pen()->SetMode(TPenMode::pmNot);
  c->MoveTo(0, 1);
  c->LineTo(10, 1);
  EXPECT_EQ(c->Pixel(3, 1), clBlue);
  c->MoveTo(0, 1);
  c->LineTo(10, 1);
  EXPECT_EQ(test::CountPixels(b, clYellow), 30);
}

}  // namespace
}  // namespace korvo
