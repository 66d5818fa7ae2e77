// The overlays: crosshairs, text labels and the mouse trace, placed pixel by
// pixel, drawn in their order, and safe at positions far off the canvas.
#include <gtest/gtest.h>

#include <limits>
#include <string>

#include "chart/render/render_fixture.h"

namespace korvo {
namespace {

using test::At;
using test::InkBounds;

constexpr double NaN = std::numeric_limits<double>::quiet_NaN();
constexpr TColor Paper = RGB(240, 240, 240);
constexpr TColor Red = RGB(255, 0, 0);
constexpr TColor Blue = RGB(0, 0, 255);

// Overlays drawn onto a bitmap of the control's size; for the labels with
// (x0, y0) = (MarginLeft, MarginTop), so canvas pixels are control pixels.
class Overlays : public ::testing::Test {
 protected:
  Overlays() : frame(260, 148), plot(201, 101) {
    test::Fill(frame, Paper);
    test::Fill(plot, Paper);
  }
  int PaperLeft(const TBitmap& b) { return test::CountPixels(b, Paper); }

  test::RenderChart chart;
  TBitmap frame, plot;
};

// ---- crosshairs ---------------------------------------------------------------

class CrossHairs : public Overlays {
 protected:
  // Crosshair n on layer 1 at world (x, y): control pixel (50 + x, 116 - y).
  void Place(int n, TCrossHMode mode, double x, double y, TColor color, int width = 1) {
    TCrossHair& c = *chart.CrossHair(n);
    c.SetLayer(1);
    c.SetMode(mode);
    c.SetPosX(x);
    c.SetPosY(y);
    c.SetColor(color);
    c.SetLineWid(width);
    c.SetLineType(TPenStyle::psSolid);
  }
  void Draw() {
    test::Fill(frame, Paper);
    chart.DrawCrossHairs(0, 0, &frame);
  }
};

TEST_F(CrossHairs, LinesSpanThePlotInteriorAndCrossHairOneIsOnTop) {
  Place(1, TCrossHMode::chBoth, 100, 50, Red);
  Place(2, TCrossHMode::chBoth, 100, 50, Blue);
  TCanvas& c = *frame.Canvas();
  c.Pen()->SetColor(Blue);
  c.Pen()->SetWidth(2);
  c.Pen()->SetStyle(TPenStyle::psDash);
  c.Brush()->SetStyle(TBrushStyle::bsClear);
  Draw();
  // Row 66 from column 51 up to, not including, 250; column 150 from row 17
  // up to, not including, 116.
  EXPECT_EQ(At(frame, 50, 66), Paper);
  EXPECT_EQ(At(frame, 51, 66), Red);
  EXPECT_EQ(At(frame, 249, 66), Red);
  EXPECT_EQ(At(frame, 250, 66), Paper);
  EXPECT_EQ(At(frame, 150, 16), Paper);
  EXPECT_EQ(At(frame, 150, 17), Red);
  EXPECT_EQ(At(frame, 150, 115), Red);
  EXPECT_EQ(At(frame, 150, 116), Paper);
  EXPECT_EQ(test::CountPixels(frame, Blue), 0);
  // The canvas state is put back.
  EXPECT_EQ(c.Pen()->Color(), Blue);
  EXPECT_EQ(c.Pen()->Width(), 2);
  EXPECT_EQ(c.Pen()->Style(), TPenStyle::psDash);
  EXPECT_EQ(c.Brush()->Style(), TBrushStyle::bsClear);
}

TEST_F(CrossHairs, WidePenNeedsRoomForHalfItsWidth) {
  Place(1, TCrossHMode::chHoriz, 100, 99, Red, 3);  // row 17 = MarginTop + 1
  Draw();
  EXPECT_EQ(PaperLeft(frame), 260 * 148);
  Place(1, TCrossHMode::chHoriz, 100, 98, Red, 3);  // row 18
  Draw();
  for (int y : {17, 18, 19}) EXPECT_EQ(At(frame, 100, y), Red) << y;
  EXPECT_EQ(At(frame, 100, 20), Paper);
  // A negative width draws 1 wide and needs the room of width 1: row 16 is
  // the plot's edge, outside.
  Place(1, TCrossHMode::chHoriz, 100, 100, Red, -6);
  Draw();
  EXPECT_EQ(PaperLeft(frame), 260 * 148);
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
  EXPECT_EQ(At(frame, 150, 53), Red);
  EXPECT_EQ(At(frame, 150, 52), Paper);
  EXPECT_EQ(At(frame, 150, 79), Red);
  EXPECT_EQ(At(frame, 150, 80), Paper);
}

TEST_F(CrossHairs, BoxNeedsBothCoordinatesInside) {
  Place(2, TCrossHMode::chBox, 100, 50, Blue);
  Draw();
  EXPECT_EQ(InkBounds(frame, Paper), (TRect{146, 62, 155, 71}));
  EXPECT_EQ(test::CountPixels(frame, Blue), 4 * 8) << "an outline only";
  Place(2, TCrossHMode::chBox, 100, 0, Blue);         // row 116: the bottom edge
  Place(1, TCrossHMode::chCrossBox, 0, 50, Red);      // column 50: the left edge
  Draw();
  EXPECT_EQ(PaperLeft(frame), 260 * 148);
}

TEST_F(CrossHairs, ThePlotBitmapAndFarPositions) {
  Place(1, TCrossHMode::chVert, 20, 50, Red);  // column 70
  chart.DrawCrossHairs(50, 16, &plot);
  EXPECT_EQ(At(plot, 20, 0), Paper);
  EXPECT_EQ(At(plot, 20, 1), Red);
  EXPECT_EQ(At(plot, 20, 99), Red);
  EXPECT_EQ(At(plot, 20, 100), Paper);
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
constexpr TColor Gray = RGB(90, 90, 90);

class TextLabels : public Overlays {
 protected:
  TextLabels() {
    frame.Canvas()->Font()->Assign(*chart.TextLabel(1)->Font());
    h = frame.Canvas()->TextHeight("Ab");
  }
  TTextLabel& Label(int n, const std::string& caption, double x, double y,
                    TTxtLblAttachMode attach = TTxtLblAttachMode::tlamNone) {
    TTextLabel& l = *chart.TextLabel(n);
    l.SetCaption(caption);
    l.SetPosX(x);
    l.SetPosY(y);
    l.SetAttachToData(attach);
    l.SetAlignment(TAlignment::taLeftJustify);
    l.SetColorBkg(Bkg);
    l.SetColorBorder(Border);
    l.SetColorShadow(Gray);
    l.SetMode(TTxtLblMode::tlsimple);
    l.SetVisible(true);
    return l;
  }
  TRect Draw() {
    test::Fill(frame, Paper);
    chart.DrawTextLabels(frame.Canvas(), 50, 16);
    return InkBounds(frame, Paper);
  }
  int32_t Width(const std::string& s) { return frame.Canvas()->TextWidth(s); }
  int32_t h = 0;
};

TEST_F(TextLabels, AnchorAlignmentsAndTheBox) {
  // PosX = MarginLeft + 10 and vaBottom: the text cell's left edge is 10
  // right of the plot's, its bottom on the anchor, the box 4 and 2 around.
  TTextLabel& l = Label(1, "Ab", 50 + 10, 80);
  const int32_t w = Width("Ab");
  EXPECT_EQ(Draw(), (TRect{60 - 4, 80 - h - 2, 60 + w + 4, 80 + 2}));
  chart.DrawTextLabels(plot.Canvas(), 0, 0);  // on the plot bitmap
  EXPECT_EQ(InkBounds(plot, Paper).Left, 10 - 4);
  l.SetAlignment(TAlignment::taRightJustify);
  EXPECT_EQ(Draw().Left, 60 - w - 4);
  l.SetAlignment(TAlignment::taCenter);
  EXPECT_EQ(Draw().Left, 60 - w / 2 - 4);
  l.SetVerticalAlignment(TVerticalAlignment::vaCenter);
  EXPECT_EQ(Draw().Bottom, 80 + h / 2 + 2);
}

TEST_F(TextLabels, TwoLinesFromTheTopAnchor) {
  TTextLabel& l = Label(1, "Ab\nLonger line", 60, 100);
  l.SetVerticalAlignment(TVerticalAlignment::vaTop);
  l.SetTransparent(true);  // only the glyphs
  Draw();
  // The first line's top at 100, the second's at 100 + h.
  TBitmap expected(260, 148);
  test::Fill(expected, Paper);
  expected.Canvas()->Font()->Assign(*l.Font());
  expected.Canvas()->Brush()->SetStyle(TBrushStyle::bsClear);
  expected.Canvas()->TextOut(60, 100, "Ab");
  expected.Canvas()->TextOut(60, 100 + h, "Longer line");
  EXPECT_EQ(test::CountDifferentPixels(frame, expected), 0);
  // Boxed: from 2 above to 2 below the block, as wide as the longest line.
  l.SetTransparent(false);
  l.SetMode(TTxtLblMode::tlBox);
  EXPECT_EQ(Draw(), (TRect{56, 98, 60 + Width("Longer line") + 4, 100 + 2 * h + 2}));
  EXPECT_EQ(At(frame, 56, 98), Border);
}

TEST_F(TextLabels, ShadowAndUnderline) {
  TTextLabel& l = Label(1, "Ab", 100, 80);
  l.SetMode(TTxtLblMode::tlShadow);
  l.SetShadowDx(3);
  l.SetShadowDy(3);
  Draw();
  const TRect box{96, 80 - h - 2, 100 + Width("Ab") + 4, 82};
  // The shadow shows as the strip of the box moved by (3, 3) outside the box.
  const int64_t bw = box.Width(), bh = box.Height();
  EXPECT_EQ(test::CountPixels(frame, Gray), bw * bh - (bw - 3) * (bh - 3));
  EXPECT_EQ(At(frame, box.Right + 2, box.Bottom + 2), Gray);
  EXPECT_EQ(At(frame, box.Left + 2, box.Bottom + 2), Paper);
  EXPECT_EQ(At(frame, box.Left, box.Top), Border);
  l.SetMode(TTxtLblMode::tlUnderline);
  l.SetTransparent(true);
  Draw();
  EXPECT_EQ(At(frame, 100, 80), Border);
  EXPECT_EQ(At(frame, 100 + Width("Ab") - 1, 80), Border);
  EXPECT_EQ(At(frame, 100 + Width("Ab"), 80), Paper);
  EXPECT_EQ(test::CountPixels(frame, Bkg), 0);
}

TEST_F(TextLabels, LabelOneEndsOnTopAndHiddenLabelsAreLeftOut) {
  Label(1, "One", 100, 80);
  Label(2, "One", 100, 80).SetColorBkg(Blue);
  Draw();
  EXPECT_EQ(At(frame, 97, 80), Bkg);
  EXPECT_EQ(test::CountPixels(frame, Blue), 0);
  chart.TextLabel(1)->SetVisible(false);
  Draw();
  EXPECT_EQ(At(frame, 97, 80), Blue);
  chart.TextLabel(1)->SetVisible(true);
  chart.TextLabel(1)->SetMode(TTxtLblMode::tlOff);
  chart.TextLabel(2)->SetLayer(3);
  chart.SetLayerVisible(3, false);
  EXPECT_TRUE(Draw().IsEmpty());
}

TEST_F(TextLabels, WorldAnchorsOnEitherAxis) {
  // World (100, 50) is control pixel (150, 66).
  TTextLabel& l = Label(1, "Ab", 100, 50, TTxtLblAttachMode::tlamBoth);
  EXPECT_EQ(Draw().Left, 150 - 4);
  EXPECT_EQ(Draw().Bottom, 66 + 2);
  l.SetAttachToData(TTxtLblAttachMode::tlamXOnly);
  l.SetPosY(90);  // a pixel row
  EXPECT_EQ(Draw().Left, 150 - 4);
  EXPECT_EQ(Draw().Bottom, 90 + 2);
  l.SetAttachToData(TTxtLblAttachMode::tlamYOnly);
  l.SetPosX(70.5);  // a pixel column, rounded half to even
  EXPECT_EQ(Draw().Left, 70 - 4);
  EXPECT_EQ(Draw().Bottom, 116 - 90 + 2);
}

TEST_F(TextLabels, FarAndUndefinedAnchorsDrawNothing) {
  const std::pair<double, double> far[] = {{NaN, 80}, {100, NaN}, {1e308, 80}, {-1e308, 80}, {3e9, -3e9}};
  for (const auto& [x, y] : far) {
    Label(1, "Ab\nCd", x, y);
    EXPECT_TRUE(Draw().IsEmpty()) << x << ", " << y;
    Label(1, "Ab", x, y, TTxtLblAttachMode::tlamBoth);
    Draw();  // the transform places NaN; nothing may misbehave
  }
}

// ---- mouse trace ----------------------------------------------------------------

class MouseTrace : public Overlays {
 protected:
  // World (x, y) is plot pixel (x, 100 - y).
  void Point(double x, double y, uint16_t flags, TColor color) {
    chart.MouseTraceBuffer().push_back(TMouseTracePoint{x, y, flags, color});
  }
};

TEST_F(MouseTrace, AStrokeEndsAtAPointWithBitZero) {
  TCanvas& c = *plot.Canvas();
  c.Pen()->SetColor(Gray);
  c.Brush()->SetStyle(TBrushStyle::bsClear);
  Point(10, 50, 0, Red);   // A
  Point(60, 50, 1, Blue);  // B: the stroke ends here
  Point(60, 20, 0, Red);   // C
  chart.DrawMouseTrace(0, 0, &plot);
  // A-B in B's colour without its end point; no B-C.
  EXPECT_EQ(At(plot, 10, 50), Blue);
  EXPECT_EQ(At(plot, 59, 50), Blue);
  EXPECT_EQ(test::CountPixels(plot, Blue), 50);
  EXPECT_EQ(test::CountPixels(plot, Red), 0);
  EXPECT_EQ(c.Pen()->Color(), Gray);
  EXPECT_EQ(c.Brush()->Style(), TBrushStyle::bsClear);
  // With the plot's top-left pixel at (5, 3).
  chart.DrawMouseTrace(5, 3, &plot);
  EXPECT_EQ(At(plot, 15, 53), Blue);
}

TEST_F(MouseTrace, InvertedSegmentsUndoThemselves) {
  plot.Canvas()->SetPixel(30, 50, Red);
  Point(10, 50, 0, clWhite);
  Point(60, 50, 2, clWhite);
  Point(60, 20, 2, RGB(0, 255, 0));
  chart.DrawMouseTrace(0, 0, &plot);
  EXPECT_NE(At(plot, 30, 50), Red);
  EXPECT_EQ(plot.Canvas()->Pen()->Mode(), TPenMode::pmCopy);
  chart.DrawMouseTrace(0, 0, &plot);
  EXPECT_EQ(PaperLeft(plot), 201 * 101 - 1);
  EXPECT_EQ(At(plot, 30, 50), Red);
}

TEST_F(MouseTrace, FarPointsAreCutByTheCanvas) {
  Point(NaN, NaN, 0, Red);
  Point(NaN, NaN, 1, Red);
  Point(1e308, 50, 0, Red);
  Point(1e300, 60, 1, Red);
  Point(-1e308, -1e308, 0, Red);
  Point(-1e307, -1e308, 1, Red);
  chart.DrawMouseTrace(0, 0, &plot);
  EXPECT_EQ(PaperLeft(plot), 201 * 101);
  Point(-1e308, 50, 0, Red);  // across the whole plot
  Point(1e308, 50, 0, Red);
  chart.DrawMouseTrace(0, 0, &plot);
  EXPECT_EQ(test::CountPixels(plot, Red), 201);
}

}  // namespace
}  // namespace korvo
