// Rectangles and polygons with 1-pixel pens: the outline path and its dash
// order, thin boxes, FillRect against the clear-pen rectangle of the
// reference pictures, both fill rules against a per-pixel count of edge
// crossings, clipping that changes no visible pixel, and warm figures that
// allocate nothing.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include "platform/graphics/Bitmap.h"
#include "support/AllocationCounter.h"
#include "support/TestSupport.h"
#include "tools/scenes/SceneReplay.h"

namespace korvo {
namespace {

std::string Shape(const TBitmap& b) {
  return test::Picture(b, Rect(0, 0, b.Width(), b.Height()), {{clBlack, '#'}, {clRed, 'r'}, {clWhite, '.'}});
}

// White paper, a red brush.
struct TSheet {
  TBitmap b;
  TSheet(int w, int h) : b(w, h) {
    test::Fill(b, clWhite);
    b.Canvas()->Brush()->SetColor(clRed);
  }
};

TEST(FigureRectangle, DashesStartAtTheTopRightCornerAndRunCounterClockwise) {
  TSheet b_sheet(7, 4);
  TBitmap& b = b_sheet.b;
  b.Canvas()->Pen()->SetStyle(TPenStyle::psDot);
  b.Canvas()->Brush()->SetStyle(TBrushStyle::bsClear);
  b.Canvas()->Rectangle(0, 0, 7, 4);
  // Top x 6..1 (on on on, off off off), left y 0..2 (on), bottom x 0..5
  // (off off off, on on on), right y 3..1 (off): one running phase.
  EXPECT_EQ(Shape(b),
            "#...###\n"
            "#......\n"
            "#......\n"
            "...###.\n");
  // Opaque gaps: a box one pixel high is the top side leftwards, then the
  // bottom side rightwards over it; the later side wins.
  TSheet o_sheet(26, 1);
  TBitmap& o = o_sheet.b;
  o.Canvas()->Pen()->SetStyle(TPenStyle::psDashDot);
  o.Canvas()->Brush()->SetColor(clLime);
  o.Canvas()->Rectangle(0, 0, 26, 1);
  EXPECT_EQ(test::Picture(o, Rect(0, 0, 26, 1), {{clBlack, '#'}, {clLime, 'g'}}), "########gggggg###gggggg###\n");
}

TEST(FigureRectangle, OneByOneDrawsNothingAndThinBoxesAreTheirPathTwice) {
  TSheet b_sheet(8, 6);
  TBitmap& b = b_sheet.b;
  TCanvas* c = b.Canvas();
  c->Rectangle(1, 1, 2, 2);
  c->Pen()->SetStyle(TPenStyle::psDash);
  c->Rectangle(3, 1, 4, 2);
  c->Pen()->SetStyle(TPenStyle::psClear);
  c->Rectangle(5, 1, 6, 2);
  EXPECT_EQ(test::CountPixels(b, clWhite), 48);
  c->Pen()->SetStyle(TPenStyle::psSolid);
  c->Rectangle(1, 3, 7, 4);  // one pixel high
  c->Rectangle(7, 0, 8, 6);  // one pixel wide
  EXPECT_EQ(Shape(b),
            ".......#\n"
            ".......#\n"
            ".......#\n"
            ".#######\n"
            ".......#\n"
            ".......#\n");
  // In xor the inner pixels of a thin box flip twice, the ends once, on the
  // target and clipped alike.
  for (const TRect clip : {Rect(0, 0, 8, 6), Rect(0, 0, 5, 6)}) {
    TBitmap x(8, 3);
    test::Fill(x, clBlack);
    x.Canvas()->SetClipRect(clip);
    x.Canvas()->Pen()->SetMode(TPenMode::pmXor);
    x.Canvas()->Pen()->SetColor(clWhite);
    x.Canvas()->Rectangle(1, 1, 7, 2);
    x.Canvas()->Rectangle(0, 0, 1, 3);
    const std::string full = "#.......\n.#....#.\n#.......\n";
    const std::string clipped = "#.......\n.#......\n#.......\n";
    EXPECT_EQ(test::Picture(x, Rect(0, 0, 8, 3), clWhite, clBlack), clip.Right == 8 ? full : clipped);
  }
}

TEST(FigureRectangle, FillRectIsTheClearPenRectangleOnePixelLarger) {
  // The reference's clear-pen rectangles (X1, Y1, X2, Y2) fill X1..X2-2 by
  // Y1..Y2-2: FillRect of the box one smaller draws the same picture.
  const auto scenes = scenes::ReadSceneFile(std::string(PLOTWELL_TEST_DATA) + "/platform/graphics/reference/rectangles.txt");
  const auto scene = std::find_if(scenes.begin(), scenes.end(), [](const auto& s) { return s.Name == "rect_clear_pen"; });
  ASSERT_NE(scene, scenes.end());
  TBitmap reference;
  scenes::ReadPpm(std::string(PLOTWELL_TEST_DATA) + "/platform/graphics/reference/rectangles/rect_clear_pen.ppm", reference);
  TBitmap ours(scene->Width, scene->Height);
  test::Fill(ours, clWhite);
  TCanvas* c = ours.Canvas();
  c->Pen()->SetStyle(TPenStyle::psSolid);  // FillRect ignores the pen
  int fills = 0;
  for (const scenes::TSceneCommand& cmd : scene->Commands) {
    if (cmd.Name == "brush") c->Brush()->SetColor(cmd.Words[0] == "color=0000FF" ? clBlue : clRed);
    if (cmd.Name != "rectangle") continue;
    const int x1 = std::stoi(cmd.Words[0]), y1 = std::stoi(cmd.Words[1]);
    const int x2 = std::stoi(cmd.Words[2]), y2 = std::stoi(cmd.Words[3]);
    // The corner that is right or bottom moves in by one.
    c->FillRect(TRect{x1 > x2 ? x1 - 1 : x1, y1 > y2 ? y1 - 1 : y1, x2 > x1 ? x2 - 1 : x2, y2 > y1 ? y2 - 1 : y2});
    ++fills;
  }
  EXPECT_EQ(fills, 9);
  EXPECT_EQ(test::CountDifferentPixels(ours, reference), 0);
}

// The fill rule counted per pixel centre in exact integer arithmetic: the
// edges crossing row y at or left of x, their number (alternate) or the sum
// of their directions (winding).
bool InsideByCount(std::span<const TPoint> pts, int64_t x, int64_t y, bool winding) {
  int count = 0, sum = 0;
  for (size_t i = 0; i < pts.size(); ++i) {
    const TPoint a = pts[i], b = pts[(i + 1) % pts.size()];
    if (a.Y == b.Y) continue;
    const TPoint lo = a.Y < b.Y ? a : b, hi = a.Y < b.Y ? b : a;
    if (y < lo.Y || y >= hi.Y) continue;
    // xc <= x with xc = lo.X + (y - lo.Y) (hi.X - lo.X) / (hi.Y - lo.Y).
    const __int128 lhs = __int128(y - lo.Y) * (int64_t(hi.X) - lo.X);
    const __int128 rhs = __int128(x - lo.X) * (int64_t(hi.Y) - lo.Y);
    if (lhs <= rhs) {
      ++count;
      sum += a.Y < b.Y ? 1 : -1;
    }
  }
  return winding ? sum != 0 : (count & 1) != 0;
}

void ExpectFillMatchesCount(std::span<const TPoint> pts, bool winding, const TRect& clip, const char* what) {
  TBitmap b(40, 30);
  test::Fill(b, clWhite);
  TCanvas* c = b.Canvas();
  c->Pen()->SetStyle(TPenStyle::psClear);
  c->Brush()->SetColor(clRed);
  c->SetClipRect(clip);
  c->SetPolyFillMode(winding ? TPolyFillMode::pfWinding : TPolyFillMode::pfAlternate);
  c->Polygon(pts);
  int wrong = 0;
  for (int y = 0; y < 30; ++y) {
    for (int x = 0; x < 40; ++x) {
      const bool want = clip.Contains(x, y) && pts.size() >= 3 && InsideByCount(pts, x, y, winding);
      wrong += want != (c->Pixel(x, y) == clRed);
    }
  }
  EXPECT_EQ(wrong, 0) << what << (winding ? " winding" : " alternate");
}

TEST(FigurePolygon, BothFillRulesFillThePixelsTheirCrossingCountSays) {
  std::mt19937 rng(11);
  const TRect whole = Rect(0, 0, 40, 30), inner = Rect(3, 4, 31, 22);
  for (int round = 0; round < 150; ++round) {
    // Small coordinates around the bitmap, then huge ones far outside it.
    const int64_t range = round < 100 ? 50 : 3000000000LL;
    std::uniform_int_distribution<int64_t> coord(-range / 4, range);
    std::vector<TPoint> pts(3 + round % 9);
    for (TPoint& p : pts) {
      p = TPoint{int32_t(std::clamp<int64_t>(coord(rng), INT32_MIN, INT32_MAX)),
                 int32_t(std::clamp<int64_t>(coord(rng) * 3 / 4, INT32_MIN, INT32_MAX))};
    }
    if (round % 5 == 0) pts.push_back(pts[1]);  // a repeated vertex
    for (bool winding : {false, true}) {
      ExpectFillMatchesCount(pts, winding, round % 2 ? whole : inner, "random polygon");
    }
  }
}

TEST(FigurePolygon, WindingKeepsTheStarsCentreAndFillsPathsTracedTwice) {
  TSheet b_sheet(41, 39);
  TBitmap& b = b_sheet.b;
  TCanvas* c = b.Canvas();
  EXPECT_EQ(c->PolyFillMode(), TPolyFillMode::pfAlternate);
  const TPoint star[] = {{20, 1}, {31, 36}, {2, 14}, {38, 14}, {9, 36}};
  c->Polygon(star);
  EXPECT_EQ(c->Pixel(20, 20), clWhite);
  c->SetPolyFillMode(TPolyFillMode::pfWinding);
  c->Polygon(star);
  EXPECT_EQ(c->Pixel(20, 20), clRed);
  EXPECT_EQ(c->Pixel(20, 5), clRed);

  // A square traced twice: the alternate rule leaves it empty.
  const TPoint twice[] = {{2, 2}, {12, 2}, {12, 12}, {2, 12}, {2, 2}, {12, 2}, {12, 12}, {2, 12}};
  TSheet t_sheet(15, 15);
  TBitmap& t = t_sheet.b;
  t.Canvas()->Pen()->SetStyle(TPenStyle::psClear);
  t.Canvas()->Polygon(twice);
  EXPECT_EQ(test::CountPixels(t, clRed), 0);
  t.Canvas()->SetPolyFillMode(TPolyFillMode::pfWinding);
  t.Canvas()->Polygon(twice);
  EXPECT_EQ(test::CountPixels(t, clRed), 100);

  // Two overlapping squares traced in opposite directions leave their
  // overlap empty under both rules.
  const TPoint opposite[] = {{0, 0}, {8, 0}, {8, 8}, {0, 8}, {0, 0}, {4, 4}, {4, 12}, {12, 12}, {12, 4}, {4, 4}};
  TSheet o_sheet(15, 15);
  TBitmap& o = o_sheet.b;
  o.Canvas()->Pen()->SetStyle(TPenStyle::psClear);
  o.Canvas()->SetPolyFillMode(TPolyFillMode::pfWinding);
  o.Canvas()->Polygon(opposite);
  EXPECT_EQ(o.Canvas()->Pixel(5, 5), clWhite);
  EXPECT_EQ(o.Canvas()->Pixel(2, 2), clRed);
  EXPECT_EQ(o.Canvas()->Pixel(10, 10), clRed);
}

TEST(FigurePolygon, TrianglesOfAFanCoverEachPixelOnce) {
  // Triangles sharing a centre and their edges tile the hexagon: filled in
  // xor, every pixel of the hexagon flips exactly once.
  const TPoint centre{19, 13};
  const TPoint ring[] = {{3, 2}, {25, 1}, {38, 12}, {30, 28}, {9, 27}, {1, 16}};
  TBitmap fan(40, 30), once(40, 30);
  test::Fill(fan, clBlack);
  test::Fill(once, clBlack);
  for (TBitmap* b : {&fan, &once}) {
    b->Canvas()->Pen()->SetStyle(TPenStyle::psClear);
    b->Canvas()->Pen()->SetMode(TPenMode::pmXor);
    b->Canvas()->Brush()->SetColor(clWhite);
  }
  for (size_t i = 0; i < 6; ++i) {
    const TPoint tri[] = {centre, ring[i], ring[(i + 1) % 6]};
    fan.Canvas()->Polygon(tri);
  }
  once.Canvas()->Polygon(ring);
  EXPECT_EQ(test::CountDifferentPixels(fan, once), 0);
  EXPECT_GT(test::CountPixels(once, clWhite), 500);
}

TEST(FigurePolygon, FewPointsAndTwoPointXor) {
  TBitmap b(12, 6);
  test::Fill(b, clBlack);
  TCanvas* c = b.Canvas();
  c->Pen()->SetMode(TPenMode::pmXor);
  c->Pen()->SetColor(clWhite);
  const TPoint one[] = {{3, 3}};
  const TPoint same[] = {{4, 4}, {4, 4}, {4, 4}};
  const TPoint two[] = {{1, 1}, {10, 4}};
  c->Polygon(one);
  c->Polygon(same);
  EXPECT_EQ(test::CountPixels(b, clWhite), 0);
  c->Polygon(two);  // there and back: the middle flips twice
  EXPECT_EQ(test::Picture(b, Rect(0, 0, 12, 6), clWhite, clBlack),
            "............\n"
            ".#..........\n"
            "............\n"
            "............\n"
            "..........#.\n"
            "............\n");
}

// Draws `draw` on a 30 x 30 bitmap clipped to `clip`, and unclipped; the
// clipped picture must be the unclipped one inside the clip and untouched
// outside.
template <class Draw>
void ExpectClipChangesNothingVisible(const TRect& clip, Draw&& draw, const std::string& what) {
  TBitmap full(30, 30), part(30, 30);
  for (TBitmap* b : {&full, &part}) {
    for (int y = 0; y < 30; ++y) {
      for (int x = 0; x < 30; ++x) b->ScanLine(y)[x] = RGBToPixel(TColor((x * 37 + y * 101) * 0x010307 & 0xFFFFFF));
    }
  }
  TBitmap before;
  before.Assign(full);
  part.Canvas()->SetClipRect(clip);
  draw(*full.Canvas());
  draw(*part.Canvas());
  int wrong = 0;
  for (int y = 0; y < 30; ++y) {
    for (int x = 0; x < 30; ++x) {
      const TBitmap& want = clip.Contains(x, y) ? full : before;
      wrong += part.ScanLine(y)[x] != want.ScanLine(y)[x];
    }
  }
  EXPECT_EQ(wrong, 0) << what;
}

TEST(FigureClipping, SmallFiguresAtEveryOffsetAcrossTheClipEdges) {
  const TRect clip = Rect(10, 10, 20, 20);
  const TPenStyle styles[] = {TPenStyle::psSolid, TPenStyle::psDot, TPenStyle::psClear};
  const TPenMode modes[] = {TPenMode::pmCopy, TPenMode::pmXor};
  for (TPenStyle style : styles) {
    for (TPenMode mode : modes) {
      auto setup = [&](TCanvas& c) {
        c.Pen()->SetStyle(style);
        c.Pen()->SetMode(mode);
        c.Pen()->SetColor(clAqua);
        c.Brush()->SetColor(clFuchsia);
      };
      for (int y = 4; y < 24; y += 1) {
        for (int x = 4; x < 24; x += 3) {
          const std::string at = "at " + std::to_string(x) + "," + std::to_string(y) + " style " +
                                 std::to_string(int(style)) + " mode " + std::to_string(int(mode));
          ExpectClipChangesNothingVisible(clip, [&](TCanvas& c) {
            setup(c);
            c.Rectangle(x, y, x + 3, y + 3);
            c.Rectangle(x + 1, y + 1, x + 6, y + 2);
          }, "rectangles " + at);
          ExpectClipChangesNothingVisible(clip, [&](TCanvas& c) {
            setup(c);
            const TPoint diamond[] = {{x, y - 3}, {x + 3, y}, {x, y + 3}, {x - 3, y}};
            c.Polygon(diamond);
            const TPoint outline[] = {{x, y - 3}, {x + 3, y}, {x, y + 3}, {x - 3, y}, {x, y - 3}};
            c.Polyline(outline);
          }, "diamond " + at);
        }
      }
    }
  }
}

TEST(FigureAllocations, WarmRectanglesPolygonsAndPolylinesAllocateNothing) {
  TBitmap b(200, 200);
  TCanvas* c = b.Canvas();
  std::vector<TPoint> big;
  for (int i = 0; i < 64; ++i) big.push_back(TPoint{(i * 53) % 190, (i * 71) % 190});
  const TPoint diamond[] = {{10, 7}, {13, 10}, {10, 13}, {7, 10}};
  auto work = [&] {
    for (TPolyFillMode mode : {TPolyFillMode::pfAlternate, TPolyFillMode::pfWinding}) {
      c->SetPolyFillMode(mode);
      c->Polygon(big);
      c->Polygon(diamond);
      c->Polyline(big);
      c->Rectangle(-5, 3, 50, 9);
      c->Rectangle(4, 4, 7, 7);
    }
  };
  work();
  EXPECT_EQ(test::AllocationsDuring(work), 0);
}

}  // namespace
}  // namespace korvo

namespace korvo {
namespace {

// A stamp paints what SetPixel paints for each of its pixels, in order, at
// every place around a clip and the surface's edges: rows as wide as 32
// pixels, two inks, a later row over an earlier one. A TStamp of the same
// rows paints the same (twice at each place: the second time from the runs
// the canvas made the first time). The second stamp has no two pixels of one
// ink side by side (an outline of single pixels).
TEST(StampRows, PaintWhatSetPixelPaintsEverywhereAroundTheClip) {
  const std::vector<TStampRow> runs = {{-2, -16, 0, 0xFFFFFFFFu}, {-1, -14, 1, 0x80000001u}, {0, 5, 0, 0x5u},
                                       {0, 6, 1, 0x1u},           {3, -12, 1, 0xF000000Fu}, {0, 4, 0, 0x7u},
                                       {-2, 0, 1, 0x2u}};
  const std::vector<TStampRow> singles = {{-3, -16, 0, 0x55555555u}, {-3, -15, 1, 0x15555555u}, {1, 2, 1, 0x1u},
                                          {1, 2, 0, 0x1u},           {2, -4, 1, 0x101u}};
  long checked = 0;
  for (const std::vector<TStampRow>* rows : {&runs, &singles}) {
    const TStamp stamp(*rows);
    TRect box{INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN};
    for (const TStampRow& r : *rows) {
      for (int i = 0; i < 32; ++i) {
        if ((r.Mask >> i & 1u) == 0) continue;
        box = TRect{std::min(box.Left, r.DX + i), std::min(box.Top, int(r.DY)), std::max(box.Right, r.DX + i + 1),
                    std::max(box.Bottom, r.DY + 1)};
      }
    }
    EXPECT_EQ(stamp.Box(), box);
    const TColor inks[2] = {clRed, clBlack};
    for (const bool clipped : {false, true}) {
      for (int y = -6; y <= 26; y += 4) {
        for (int x = -40; x <= 80; x += 7) {
          TBitmap ours(40, 20), theirs(40, 20), made(40, 20);
          for (TBitmap* b : {&ours, &theirs, &made}) {
            test::Fill(*b, clWhite);
            if (clipped) b->Canvas()->SetClipRect(Rect(9, 4, 31, 15));
          }
          const TStampInks pixels{ColorToPixel(clRed), ColorToPixel(clBlack)};
          ours.Canvas()->StampRows(TPoint{x, y}, *rows, box, pixels);
          for (int twice = 0; twice < 2; ++twice) made.Canvas()->Stamp(TPoint{x, y}, stamp, pixels);
          for (const TStampRow& r : *rows) {
            for (int i = 0; i < 32; ++i) {
              if (r.Mask >> i & 1u) theirs.Canvas()->SetPixel(x + r.DX + i, y + r.DY, inks[r.Ink]);
            }
          }
          ASSERT_EQ(Shape(ours), Shape(theirs)) << "at " << x << ", " << y << (clipped ? " clipped" : "");
          ASSERT_EQ(Shape(made), Shape(theirs)) << "TStamp at " << x << ", " << y << (clipped ? " clipped" : "");
          ++checked;
        }
      }
    }
  }
  EXPECT_EQ(checked, 2 * 2 * 9 * 18);
}

}  // namespace
}  // namespace korvo
