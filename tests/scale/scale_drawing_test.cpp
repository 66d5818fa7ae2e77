#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "platform/Calendar.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Printer.h"
#include "scale/Scale.h"
#include "support/TestSupport.h"

namespace korvo {
namespace {

constexpr TColor Paper = clWhite;
constexpr TColor Ink = clBlue;
constexpr TColor Cream = RGB(255, 251, 240);  // label colour: never pure black, so ticks stand out

// A transparent scale drawing onto a white bitmap of its size, embedded as
// the chart's renderers are (a transparent stand-alone scale would
// invalidate its window instead of painting).
class DrawnScale : public ::testing::Test {
 protected:
  DrawnScale() { Setup(400, 60, TScaleType::sctXT); }

  void Setup(int width, int height, TScaleType type) {
    target = std::make_unique<TBitmap>(width, height);
    test::Fill(*target, Paper);
    scale.SetBounds(0, 0, width, height);
    scale.SetScaleType(type);
    scale.SetTransparent(true);
    scale.SetEmbedded(true);
    scale.Font()->SetColor(Ink);
    scale.SetExternalCanvas(target->Canvas(), 0, 0);
  }
  void Draw() {
    test::Fill(*target, Paper);
    scale.ForcePaint();
  }
  bool Black(int x, int y) const { return target->Canvas()->Pixel(x, y) == clBlack; }
  // Texts drawn with the scale's font at the given cells, on white.
  std::unique_ptr<TBitmap> Reference(const std::vector<std::tuple<int, int, std::string>>& texts) {
    auto ref = std::make_unique<TBitmap>(target->Width(), target->Height());
    test::Fill(*ref, Paper);
    ref->Canvas()->Font()->Assign(*scale.Font());
    ref->Canvas()->Brush()->SetStyle(TBrushStyle::bsClear);
    for (const auto& [x, y, text] : texts) ref->Canvas()->TextOut(x, y, text);
    return ref;
  }
  int32_t TextWidth(const std::string& s) {
    target->Canvas()->Font()->Assign(*scale.Font());
    return target->Canvas()->TextWidth(s);
  }
  int32_t TextHeight() {
    target->Canvas()->Font()->Assign(*scale.Font());
    return target->Canvas()->TextHeight("0");
  }
  // Pixels that differ between the bitmaps within rows top .. bottom - 1.
  long DifferentPixels(const TBitmap& expected, int top, int bottom) const {
    long n = 0;
    for (int y = std::max(top, 0); y < std::min(bottom, target->Height()); ++y) {
      for (int x = 0; x < target->Width(); ++x) n += expected.Canvas()->Pixel(x, y) != target->Canvas()->Pixel(x, y);
    }
    return n;
  }

  TScale scale{nullptr};
  std::unique_ptr<TBitmap> target;
};

TEST_F(DrawnScale, TopBaseLineWithTicksGoingDown) {
  Draw();
  for (int x = 20; x <= 379; ++x) EXPECT_TRUE(Black(x, 20)) << x;
  EXPECT_FALSE(Black(19, 20));
  EXPECT_FALSE(Black(380, 20));
  // Major tick at 0 (x = 20): 7 pixels down; short tick at 5 (x = 38): 4.
  for (int y = 20; y <= 26; ++y) EXPECT_TRUE(Black(20, y)) << y;
  EXPECT_FALSE(Black(20, 27));
  for (int y = 20; y <= 23; ++y) EXPECT_TRUE(Black(38, y)) << y;
  EXPECT_FALSE(Black(38, 24));
  EXPECT_TRUE(Black(379, 26));  // the major at 100
  // Nothing above the line.
  for (int x = 0; x < 400; ++x) EXPECT_FALSE(Black(x, 19));
  EXPECT_EQ(scale.NumTicks(), 21);
  EXPECT_EQ(scale.TickPos(2), 5.0);
}

TEST_F(DrawnScale, HorizontalLabelsAreCentredSevenPixelsBelowTheLine) {
  Draw();
  std::vector<std::tuple<int, int, std::string>> texts;
  for (int v = 0; v <= 100; v += 20) {
    const std::string label = std::to_string(v);
    const int x = scale.ValueToPixel(v);
    const int hw = TextWidth(label) / 2;
    const int left = x + hw < 400 - 2 ? x - std::min(x - 2, hw) : 400 - 2 * hw - 2;
    texts.emplace_back(left, 27, label);
  }
  const auto ref = Reference(texts);
  EXPECT_EQ(DifferentPixels(*ref, 27, 60), 0);
}

TEST_F(DrawnScale, BottomBaseLineWithTicksAndLabelsGoingUp) {
  Setup(400, 60, TScaleType::sctXB);
  scale.SetShortTicks(false);
  Draw();
  const int base = 60 - 20 - 1;
  for (int y = base - 6; y <= base; ++y) EXPECT_TRUE(Black(20, y)) << y;
  EXPECT_FALSE(Black(20, base - 7));
  const int h = TextHeight();
  std::vector<std::tuple<int, int, std::string>> texts;
  for (int v = 0; v <= 100; v += 20) {
    const std::string label = std::to_string(v);
    const int x = scale.ValueToPixel(v);
    const int hw = TextWidth(label) / 2;
    const int left = x + hw < 398 ? x - std::min(x - 2, hw) : 400 - 2 * hw - 2;
    texts.emplace_back(left, base - h - 7, label);
  }
  EXPECT_EQ(DifferentPixels(*Reference(texts), 0, base - 7), 0);
}

TEST_F(DrawnScale, LabelsAreKeptTwoPixelsInsideTheControl) {
  scale.SetMarginLeft(5);
  scale.SetMarginRight(10);
  scale.SetShortTicks(false);
  const std::string wide = "WWWWWW";
  scale.OnBeforeTickLabel = [&](TObject*, TScaleType, double pos, std::string& text) {
    text = pos == 0 || pos == 100 ? wide : "";
  };
  Draw();
  const int w = TextWidth(wide);
  const int hw = w / 2;
  ASSERT_GE(hw, 10);
  // The first tick is at x = 5: the label starts at 2. The last, 10 pixels
  // from the right end (x = 389), ends flush with Width - 2.
  const auto ref = Reference({{2, 27, wide}, {400 - 2 * hw - 2, 27, wide}});
  EXPECT_EQ(scale.ValueToPixel(0), 5);
  EXPECT_EQ(scale.ValueToPixel(100), 389);
  EXPECT_EQ(DifferentPixels(*ref, 27, 60), 0);
}

TEST_F(DrawnScale, WithoutBaseLineOnlyTheTicksTouchItsRow) {
  scale.SetShowBaseLine(false);
  scale.SetShortTicks(false);
  Draw();
  int black = 0;
  for (int x = 0; x < 400; ++x) black += Black(x, 20);
  EXPECT_EQ(black, 6);  // the six majors
  EXPECT_TRUE(Black(20, 20));
  EXPECT_FALSE(Black(21, 20));
}

TEST_F(DrawnScale, VerticalLabelsBesideTheBaseLine) {
  Setup(120, 300, TScaleType::sctYL);
  scale.SetShortTicks(false);
  Draw();
  // Base line from y = 20 to y = 278 at x = 20; majors 6 pixels right.
  for (int y = 20; y <= 278; ++y) EXPECT_TRUE(Black(20, y)) << y;
  for (int x = 20; x <= 25; ++x) EXPECT_TRUE(Black(x, 279)) << x;
  EXPECT_FALSE(Black(26, 279));
  const int h = TextHeight();
  std::vector<std::tuple<int, int, std::string>> texts;
  for (int v = 0; v <= 100; v += 20) texts.emplace_back(20 + 8, scale.ValueToPixel(v) - h / 2, std::to_string(v));
  const auto ref = Reference(texts);
  long diff = 0;
  for (int y = 0; y < 300; ++y) {
    for (int x = 27; x < 120; ++x) diff += ref->Canvas()->Pixel(x, y) != target->Canvas()->Pixel(x, y);
  }
  EXPECT_EQ(diff, 0);

  Setup(120, 300, TScaleType::sctYR);
  Draw();
  const int X = 120 - 20 - 1;
  for (int x = X - 5; x <= X; ++x) EXPECT_TRUE(Black(x, 279)) << x;
  texts.clear();
  for (int v = 0; v <= 100; v += 20) {
    const std::string label = std::to_string(v);
    texts.emplace_back(X - TextWidth(label) - 8, scale.ValueToPixel(v) - h / 2, label);
  }
  const auto ref_r = Reference(texts);
  diff = 0;
  for (int y = 0; y < 300; ++y) {
    for (int x = 0; x < X - 6; ++x) diff += ref_r->Canvas()->Pixel(x, y) != target->Canvas()->Pixel(x, y);
  }
  EXPECT_EQ(diff, 0);
}

TEST_F(DrawnScale, CaptionAtItsAnchor) {
  scale.SetCaption("Caption");
  scale.SetCaptionAnchor(TScaleUnitAnchor::uaSclCenter);
  scale.SetCaptionPosX(0);
  scale.SetCaptionPosY(24);
  scale.SetShortTicks(false);
  scale.OnBeforeTickLabel = [](TObject*, TScaleType, double, std::string& text) { text.clear(); };
  Draw();
  const int w = TextWidth("Caption");
  const int x0 = 20 + (400 - 40) / 2 - w / 2;
  EXPECT_EQ(DifferentPixels(*Reference({{x0, 20 + 24, "Caption"}}), 27, 60), 0);

  scale.SetCaptionAnchor(TScaleUnitAnchor::uaSclBotRgt);
  scale.SetCaptionAlignment(TAlignment::taRightJustify);
  Draw();
  EXPECT_EQ(DifferentPixels(*Reference({{400 - 20 - w, 44, "Caption"}}), 27, 60), 0);
  scale.SetCaptionAnchor(TScaleUnitAnchor::uaSclTopLft);
  scale.SetCaptionAlignment(TAlignment::taLeftJustify);
  scale.SetCaptionPosX(4);
  Draw();
  EXPECT_EQ(DifferentPixels(*Reference({{24, 44, "Caption"}}), 27, 60), 0);
}

TEST_F(DrawnScale, UnusableDateTimeRangesShowATextInsteadOfTicks) {
  scale.SetLabelType(TFigType::ftDateTime);
  scale.SetRange(10, 5);
  Draw();
  const std::string text = "invalid DateTime scale";
  const int mid = scale.ValueToPixel(7.5);
  EXPECT_EQ(DifferentPixels(*Reference({{mid - TextWidth(text) / 2, 27, text}}), 21, 60), 0);
  EXPECT_EQ(scale.NumTicks(), 0);

  Setup(120, 300, TScaleType::sctYR);
  scale.SetLabelType(TFigType::ftDateTime);
  scale.SetRange(0, 2e-7);  // 0.006 s per interval
  Draw();
  const int X = 120 - 20 - 1;
  const int y = scale.ValueToPixel(1e-7);
  const int h = TextHeight();
  std::vector<std::tuple<int, int, std::string>> lines;
  int row = y - h;
  for (const char* line : {"DateTime", "range is", "below 1", "second"}) {
    lines.emplace_back(X - TextWidth(line) - 2, row, line);
    row += h;
  }
  const auto ref = Reference(lines);
  long diff = 0;
  for (int yy = 0; yy < 300; ++yy) {
    for (int x = 0; x < X; ++x) diff += ref->Canvas()->Pixel(x, yy) != target->Canvas()->Pixel(x, yy);
  }
  EXPECT_EQ(diff, 0);
}

TEST_F(DrawnScale, ATransparentScaleTouchesOnlyItsLinesAndTexts) {
  TBitmap big(500, 100);
  test::Fill(big, clYellow);
  scale.SetExternalCanvas(big.Canvas(), 50, 20);
  scale.SetShortTicks(false);
  scale.SetFont(nullptr);
  scale.Font()->SetColor(Ink);
  scale.ForcePaint();
  // The base line moved down by OffsetY only; positions along the scale are
  // the control's own.
  EXPECT_EQ(big.Canvas()->Pixel(20, 40), clBlack);
  EXPECT_EQ(big.Canvas()->Pixel(379, 40), clBlack);
  EXPECT_EQ(big.Canvas()->Pixel(70, 40), clBlack);
  EXPECT_EQ(big.Canvas()->Pixel(19, 40), clYellow);
  // Every other pixel is yellow, or label ink below the line.
  for (int y = 0; y < 100; ++y) {
    for (int x = 0; x < 500; ++x) {
      const TColor c = big.Canvas()->Pixel(x, y);
      if (c == clYellow || c == clBlack) continue;
      EXPECT_GE(y, 47) << x << "," << y;
    }
  }
}

TEST(OpaqueScale, FramedOffScreenPictureCopiedAtTheOffsets) {
  TScale s(nullptr);
  s.SetBounds(0, 0, 200, 50);
  s.SetFrameStyle(TFrameStyle::fsRaised);
  s.SetColorScheme(TColorScheme::csSystem);
  s.SetColorBackGnd(Cream);
  TBitmap big(260, 100);
  test::Fill(big, clYellow);
  s.SetExternalCanvas(big.Canvas(), 30, 40);
  s.ForcePaint();
  const TCanvas* c = big.Canvas();
  EXPECT_EQ(c->Pixel(29, 40), clYellow);
  EXPECT_EQ(c->Pixel(30, 39), clYellow);
  EXPECT_EQ(c->Pixel(230, 89), clYellow);
  EXPECT_EQ(c->Pixel(30, 40), ColorToRGB(clBtnHighlight));
  EXPECT_EQ(c->Pixel(229, 40), ColorToRGB(clBtnHighlight));
  EXPECT_EQ(c->Pixel(30, 89), clBlack);
  EXPECT_EQ(c->Pixel(229, 89), clBlack);
  EXPECT_EQ(c->Pixel(31, 41), clSilver);
  EXPECT_EQ(c->Pixel(228, 88), ColorToRGB(clBtnShadow));
  EXPECT_EQ(c->Pixel(35, 45), Cream);  // background inside the frame
  // The scale keeps ColorScale (base line at y = 40 + 50 - 20 - 1).
  EXPECT_EQ(c->Pixel(30 + 100, 69), clBlack);
}

TEST(OpaqueScale, AfterRenderedSeesTheOffScreenCanvasBeforeTheFrame) {
  TScale s(nullptr);
  s.SetBounds(0, 0, 200, 50);
  s.SetFrameStyle(TFrameStyle::fsSimple);
  TBitmap target(200, 50);
  s.SetExternalCanvas(target.Canvas(), 0, 0);
  TCanvas* before = nullptr;
  TCanvas* after = nullptr;
  TColor corner = clNone;
  s.OnBeforeScaleRendered = [&](TObject*, TCanvas* c) { before = c; };
  s.OnAfterScaleRendered = [&](TObject*, TCanvas* c) {
    after = c;
    corner = c->Pixel(0, 0);
  };
  s.ForcePaint();
  EXPECT_EQ(before, target.Canvas());
  ASSERT_NE(after, nullptr);
  EXPECT_NE(after, target.Canvas());
  EXPECT_EQ(corner, ColorToRGB(clBtnFace));  // not yet the black frame
  EXPECT_EQ(target.Canvas()->Pixel(0, 0), clBlack);
}

TEST(OpaqueScale, ALabelSitsOnABoxOfTheBackgroundColour) {
  TScale s(nullptr);
  s.SetBounds(0, 0, 200, 60);
  s.SetScaleType(TScaleType::sctXT);
  s.SetColorBackGnd(clLime);
  s.SetFrameStyle(TFrameStyle::fsNone);
  s.OnBeforeTickLabel = [](TObject*, TScaleType, double, std::string& text) { text = "8"; };
  TBitmap target(200, 60);
  s.SetExternalCanvas(target.Canvas(), 0, 0);
  s.ForcePaint();
  // Everything that is neither line nor glyph is the background.
  EXPECT_GT(test::CountPixels(target, clLime), 200 * 60 - 2000);
  EXPECT_EQ(test::CountPixels(target, clWhite), 0);
}

// ---- events -----------------------------------------------------------------

struct EventLog : DrawnScale {
  EventLog() {
    scale.SetShortTicks(false);
    scale.OnBeforeTickLabel = [this](TObject* sender, TScaleType, double pos, std::string& text) {
      EXPECT_EQ(sender, &scale);
      log.push_back("label " + Number(pos) + " " + text);
    };
    scale.OnScaleTickDrawn = [this](TObject*, TCanvas* c, TScaleType, double pos, int x, int y) {
      EXPECT_EQ(c, target->Canvas());
      log.push_back("tick " + Number(pos) + " at " + std::to_string(x) + "," + std::to_string(y));
    };
  }
  static std::string Number(double v) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%g", v);
    return buf;
  }
  std::vector<std::string> log;
};

TEST_F(EventLog, HorizontalLinearLabelsComeBeforeTheirTickReport) {
  scale.SetRange(0, 50);
  scale.SetMinTicks(2);
  Draw();
  EXPECT_EQ(log, (std::vector<std::string>{"label 0 0", "tick 0 at 20,20", "label 20 20", "tick 20 at 164,20",
                                           "label 40 40", "tick 40 at 307,20"}));
}

TEST_F(EventLog, VerticalLinearReportsTheTickFirst) {
  Setup(120, 300, TScaleType::sctYR);
  scale.SetShortTicks(false);
  scale.SetRange(0, 50);
  scale.SetMinTicks(2);
  Draw();
  EXPECT_EQ(log, (std::vector<std::string>{"tick 0 at 99,279", "label 0 0", "tick 20 at 99,175", "label 20 20",
                                           "tick 40 at 99,72", "label 40 40"}));
}

TEST_F(EventLog, LogarithmicReportsTheTickFirstInBothOrientations) {
  scale.SetRange(1, 100);
  scale.SetLogarithmic(true);
  scale.SetMinTicks(2);
  Draw();
  EXPECT_EQ(log, (std::vector<std::string>{"tick 1 at 20,20", "label 1 1", "tick 10 at 199,20", "label 10 10",
                                           "tick 100 at 379,20", "label 100 100"}));
  log.clear();
  Setup(120, 300, TScaleType::sctYL);
  Draw();
  EXPECT_EQ(log, (std::vector<std::string>{"tick 1 at 20,279", "label 1 1", "tick 10 at 20,150", "label 10 10",
                                           "tick 100 at 20,20", "label 100 100"}));
}

TEST_F(EventLog, ShortTicksAreReportedAtTheirFoot) {
  scale.SetShortTicks(true);
  scale.SetRange(0, 1.5);
  scale.SetMinTicks(2);
  scale.SetLabelType(TFigType::ftNoFigs);
  Draw();
  ASSERT_EQ(log.size(), 16u + 4u);  // short ticks every 0.1, majors every 0.5, no labels
  EXPECT_EQ(log[0], "tick 0 at 20,20");
  EXPECT_EQ(log[1], "tick 0.1 at 44,20");
  EXPECT_EQ(log[16], "tick 0 at 20,20");
}

TEST_F(EventLog, AZeroTickIsReportedAsExactlyZero) {
  scale.SetRange(-0.3, 0.3);
  Draw();
  EXPECT_NE(std::find(log.begin(), log.end(), "label 0 0.00"), log.end());
  EXPECT_NE(std::find(log.begin(), log.end(), "tick 0 at 200,20"), log.end());
}

TEST_F(EventLog, AHandlerReplacesTheText) {
  scale.SetRange(0, 50);
  scale.SetMinTicks(2);
  scale.OnBeforeTickLabel = [](TObject*, TScaleType, double pos, std::string& text) {
    text = pos == 20 ? "twenty" : "";
  };
  Draw();
  const int w = TextWidth("twenty");
  EXPECT_EQ(DifferentPixels(*Reference({{164 - w / 2, 27, "twenty"}}), 27, 60), 0);
}

TEST_F(EventLog, DateLinesGoThroughTheHandlerAfterTheirTimeLabel) {
  const double day = EncodeDate(2003, 4, 5);
  scale.SetLabelType(TFigType::ftDateTime);
  scale.SetRange(day, day + 0.5);
  scale.SetMinTicks(2);
  Draw();
  ASSERT_GE(log.size(), 4u);
  EXPECT_EQ(log[0], "label " + Number(day) + " 00:00");
  EXPECT_EQ(log[1], "label " + Number(day) + " 05-Apr-2003");
  EXPECT_EQ(log[2].rfind("tick " + Number(day), 0), 0u);
  EXPECT_EQ(log[3], "label " + Number(day + 0.25) + " 06:00");
}

TEST_F(EventLog, RenderedEventsBracketTheDrawing) {
  std::vector<std::string> order;
  scale.OnBeforeScaleRendered = [&](TObject*, TCanvas*) { order.push_back("before"); };
  scale.OnAfterScaleRendered = [&](TObject*, TCanvas*) { order.push_back("after"); };
  scale.OnScaleTickDrawn = [&](TObject*, TCanvas*, TScaleType, double, int, int) {
    if (order.back() != "tick") order.push_back("tick");
  };
  Draw();
  EXPECT_EQ(order, (std::vector<std::string>{"before", "tick", "after"}));
}

// ---- printer ------------------------------------------------------------------

TEST(ScalePrinting, LabelsKeepTheirPointSizeOnThePrintersPage) {
  TScale s(nullptr);
  s.Font()->SetSize(8);
  Printer()->BeginDoc();
  s.SetExternalCanvas(Printer()->Canvas(), 100, 100);
  s.SetTransparent(true);
  s.SetEmbedded(true);
  s.ForcePaint();
  EXPECT_EQ(Printer()->Canvas()->Font()->Height(), -33);  // 8 points at 300 pixels per inch
  Printer()->EndDoc();
  // On any other canvas the font is the scale's.
  TBitmap b(400, 400);
  s.SetExternalCanvas(b.Canvas(), 0, 0);
  s.ForcePaint();
  EXPECT_EQ(b.Canvas()->Font()->Height(), s.Font()->Height());
}

}  // namespace
}  // namespace korvo
