#include <gtest/gtest.h>

#include <algorithm>
#include <climits>

#include "base/korvobase.h"
#include "platform/graphics/Printer.h"
#include "support/TestSupport.h"

namespace korvo {
namespace {

constexpr TColor Ink = clNavy;
constexpr TColor Paper = clWhite;
constexpr TColor BrushAtEntry = clRed;  // shows as 'r' wherever a fill used the caller's brush colour

// A mark drawn at the centre (10, 10) of a 21 x 21 sheet; pictures show the
// offsets -4..+4 around the centre unless a test asks for more.
class MarkSheet : public ::testing::Test {
 protected:
  MarkSheet() : bmp_(21, 21) {
    test::Fill(bmp_, Paper);
    TCanvas* c = bmp_.Canvas();
    c->Pen()->SetColor(Ink);
    c->Brush()->SetColor(BrushAtEntry);
  }

  std::string Draw(uint8_t kind, int top = -4, int bottom = 4) {
    DrawMark(bmp_.Canvas(), kind, 10, 10);
    last_ = Around(top, bottom);
    return last_;
  }
  std::string Around(int top, int bottom) const {
    return test::Picture(bmp_, Rect(6, 10 + top, 15, 10 + bottom + 1), {{Ink, '#'}, {Paper, '.'}, {BrushAtEntry, 'r'}});
  }
  int Painted() const { return test::CountPixels(bmp_, Ink); }
  // Ink outside the last picture: a mark larger than it shows.
  int PaintedOutside() const { return Painted() - Count(last_); }
  static int Count(const std::string& picture) { return int(std::count(picture.begin(), picture.end(), '#')); }

  TBitmap bmp_;
  std::string last_;
};

TEST_F(MarkSheet, SinglePixel) {
  EXPECT_EQ(Draw(0),
            ".........\n"
            ".........\n"
            ".........\n"
            ".........\n"
            "....#....\n"
            ".........\n"
            ".........\n"
            ".........\n"
            ".........\n");
  EXPECT_EQ(Painted(), 1);
}

TEST_F(MarkSheet, SmallPlusIsFivePixelsWhateverThePenWidth) {
  const std::string plus =
      ".........\n"
      ".........\n"
      ".........\n"
      "....#....\n"
      "...###...\n"
      "....#....\n"
      ".........\n"
      ".........\n"
      ".........\n";
  EXPECT_EQ(Draw(1), plus);
  EXPECT_EQ(Painted(), 5);

  test::Fill(bmp_, Paper);
  bmp_.Canvas()->Pen()->SetWidth(5);
  EXPECT_EQ(Draw(1), plus);
  EXPECT_EQ(Painted(), 5);
}

TEST_F(MarkSheet, FilledSquaresUseThePenColourAndRestoreTheBrushColour) {
  EXPECT_EQ(Draw(7),
            ".........\n"
            ".........\n"
            ".........\n"
            "...###...\n"
            "...###...\n"
            "...###...\n"
            ".........\n"
            ".........\n"
            ".........\n");
  EXPECT_EQ(Painted(), 9);
  EXPECT_EQ(bmp_.Canvas()->Brush()->Color(), BrushAtEntry);

  test::Fill(bmp_, Paper);
  EXPECT_EQ(Count(Draw(9)), 49);
  EXPECT_EQ(Painted(), 49);
  EXPECT_EQ(bmp_.Canvas()->Brush()->Color(), BrushAtEntry);
}

TEST_F(MarkSheet, OutlinedSquareAndDiamondChains) {
  EXPECT_EQ(Draw(10),
            ".........\n"
            ".........\n"
            ".........\n"
            "...###...\n"
            "...#.#...\n"
            "...###...\n"
            ".........\n"
            ".........\n"
            ".........\n");
  test::Fill(bmp_, Paper);
  const std::string diamond = Draw(13);
  EXPECT_EQ(diamond,
            ".........\n"
            "....#....\n"
            "...#.#...\n"
            "..#...#..\n"
            ".#..#..#.\n"
            "..#...#..\n"
            "...#.#...\n"
            "....#....\n"
            ".........\n");
  test::Fill(bmp_, Paper);
  std::string withoutCentre = diamond;
  withoutCentre[4 * 10 + 4] = '.';
  EXPECT_EQ(Draw(19), withoutCentre);
}

TEST_F(MarkSheet, FilledDiamond) {
  EXPECT_EQ(Draw(14),
            ".........\n"
            ".........\n"
            "....#....\n"
            "...###...\n"
            "..#####..\n"
            "...###...\n"
            "....#....\n"
            ".........\n"
            ".........\n");
  EXPECT_EQ(bmp_.Canvas()->Brush()->Color(), BrushAtEntry);
}

TEST_F(MarkSheet, HollowCircleLeavesTheInsideAndSetsTheBrushSolid) {
  bmp_.Canvas()->Brush()->SetStyle(TBrushStyle::bsClear);
  EXPECT_EQ(Draw(16),
            ".........\n"
            ".........\n"
            "...###...\n"
            "..#...#..\n"
            "..#...#..\n"
            "..#...#..\n"
            "...###...\n"
            ".........\n"
            ".........\n");
  EXPECT_EQ(bmp_.Canvas()->Brush()->Style(), TBrushStyle::bsSolid);
  EXPECT_EQ(bmp_.Canvas()->Brush()->Color(), BrushAtEntry);
}

TEST_F(MarkSheet, FilledCircle) {
  EXPECT_EQ(Draw(24),
            ".........\n"
            "...###...\n"
            "..#####..\n"
            ".#######.\n"
            ".#######.\n"
            ".#######.\n"
            "..#####..\n"
            "...###...\n"
            ".........\n");
  EXPECT_EQ(PaintedOutside(), 0);
}

TEST_F(MarkSheet, CheckerboardOfTwentyFivePixelsWithItsCornersSet) {
  EXPECT_EQ(Draw(18),
            ".........\n"
            ".#.#.#.#.\n"
            "..#.#.#..\n"
            ".#.#.#.#.\n"
            "..#.#.#..\n"
            ".#.#.#.#.\n"
            "..#.#.#..\n"
            ".#.#.#.#.\n"
            ".........\n");
  EXPECT_EQ(Painted(), 25);
}

TEST_F(MarkSheet, BoldCrossOfSixLines) {
  EXPECT_EQ(Draw(25),
            ".........\n"
            ".##...##.\n"
            ".###.###.\n"
            "..#####..\n"
            "...###...\n"
            "..#####..\n"
            ".###.###.\n"
            ".##...##.\n"
            ".........\n");
  EXPECT_EQ(PaintedOutside(), 0);
}

TEST_F(MarkSheet, Triangles) {
  EXPECT_EQ(Draw(29),
            ".........\n"
            ".........\n"
            ".........\n"
            ".........\n"
            "..#####..\n"
            "...###...\n"
            "....#....\n"
            ".........\n"
            ".........\n");
  test::Fill(bmp_, Paper);
  bmp_.Canvas()->Brush()->SetStyle(TBrushStyle::bsClear);
  EXPECT_EQ(Draw(33),
            ".........\n"
            "#########\n"
            ".#.....#.\n"
            ".#.....#.\n"
            "..#...#..\n"
            "..#...#..\n"
            "...#.#...\n"
            "...#.#...\n"
            "....#....\n");
  EXPECT_EQ(PaintedOutside(), 0);
  EXPECT_EQ(bmp_.Canvas()->Brush()->Style(), TBrushStyle::bsSolid);
}

TEST_F(MarkSheet, PinReachesEightPixelsUp) {
  EXPECT_EQ(Draw(37, -8, 1),
            ".........\n"
            "....#....\n"
            "....#....\n"
            "....#....\n"
            "....#....\n"
            "....#....\n"
            "....#....\n"
            "....#....\n"
            ".#######.\n"
            ".........\n");
  EXPECT_EQ(PaintedOutside(), 0);
}

TEST_F(MarkSheet, SquareWithPlusIsHollowThenSolid) {
  bmp_.Canvas()->Brush()->SetStyle(TBrushStyle::bsClear);
  EXPECT_EQ(Draw(48),
            ".........\n"
            ".#######.\n"
            ".#..#..#.\n"
            ".#..#..#.\n"
            ".#######.\n"
            ".#..#..#.\n"
            ".#..#..#.\n"
            ".#######.\n"
            ".........\n");
  EXPECT_EQ(bmp_.Canvas()->Brush()->Style(), TBrushStyle::bsSolid);
}

TEST_F(MarkSheet, StarAndBrokenRingSetTheBrushSolid) {
  bmp_.Canvas()->Brush()->SetStyle(TBrushStyle::bsClear);
  EXPECT_EQ(Draw(50),
            "....#....\n"
            ".#..#..#.\n"
            "..#.#.#..\n"
            "...###...\n"
            "#########\n"
            "...###...\n"
            "..#.#.#..\n"
            ".#..#..#.\n"
            "....#....\n");
  EXPECT_EQ(bmp_.Canvas()->Brush()->Style(), TBrushStyle::bsSolid);

  test::Fill(bmp_, Paper);
  bmp_.Canvas()->Brush()->SetStyle(TBrushStyle::bsClear);
  EXPECT_EQ(Draw(51),
            "....#....\n"
            "...###...\n"
            "....#....\n"
            ".#..#..#.\n"
            "#########\n"
            ".#..#..#.\n"
            "....#....\n"
            "...###...\n"
            "....#....\n");
  EXPECT_EQ(PaintedOutside(), 0);
  EXPECT_EQ(bmp_.Canvas()->Brush()->Style(), TBrushStyle::bsSolid);
}

TEST_F(MarkSheet, FiguresAreClippedAtTheSheetsEdgeAndFarCentresDrawNothing) {
  DrawMark(bmp_.Canvas(), 9, 0, 0);
  EXPECT_EQ(Painted(), 16);
  test::Fill(bmp_, Paper);
  for (uint8_t kind : {1, 9, 25, 33, 50, 65}) {
    DrawMark(bmp_.Canvas(), kind, INT32_MAX, INT32_MIN);
    DrawMark(bmp_.Canvas(), kind, INT32_MIN, INT32_MAX);
  }
  EXPECT_EQ(Painted(), 0);
  DrawMark(nullptr, 9, 10, 10);
}

TEST(MarkGlyphTable, UnusedNumbersAndOutOfRangeGlyphsDrawNothing) {
  TBitmap bmp(9, 9);
  test::Fill(bmp, Paper);
  for (int glyph : {-1, 0, 7, 17, 19, 255}) DrawMarkGlyph(bmp.Canvas(), glyph, 4, 4, Ink);
  EXPECT_EQ(test::CountPixels(bmp, Ink), 0);
  DrawMarkGlyph(bmp.Canvas(), 6, 4, 4, Ink);
  EXPECT_EQ(test::Picture(bmp, Rect(1, 1, 8, 8), Ink, Paper),
            "#.....#\n"
            ".#...#.\n"
            "..#.#..\n"
            "...#...\n"
            "..#.#..\n"
            ".#...#.\n"
            "#.....#\n");
}

// On the printer's page the pixel glyphs become strokes of the pen.
class PrinterMark : public ::testing::Test {
 protected:
  std::string Draw(uint8_t kind, int penWidth) {
    TPrinter* printer = Printer();
    printer->BeginDoc();
    TCanvas* page = printer->Canvas();
    page->Pen()->SetColor(Ink);
    page->Pen()->SetWidth(penWidth);
    DrawMark(page, kind, 10, 10);
    page->Pen()->SetWidth(1);
    printer->EndDoc();
    EXPECT_EQ(printer->Pages().size(), 1u);
    const TBitmap& sheet = *printer->Pages().front();
    painted_ = test::CountPixels(sheet, Ink);
    return test::Picture(sheet, Rect(6, 6, 15, 15), Ink, Paper);
  }
  int painted_ = 0;
};

TEST_F(PrinterMark, SmallPlusIsTwoLines) {
  EXPECT_EQ(Draw(1, 1),
            ".........\n"
            ".........\n"
            "....#....\n"
            "....#....\n"
            "..####...\n"
            "....#....\n"
            ".........\n"
            ".........\n"
            ".........\n");
  EXPECT_EQ(painted_, 7);
}

TEST_F(PrinterMark, CheckerboardIsTwentyFiveDotsOfTheWidePen) {
  // A 2-pixel dot covers the 2 x 2 pixels cx - 1..cx by cy - 1..cy, so the
  // dots of the checkerboard, two pixels apart, close into a square.
  EXPECT_EQ(Draw(18, 2),
            "########.\n"
            "########.\n"
            "########.\n"
            "########.\n"
            "########.\n"
            "########.\n"
            "########.\n"
            "########.\n"
            ".........\n");
}

TEST_F(PrinterMark, BoldCrossUsesShorterStrokes) {
  EXPECT_EQ(Draw(25, 1),
            ".........\n"
            ".##......\n"
            ".###.##..\n"
            "..#####..\n"
            "...###...\n"
            "..#####..\n"
            ".###.##..\n"
            ".##......\n"
            ".........\n");
}

// Character marks are compared with the same character written by TextOut at
// the centred position on a second sheet.
class CharacterMark : public ::testing::Test {
 protected:
  CharacterMark() : mark_(40, 40), expected_(40, 40) {
    test::Fill(mark_, Paper);
    test::Fill(expected_, Paper);
    mark_.Canvas()->Pen()->SetColor(Ink);
    mark_.Canvas()->Brush()->SetColor(BrushAtEntry);
    mark_.Canvas()->Font()->SetColor(clBlack);
  }
  void Write(TBitmap& bmp, std::string_view text) {
    TCanvas* c = bmp.Canvas();
    test::Fill(bmp, Paper);
    c->Font()->SetColor(Ink);
    c->Brush()->SetStyle(TBrushStyle::bsClear);
    const int32_t w = c->TextWidth(text);
    const int32_t h = c->TextHeight(text);
    c->TextOut(20 - w / 2, 20 - h / 2, text);
  }
  TBitmap mark_;
  TBitmap expected_;
};

TEST_F(CharacterMark, LetterDigitAndCodeMarksAreCentredCharacters) {
  const struct {
    uint8_t kind;
    std::string_view text;
    std::string_view other;  // what a wrong choice of character would draw
  } cases[] = {{65, "A", "B"},
               {203, "3", "\xC3\x8B"},
               {52, "4", "3"},
               {128, "\xE2\x82\xAC", "\xC2\x80"},  // the euro sign of the Western code page
               {176, "\xC2\xB0", "\xC2\xB1"}};      // the degree sign
  for (const auto& c : cases) {
    SCOPED_TRACE(int(c.kind));
    test::Fill(mark_, Paper);
    DrawMark(mark_.Canvas(), c.kind, 20, 20);
    EXPECT_GT(test::CountPixels(mark_, Paper), 0);
    EXPECT_LT(test::CountPixels(mark_, Paper), 40 * 40 - 5);
    Write(expected_, c.text);
    EXPECT_EQ(test::CountDifferentPixels(mark_, expected_), 0);
    Write(expected_, c.other);
    EXPECT_GT(test::CountDifferentPixels(mark_, expected_), 0);
  }
}

TEST_F(CharacterMark, LeavesFontInPenColourAndBrushClearWithItsColourUntouched) {
  DrawMark(mark_.Canvas(), 65, 20, 20);
  TCanvas* c = mark_.Canvas();
  EXPECT_EQ(c->Font()->Color(), Ink);
  EXPECT_EQ(c->Brush()->Style(), TBrushStyle::bsClear);
  EXPECT_EQ(c->Brush()->Color(), BrushAtEntry);
  EXPECT_EQ(test::CountPixels(mark_, BrushAtEntry), 0);
}

}  // namespace
}  // namespace korvo
