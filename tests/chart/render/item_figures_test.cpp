// Figures: ckRectangle, ckPixelBox, ckEllipse, ckFramedRect, ckBar3D, the
// arrows, ckArc and ckCross, with their modes, inclusive corners and
// monochrome colours.
#include <tuple>

#include "chart/render/item_fixture.h"

namespace korvo::test {
namespace {

class Figures : public ItemChart {
 protected:
  // The reference canvas with a figure's pen and brush.
  void RefFill(TColor pen, TColor brush, TBrushStyle style = TBrushStyle::bsSolid) {
    Ref()->Pen()->SetColor(pen);
    Ref()->Brush()->SetColor(brush);
    Ref()->Brush()->SetStyle(style);
  }
};

TEST_F(Figures, RectangleIncludesBothCornersInEveryMode) {
  chart.SetDataColor(clRed);
  chart.SetFillColor(clYellow);
  chart.SetAnnotationMode(true);
  chart.Rectangle(10, 90, 20, 80);                           // world: (10, 10) - (20, 20)
  chart.Rectangle(40, 5, 30, 15, false, TCoordMode::cmPixel);  // corners in either order
  chart.Rectangle(60, 90, 70, 20, false, TCoordMode::cmWorldPixel);
  chart.Rectangle(80, 40, 90, 50, true, TCoordMode::cmPixelWorld);  // hollow
  Render();
  RefFill(clRed, clYellow);
  Ref()->Rectangle(10, 10, 21, 21);
  Ref()->Rectangle(30, 5, 41, 16);
  Ref()->Rectangle(60, 10, 71, 21);
  Ref()->Brush()->SetStyle(TBrushStyle::bsClear);
  Ref()->Rectangle(80, 40, 91, 51);
  EXPECT_EQ(Differences(), 0);
  EXPECT_EQ(Picture(bmp, {9, 9, 13, 12}, {{clWhite, '.'}, {clRed, '#'}, {clYellow, 'y'}}),
            "....\n"
            ".###\n"
            ".#yy\n");
}

TEST_F(Figures, RectangleOfOnePointIsOnePixelInInk) {
  chart.SetDataColor(clRed);
  chart.Rectangle(50, 50, 50, 50);
  Render();
  EXPECT_EQ(CountPixels(bmp, clRed), 1);
  EXPECT_EQ(PixelAt(bmp, 50, 50), clRed);
}

TEST_F(Figures, MonochromeRectangleIsBlackOnSilver) {
  chart.SetDataColor(clRed);
  chart.SetFillColor(clYellow);
  chart.Rectangle(10, 90, 20, 80);
  Render(true);
  RefFill(clBlack, clSilver);
  Ref()->Rectangle(10, 10, 21, 21);
  EXPECT_EQ(Differences(), 0);
}

TEST_F(Figures, PixelBoxAndEllipseAroundTheirCentre) {
  chart.SetFillColor(clAqua);
  chart.PixelBox(30, 70, 3, 2);
  chart.Ellipse(60, 50, 10, 5);
  chart.Ellipse(20, 80, 10, 5, true);
  Render();
  RefFill(clBlack, clAqua);
  Ref()->Rectangle(27, 28, 34, 33);
  Ref()->Ellipse(50, 45, 71, 56);
  Ref()->Brush()->SetStyle(TBrushStyle::bsClear);
  Ref()->Ellipse(10, 15, 31, 26);
  EXPECT_EQ(Differences(), 0);
}

TEST_F(Figures, FramedRectLowered) {
  chart.SetAnnotationMode(true);
  chart.SetFillColor(clSilver);
  chart.FramedRect(2, 2, 6, 5, TFrameStyle::fsLowered, clRed, clBlue, TCoordMode::cmPixel);
  Render();
  EXPECT_EQ(Picture(bmp, {1, 1, 8, 7}, {{clWhite, '.'}, {clRed, 'R'}, {clBlue, 'B'}, {clSilver, 's'}}),
            ".......\n"
            ".RRRRB.\n"
            ".RsssB.\n"
            ".RsssB.\n"
            ".RBBBB.\n"
            ".......\n");
}

TEST_F(Figures, FramedRectEveryStyleAsItsEdgeTable) {
  struct Case {
    TFrameStyle style;
    bool embossedPath;
    bool swapped;
  };
  for (Case c : {Case{TFrameStyle::fsNone, false, false}, Case{TFrameStyle::fsSimple, false, false},
                 Case{TFrameStyle::fsLowered, false, false}, Case{TFrameStyle::fsRaised, false, true},
                 Case{TFrameStyle::fsEmbossed, true, false}, Case{TFrameStyle::fsEngraved, true, true}}) {
    SCOPED_TRACE(int(c.style));
    chart.ClearGraph();
    chart.SetFillColor(clYellow);
    chart.FramedRect(10, 90, 40, 60, c.style, clRed, clBlue);  // x1 10, y1 40 (bottom), x2 40, y2 10
    Render();
    Fill(ref, clWhite);
    RefFill(clYellow, clYellow);
    Ref()->Rectangle(10, 40, 40, 10);
    const TColor a = c.swapped ? clBlue : clRed, b = c.swapped ? clRed : clBlue;
    const bool edges = c.style != TFrameStyle::fsNone && c.style != TFrameStyle::fsSimple;
    if (edges && !c.embossedPath) {
      Ref()->Pen()->SetColor(a);
      Ref()->MoveTo(10, 40);
      Ref()->LineTo(10, 10);
      Ref()->LineTo(40, 10);
      Ref()->Pen()->SetColor(b);
      Ref()->LineTo(40, 40);
      Ref()->LineTo(10, 40);
    } else if (edges) {
      Ref()->Pen()->SetColor(a);
      Ref()->MoveTo(11, 40);
      Ref()->LineTo(11, 11);
      Ref()->LineTo(40, 11);
      Ref()->LineTo(40, 40);
      Ref()->LineTo(11, 40);
      Ref()->Pen()->SetColor(b);
      Ref()->MoveTo(10, 39);
      Ref()->LineTo(10, 10);
      Ref()->LineTo(39, 10);
      Ref()->LineTo(39, 39);
      Ref()->LineTo(10, 39);
    }
    EXPECT_EQ(Differences(), 0);
  }
}

TEST_F(Figures, Bar3DSideFaceRightBelowNinetyDegreesAndLeftAbove) {
  for (int angle : {45, 135}) {
    SCOPED_TRACE(angle);
    chart.ClearGraph();
    chart.SetFillColor(clLime);
    chart.Bar3D(40, 60, 60, 20, angle, 10);  // front face (40, 40) - (60, 80)
    Render();
    Fill(ref, clWhite);
    RefFill(clBlack, clLime);
    // depth 10 at 45 or 135 degrees: 7 pixels across, 7 up
    const int left = angle > 90 ? 60 : 40, right = angle > 90 ? 40 : 60, dx = angle > 90 ? -7 : 7;
    const TPoint top[4] = {{left, 40}, {left + dx, 33}, {right + dx, 33}, {right, 40}};
    Ref()->Polygon(top);
    const TPoint side[4] = {{right + dx, 33}, {right, 40}, {right, 80}, {right + dx, 73}};
    Ref()->Polygon(side);
    Ref()->Rectangle(40, 40, 61, 81);
    EXPECT_EQ(Differences(), 0);
    EXPECT_EQ(PixelAt(bmp, angle > 90 ? 36 : 64, 60), clLime) << "inside the side face";
    EXPECT_EQ(PixelAt(bmp, angle > 90 ? 64 : 36, 60), clWhite);
  }
}

// ---- arrows ----------------------------------------------------------------------

using Arrows = Figures;

TEST_F(Arrows, HeadLengthZeroDrawsTheShaftOnly) {
  chart.Arrow(10, 50, 60, 50, 0);
  Render();
  EXPECT_EQ(CountPixels(bmp, clBlack), 50);
  EXPECT_EQ(Pic({58, 49, 62, 52}),
            "....\n"
            "##..\n"
            "....\n");
}

TEST_F(Arrows, FilledHeadOfTwentyDegreesAtTheHead) {
  chart.SetFillColor(clRed);
  chart.Arrow(10, 50, 60, 50, 10);
  Render();
  RefFill(clBlack, clRed);
  Ref()->MoveTo(10, 50);
  Ref()->LineTo(60, 50);
  // 10 * cos 20 degrees = 9.4, 10 * sin 20 degrees = 3.4
  const TPoint head[3] = {{60, 50}, {51, 47}, {51, 53}};
  Ref()->Polygon(head);
  EXPECT_EQ(Differences(), 0);
}

TEST_F(Arrows, HollowDoubleArrowUpwards) {
  chart.DoubleArrow(30, 20, 30, 80, 10, true);  // tail (30, 80), head (30, 20) on the bitmap
  Render();
  RefFill(clBlack, clSilver, TBrushStyle::bsClear);
  Ref()->MoveTo(30, 80);
  Ref()->LineTo(30, 20);
  for (auto [tip, w1, w2] : {std::tuple{TPoint{30, 80}, TPoint{33, 71}, TPoint{27, 71}},
                             std::tuple{TPoint{30, 20}, TPoint{27, 29}, TPoint{33, 29}}}) {
    Ref()->MoveTo(tip.X, tip.Y);
    Ref()->LineTo(w1.X, w1.Y);
    Ref()->MoveTo(tip.X, tip.Y);
    Ref()->LineTo(w2.X, w2.Y);
  }
  EXPECT_EQ(Differences(), 0);
}

TEST_F(Arrows, FilledDoubleArrowHasATailHead) {
  chart.DoubleArrow(10, 50, 60, 50, 10);
  Render();
  RefFill(clBlack, clSilver);
  Ref()->MoveTo(10, 50);
  Ref()->LineTo(60, 50);
  const TPoint tail[3] = {{10, 50}, {19, 53}, {19, 47}};
  Ref()->Polygon(tail);
  const TPoint head[3] = {{60, 50}, {51, 47}, {51, 53}};
  Ref()->Polygon(head);
  EXPECT_EQ(Differences(), 0);
}

TEST_F(Arrows, BothEndsInTheMixedModes) {
  chart.SetAnnotationMode(true);
  chart.Arrow(10, 50, 60, 30, 0, false, TCoordMode::cmXPixelYWorld);  // (10, 50) - (60, 70)
  chart.Arrow(10, 50, 60, 30, 0, false, TCoordMode::cmXWorldYPixel);  // (10, 50) - (60, 30)
  Render();
  RefFill(clBlack, clSilver);
  Ref()->MoveTo(10, 50);
  Ref()->LineTo(60, 70);
  Ref()->MoveTo(10, 50);
  Ref()->LineTo(60, 30);
  EXPECT_EQ(Differences(), 0);
}

TEST_F(Arrows, DashedShaftInItsOwnFillColourGetsContrastingGaps) {
  chart.SetPenStyle(TPenStyle::psDash);
  chart.SetDataColor(clYellow);
  chart.SetFillColor(clYellow);
  chart.Arrow(1, 50, 61, 50, 0);  // light: black gaps
  chart.SetDataColor(clNavy);
  chart.SetFillColor(clNavy);
  chart.Arrow(1, 40, 61, 40, 0);  // dark: white gaps
  chart.SetFillColor(clSilver);
  chart.Arrow(1, 30, 61, 30, 0);  // another fill colour: gaps in it
  Render();
  const auto legend = {std::pair{clYellow, 'y'}, std::pair{clBlack, 'k'}, std::pair{clNavy, 'n'},
                       std::pair{clWhite, 'w'}, std::pair{clSilver, 's'}};
  EXPECT_EQ(Picture(bmp, {16, 50, 28, 51}, legend), "yyykkkkkkyyy\n");
  EXPECT_EQ(Picture(bmp, {16, 60, 28, 61}, legend), "nnnwwwwwwnnn\n");
  EXPECT_EQ(Picture(bmp, {16, 70, 28, 71}, legend), "nnnssssssnnn\n");
}

// ---- arcs and crosses ----------------------------------------------------------------

TEST_F(Figures, ArcFromTheStartToTheEndRay) {
  chart.Arc(50, 50, 20, 10, 0, 1.5707963268);
  Render();
  RefFill(clBlack, clSilver);
  // corners (30, 40) and (70, 60), both included; rays through centre + (1e8, 0) and centre - (0, 1e8)
  Ref()->Arc(30, 40, 71, 61, 100000050, 50, 50, -99999950);
  EXPECT_EQ(Differences(), 0);
  EXPECT_GT(CountPixels(bmp, clBlack), 20);
  EXPECT_EQ(PixelAt(bmp, 30, 50), clWhite) << "the left half is not part of the arc";
}

TEST_F(Figures, CrossInEveryModeAndItsMiddleStartsTheNextLine) {
  BatchLog log;
  log.Attach(chart);
  chart.SetAnnotationMode(true);
  chart.Cross(50, 50, 5, 3);                               // world corners (45, 47) - (55, 53)
  chart.DrawTo(80.0, 50.0);                                // from the middle (50, 50)
  chart.Cross(20, 20, 4, 2, TCoordMode::cmPixel);          // pixel corners (16, 22) - (24, 18)

  chart.Cross(70, 20, 3, 3, TCoordMode::cmWorldPixel);     // centre (70, 80) +- 3 pixels
  Render();
  ASSERT_EQ(log.batches.size(), 1u);
  EXPECT_EQ(log.batches[0], (std::vector<TPoint>{{50, 50}, {80, 50}}));
  RefFill(clBlack, clSilver);
  Ref()->MoveTo(50, 47);
  Ref()->LineTo(50, 54);
  Ref()->MoveTo(45, 50);
  Ref()->LineTo(56, 50);
  Ref()->Polyline(log.batches[0]);
  // The first corner is the lower one here, so the vertical line runs up
  // from it and leaves out the top row.
  Ref()->MoveTo(20, 23);
  Ref()->LineTo(20, 18);
  Ref()->MoveTo(16, 20);
  Ref()->LineTo(25, 20);
  Ref()->MoveTo(70, 84);
  Ref()->LineTo(70, 77);
  Ref()->MoveTo(67, 80);
  Ref()->LineTo(74, 80);
  EXPECT_EQ(Differences(), 0);
}

}  // namespace
}  // namespace korvo::test
