// Draw and StretchDraw: exact pixels, clipping at every edge with positions
// anywhere in the 32-bit range, mirroring, scaling, and bitmaps drawn onto
// their own canvas.
#include <gtest/gtest.h>

#include <climits>
#include <random>
#include <vector>

#include "platform/graphics/Bitmap.h"
#include "support/Golden.h"
#include "support/TestSupport.h"

namespace korvo::test {
namespace {

// A 3 x 2 source picture
//   a b c
//   d e f
// drawn onto white ('.') canvases.
constexpr TColor kA = clRed, kB = clLime, kC = clBlue, kD = clYellow, kE = clFuchsia, kF = clAqua;

std::string Show(const TBitmap& bmp) {
  return Picture(bmp, Rect(0, 0, bmp.Width(), bmp.Height()),
                 {{kA, 'a'}, {kB, 'b'}, {kC, 'c'}, {kD, 'd'}, {kE, 'e'}, {kF, 'f'}, {clWhite, '.'}});
}

void MakeSource(TBitmap& src) {
  src.SetSize(3, 2);
  const TColor colours[] = {kA, kB, kC, kD, kE, kF};
  for (int i = 0; i < 6; ++i) src.ScanLine(i / 3)[i % 3] = RGBToPixel(colours[i]);
}

void FillRandom(TBitmap& bmp, std::mt19937& rng) {
  for (int32_t y = 0; y < bmp.Height(); ++y)
    for (int32_t x = 0; x < bmp.Width(); ++x) bmp.ScanLine(y)[x] = 0xFF000000u | (rng() & 0xFFFFFF);
}

class Blit : public ::testing::Test {
 protected:
  void SetUp() override {
    MakeSource(src_);
    Fill(canvas_, clWhite);
  }
  TBitmap src_;
  TBitmap canvas_{8, 6};
  TCanvas& c() { return *canvas_.Canvas(); }
};

TEST_F(Blit, DrawCopiesAtThePoint) {
  c().Pen()->SetMode(TPenMode::pmXor);  // the pen mode does not apply
  c().Draw(2, 1, src_);
  EXPECT_EQ(Show(canvas_),
            "........\n"
            "..abc...\n"
            "..def...\n"
            "........\n"
            "........\n"
            "........\n");
}

TEST_F(Blit, DrawClipsAtAllFourEdges) {
  c().Draw(-1, -1, src_);  // top-left
  c().Draw(6, 5, src_);    // bottom-right
  c().Draw(-2, 3, src_);   // left only
  c().Draw(7, 2, src_);    // right only
  EXPECT_EQ(Show(canvas_),
            "ef......\n"
            "........\n"
            ".......a\n"
            "c......d\n"
            "f.......\n"
            "......ab\n");
}

TEST_F(Blit, DrawFarOutsideDrawsNothing) {
  const int32_t far[] = {INT32_MIN, INT32_MIN + 1, -4, -3, 8, 9, INT32_MAX - 2, INT32_MAX - 1, INT32_MAX};
  for (int32_t x : far) {
    c().Draw(x, 0, src_);
    c().Draw(0, x, src_);
    c().Draw(x, x, src_);
  }
  EXPECT_EQ(CountPixels(canvas_, clWhite), 48);
}

TEST_F(Blit, DrawKeepsToTheClipRect) {
  c().SetClipRect(Rect(3, 1, 5, 3));
  c().Draw(2, 0, src_);
  c().Draw(4, 2, src_);
  EXPECT_EQ(Show(canvas_),
            "........\n"
            "...ef...\n"
            "....a...\n"
            "........\n"
            "........\n"
            "........\n");
}

TEST_F(Blit, EmptyBitmapOrNoSurfaceDrawsNothing) {
  TBitmap empty;
  c().Draw(0, 0, empty);
  c().StretchDraw(Rect(0, 0, 8, 6), empty);
  EXPECT_EQ(CountPixels(canvas_, clWhite), 48);
  empty.Canvas()->Draw(0, 0, src_);
  empty.Canvas()->StretchDraw(Rect(0, 0, 4, 4), src_);
  EXPECT_TRUE(empty.Empty());
}

// A bitmap drawn onto its own canvas gives what a copy of it would give,
// in every direction of overlap.
TEST(BlitSelf, DrawOntoItsOwnCanvas) {
  std::mt19937 rng(7);
  for (int dx = -3; dx <= 3; ++dx) {
    for (int dy = -3; dy <= 3; ++dy) {
      TBitmap bmp(6, 5), copy, expected;
      FillRandom(bmp, rng);
      copy.Assign(bmp);
      expected.Assign(bmp);
      expected.Canvas()->Draw(dx, dy, copy);
      bmp.Canvas()->Draw(dx, dy, bmp);
      EXPECT_EQ(CountDifferentPixels(bmp, expected), 0) << dx << ", " << dy;
    }
  }
}

// A canvas whose surface views a bitmap's memory with another row length:
// the copy still reads every source pixel before it is overwritten.
TEST(BlitSelf, DrawOntoAnotherViewOfTheSamePixels) {
  std::mt19937 rng(5);
  for (int dx = -2; dx <= 2; ++dx) {
    TBitmap bmp(6, 4), copy, expected_memory;
    FillRandom(bmp, rng);
    copy.Assign(bmp);
    expected_memory.Assign(bmp);
    // Rows of 3 starting at the bitmap's second row: the first row drawn
    // lands on source row 1 before that row is read.
    TCanvas canvas, expected;
    canvas.SetSurface(TPixelSurface{bmp.ScanLine(1), 3, 6, 3});
    expected.SetSurface(TPixelSurface{expected_memory.ScanLine(1), 3, 6, 3});
    expected.Draw(dx, 0, copy);
    canvas.Draw(dx, 0, bmp);
    EXPECT_EQ(CountDifferentPixels(bmp, expected_memory), 0) << dx;
  }
}

TEST_F(Blit, StretchDoublesEachPixel) {
  c().StretchDraw(Rect(1, 1, 7, 5), src_);
  EXPECT_EQ(Show(canvas_),
            "........\n"
            ".aabbcc.\n"
            ".aabbcc.\n"
            ".ddeeff.\n"
            ".ddeeff.\n"
            "........\n");
}

// Column x shows source column (x - Left) * W / (Right - Left): 3 onto 5 is
// 0 0 1 1 2; 3 onto 2 is 0 1; 2 rows onto 3 are 0 0 1.
TEST_F(Blit, StretchPicksTheNearestPixelByTruncation) {
  c().StretchDraw(Rect(0, 0, 5, 3), src_);
  c().StretchDraw(Rect(6, 0, 8, 1), src_);
  EXPECT_EQ(Show(canvas_),
            "aabbc.ab\n"
            "aabbc...\n"
            "ddeef...\n"
            "........\n"
            "........\n"
            "........\n");
}

TEST(BlitStretch, ShrinkSkipsPixels) {
  TBitmap src(4, 4), dst(2, 2);
  for (int32_t y = 0; y < 4; ++y)
    for (int32_t x = 0; x < 4; ++x) src.ScanLine(y)[x] = 0xFF000000u | uint32_t(y * 16 + x);
  dst.Canvas()->StretchDraw(Rect(0, 0, 2, 2), src);
  EXPECT_EQ(dst.ScanLine(0)[0], 0xFF000000u);
  EXPECT_EQ(dst.ScanLine(0)[1], 0xFF000002u);
  EXPECT_EQ(dst.ScanLine(1)[0], 0xFF000020u);
  EXPECT_EQ(dst.ScanLine(1)[1], 0xFF000022u);
}

// A reversed rectangle mirrors; the picture then covers Right+1..Left, with
// source column 0 at Left.
TEST_F(Blit, ReversedRectanglesMirror) {
  c().StretchDraw(Rect(6, 0, 0, 2), src_);
  c().StretchDraw(Rect(0, 4, 3, 2), src_);
  c().StretchDraw(Rect(7, 5, 4, 3), src_);
  EXPECT_EQ(Show(canvas_),
            ".ccbbaa.\n"
            ".ffeedd.\n"
            "........\n"
            "def.....\n"
            "abc..fed\n"
            ".....cba\n");
}

TEST_F(Blit, EmptyRectangleDrawsNothing) {
  c().StretchDraw(Rect(3, 0, 3, 6), src_);
  c().StretchDraw(Rect(0, 2, 8, 2), src_);
  EXPECT_EQ(CountPixels(canvas_, clWhite), 48);
}

TEST_F(Blit, StretchWithFarCornersClipsWithoutOverflow) {
  c().StretchDraw(Rect(INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX), src_);
  // The canvas lies just past the middle of the huge rectangle: source
  // column 3 * 2^31 / (2^32 - 1) = 1, row 2 * 2^31 / (2^32 - 1) = 1.
  EXPECT_EQ(CountPixels(canvas_, kE), 48);
  // Mirrored, it lies just before the middle: column 1, row 0.
  c().StretchDraw(Rect(INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN), src_);
  EXPECT_EQ(CountPixels(canvas_, kB), 48);

  Fill(canvas_, clWhite);
  c().StretchDraw(Rect(INT32_MIN, 0, 4, 2), src_);   // left edge far out
  c().StretchDraw(Rect(4, 0, INT32_MAX, 2), src_);   // right edge far out
  c().StretchDraw(Rect(0, INT32_MIN, 2, 4), src_);   // top edge far out
  c().StretchDraw(Rect(6, 4, 8, INT32_MAX), src_);   // bottom edge far out
  EXPECT_EQ(Show(canvas_),
            "deccaaaa\n"
            "deffdddd\n"
            "de......\n"
            "de......\n"
            "......ab\n"
            "......ab\n");
}

TEST(BlitSelf, StretchOntoItsOwnCanvas) {
  std::mt19937 rng(11);
  const TRect rects[] = {Rect(0, 0, 12, 10), Rect(2, 1, 5, 3), Rect(5, 4, -3, -1), Rect(-2, 6, 7, 2)};
  for (const TRect& r : rects) {
    TBitmap bmp(6, 5), copy, expected;
    FillRandom(bmp, rng);
    copy.Assign(bmp);
    expected.Assign(bmp);
    expected.Canvas()->StretchDraw(r, copy);
    bmp.Canvas()->StretchDraw(r, bmp);
    EXPECT_EQ(CountDifferentPixels(bmp, expected), 0) << r.Left << " " << r.Top << " " << r.Right << " " << r.Bottom;
  }
}

// The pixel rules checked pixel by pixel against a direct reading of them,
// for random positions, rectangles and clip rectangles.
TEST(BlitProperty, MatchesThePixelRules) {
  std::mt19937 rng(2024);
  auto coord = [&](int32_t span) { return int32_t(rng() % uint32_t(3 * span)) - span; };
  for (int i = 0; i < 400; ++i) {
    TBitmap src(1 + int32_t(rng() % 7), 1 + int32_t(rng() % 7));
    FillRandom(src, rng);
    TBitmap dst(9, 7), before;
    FillRandom(dst, rng);
    before.Assign(dst);
    const TRect clip{coord(9), coord(7), coord(9), coord(7)};
    dst.Canvas()->SetClipRect(clip);
    const TRect visible{std::max(clip.Left, 0), std::max(clip.Top, 0), std::min(clip.Right, 9), std::min(clip.Bottom, 7)};

    const bool stretch = i % 2 == 1;
    const int32_t px = coord(9), py = coord(7);
    const TRect r{coord(9), coord(7), coord(9), coord(7)};
    if (stretch) {
      dst.Canvas()->StretchDraw(r, src);
    } else {
      dst.Canvas()->Draw(px, py, src);
    }
    // Source index of one axis, or -1 where the axis does not draw.
    auto stretch_index = [](int64_t p, int64_t from, int64_t to, int64_t size) -> int64_t {
      if (from == to) return -1;
      const bool inside = from < to ? (p >= from && p < to) : (p > to && p <= from);
      return inside ? (p - from) * size / (to - from) : -1;
    };
    for (int32_t y = 0; y < 7; ++y) {
      for (int32_t x = 0; x < 9; ++x) {
        int64_t sx, sy;
        if (stretch) {
          sx = stretch_index(x, r.Left, r.Right, src.Width());
          sy = stretch_index(y, r.Top, r.Bottom, src.Height());
        } else {
          sx = x - px < src.Width() ? x - px : -1;
          sy = y - py < src.Height() ? y - py : -1;
        }
        const bool drawn = visible.Contains(x, y) && sx >= 0 && sy >= 0;
        const TPixel want = drawn ? src.ScanLine(int32_t(sy))[sx] : before.ScanLine(y)[x];
        ASSERT_EQ(dst.ScanLine(y)[x], want) << "case " << i << " at " << x << ", " << y;
      }
    }
  }
}

// A scene of stretched copies, kept as a reference picture.
TEST(BlitGolden, StretchedScene) {
  TBitmap src(4, 3);
  for (int32_t y = 0; y < 3; ++y)
    for (int32_t x = 0; x < 4; ++x) src.ScanLine(y)[x] = RGBToPixel(RGB(uint8_t(x * 80), uint8_t(y * 120), 160));
  TBitmap scene(48, 32);
  Fill(scene, clWhite);
  TCanvas& c = *scene.Canvas();
  c.StretchDraw(Rect(1, 1, 23, 15), src);
  c.StretchDraw(Rect(47, 1, 25, 15), src);
  c.StretchDraw(Rect(1, 31, 23, 17), src);
  c.StretchDraw(Rect(30, 20, 33, 22), src);
  c.Draw(40, 24, src);
  ExpectMatchesGolden(scene, "platform/graphics/data/stretched_scene.png");
}

}  // namespace
}  // namespace korvo::test
