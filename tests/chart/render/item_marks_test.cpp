// Marks: ckMark in world and pixel mode with its visibility rules, the
// duplicate-mark grid, and ckErrorMark.
#include <random>

#include "base/Marks.h"
#include "chart/render/item_fixture.h"

namespace korvo::test {
namespace {

using Marks = ItemChart;

TEST_F(Marks, GlyphCentredOnTheWorldPoint) {
  chart.SetDataColor(clRed);
  chart.MarkAt(50, 50, 2);
  chart.MarkAt(20, 70, 14);
  Render();
  Ref()->Pen()->SetColor(clRed);
  DrawMark(Ref(), 2, 50, 50);
  DrawMark(Ref(), 14, 20, 30);
  EXPECT_EQ(Differences(), 0);
  EXPECT_EQ(Picture(bmp, {47, 47, 54, 54}, clRed, clWhite),
            ".......\n"
            "...#...\n"
            "...#...\n"
            ".#####.\n"
            "...#...\n"
            "...#...\n"
            ".......\n");
}

TEST_F(Marks, AWorldMarkOutsideItsRangesIsLeftOutWhileALineIsNot) {
  chart.MarkAt(102, 40, 0);
  chart.Line(102, 60, 102, 60);
  chart.MarkAt(100, 20, 0);  // the ends of the range belong to it
  chart.MarkAt(50, -0.01, 0);
  chart.MarkAt(NaN, 50, 0);
  TBitmap big(150, 150);
  Fill(big, clWhite);
  SnapshotBeforeFrame(big);
  chart.RenderData(big.Canvas(), 0, 0, false, true);
  EXPECT_EQ(PixelAt(before, 102, 40), clBlack) << "the line's pixel";
  EXPECT_EQ(PixelAt(before, 100, 80), clBlack) << "the mark at RangeHigh";
  EXPECT_EQ(CountPixels(before, clBlack), 2);
}

TEST_F(Marks, RangesInEitherOrder) {
  chart.ApplyLayerRange(1, false, 100, 0, 0, 100, false);  // x mirrored
  chart.MarkAt(30, 50, 0);
  Render();
  EXPECT_EQ(PixelAt(bmp, 70, 50), clBlack);
}

TEST_F(Marks, PixelMarksOnlyInsideThePlotArea) {
  chart.SetAnnotationMode(true);
  chart.MarkAt(100, 100, 0, TCoordMode::cmPixel);
  chart.MarkAt(0, 0, 0, TCoordMode::cmXWorldYPixel);  // every mode but world reads pixels
  chart.MarkAt(100.5, 50, 0, TCoordMode::cmPixel);
  chart.MarkAt(-0.5, 50, 0, TCoordMode::cmPixel);
  chart.MarkAt(50, NaN, 0, TCoordMode::cmPixel);
  TBitmap big(300, 300);
  Fill(big, clWhite);
  SnapshotBeforeFrame(big);
  chart.RenderData(big.Canvas(), 100, 100, false, true);
  EXPECT_EQ(PixelAt(before, 200, 200), clBlack);
  EXPECT_EQ(PixelAt(before, 100, 100), clBlack);
  EXPECT_EQ(CountPixels(before, clBlack), 2);
}

// A list of marks mixed with what ends or skips a run of them (other
// colours, fills, pen styles and widths, layers, a hidden class and layer,
// character and pixel marks, points out of range, NaN, polyline points),
// drawn once as the pass draws it and once item by item (a handler, even one
// that changes nothing, sends every item through the dispatch): the same
// pixels, in colour and in monochrome, with and without the duplicate-mark
// grid.
TEST_F(Marks, RunsOfMarksDrawWhatTheItemsDrawOneByOne) {
  chart.ApplyLayerRange(2, false, 100, 0, 0, 100, false);  // mirrored in x
  chart.SetClassVisible(3, false);
  chart.SetLayerVisible(4, false);
  std::mt19937 rng(7);
  const auto pick = [&](int n) { return int(rng() % unsigned(n)); };
  const TColor colours[] = {clRed, clBlue, clNavy};
  for (int i = 0; i < 600; ++i) {
    const int run = 1 + pick(6);
    chart.SetDataColor(colours[pick(3)]);
    chart.SetFillColor(colours[pick(3)]);
    chart.SetPenStyle(pick(5) == 0 ? TPenStyle::psDot : TPenStyle::psSolid);
    chart.SetLineWidth(uint8_t(pick(6) == 0 ? 2 : 1));
    chart.SetCurrentLayer(1 + pick(4));
    chart.SetClassDefault(uint8_t(pick(5) == 0 ? 3 : 1));
    for (int k = 0; k < run; ++k) {
      const double x = pick(12) == 0 ? NaN : -5.0 + pick(111), y = -5.0 + pick(111);
      switch (pick(10)) {
        case 0:
          chart.DrawTo(x, y);
          break;
        case 1:
          chart.MarkAt(x, y, uint8_t(52 + pick(4)));
          break;
        case 2:
          chart.MarkAt(x, y, uint8_t(pick(52)), TCoordMode::cmPixel);
          break;
        default:
          chart.MarkAt(x, y, uint8_t(pick(52)));
      }
    }
  }
  for (const bool monochrome : {false, true}) {
    for (const bool avoidDuplicates : {false, true}) {
      chart.SetAvoidDuplicateMarks(avoidDuplicates);
      chart.OnBeforeRenderChartItem = nullptr;
      TBitmap runs;
      runs.Assign(Render(monochrome));
      EXPECT_GT(CountPixels(runs, clWhite), 0);
      EXPECT_LT(CountPixels(runs, clWhite), 101 * 101 * 9 / 10) << "marks were drawn";
      chart.OnBeforeRenderChartItem = [](TObject*, TpwChartItem&, int, bool) {};
      EXPECT_EQ(CountDifferentPixels(Render(monochrome), runs), 0)
          << (monochrome ? "monochrome" : "colour") << (avoidDuplicates ? ", duplicates avoided" : "");
    }
  }
}

// The duplicate-mark grid, d = 1: glyph 5 at (10, 10) claims 9..11 x 9..11.
class DuplicateMarks : public ItemChart {
 protected:
  DuplicateMarks() {
    chart.SetAvoidDuplicateMarks(true);
    chart.SetAnnotationMode(true);
  }
  void Mark(double x, double y, uint8_t glyph, TColor colour) {
    chart.SetDataColor(colour);
    chart.MarkAt(x, y, glyph, TCoordMode::cmPixel);
  }
};

TEST_F(DuplicateMarks, GlyphsSuppressOnlyTheirOwnKind) {
  Mark(10, 10, 5, clBlack);
  Mark(11, 11, 5, clRed);    // claimed by the first: left out
  Mark(11, 11, 6, clBlue);   // another glyph: drawn, claims 10..12 x 10..12
  Mark(11, 10, 5, clGreen);  // the glyph-6 mark took that cell over: drawn
  Render();
  Ref()->Pen()->SetColor(clBlack);
  DrawMark(Ref(), 5, 10, 10);
  Ref()->Pen()->SetColor(clBlue);
  DrawMark(Ref(), 6, 11, 11);
  Ref()->Pen()->SetColor(clGreen);
  DrawMark(Ref(), 5, 11, 10);
  EXPECT_EQ(Differences(), 0);
  EXPECT_EQ(CountPixels(bmp, clRed), 0);
}

TEST_F(DuplicateMarks, WithoutTheOtherGlyphTheThirdMarkIsLeftOutToo) {
  Mark(10, 10, 5, clBlack);
  Mark(11, 11, 5, clRed);
  Mark(11, 10, 5, clGreen);
  Mark(12, 12, 5, clBlue);  // (12, 12) is outside the first mark's square
  Render();
  EXPECT_EQ(CountPixels(bmp, clRed) + CountPixels(bmp, clGreen), 0);
  EXPECT_GT(CountPixels(bmp, clBlue), 0);
}

TEST_F(DuplicateMarks, DistanceWidensTheClaimAndIsKeptWithinOneToThree) {
  chart.SetMinDupMarkDist(7);
  EXPECT_EQ(chart.MinDupMarkDist(), 3);
  Mark(50, 50, 7, clBlack);
  Mark(53, 47, 7, clRed);   // within 3: left out
  Mark(54, 50, 7, clBlue);  // 4 away: drawn
  Render();
  EXPECT_EQ(CountPixels(bmp, clRed), 0);
  EXPECT_EQ(CountPixels(bmp, clBlue), 9);
  chart.SetMinDupMarkDist(0);
  EXPECT_EQ(chart.MinDupMarkDist(), 1);
  chart.SetMinDupMarkDist(-4);
  EXPECT_EQ(chart.MinDupMarkDist(), 1);
}

TEST_F(DuplicateMarks, EveryRenderStartsWithAFreeGrid) {
  Mark(30, 30, 9, clBlack);
  Render();
  Render();
  EXPECT_EQ(CountPixels(bmp, clBlack), 49);
  chart.SetAvoidDuplicateMarks(false);
  Mark(30, 30, 9, clRed);
  Render();
  EXPECT_EQ(CountPixels(bmp, clRed), 49) << "without the grid the second mark covers the first";
}

TEST_F(DuplicateMarks, MarksOffTheGridAreDrawnWithoutTheTest) {
  // The grid covers the control (120 x 120) widened by d; on a larger
  // canvas with the plot area moved to (400, 20) both marks lie beyond it.
  Mark(50, 50, 9, clBlack);
  Mark(50, 50, 9, clRed);
  TBitmap big(600, 200);
  Fill(big, clWhite);
  chart.RenderData(big.Canvas(), 400, 20, false, true);
  EXPECT_EQ(CountPixels(big, clRed), 49);
  Fill(big, clWhite);
  chart.RenderData(big.Canvas(), -400, -400, false, true);  // above and left of the grid
  chart.RenderData(big.Canvas(), 20, 20, false, true);      // on it: the second is left out
  EXPECT_EQ(CountPixels(big, clRed), 0);
}

TEST_F(DuplicateMarks, MarksAtTheGridsEdgeClaimOnlyCellsOnIt) {
  chart.SetMinDupMarkDist(3);
  // Plot pixel (100, 100) at canvas (122, 122): the grid's last cell with
  // d = 3; the claimed square reaches three cells beyond it.
  Mark(100, 100, 8, clBlack);
  Mark(100, 100, 8, clRed);
  Mark(0, 0, 8, clBlack);
  Mark(0, 0, 8, clRed);
  TBitmap big(200, 200);
  Fill(big, clWhite);
  chart.RenderData(big.Canvas(), 22, 22, false, true);
  EXPECT_EQ(CountPixels(big, clRed), 0);
  Fill(big, clWhite);
  chart.RenderData(big.Canvas(), -3, -3, false, true);  // (0, 0) at canvas (-3, -3): cell (0, 0)
  EXPECT_EQ(CountPixels(big, clRed), 0);
}

// ---- error marks -------------------------------------------------------------------

using ErrorMarks = ItemChart;

TEST_F(ErrorMarks, VerticalBarWithCrossLinesAndGlyph) {
  chart.SetDataColor(clRed);
  chart.ErrorMark(50, 50, 10, 20, 0);
  Render();
  Ref()->Pen()->SetColor(clRed);
  Ref()->Brush()->SetColor(clSilver);
  for (int row : {60, 30}) {
    Ref()->MoveTo(50, 50);
    Ref()->LineTo(50, row);
    Ref()->MoveTo(47, row);
    Ref()->LineTo(54, row);
  }
  DrawMark(Ref(), 0, 50, 50);
  EXPECT_EQ(Differences(), 0);
  EXPECT_EQ(Picture(bmp, {46, 59, 55, 61}, clRed, clWhite),
            "....#....\n"
            ".#######.\n");
}

TEST_F(ErrorMarks, HorizontalBarReachesBelowLeftAndAboveRight) {
  chart.ErrorMark(50, 50, 5, -8, 7, true);  // absolute values: 5 left, 8 right
  Render();
  Ref()->Pen()->SetColor(clBlack);
  Ref()->Brush()->SetColor(clSilver);
  for (int col : {45, 58}) {
    Ref()->MoveTo(50, 50);
    Ref()->LineTo(col, 50);
    Ref()->MoveTo(col, 47);
    Ref()->LineTo(col, 54);
  }
  DrawMark(Ref(), 7, 50, 50);
  EXPECT_EQ(Differences(), 0);
}

TEST_F(ErrorMarks, LeftOutUnlessTheBarTouchesTheRanges) {
  chart.ErrorMark(150, 50, 10, 20, 0);  // x interval 140..170
  chart.ErrorMark(50, -40, 10, 20, 0);  // y interval -50..-20
  chart.ErrorMark(108, 50, 10, 0, 0, true);  // 98..108: reaches into the plot
  Render();
  EXPECT_EQ(CountPixels(bmp, clBlack), 8) << "the cross line at column 98 and the bar's pixel at 99";
}

// A character mark writes in the pen colour; the font colour it leaves is
// the one a later text item is compared against.
TEST_F(Marks, CharacterMarkLeavesTheFontColourKnown) {
  chart.SetAnnotationMode(true);
  chart.SetAnnotationTextsOnTop(false);  // in list order
  chart.TextAt(20, 20, "W", TCoordMode::cmPixel);
  chart.SetDataColor(clRed);
  chart.MarkAt(50, 50, 'A', TCoordMode::cmPixel);
  chart.SetDataColor(clBlack);
  chart.TextAt(80, 80, "W", TCoordMode::cmPixel);
  Render();
  int reddish = 0;
  for (int y = 65; y < 95; ++y) {
    for (int x = 65; x < 95; ++x) {
      const TColor c = PixelAt(bmp, x, y);
      reddish += GetRValue(c) > GetGValue(c) + 40;
    }
  }
  EXPECT_EQ(reddish, 0);
  int markPixels = 0;
  for (int y = 40; y < 60; ++y) {
    for (int x = 40; x < 60; ++x) markPixels += PixelAt(bmp, x, y) != clWhite;
  }
  EXPECT_GT(markPixels, 5) << "the mark itself";
}

}  // namespace
}  // namespace korvo::test
