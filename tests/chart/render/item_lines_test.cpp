// Line kinds: ckLine, ckShiftedLine, ckVector, ckVertLine, ckHorizLine and
// the polyline kinds ckMoveTo, ckDrawTo, ckMoveRel, ckDrawRel with their
// coordinate modes, clamping and batching.
#include <algorithm>
#include <random>

#include "chart/render/item_fixture.h"

namespace korvo::test {
namespace {

using Lines = ItemChart;

TEST_F(Lines, LineInEveryModeItReads) {
  chart.SetAnnotationMode(true);
  chart.Line(10, 90, 40, 80);                          // world (10, 10) - (40, 20)
  chart.Line(5, 30, 60, 40, TCoordMode::cmPixel);      // pixels
  chart.Line(20, 50, 70, 90, TCoordMode::cmWorldPixel);  // (20, 50) - pixel (70, 90)
  chart.Line(90, 10, 30, 5, TCoordMode::cmPixelWorld);   // pixel (90, 10) - (30, 95)
  Render();
  Ref()->Pen()->SetColor(clBlack);
  for (auto [a, b] : {std::pair{TPoint{10, 10}, TPoint{40, 20}}, std::pair{TPoint{5, 30}, TPoint{60, 40}},
                      std::pair{TPoint{20, 50}, TPoint{70, 90}}, std::pair{TPoint{90, 10}, TPoint{30, 95}}}) {
    Ref()->MoveTo(a.X, a.Y);
    Ref()->LineTo(b.X, b.Y);
  }
  EXPECT_EQ(Differences(), 0);
  EXPECT_GT(CountPixels(bmp, clBlack), 150);
}

TEST_F(Lines, ModesALineDoesNotDefineReadAsWorld) {
  chart.Line(10, 90, 40, 80);
  chart.OnBeforeRenderChartItem = [](TObject*, TpwChartItem& item, int, bool) {
    item.CoordMode = uint8_t(TCoordMode::cmXPixelYWorld);
  };
  Render();
  Ref()->Pen()->SetColor(clBlack);
  Ref()->MoveTo(10, 10);
  Ref()->LineTo(40, 20);
  EXPECT_EQ(Differences(), 0);
}

TEST_F(Lines, EqualEndsDrawOnePixelAndTheEndPointIsLeftOut) {
  chart.Line(50, 50, 50, 50);
  chart.Line(10, 90, 13, 90);
  Render();
  EXPECT_EQ(Pic({8, 9, 16, 12}),
            "........\n"
            "..###...\n"
            "........\n");
  EXPECT_EQ(PixelAt(bmp, 50, 50), clBlack);
  EXPECT_EQ(CountPixels(bmp, clBlack), 4);
}

TEST_F(Lines, PenWidthAndStyleOfTheItem) {
  chart.SetLineWidth(3);
  chart.SetPenStyle(TPenStyle::psDot);
  chart.Line(10, 50, 90, 50);
  chart.SetLineWidth(1);
  chart.SetFillColor(clYellow);
  chart.Line(10, 20, 90, 20);  // dotted: the gaps take the item's fill colour
  Render();
  Ref()->Pen()->SetColor(clBlack);
  Ref()->Pen()->SetWidth(3);
  Ref()->Pen()->SetStyle(TPenStyle::psDot);
  Ref()->Brush()->SetColor(clSilver);
  Ref()->MoveTo(10, 50);
  Ref()->LineTo(90, 50);
  Ref()->Pen()->SetWidth(1);
  Ref()->Brush()->SetColor(clYellow);
  Ref()->MoveTo(10, 80);
  Ref()->LineTo(90, 80);
  EXPECT_EQ(Differences(), 0);
  EXPECT_EQ(Picture(bmp, {10, 80, 20, 81}, {{clBlack, '#'}, {clYellow, 'y'}}), "###yyy###y\n");
}

TEST_F(Lines, FarPointsAreClampedBeforeDrawing) {
  // (40000, -1e9) maps to pixel (40000, 1e9 + 100): clamped to (30000,
  // 30000), so the line runs at 45 degrees instead of straight down.
  chart.Line(0, 100, 40000, -1e9);
  chart.Line(0, 50, 1e308, 50);
  Render();
  Ref()->Pen()->SetColor(clBlack);
  Ref()->MoveTo(0, 0);
  Ref()->LineTo(30000, 30000);
  Ref()->MoveTo(0, 50);
  Ref()->LineTo(30000, 50);
  EXPECT_EQ(Differences(), 0);
  EXPECT_EQ(PixelAt(bmp, 40, 40), clBlack);
  EXPECT_EQ(PixelAt(bmp, 99, 50), clBlack);
}

TEST_F(Lines, NaNHasADefinedPlace) {
  chart.Line(50, 50, NaN, 50);  // world NaN: the low end of the axis, control column 0
  chart.SetAnnotationMode(true);
  chart.Line(NaN, 10, 30, 10, TCoordMode::cmPixel);  // pixel NaN: 0
  Render();
  Ref()->Pen()->SetColor(clBlack);
  Ref()->MoveTo(50, 50);
  Ref()->LineTo(-10, 50);
  Ref()->MoveTo(0, 10);
  Ref()->LineTo(30, 10);
  EXPECT_EQ(Differences(), 0);
}

TEST_F(Lines, ShiftedLineMovesBothEnds) {
  chart.ShiftedLine(10, 90, 30, 90, 5, -3);
  Render();
  Ref()->Pen()->SetColor(clBlack);
  Ref()->MoveTo(15, 7);
  Ref()->LineTo(35, 7);
  EXPECT_EQ(Differences(), 0);
}

TEST_F(Lines, VectorStaysInTheBatchAndDrawToContinuesFromItsEnd) {
  BatchLog log;
  log.Attach(chart);
  chart.Vector(10, 90, 20, 5);
  chart.DrawTo(50, 90);
  chart.Vector(70, 30, 0, 0);  // no length: one pixel
  Render();
  ASSERT_EQ(log.batches.size(), 1u);
  EXPECT_EQ(log.batches[0], (std::vector<TPoint>{{10, 10}, {30, 15}, {50, 10}}));
  EXPECT_EQ(PixelAt(bmp, 70, 70), clBlack);
}

TEST_F(Lines, VerticalAndHorizontalLinesCrossThePlot) {
  chart.VertLine(30);
  chart.HorizLine(25);
  chart.SetAnnotationMode(true);
  chart.VertLine(40, TCoordMode::cmPixel);
  chart.HorizLine(60, TCoordMode::cmPixelWorld);  // pixel row 60
  chart.VertLine(70, TCoordMode::cmWorldPixel);   // world
  Render(false, 0, 0);
  Ref()->Pen()->SetColor(clBlack);
  for (int c : {30, 40, 70}) {
    Ref()->MoveTo(c, 0);
    Ref()->LineTo(c, 100);
  }
  for (int r : {75, 60}) {
    Ref()->MoveTo(0, r);
    Ref()->LineTo(100, r);
  }
  EXPECT_EQ(Differences(), 0);
  EXPECT_EQ(PixelAt(bmp, 30, 99), clBlack);
  EXPECT_EQ(PixelAt(bmp, 30, 100), clWhite) << "the last row is the frame's";
}

TEST_F(Lines, OriginMovesEveryKindOnTheCanvas) {
  TBitmap big(200, 200);
  chart.Line(10, 90, 40, 90);
  chart.VertLine(50);
  Fill(big, clWhite);
  chart.RenderData(big.Canvas(), 30, 40, false, true);
  EXPECT_EQ(Picture(big, {38, 49, 44, 51}, clBlack, clWhite),
            "......\n"
            "..####\n");
  EXPECT_EQ(PixelAt(big, 80, 41), clBlack);
  EXPECT_EQ(PixelAt(big, 80, 139), clBlack);
  EXPECT_EQ(PixelAt(big, 80, 140), clWhite);
}

// ---- polylines ---------------------------------------------------------------------

TEST_F(Lines, PolylinePointsInEveryMode) {
  BatchLog log;
  log.Attach(chart);
  chart.SetAnnotationMode(true);
  chart.MoveTo(10, 10, TCoordMode::cmPixel);
  chart.DrawTo(30, 70, TCoordMode::cmWorld);
  chart.DrawTo(50, 20, TCoordMode::cmXPixelYWorld);
  chart.DrawTo(60, 40, TCoordMode::cmXWorldYPixel);
  chart.DrawTo(70, 40, TCoordMode::cmWorldPixel);  // one point: world
  chart.DrawTo(5, 6, TCoordMode::cmPixelWorld);    // one point: pixel
  Render();
  ASSERT_EQ(log.batches.size(), 1u);
  EXPECT_EQ(log.batches[0], (std::vector<TPoint>{{10, 10}, {30, 30}, {50, 80}, {60, 40}, {70, 60}, {5, 6}}));
  Ref()->Pen()->SetColor(clBlack);
  Ref()->Brush()->SetColor(clSilver);
  Ref()->Polyline(log.batches[0]);
  EXPECT_EQ(Differences(), 0);
}

// Polyline points take a short path through the layer's coefficients;
// they must land exactly where WorldToPixel puts them, on every kind of
// axis and for every value.
TEST_F(Lines, PolylinePointsLandWhereWorldToPixelPutsThem) {
  chart.ApplyLayerRange(2, false, 1e-3, 0.5, 1e6, 2000, false);
  chart.XProps(2)->SetLogarithmic(true);
  chart.ApplyLayerRange(3, false, 7, -1e-7, -3, 1e-7, false);  // x mirrored, y tiny
  std::mt19937_64 rng(7);
  std::uniform_real_distribution<double> unit(-1, 1);
  std::vector<std::pair<int, TPoint>> expected;
  const double oddValues[] = {NaN, Inf, -Inf, 1e308, 0, -0.0, 0.5, 1e-300, 2147483647.0, 21474836.475};
  // Layer 4 spans 0..3 by 0..7: points within a few units in the last
  // place of a half-pixel, where rounding in double instead of extended
  // precision would choose the other pixel.
  chart.ApplyLayerRange(4, false, 0, 0, 3, 7, false);
  std::vector<double> nearHalves;
  for (int m = 0; m < 100; ++m) {
    double t = double((m + 0.5L) * 3 / 100);
    for (int u = 0; u < 4; ++u) t = std::nextafter(t, -1.0);
    for (int u = 0; u < 8; ++u, t = std::nextafter(t, 9.0)) nearHalves.push_back(t);
  }
  for (int n = 0; n < 3000 + int(nearHalves.size()); ++n) {
    const int layer = n < 3000 ? 1 + n % 3 : 4;
    double x = unit(rng) * std::pow(10.0, int(rng() % 24) - 8), y = unit(rng) * std::pow(10.0, int(rng() % 24) - 8);
    if (n % 17 == 0) x = oddValues[(n / 17) % std::size(oddValues)];
    if (n % 13 == 0) y = oddValues[(n / 13) % std::size(oddValues)];
    if (n >= 3000) {
      x = nearHalves[size_t(n - 3000)];
      y = x * 7 / 3;
    }
    chart.SetCurrentLayer(layer);
    chart.DrawTo(x, y);
    int32_t px, py;
    chart.WorldToPixel(layer, x, y, px, py);
    expected.emplace_back(n, TPoint{int32_t(std::clamp<int64_t>(int64_t(px) - 10, -30000, 30000)),
                                    int32_t(std::clamp<int64_t>(int64_t(py) - 10, -30000, 30000))});
  }
  BatchLog log;
  log.Attach(chart);
  Render();
  std::vector<TPoint> drawn;
  for (const auto& b : log.batches) drawn.insert(drawn.end(), b.begin() + 1, b.end());  // each batch repeats a point
  ASSERT_EQ(drawn.size(), expected.size());
  for (const auto& [n, p] : expected) ASSERT_EQ(drawn[size_t(n)], p) << n;
}

TEST_F(Lines, FourHundredFiftyPointsMakeThreeConnectedBatches) {
  BatchLog log;
  log.Attach(chart);
  chart.MoveTo(0, 50);
  for (int i = 1; i <= 450; ++i) chart.DrawTo(i % 100, 50 + (i % 7));
  Render();
  ASSERT_EQ(log.batches.size(), 3u);
  EXPECT_EQ(log.batches[0].size(), 200u);
  EXPECT_EQ(log.batches[1].size(), 200u);
  EXPECT_EQ(log.batches[2].size(), 53u);
  EXPECT_EQ(log.batches[0].front(), (TPoint{0, 50})) << "the batch start point";
  EXPECT_EQ(log.batches[1].front(), log.batches[0].back());
  EXPECT_EQ(log.batches[2].front(), log.batches[1].back());
  EXPECT_EQ(log.batches[2].back(), (TPoint{50, 50 - 450 % 7}));
}

TEST_F(Lines, DashPhaseRunsOnWithinABatchAndRestartsAtTheNext) {
  // Two horizontal runs of 10 pixels each, dotted (3 on, 3 off): in one
  // Polyline the second run continues the pattern (pixel 10 is the 11th
  // along the line: off); after a colour change it is a new Polyline and
  // starts afresh (on).
  chart.SetPenStyle(TPenStyle::psDot);
  chart.MoveTo(1, 90);
  chart.DrawTo(11, 90);
  chart.DrawTo(21, 90);
  chart.MoveTo(1, 80);
  chart.DrawTo(11, 80);
  chart.SetDataColor(clRed);
  chart.DrawTo(21, 80);
  Render();
  EXPECT_EQ(Picture(bmp, {1, 10, 21, 11}, {{clBlack, '#'}, {clSilver, '-'}}), "###---###---###---##\n");
  EXPECT_EQ(Picture(bmp, {1, 20, 21, 21}, {{clBlack, '#'}, {clRed, 'r'}, {clSilver, '-'}}),
            "###---###-rrr---rrr-\n");
}

TEST_F(Lines, ChangedAttributesEndTheRunningPolyline) {
  BatchLog log;
  log.Attach(chart);
  chart.MoveTo(0, 0);
  chart.DrawTo(10, 10);
  chart.DrawTo(20, 10);
  chart.SetDataColor(clRed);
  chart.DrawTo(30, 20);
  chart.SetLineWidth(2);
  chart.DrawTo(40, 20);
  chart.SetFillColor(clYellow);
  chart.DrawTo(50, 30);
  Render();
  ASSERT_EQ(log.batches.size(), 4u);
  EXPECT_EQ(log.batches[0], (std::vector<TPoint>{{0, 100}, {10, 90}, {20, 90}}));
  EXPECT_EQ(log.batches[1], (std::vector<TPoint>{{20, 90}, {30, 80}}));
  EXPECT_EQ(log.batches[2], (std::vector<TPoint>{{30, 80}, {40, 80}}));
  EXPECT_EQ(log.batches[3], (std::vector<TPoint>{{40, 80}, {50, 70}}));
  EXPECT_EQ(PixelAt(bmp, 25, 85), clRed);
}

TEST_F(Lines, BatchesAreDrawnAfterEachList) {
  BatchLog log;
  log.Attach(chart);
  chart.MoveTo(0, 0);
  chart.DrawTo(10, 10);
  chart.SetAnnotationMode(true);
  chart.DrawTo(20.0, 20.0);
  Render();
  ASSERT_EQ(log.batches.size(), 2u);
  EXPECT_EQ(log.batches[1], (std::vector<TPoint>{{10, 90}, {20, 80}})) << "the annotations continue from the data";
}

TEST_F(Lines, ThePolylineCurrentPointIsTheBatchStartNotTheLastLine) {
  BatchLog log;
  log.Attach(chart);
  chart.MoveTo(10, 90);
  chart.Line(60, 60, 70, 60);
  chart.DrawTo(50, 90);
  Render();
  ASSERT_EQ(log.batches.size(), 1u);
  EXPECT_EQ(log.batches[0], (std::vector<TPoint>{{10, 10}, {50, 10}}));
}

TEST_F(Lines, RelativeItemsCountFromThePenPosition) {
  BatchLog log;
  log.Attach(chart);
  chart.MoveTo(10, 90);   // pen at (10, 10)
  chart.MoveRel(5, 5);    // (15, 15)
  chart.DrawRel(10, 0);   // (25, 15)
  chart.DrawRel(0, 10);   // the pen is still at (15, 15): the batch is not drawn yet
  chart.MoveRel(0.5, 1.5);  // halves to even: (15, 17), counted from the pen before the flush
  chart.DrawRel(2, 0);
  Render();
  ASSERT_EQ(log.batches.size(), 2u);
  EXPECT_EQ(log.batches[0], (std::vector<TPoint>{{15, 15}, {25, 15}, {15, 25}}));
  EXPECT_EQ(log.batches[1], (std::vector<TPoint>{{15, 17}, {17, 17}}));
}

TEST_F(Lines, RelativeStepsSaturateInsteadOfOverflowing) {
  chart.MoveTo(0, 0);
  for (int i = 0; i < 4; ++i) chart.MoveRel(1e300, -1e300);
  chart.DrawRel(-1e300, Inf);
  chart.DrawRel(NaN, NaN);
  BatchLog log;
  log.Attach(chart);
  Render();
  ASSERT_EQ(log.batches.size(), 1u);
  EXPECT_EQ(log.batches[0].front(), (TPoint{INT32_MAX, INT32_MIN}));
}

}  // namespace
}  // namespace korvo::test
