// The overlays: crosshairs, text labels and the mouse trace, placed pixel by
// pixel, drawn in their order, and safe at positions far off the canvas.
#include <gtest/gtest.h>

#include <limits>
#include <string>

#include "chart/render/CanvasState.h"
#include "chart/render/render_fixture.h"

namespace korvo {
namespace {

using test::At;
using test::RenderChart;

constexpr double NaN = std::numeric_limits<double>::quiet_NaN();
constexpr TColor Paper = RGB(240, 240, 240);
constexpr TColor Red = RGB(255, 0, 0);
constexpr TColor Blue = RGB(0, 0, 255);

TEST(CanvasStateSaver, PutsBackPenAndBrushStyleOnEveryExit) {
  TBitmap b(4, 4);
  TCanvas& c = *b.Canvas();
  c.Pen()->SetColor(Red);
  c.Pen()->SetWidth(3);
  c.Pen()->SetStyle(TPenStyle::psDot);
  c.Brush()->SetStyle(TBrushStyle::bsClear);
  c.Brush()->SetColor(Blue);
  try {
    const TCanvasStateSaver saved(c);
    c.Pen()->SetColor(Blue);
    c.Pen()->SetWidth(1);
    c.Pen()->SetStyle(TPenStyle::psSolid);
    c.Brush()->SetStyle(TBrushStyle::bsSolid);
    c.Brush()->SetColor(Red);
    throw 1;
  } catch (int) {
  }
  EXPECT_EQ(c.Pen()->Color(), Red);
  EXPECT_EQ(c.Pen()->Width(), 3);
  EXPECT_EQ(c.Pen()->Style(), TPenStyle::psDot);
  EXPECT_EQ(c.Brush()->Style(), TBrushStyle::bsClear);
  EXPECT_EQ(c.Brush()->Color(), Red) << "the brush colour is not part of the saved state";
}

// ---- crosshairs ---------------------------------------------------------------

// Crosshairs drawn onto a bitmap of the control's size, (x0, y0) = (0, 0).
class CrossHairs : public ::testing::Test {
 protected:
  CrossHairs() {
    frame.SetSize(260, 148);
    test::Fill(frame, Paper);
  }
  // Crosshair n on layer 1 at world (x, y): control pixel (50 + x, 116 - y).
  TCrossHair& Place(int n, TCrossHMode mode, double x, double y, TColor color, int width = 1,
                    TPenStyle style = TPenStyle::psSolid) {
    TCrossHair& c = *chart.CrossHair(n);
    c.SetLayer(1);
    c.SetMode(mode);
    c.SetPosX(x);
    c.SetPosY(y);
    c.SetColor(color);
    c.SetLineWid(width);
    c.SetLineType(style);
    return c;
  }
  void Draw() { chart.DrawCrossHairs(0, 0, &frame); }

  RenderChart chart;
  TBitmap frame;
};

TEST_F(CrossHairs, LinesSpanThePlotInteriorAndCrossHairOneIsOnTop) {
  Place(1, TCrossHMode::chBoth, 100, 50, Red);
  Place(2, TCrossHMode::chBoth, 100, 50, Blue);
  Draw();
  // Horizontal: row 66 from column 51 up to, not including, 250.
  EXPECT_EQ(At(frame, 50, 66), Paper);
  EXPECT_EQ(At(frame, 51, 66), Red);
  EXPECT_EQ(At(frame, 120, 66), Red);
  EXPECT_EQ(At(frame, 249, 66), Red);
  EXPECT_EQ(At(frame, 250, 66), Paper);
  // Vertical: column 150 from row 17 up to, not including, 116.
  EXPECT_EQ(At(frame, 150, 16), Paper);
  EXPECT_EQ(At(frame, 150, 17), Red);
  EXPECT_EQ(At(frame, 150, 115), Red);
  EXPECT_EQ(At(frame, 150, 116), Paper);
  EXPECT_EQ(test::CountPixels(frame, Blue), 0);
}

TEST_F(CrossHairs, WidePenNeedsRoomForHalfItsWidth) {
  // LineWid 3: d = 1, so the row must lie beyond MarginTop + 1.
  Place(1, TCrossHMode::chHoriz, 100, 99, Red, 3);  // row 17 = MarginTop + 1
  Draw();
  EXPECT_EQ(test::CountPixels(frame, Red), 0);
  Place(1, TCrossHMode::chHoriz, 100, 98, Red, 3);  // row 18
  Draw();
  EXPECT_EQ(At(frame, 100, 17), Red);
  EXPECT_EQ(At(frame, 100, 18), Red);
  EXPECT_EQ(At(frame, 100, 19), Red);
  EXPECT_EQ(At(frame, 100, 20), Paper);
  EXPECT_EQ(At(frame, 52, 18), Red) << "from MarginLeft + d + 1";
  EXPECT_EQ(At(frame, 50, 18), Paper);
}

TEST_F(CrossHairs, ANegativeLineWidthDoesNotWidenTheInterior) {
  // Drawn 1 wide, so it needs the same room as LineWid 1: row 16 (the
  // plot's top edge) is outside.
  Place(1, TCrossHMode::chHoriz, 100, 100, Red, -6);
  Draw();
  EXPECT_EQ(test::CountPixels(frame, Red), 0);
}

TEST_F(CrossHairs, CrossBoxHasThirteenPixelArmsAndTwoSquares) {
  Place(1, TCrossHMode::chCrossBox, 100, 50, Red);  // centre (150, 66)
  Draw();
  EXPECT_EQ(test::Picture(frame, TRect{134, 62, 167, 71}, {{Paper, '.'}, {Red, 'r'}, {clWhite, 'w'}, {clBlack, 'k'}}),
            "................r................\n"
            ".............wwwwwww.............\n"
            ".............wkkkkkw.............\n"
            ".............wk.r.kw.............\n"
            "...rrrrrrrrrrwkrrrkwrrrrrrrrrr...\n"
            ".............wk.r.kw.............\n"
            ".............wkkkkkw.............\n"
            ".............wwwwwww.............\n"
            "................r................\n");
  // Arms: 13 pixels each way from the centre.
  EXPECT_EQ(At(frame, 150, 53), Red);
  EXPECT_EQ(At(frame, 150, 52), Paper);
  EXPECT_EQ(At(frame, 150, 79), Red);
  EXPECT_EQ(At(frame, 150, 80), Paper);
  EXPECT_EQ(At(frame, 60, 66), Paper) << "no full-width line";
}

TEST_F(CrossHairs, BoxAroundTheCentre) {
  Place(2, TCrossHMode::chBox, 100, 50, Blue);
  Draw();
  EXPECT_EQ(test::InkBounds(frame, Paper), (TRect{146, 62, 155, 71}));
  EXPECT_EQ(At(frame, 150, 66), Paper) << "a clear box";
  EXPECT_EQ(test::CountPixels(frame, Blue), 4 * 8);
}

TEST_F(CrossHairs, BoxedModesNeedBothCoordinatesInside) {
  Place(1, TCrossHMode::chCrossBox, 0, 50, Red);  // column 50: the plot's left edge
  Place(2, TCrossHMode::chBox, 100, 0, Blue);     // row 116: the bottom edge
  Draw();
  EXPECT_EQ(test::CountPixels(frame, Paper), 260 * 148);
}

TEST_F(CrossHairs, OnThePlotBitmapShiftedByTheMargins) {
  Place(1, TCrossHMode::chVert, 20, 50, Red);  // column 70
  TBitmap plot(201, 101);
  test::Fill(plot, Paper);
  chart.DrawCrossHairs(50, 16, &plot);
  EXPECT_EQ(At(plot, 20, 1), Red);
  EXPECT_EQ(At(plot, 20, 99), Red);
  EXPECT_EQ(At(plot, 20, 100), Paper);
  EXPECT_EQ(At(plot, 20, 0), Paper);
}

TEST_F(CrossHairs, CanvasStateIsPutBack) {
  TCanvas& c = *frame.Canvas();
  c.Pen()->SetColor(Blue);
  c.Pen()->SetWidth(2);
  c.Pen()->SetStyle(TPenStyle::psDash);
  c.Brush()->SetStyle(TBrushStyle::bsSolid);
  Place(1, TCrossHMode::chCrossBox, 100, 50, Red, 1, TPenStyle::psDashDotDot);
  Draw();
  EXPECT_EQ(c.Pen()->Color(), Blue);
  EXPECT_EQ(c.Pen()->Width(), 2);
  EXPECT_EQ(c.Pen()->Style(), TPenStyle::psDash);
  EXPECT_EQ(c.Brush()->Style(), TBrushStyle::bsSolid);
}

TEST_F(CrossHairs, AllOffOrFarAwayDrawsNothing) {
  Draw();  // the chart's crosshairs start off
  EXPECT_EQ(test::CountPixels(frame, Paper), 260 * 148);
  Place(1, TCrossHMode::chBoth, NaN, NaN, Red);
  Place(2, TCrossHMode::chCrossBox, 1e308, -1e308, Red);
  Place(3, TCrossHMode::chBox, -1e308, 1e308, Red, 1000000);
  Place(4, TCrossHMode::chBoth, 1e300, 50, Red, INT32_MAX);
  Draw();
  EXPECT_EQ(test::CountPixels(frame, Red), 0);
}

// ---- text labels ----------------------------------------------------------------

constexpr TColor Bkg = RGB(255, 255, 0);
constexpr TColor Border = RGB(0, 128, 0);
constexpr TColor ShadowColor = RGB(90, 90, 90);

// Labels drawn onto a bitmap of the control's size with (x0, y0) =
// (MarginLeft, MarginTop), so that canvas pixels are control pixels.
class TextLabels : public ::testing::Test {
 protected:
  TextLabels() {
    frame.SetSize(260, 148);
    test::Fill(frame, Paper);
    canvas().Font()->Assign(*chart.TextLabel(1)->Font());
    h = canvas().TextHeight("Ab");
  }
  TCanvas& canvas() { return *frame.Canvas(); }
  TTextLabel& Label(int n, const std::string& caption, double x, double y,
                    TTxtLblAttachMode attach = TTxtLblAttachMode::tlamNone) {
    TTextLabel& l = *chart.TextLabel(n);
    l.SetCaption(caption);
    l.SetPosX(x);
    l.SetPosY(y);
    l.SetAttachToData(attach);
    l.SetAlignment(TAlignment::taLeftJustify);
    l.SetVerticalAlignment(TVerticalAlignment::vaBottom);
    l.SetColorBkg(Bkg);
    l.SetColorBorder(Border);
    l.SetColorShadow(ShadowColor);
    l.SetMode(TTxtLblMode::tlsimple);
    l.SetVisible(true);
    return l;
  }
  void Draw() {
    test::Fill(frame, Paper);
    chart.DrawTextLabels(&canvas(), 50, 16);
  }
  int32_t Width(const std::string& s) { return canvas().TextWidth(s); }

  RenderChart chart;
  TBitmap frame;
  int32_t h = 0;
};

TEST_F(TextLabels, PixelAnchorAndTheBoxAroundTheText) {
  // PosX = MarginLeft + 10: 10 right of the plot's left edge.
  Label(1, "Ab", 50 + 10, 80);
  Draw();
  const int32_t w = Width("Ab");
  EXPECT_EQ(test::InkBounds(frame, Paper), (TRect{60 - 4, 80 - h - 2, 60 + w + 4, 80 + 2}));
  // On the plot bitmap (x0 = y0 = 0) the same label is 10 right of column 0.
  TBitmap plot(201, 101);
  test::Fill(plot, Paper);
  chart.DrawTextLabels(plot.Canvas(), 0, 0);
  EXPECT_EQ(test::InkBounds(plot, Paper).Left, 10 - 4);
}

TEST_F(TextLabels, AlignmentsAgainstTheAnchor) {
  TTextLabel& l = Label(1, "Label", 120, 80);
  const int32_t w = Width("Label");
  l.SetAlignment(TAlignment::taRightJustify);
  Draw();
  EXPECT_EQ(test::InkBounds(frame, Paper).Left, 120 - w - 4);
  l.SetAlignment(TAlignment::taCenter);
  Draw();
  EXPECT_EQ(test::InkBounds(frame, Paper).Left, 120 - w / 2 - 4);
  l.SetVerticalAlignment(TVerticalAlignment::vaCenter);
  Draw();
  EXPECT_EQ(test::InkBounds(frame, Paper).Bottom, 80 + h / 2 + 2);
  l.SetVerticalAlignment(TVerticalAlignment::vaTop);
  Draw();
  EXPECT_EQ(test::InkBounds(frame, Paper).Top, 80 - 2);
}

TEST_F(TextLabels, TwoLinesFromTheTopAnchor) {
  TTextLabel& l = Label(1, "Ab\nLonger line", 60, 100);
  l.SetVerticalAlignment(TVerticalAlignment::vaTop);
  l.SetTransparent(true);  // only the glyphs
  Draw();
  // The first line's top at 100, the second's at 100 + h: the block ends at
  // 100 + 2h.
  TBitmap expected(260, 148);
  test::Fill(expected, Paper);
  expected.Canvas()->Font()->Assign(*l.Font());
  expected.Canvas()->Brush()->SetStyle(TBrushStyle::bsClear);
  expected.Canvas()->TextOut(60, 100, "Ab");
  expected.Canvas()->TextOut(60, 100 + h, "Longer line");
  EXPECT_EQ(test::CountDifferentPixels(frame, expected), 0);

  // Boxed, the box runs from 2 above the block to 2 below it and is as
  // wide as the longest line.
  l.SetTransparent(false);
  l.SetMode(TTxtLblMode::tlBox);
  Draw();
  EXPECT_EQ(test::InkBounds(frame, Paper), (TRect{56, 98, 60 + Width("Longer line") + 4, 100 + 2 * h + 2}));
  EXPECT_EQ(At(frame, 56, 98), Border);
}

TEST_F(TextLabels, LinesOfARightAlignedLabelEndTogether) {
  TTextLabel& l = Label(1, "x\nLonger line", 200, 60);
  l.SetAlignment(TAlignment::taRightJustify);
  l.SetTransparent(true);
  Draw();
  const int32_t w = Width("Longer line");
  TBitmap expected(260, 148);
  test::Fill(expected, Paper);
  expected.Canvas()->Font()->Assign(*l.Font());
  expected.Canvas()->Brush()->SetStyle(TBrushStyle::bsClear);
  expected.Canvas()->TextOut(200 - w + (w - Width("x")), 60 - 2 * h, "x");
  expected.Canvas()->TextOut(200 - w, 60 - h, "Longer line");
  EXPECT_EQ(test::CountDifferentPixels(frame, expected), 0);
}

TEST_F(TextLabels, ShadowBoxOffsetByItsDistance) {
  TTextLabel& l = Label(1, "Ab", 100, 80);
  l.SetMode(TTxtLblMode::tlShadow);
  l.SetShadowDx(3);
  l.SetShadowDy(3);
  Draw();
  const TRect box{96, 80 - h - 2, 100 + Width("Ab") + 4, 82};
  // The shadow shows as the L-shaped strip of the moved box outside the box.
  const int64_t bw = box.Width(), bh = box.Height();
  EXPECT_EQ(test::CountPixels(frame, ShadowColor), bw * bh - (bw - 3) * (bh - 3));
  EXPECT_EQ(At(frame, box.Right + 2, box.Bottom + 2), ShadowColor);
  EXPECT_EQ(At(frame, box.Left + 3, box.Bottom + 2), ShadowColor);
  EXPECT_EQ(At(frame, box.Left + 2, box.Bottom + 2), Paper);
  EXPECT_EQ(At(frame, box.Left, box.Top), Border);
}

TEST_F(TextLabels, UnderlineAndTransparentSimpleLabels) {
  TTextLabel& l = Label(1, "Ab", 100, 80);
  l.SetMode(TTxtLblMode::tlUnderline);
  Draw();
  const int32_t w = Width("Ab");
  EXPECT_EQ(At(frame, 100, 80), Border);
  EXPECT_EQ(At(frame, 100 + w - 1, 80), Border);
  EXPECT_EQ(At(frame, 100 + w, 80), Bkg);
  EXPECT_EQ(At(frame, 96, 70), Bkg);
  // Transparent: no box, only the line and the glyphs.
  l.SetTransparent(true);
  Draw();
  EXPECT_EQ(test::CountPixels(frame, Bkg), 0);
  EXPECT_EQ(At(frame, 100, 80), Border);
}

TEST_F(TextLabels, LabelOneEndsOnTopAndHiddenLabelsAreLeftOut) {
  Label(1, "One", 100, 80);
  TTextLabel& two = Label(2, "One", 100, 80);
  two.SetColorBkg(Blue);
  Draw();
  EXPECT_EQ(At(frame, 97, 80), Bkg);
  EXPECT_EQ(test::CountPixels(frame, Blue), 0);

  chart.TextLabel(1)->SetVisible(false);
  Draw();
  EXPECT_EQ(At(frame, 97, 80), Blue);
  chart.TextLabel(1)->SetVisible(true);
  chart.TextLabel(1)->SetMode(TTxtLblMode::tlOff);
  Draw();
  EXPECT_EQ(At(frame, 97, 80), Blue);
  two.SetLayer(3);
  chart.SetLayerVisible(3, false);
  Draw();
  EXPECT_EQ(test::CountPixels(frame, Paper), 260 * 148);
}

TEST_F(TextLabels, WorldAnchorsOnEitherAxis) {
  // World (100, 50) is control pixel (150, 66).
  TTextLabel& l = Label(1, "Ab", 100, 50, TTxtLblAttachMode::tlamBoth);
  Draw();
  EXPECT_EQ(test::InkBounds(frame, Paper).Left, 150 - 4);
  EXPECT_EQ(test::InkBounds(frame, Paper).Bottom, 66 + 2);
  l.SetAttachToData(TTxtLblAttachMode::tlamXOnly);
  l.SetPosY(90);  // a pixel row
  Draw();
  EXPECT_EQ(test::InkBounds(frame, Paper).Left, 150 - 4);
  EXPECT_EQ(test::InkBounds(frame, Paper).Bottom, 90 + 2);
  l.SetAttachToData(TTxtLblAttachMode::tlamYOnly);
  l.SetPosX(70.5);  // a pixel column, rounded half to even
  Draw();
  EXPECT_EQ(test::InkBounds(frame, Paper).Left, 70 - 4);
  EXPECT_EQ(test::InkBounds(frame, Paper).Bottom, 116 - 90 + 2);
}

TEST_F(TextLabels, FarAndUndefinedAnchorsDrawNothing) {
  const std::pair<double, double> far[] = {{NaN, 80}, {100, NaN}, {1e308, 80}, {-1e308, 80},
                                           {100, 1e308}, {3e9, -3e9}};
  for (const auto& [x, y] : far) {
    Label(1, "Ab\nCd", x, y);
    Draw();
    EXPECT_EQ(test::CountPixels(frame, Paper), 260 * 148) << x << ", " << y;
  }
  for (const auto& [x, y] : far) {
    Label(1, "Ab", x, y, TTxtLblAttachMode::tlamBoth);
    Draw();  // NaN goes where the transform puts it; nothing may misbehave
  }
}

// ---- mouse trace ----------------------------------------------------------------

class MouseTrace : public ::testing::Test {
 protected:
  MouseTrace() {
    plot.SetSize(201, 101);
    test::Fill(plot, Paper);
  }
  // World (x, y) is plot pixel (x, 100 - y).
  void Point(double x, double y, uint16_t flags, TColor color) {
    chart.MouseTraceBuffer().push_back(TMouseTracePoint{x, y, flags, color});
  }
  void Draw() { chart.DrawMouseTrace(0, 0, &plot); }

  RenderChart chart;
  TBitmap plot;
};

TEST_F(MouseTrace, AStrokeEndsAtAPointWithBitZero) {
  Point(10, 50, 0, Red);  // A
  Point(60, 50, 1, Blue);  // B: the stroke ends here
  Point(60, 20, 0, Red);  // C
  Draw();
  // A-B in B's colour, its end point left out; no segment B-C.
  EXPECT_EQ(At(plot, 10, 50), Blue);
  EXPECT_EQ(At(plot, 59, 50), Blue);
  EXPECT_EQ(At(plot, 60, 50), Paper);
  EXPECT_EQ(At(plot, 60, 60), Paper);
  EXPECT_EQ(test::CountPixels(plot, Blue), 50);
  EXPECT_EQ(test::CountPixels(plot, Red), 0);
}

TEST_F(MouseTrace, InvertedSegmentsUndoThemselves) {
  plot.Canvas()->SetPixel(30, 50, Red);
  Point(10, 50, 0, clWhite);
  Point(60, 50, 2, clWhite);
  Point(60, 20, 2, RGB(0, 255, 0));
  Draw();
  EXPECT_NE(At(plot, 30, 50), Red);
  EXPECT_EQ(plot.Canvas()->Pen()->Mode(), TPenMode::pmCopy);
  Draw();
  EXPECT_EQ(test::CountPixels(plot, Paper), 201 * 101 - 1);
  EXPECT_EQ(At(plot, 30, 50), Red);
}

TEST_F(MouseTrace, OriginShiftAndCanvasStatePutBack) {
  TCanvas& c = *plot.Canvas();
  c.Pen()->SetColor(Blue);
  c.Pen()->SetStyle(TPenStyle::psDot);
  c.Brush()->SetStyle(TBrushStyle::bsClear);
  Point(10, 50, 0, Red);
  Point(20, 50, 0, Red);
  chart.DrawMouseTrace(5, 3, &plot);  // the plot's top-left pixel at (5, 3)
  EXPECT_EQ(At(plot, 15, 53), Red);
  EXPECT_EQ(c.Pen()->Color(), Blue);
  EXPECT_EQ(c.Pen()->Style(), TPenStyle::psDot);
  EXPECT_EQ(c.Brush()->Style(), TBrushStyle::bsClear);
}

TEST_F(MouseTrace, FarPointsAreCutByTheCanvas) {
  // Segments whose ends lie far off one side of the plot leave nothing.
  Point(NaN, NaN, 0, Red);
  Point(NaN, NaN, 1, Red);
  Point(1e308, 50, 0, Red);
  Point(1e300, 60, 1, Red);
  Point(-1e308, -1e308, 0, Red);
  Point(-1e307, -1e308, 1, Red);
  Draw();
  EXPECT_EQ(test::CountPixels(plot, Paper), 201 * 101);
  // One from far left to far right crosses the whole plot.
  Point(-1e308, 50, 0, Red);
  Point(1e308, 50, 0, Red);
  Draw();
  EXPECT_EQ(At(plot, 0, 50), Red);
  EXPECT_EQ(At(plot, 200, 50), Red);
  EXPECT_EQ(test::CountPixels(plot, Red), 201);
}

TEST_F(MouseTrace, EmptyTraceLeavesTheBitmapAlone) {
  Draw();
  EXPECT_EQ(test::CountPixels(plot, Paper), 201 * 101);
}

}  // namespace
}  // namespace korvo
