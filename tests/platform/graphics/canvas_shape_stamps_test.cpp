// Polygons of a shape drawn again and again are replayed from a recording;
// these tests hold the replay to the pixels each figure paints when drawn
// on its own (a fresh canvas, which has recorded nothing).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/graphics/Bitmap.h"
#include "support/AllocationCounter.h"
#include "support/TestSupport.h"

namespace korvo {
namespace {

struct TShapeCase {
  const char* name;
  std::vector<TPoint> points;  // offsets from the position drawn at
};

// Convex marks (seven vertices at most are recorded), a star that crosses
// itself (the two fill rules differ), one reaching the recorded offsets'
// limits, degenerate ones, and three that are not recorded: a comb of eight
// vertices that is not y-monotone, and two too large.
const std::vector<TShapeCase>& Shapes() {
  static const std::vector<TShapeCase> shapes = {
      {"diamond", {{-4, 0}, {0, 4}, {4, 0}, {0, -4}}},
      {"triangle", {{0, -5}, {5, 4}, {-6, 3}}},
      {"heptagon", {{0, -6}, {5, -3}, {6, 2}, {2, 6}, {-3, 6}, {-6, 2}, {-5, -3}}},
      {"limits", {{0, 0}, {16, 3}, {1, 16}, {-15, -15}}},
      {"star", {{0, -9}, {5, 8}, {-8, -3}, {8, -3}, {-5, 8}}},
      {"comb", {{-6, -6}, {-3, 6}, {0, -2}, {3, 6}, {6, -6}, {7, 7}, {-7, 7}, {-7, -7}}},
      {"point", {{0, 0}}},
      {"segment", {{-3, 1}, {4, -2}}},
      {"flat", {{-5, 0}, {5, 0}, {0, 0}}},
      {"wide", {{-16, 0}, {16, 0}, {0, 3}}},
      {"far", {{0, 0}, {2, 40}, {-2, 40}}},
  };
  return shapes;
}

void SetUpCanvas(TCanvas& c, TPenStyle style, bool filled, TPolyFillMode mode, int colour) {
  c.Pen()->SetStyle(style);
  c.Pen()->SetColor(TColor(0x102030 + colour * 0x050301));
  c.Brush()->SetStyle(filled ? TBrushStyle::bsSolid : TBrushStyle::bsClear);
  c.Brush()->SetColor(TColor(0x302010 + colour * 0x010305));
  c.SetPolyFillMode(mode);
}

// Each shape in every pen style, brush and fill rule, drawn across a clip
// and the surface's edges with the colours changing at every figure: one
// canvas draws them all (and replays what it recorded), the other draws
// each figure with a canvas of its own.
TEST(ShapeStamps, RepeatedShapesPaintWhatEachFigurePaintsAlone) {
  const TRect clip = Rect(7, 5, 53, 38);
  const TPenStyle styles[] = {TPenStyle::psSolid, TPenStyle::psDash, TPenStyle::psDot, TPenStyle::psInsideFrame,
                              TPenStyle::psClear};
  for (const TShapeCase& shape : Shapes()) {
    TBitmap replayed(60, 44), alone(60, 44);
    test::Fill(replayed, clWhite);
    test::Fill(alone, clWhite);
    TCanvas* ours = replayed.Canvas();
    ours->SetClipRect(clip);
    int colour = 0;
    for (TPenStyle style : styles) {
      for (const bool filled : {true, false}) {
        for (TPolyFillMode mode : {TPolyFillMode::pfAlternate, TPolyFillMode::pfWinding}) {
          for (int y = -4; y <= 48; y += 13) {
            for (int x = -6; x <= 66; x += 9) {
              std::vector<TPoint> at;
              for (const TPoint& p : shape.points) at.push_back(TPoint{x + p.X, y + p.Y});
              SetUpCanvas(*ours, style, filled, mode, colour);
              ours->Polygon(at);
              TCanvas single;
              single.SetSurface(alone.Canvas()->Surface());
              single.SetClipRect(clip);
              SetUpCanvas(single, style, filled, mode, colour);
              single.Polygon(at);
              ++colour;
            }
          }
          long wrong = 0;
          for (int y = 0; y < 44; ++y) {
            for (int x = 0; x < 60; ++x) wrong += replayed.ScanLine(y)[x] != alone.ScanLine(y)[x];
          }
          ASSERT_EQ(wrong, 0) << shape.name << " pen style " << int(style) << (filled ? " filled" : " hollow")
                              << " fill rule " << int(mode);
        }
      }
    }
  }
}

// Copy-mode figures only: an xor pen after the same shape in copy mode
// flips the pixels under it, and a wide pen reaches past the vertices' box.
TEST(ShapeStamps, XorAndWidePensAfterARecordedShapeDrawTheirOwnFigure) {
  const TPoint diamond[] = {{10, 6}, {14, 10}, {10, 14}, {6, 10}};
  TBitmap replayed(24, 24), alone(24, 24);
  test::Fill(replayed, clWhite);
  test::Fill(alone, clWhite);
  for (int round = 0; round < 3; ++round) replayed.Canvas()->Polygon(diamond);
  alone.Canvas()->Polygon(diamond);
  for (TBitmap* b : {&replayed, &alone}) {
    b->Canvas()->Pen()->SetMode(TPenMode::pmXor);
    b->Canvas()->Pen()->SetColor(clYellow);
    b->Canvas()->Polygon(diamond);
    b->Canvas()->Pen()->SetMode(TPenMode::pmCopy);
    b->Canvas()->Pen()->SetWidth(3);
    b->Canvas()->Pen()->SetColor(clGreen);
    b->Canvas()->Polygon(diamond);
  }
  long wrong = 0;
  for (int y = 0; y < 24; ++y) {
    for (int x = 0; x < 24; ++x) wrong += replayed.ScanLine(y)[x] != alone.ScanLine(y)[x];
  }
  EXPECT_EQ(wrong, 0);
}

// A recorded shape stays right on a surface of another width (its pixel
// offsets depend on the distance between rows) and in system colours.
TEST(ShapeStamps, AnotherSurfaceWidthAndSystemColours) {
  const TPoint diamond[] = {{10, 6}, {14, 10}, {10, 14}, {6, 10}};
  std::vector<TPixel> narrow(24 * 24, RGBToPixel(clWhite));
  TBitmap replayed(40, 24), alone(40, 24);
  test::Fill(replayed, clWhite);
  test::Fill(alone, clWhite);
  TCanvas* ours = replayed.Canvas();
  const TPixelSurface wide = ours->Surface();
  ours->SetSurface(TPixelSurface{narrow.data(), 24, 24, 24});
  for (int round = 0; round < 3; ++round) ours->Polygon(diamond);
  ours->SetSurface(wide);
  auto draw = [&](TCanvas& c) {
    c.Polygon(diamond);
    const TPoint moved[] = {{30, 6}, {34, 10}, {30, 14}, {26, 10}};
    c.Pen()->SetColor(clBtnShadow);
    c.Brush()->SetColor(clHighlight);
    c.Polygon(moved);
  };
  draw(*ours);
  TCanvas single;
  single.SetSurface(alone.Canvas()->Surface());
  draw(single);
  long wrong = 0;
  for (int y = 0; y < 24; ++y) {
    for (int x = 0; x < 40; ++x) wrong += replayed.ScanLine(y)[x] != alone.ScanLine(y)[x];
  }
  EXPECT_EQ(wrong, 0);
  EXPECT_EQ(replayed.Canvas()->Pixel(30, 10), ColorToRGB(clHighlight));
}

// Replaying allocates nothing, and neither do shapes that never come twice
// in a row (they are not recorded).
TEST(ShapeStamps, ReplayAndOneOffShapesAllocateNothing) {
  TBitmap b(100, 100);
  TCanvas* c = b.Canvas();
  const TPoint diamond[] = {{10, 6}, {14, 10}, {10, 14}, {6, 10}};
  const TPoint triangle[] = {{30, 6}, {34, 14}, {26, 14}};
  for (int i = 0; i < 2; ++i) c->Polygon(diamond);
  for (int i = 0; i < 2; ++i) c->Polygon(triangle);
  EXPECT_EQ(test::AllocationsDuring([&] {
              for (int i = 0; i < 50; ++i) {
                c->Polygon(diamond);
                c->Polygon(triangle);
                const TPoint one_off[] = {{50, 50}, {60 + i % 7, 52}, {55, 58 + i % 5}};
                c->Polygon(one_off);
              }
            }),
            0);
}

}  // namespace
}  // namespace korvo
