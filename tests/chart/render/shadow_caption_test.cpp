// The drop shadow, pixel by pixel on a small chart, and the caption: its
// anchors, alignments and trimming.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "chart/render/render_fixture.h"

namespace korvo {
namespace {

using test::At;
using test::RenderChart;

constexpr TColor Paper = clWhite;
constexpr TColor Shade = RGB(0, 0, 200);
constexpr TColor Corner = RGB(0, 200, 0);

// A 140 x 68 chart (the smallest that margins 50, 10, 16, 32 allow) with a
// 3-pixel shadow, drawn onto a bitmap of the control's size.
class Shadow : public ::testing::Test {
 protected:
  Shadow() : chart(nullptr) {
    chart.SetMarginLeft(50);
    chart.SetMarginRight(10);
    chart.SetMarginTop(16);
    chart.SetMarginBottom(32);
    chart.SetBounds(0, 0, 140, 68);
    chart.SetShadowWidth(3);
    chart.SetShadowColor(Shade);
    chart.SetShadowBakColor(Corner);
    frame.SetSize(140, 68);
    test::Fill(frame, Paper);
  }
  std::string Region(int32_t l, int32_t t, int32_t r, int32_t b) {
    return test::Picture(frame, TRect{l, t, r, b}, {{Paper, '.'}, {clBlack, '#'}, {Shade, 's'}, {Corner, 'b'}});
  }

  TPlotwell chart;
  TBitmap frame;
};

TEST_F(Shadow, FlyingShadowIsTheBodyMovedToTheLowerRight) {
  ASSERT_EQ(chart.Width(), 140);
  ASSERT_EQ(chart.Height(), 68);
  chart.DrawShadow(frame.Canvas());
  // Bottom left: the body's outline ends at row 65; the band starts at
  // column 2 and the corner left of it keeps ShadowBakColor.
  EXPECT_EQ(Region(0, 63, 6, 68),
            "#.....\n"
            "#.....\n"
            "######\n"
            "bbssss\n"
            "bbssss\n");
  // Top right: the band starts at row 2, under the free corner.
  EXPECT_EQ(Region(134, 0, 140, 4),
            "####bb\n"
            "...#bb\n"
            "...#ss\n"
            "...#ss\n");
  // Bottom right: both bands meet.
  EXPECT_EQ(Region(134, 64, 140, 68),
            "...#ss\n"
            "####ss\n"
            "ssssss\n"
            "ssssss\n");
  // Nothing else is touched.
  EXPECT_EQ(At(frame, 70, 30), Paper);
}

TEST_F(Shadow, BoxShadowHasSlantedFacesOutlinedInBlack) {
  chart.SetShadowStyle(TShadowStyle::ssBox);
  chart.DrawShadow(frame.Canvas());
  EXPECT_EQ(Region(0, 64, 5, 68),
            "#....\n"
            "#####\n"
            "b#sss\n"
            "bb###\n");
  EXPECT_EQ(Region(136, 0, 140, 4),
            "##bb\n"
            ".##b\n"
            ".#s#\n"
            ".#s#\n");
  EXPECT_EQ(Region(136, 64, 140, 68),
            ".#s#\n"
            "##s#\n"
            "ss##\n"
            "####\n");
}

// ---- caption ----------------------------------------------------------------

constexpr TColor Cell = RGB(250, 200, 0);

// The caption drawn with a solid brush, so its text cell (TextWidth by
// TextHeight from the drawing position) shows exactly where it went. The
// bitmap is larger than the control so that anchors at the control's right
// and bottom edge stay visible.
class Caption : public ::testing::Test {
 protected:
  Caption() {
    target.SetSize(400, 260);
    canvas().Font()->Assign(*chart.Font());
    canvas().Brush()->SetStyle(TBrushStyle::bsSolid);
    canvas().Brush()->SetColor(Cell);
  }
  TCanvas& canvas() { return *target.Canvas(); }
  TRect Drawn() {
    test::Fill(target, Paper);
    chart.DrawCaption(&canvas());
    return test::InkBounds(target, Paper);
  }
  // What the caption step should draw, drawn directly.
  const TBitmap& Expected(const std::string& text, int32_t x, int32_t y) {
    expected.SetSize(target.Width(), target.Height());
    test::Fill(expected, Paper);
    expected.Canvas()->Font()->Assign(*chart.Font());
    expected.Canvas()->Brush()->SetColor(Cell);
    expected.Canvas()->TextOut(x, y, text);
    return expected;
  }

  RenderChart chart;  // 260 x 148, plot columns 50..250, rows 16..116
  TBitmap target, expected;
};

TEST_F(Caption, AnchorsEachWay) {
  chart.SetCaption("Ab");
  const int32_t w = canvas().TextWidth("Ab"), h = canvas().TextHeight("Ab");
  chart.SetCaptionAlignment(TAlignment::taLeftJustify);
  chart.SetCaptionPosX(3);
  chart.SetCaptionPosY(5);
  chart.SetCaptionAnchorVert(TCaptionAnchorVert::cavControlTop);
  const std::pair<TCaptionAnchorHoriz, int32_t> horiz[] = {
      {TCaptionAnchorHoriz::cahControlLeft, 0},      {TCaptionAnchorHoriz::cahChartLeft, 50},
      {TCaptionAnchorHoriz::cahChartCenter, 50 + 100}, {TCaptionAnchorHoriz::cahChartRight, 250},
      {TCaptionAnchorHoriz::cahControlRight, 260},
  };
  for (const auto& [anchor, x] : horiz) {
    chart.SetCaptionAnchorHoriz(anchor);
    EXPECT_EQ(Drawn(), (TRect{x + 3, 5, x + 3 + w, 5 + h})) << int(anchor);
  }
  chart.SetCaptionAnchorHoriz(TCaptionAnchorHoriz::cahControlLeft);
  const std::pair<TCaptionAnchorVert, int32_t> vert[] = {
      {TCaptionAnchorVert::cavControlTop, 0},     {TCaptionAnchorVert::cavChartTop, 16},
      {TCaptionAnchorVert::cavChartCenter, 16 + 50}, {TCaptionAnchorVert::cavChartBottom, 116},
      {TCaptionAnchorVert::cavControlBottom, 148},
  };
  for (const auto& [anchor, y] : vert) {
    chart.SetCaptionAnchorVert(anchor);
    EXPECT_EQ(Drawn(), (TRect{3, y + 5, 3 + w, y + 5 + h})) << int(anchor);
  }
}

TEST_F(Caption, AlignmentAndShadowMoveTheAnchor) {
  chart.SetCaption("Caption");
  const int32_t w = canvas().TextWidth("Caption"), h = canvas().TextHeight("Caption");
  chart.SetCaptionPosX(0);
  chart.SetCaptionPosY(-15);
  chart.SetCaptionAnchorVert(TCaptionAnchorVert::cavChartTop);
  // The defaults: right end at the plot's right edge, 15 above its top.
  EXPECT_EQ(Drawn(), (TRect{250 - w, 1, 250, 1 + h}));
  chart.SetCaptionAlignment(TAlignment::taCenter);
  chart.SetCaptionAnchorHoriz(TCaptionAnchorHoriz::cahChartCenter);
  EXPECT_EQ(Drawn().Left, 150 - w / 2);
  // A shadow narrows the plot area: its centre moves left by half of it.
  chart.SetShadowWidth(10);
  EXPECT_EQ(Drawn().Left, 50 + (260 - 60 - 10) / 2 - w / 2);
  chart.SetCaptionAnchorVert(TCaptionAnchorVert::cavChartBottom);
  EXPECT_EQ(Drawn().Top, 148 - 32 - 10 - 15);
}

TEST_F(Caption, TrimmedToItsShareOfThePlotWidthCountingCharacters) {
  // Plot width 200; CaptionTrim 50 allows 100 pixels. The euro sign is
  // three bytes: counting bytes would keep too many and cut inside one.
  chart.SetCaptionTrim(50);
  chart.SetCaptionAlignment(TAlignment::taLeftJustify);
  chart.SetCaptionAnchorHoriz(TCaptionAnchorHoriz::cahChartLeft);
  chart.SetCaptionAnchorVert(TCaptionAnchorVert::cavChartTop);
  chart.SetCaptionPosX(0);
  chart.SetCaptionPosY(0);
  for (const std::string glyph : {"0", "\xE2\x82\xAC"}) {
    std::string text;
    int64_t n = 0;
    for (; canvas().TextWidth(text) < 150; ++n) text += glyph;
    chart.SetCaption(text);
    const int64_t keep = int64_t(std::nearbyint(double(n) * 100 / canvas().TextWidth(text))) - 2;
    ASSERT_GT(keep, 0);
    const std::string want = text.substr(0, size_t(keep) * glyph.size()) + "...";
    Drawn();
    EXPECT_EQ(test::CountDifferentPixels(target, Expected(want, 50, 16)), 0) << want;
    EXPECT_LE(canvas().TextWidth(want), 100);
  }
  // 0: never trimmed.
  chart.SetCaptionTrim(0);
  Drawn();
  EXPECT_EQ(test::CountDifferentPixels(target, Expected(chart.Caption(), 50, 16)), 0);
}

}  // namespace
}  // namespace korvo
