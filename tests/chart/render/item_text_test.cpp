// Text items: placement by alignment around the middle of the first line,
// multi-line blocks with their background box, long texts, the
// OnBeforeRenderText hook and monochrome text.
#include <algorithm>
#include <string>

#include "chart/render/TextBlock.h"
#include "platform/graphics/Printer.h"
#include "chart/render/item_fixture.h"

namespace korvo::test {
namespace {

// The smallest rectangle holding every pixel that is not `paper`.
TRect NonPaperBounds(const TBitmap& b, TColor paper) {
  TRect r{INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN};
  for (int32_t y = 0; y < b.Height(); ++y) {
    for (int32_t x = 0; x < b.Width(); ++x) {
      if (PixelAt(b, x, y) == paper) continue;
      r.Left = std::min(r.Left, x);
      r.Top = std::min(r.Top, y);
      r.Right = std::max(r.Right, x + 1);
      r.Bottom = std::max(r.Bottom, y + 1);
    }
  }
  return r;
}

class Texts : public ItemChart {
 protected:
  Texts() {
    chart.TextFont()->SetSize(12);
    chart.SetAnnotationMode(true);
  }
  // The reference canvas with the font a text item of colour `colour` uses.
  void RefFont(TCanvas* c, TColor colour) {
    c->Font()->SetName(chart.TextFont()->Name());
    c->Font()->SetStyle(chart.TextFont()->Style());
    c->Font()->SetSize(12);
    c->Font()->SetColor(colour);
  }
};

TEST_F(Texts, MeasuringABlock) {
  RefFont(Ref(), clBlack);
  const TTextBlockMetrics m = MeasureTextBlock("ab\ncdef\n", Ref());
  EXPECT_EQ(m.Lines, 3);
  EXPECT_EQ(m.LineHeight, Ref()->TextHeight("x") + 1);
  EXPECT_EQ(m.BlockHeight, 3 * m.LineHeight);
  EXPECT_EQ(m.Width, Ref()->TextWidth("cdef"));
  EXPECT_EQ(MeasureTextBlock("\n\n", Ref()).Width, Ref()->TextWidth("\n\n")) << "no line has a width";
  EXPECT_EQ(MeasureTextBlock("", Ref()).Lines, 1);
}

TEST_F(Texts, TwoLinesRightAlignedEndAtTheAnchor) {
  chart.SetTextAlignment(TAlignment::taRightJustify);
  chart.TextAt(100, 50, "ab\ncdef", TCoordMode::cmPixel);
  TBitmap big(200, 120), expected(200, 120);
  Fill(big, clWhite);
  Fill(expected, clWhite);
  SnapshotBeforeFrame(big);
  chart.RenderData(big.Canvas(), 0, 0, false, true);

  TCanvas* c = expected.Canvas();
  RefFont(c, clBlack);
  c->Brush()->SetStyle(TBrushStyle::bsClear);
  const int h = c->TextHeight("ab") + 1;
  const int y = 50 - h / 2;
  c->TextOut(100 - c->TextWidth("ab"), y, "ab");
  c->TextOut(100 - c->TextWidth("cdef"), y + h, "cdef");
  EXPECT_EQ(CountDifferentPixels(before, expected), 0);
  EXPECT_LE(NonPaperBounds(before, clWhite).Right, 100);
  EXPECT_GT(NonPaperBounds(before, clWhite).Right, 95);
}

TEST_F(Texts, TwoLinesOnASolidBackgroundGetABoxAroundTheBlock) {
  chart.SetTextAlignment(TAlignment::taRightJustify);
  chart.SetTextBkStyle(TTextBkg::tbSolid);
  chart.SetFillColor(clYellow);
  chart.SetDataColor(clNavy);
  chart.TextAt(100, 50, "ab\ncdef", TCoordMode::cmPixel);
  TBitmap big(200, 120), expected(200, 120);
  Fill(big, clWhite);
  Fill(expected, clWhite);
  SnapshotBeforeFrame(big);
  chart.RenderData(big.Canvas(), 0, 0, false, true);

  TCanvas* c = expected.Canvas();
  RefFont(c, clNavy);
  const int h = c->TextHeight("ab") + 1, w = c->TextWidth("cdef");
  const int x = 100 - w, y = 50 - h / 2;
  c->Pen()->SetColor(clYellow);
  c->Brush()->SetColor(clYellow);
  c->Rectangle(x - 4, y - 2, x + w + 4, y + 2 * h + 2);
  c->TextOut(100 - c->TextWidth("ab"), y, "ab");
  c->TextOut(x, y + h, "cdef");
  EXPECT_EQ(CountDifferentPixels(before, expected), 0);
  EXPECT_EQ(NonPaperBounds(before, clWhite), (TRect{x - 4, y - 2, x + w + 4, y + 2 * h + 2}));
}

TEST_F(Texts, OneLineCentredOnItsWorldAnchor) {
  chart.SetAnnotationMode(false);
  chart.TextAt(50, 50, "Hi");
  chart.SetTextAlignment(TAlignment::taLeftJustify);
  chart.TextOffsAt(20, 80, 5, -5, "x");  // anchor (25, 15)
  Render();
  RefFont(Ref(), clBlack);
  Ref()->Brush()->SetStyle(TBrushStyle::bsClear);
  const int h = Ref()->TextHeight("Hi") + 1;
  Ref()->TextOut(50 - Ref()->TextWidth("Hi") / 2, 50 - h / 2, "Hi");
  Ref()->TextOut(25, 15 - h / 2, "x");
  EXPECT_EQ(Differences(), 0);
  EXPECT_GT(CountPixels(bmp, clBlack), 10);
}

TEST_F(Texts, AnchorInTheMixedModes) {
  chart.SetTextAlignment(TAlignment::taLeftJustify);
  chart.TextAt(10, 70, "a", TCoordMode::cmXPixelYWorld);  // (10, 30)
  chart.TextAt(60, 70, "b", TCoordMode::cmXWorldYPixel);  // (60, 70)
  Render();
  RefFont(Ref(), clBlack);
  Ref()->Brush()->SetStyle(TBrushStyle::bsClear);
  const int h = Ref()->TextHeight("a") + 1;
  Ref()->TextOut(10, 30 - h / 2, "a");
  Ref()->TextOut(60, 70 - h / 2, "b");
  EXPECT_EQ(Differences(), 0);
}

TEST_F(Texts, LongTextsAndIndicesBeyondTheTable) {
  const std::string longText = "a text longer than seventeen bytes";
  chart.SetLongText(1, longText);
  chart.SetTextAlignment(TAlignment::taLeftJustify);
  chart.LongTextAt(2, 20, 1, TCoordMode::cmPixel);
  chart.TextAt(2, 50, "inline", TCoordMode::cmPixel);
  chart.TextAt(2, 80, "inline", TCoordMode::cmPixel);
  chart.OnBeforeRenderChartItem = [](TObject*, TpwChartItem& item, int index, bool) {
    if (index == 1) item.LineWidth = -3;  // below 1: the inline text
    if (index == 2) item.LineWidth = 51;  // beyond the table: no text
  };
  Render();
  RefFont(Ref(), clBlack);
  Ref()->Brush()->SetStyle(TBrushStyle::bsClear);
  const int h = Ref()->TextHeight("a") + 1;
  Ref()->TextOut(2, 20 - h / 2, longText);
  Ref()->TextOut(2, 50 - h / 2, "inline");
  EXPECT_EQ(Differences(), 0);
}

TEST_F(Texts, TheHookReplacesTheTextOfThisDrawingOnly) {
  chart.SetTextAlignment(TAlignment::taLeftJustify);
  chart.Line(0, 0, 1, 1, TCoordMode::cmPixel);
  chart.TextAt(10, 50, "old", TCoordMode::cmPixel);
  std::vector<std::pair<int, bool>> calls;
  chart.OnBeforeRenderText = [&](TObject* sender, std::string& text, int index, bool isAnnotation) {
    EXPECT_EQ(sender, &chart);
    EXPECT_EQ(text, "old");
    calls.emplace_back(index, isAnnotation);
    text = "replaced, and longer than any inline text";
  };
  Render();
  Render();
  EXPECT_EQ(calls, (std::vector<std::pair<int, bool>>{{1, true}, {1, true}}));
  RefFont(Ref(), clBlack);
  Ref()->Brush()->SetStyle(TBrushStyle::bsClear);
  Ref()->Pen()->SetColor(clBlack);
  Ref()->Brush()->SetColor(clSilver);
  Ref()->MoveTo(0, 0);
  Ref()->LineTo(1, 1);
  Ref()->TextOut(10, 50 - (Ref()->TextHeight("x") + 1) / 2, "replaced, and longer than any inline text");
  EXPECT_EQ(Differences(), 0);
}

TEST_F(Texts, MonochromeTextIsBlackOnWhite) {
  chart.SetTextBkStyle(TTextBkg::tbSolid);
  chart.SetDataColor(clRed);
  chart.SetFillColor(clBlue);
  chart.TextAt(50, 50, "Mono", TCoordMode::cmPixel);
  Fill(bmp, clYellow);
  SnapshotBeforeFrame(bmp);
  chart.RenderData(bmp.Canvas(), 0, 0, true, true);
  RefFont(Ref(), clBlack);
  const int w = Ref()->TextWidth("Mono"), h = Ref()->TextHeight("Mono");
  const TRect cell{50 - w / 2, 50 - (h + 1) / 2, 50 - w / 2 + w, 50 - (h + 1) / 2 + h};
  EXPECT_EQ(NonPaperBounds(before, clYellow), cell);
  int dark = 0;
  for (int y = cell.Top; y < cell.Bottom; ++y) {
    for (int x = cell.Left; x < cell.Right; ++x) {
      const TColor c = PixelAt(bmp, x, y);
      ASSERT_TRUE(GetRValue(c) == GetGValue(c) && GetGValue(c) == GetBValue(c)) << x << "," << y;
      dark += GetRValue(c) < 64;
    }
  }
  EXPECT_GT(dark, 10);
}

TEST_F(Texts, TheLongTextIndexIsNoPenWidth) {
  // The line-width field of a text item holds its long-text index; the box
  // of a block is still outlined one pixel wide.
  chart.SetLongText(9, "ab\ncd");
  chart.SetTextBkStyle(TTextBkg::tbSolid);
  chart.SetFillColor(clYellow);
  chart.SetTextAlignment(TAlignment::taLeftJustify);
  chart.LongTextAt(40, 50, 9, TCoordMode::cmPixel);
  Fill(bmp, clWhite);
  SnapshotBeforeFrame(bmp);
  chart.RenderData(bmp.Canvas(), 0, 0, false, true);
  RefFont(Ref(), clBlack);
  const int h = Ref()->TextHeight("ab") + 1, w = std::max(Ref()->TextWidth("ab"), Ref()->TextWidth("cd"));
  const int y = 50 - h / 2;
  EXPECT_EQ(NonPaperBounds(before, clWhite), (TRect{40 - 4, y - 2, 40 + w + 4, y + 2 * h + 2}));
}

TEST_F(Texts, OnThePrinterTextKeepsItsPointSize) {
  chart.SetTextAlignment(TAlignment::taLeftJustify);
  chart.TextAt(10, 10, "Ag", TCoordMode::cmPixel);
  chart.MarkAt(60, 60, 'Q', TCoordMode::cmPixel);  // Param1 0: the font's default size, 8 points
  Printer()->BeginDoc();
  TCanvas* page = Printer()->Canvas();
  Fill(bmp, clWhite);
  chart.RenderData(page, 100, 100, true, true);
  EXPECT_EQ(page->Font()->PixelsPerInch(), 300);
  EXPECT_EQ(page->Font()->Height(), -50) << "12 points at 300 pixels per inch (texts are drawn last)";
  Printer()->EndDoc();
  ASSERT_EQ(Printer()->Pages().size(), 1u);
  const TBitmap& sheet = *Printer()->Pages()[0];
  int top = INT32_MAX, bottom = -1;
  for (int y = 0; y < 400; ++y) {
    for (int x = 100; x < 300; ++x) {
      if (PixelAt(sheet, x, y) != clWhite && y < 150) {
        top = std::min(top, y);
        bottom = std::max(bottom, y);
      }
    }
  }
  EXPECT_GT(bottom - top, 30) << "the text is drawn at the printer's size, not the screen's 16 pixels";
}

}  // namespace
}  // namespace korvo::test
