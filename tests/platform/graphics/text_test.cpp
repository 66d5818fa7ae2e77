// Text on the canvas: the cell, the glyph blend, measuring, styles, font
// lookup and fallback, and safety at the edges of the coordinate range.
#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

#include "platform/graphics/Bitmap.h"
#include "platform/graphics/text/Blend.h"
#include "platform/graphics/text/FontRegistry.h"
#include "support/TestSupport.h"

namespace korvo {
namespace {

constexpr TColor kPaper = RGB(250, 240, 200);
constexpr TColor kInk = RGB(20, 40, 160);

TColor At(const TBitmap& b, int32_t x, int32_t y) { return PixelToColor(b.ScanLine(y)[x]); }

// Whether `c` is what the blend makes of `paper` at some coverage towards `ink`.
bool IsBlendOf(TColor c, TColor paper, TColor ink) {
  for (uint32_t cov = 0; cov <= 255; ++cov) {
    if (PixelToColor(text::BlendCoverage(RGBToPixel(paper), RGBToPixel(ink), cov)) == c) return true;
  }
  return false;
}

// A copy of the pixels, to find what a call changed.
std::vector<TPixel> Snapshot(const TBitmap& b) {
  std::vector<TPixel> out;
  for (int32_t y = 0; y < b.Height(); ++y) out.insert(out.end(), b.ScanLine(y), b.ScanLine(y) + b.Width());
  return out;
}

bool Changed(const TBitmap& b, const std::vector<TPixel>& before, int32_t x, int32_t y) {
  return b.ScanLine(y)[x] != before[size_t(y) * b.Width() + x];
}

// A canvas ready for clear-brush text in kInk on kPaper.
struct TextBitmap {
  explicit TextBitmap(int32_t w = 160, int32_t h = 50) : bmp(w, h) {
    test::Fill(bmp, kPaper);
    c = bmp.Canvas();
    c->Font()->SetColor(kInk);
    c->Brush()->SetStyle(TBrushStyle::bsClear);
  }
  TBitmap bmp;
  TCanvas* c;
};

TEST(CanvasText, SolidBrushFillsExactlyTheCellThenBlendsTheGlyphs) {
  TextBitmap t;
  t.c->Brush()->SetStyle(TBrushStyle::bsSolid);
  t.c->Brush()->SetColor(clYellow);
  t.c->TextOut(10, 7, "Hello");
  const int32_t w = t.c->TextWidth("Hello");
  const int32_t h = t.c->TextHeight("Hello");
  ASSERT_GT(w, 0);
  ASSERT_GT(h, 0);
  int yellow = 0, ink = 0;
  for (int32_t y = 0; y < t.bmp.Height(); ++y) {
    for (int32_t x = 0; x < t.bmp.Width(); ++x) {
      const TColor p = At(t.bmp, x, y);
      const bool in_cell = x >= 10 && x < 10 + w && y >= 7 && y < 7 + h;
      if (!in_cell) {
        ASSERT_EQ(p, kPaper) << "outside the cell at " << x << "," << y;
        continue;
      }
      ASSERT_TRUE(IsBlendOf(p, clYellow, kInk)) << "at " << x << "," << y;
      yellow += p == clYellow;
      ink += p != clYellow;
    }
  }
  EXPECT_GT(yellow, w * h / 2);  // mostly background: the text is not a block
  EXPECT_GT(ink, 10);
}

TEST(CanvasText, ClearBrushBlendsTheSameCoverageAndLeavesTheRestAlone) {
  // The same text once on a solid white brush with black ink, once with a
  // clear brush on white paper: both use the coverage c, so the solid one
  // shows 255 - c exactly where the clear one does.
  TextBitmap solid, clear;
  for (TextBitmap* t : {&solid, &clear}) {
    test::Fill(t->bmp, clWhite);
    t->c->Font()->SetColor(clBlack);
  }
  solid.c->Brush()->SetStyle(TBrushStyle::bsSolid);
  solid.c->Brush()->SetColor(clWhite);
  solid.c->TextOut(5, 5, "Axis 0.25");
  clear.c->TextOut(5, 5, "Axis 0.25");
  EXPECT_EQ(test::CountDifferentPixels(solid.bmp, clear.bmp), 0);

  // On coloured paper every changed pixel moves towards the ink in every
  // channel, and pixels between the glyphs stay as they were.
  TextBitmap t;
  const std::vector<TPixel> before = Snapshot(t.bmp);
  t.c->TextOut(5, 5, "Axis 0.25");
  const int32_t w = t.c->TextWidth("Axis 0.25");
  int changed = 0;
  for (int32_t y = 0; y < t.bmp.Height(); ++y) {
    for (int32_t x = 0; x < t.bmp.Width(); ++x) {
      if (!Changed(t.bmp, before, x, y)) continue;
      ++changed;
      ASSERT_TRUE(IsBlendOf(At(t.bmp, x, y), kPaper, kInk)) << "at " << x << "," << y;
      ASSERT_NE(solid.bmp.ScanLine(y)[x], RGBToPixel(clWhite)) << "not a glyph pixel at " << x << "," << y;
    }
  }
  EXPECT_GT(changed, 20);
  // The gap of the space: a column inside the text that no glyph touches.
  const int32_t space_x = 5 + t.c->TextWidth("Axis") + t.c->TextWidth(" ") / 2;
  ASSERT_LT(space_x, 5 + w);
  for (int32_t y = 0; y < t.bmp.Height(); ++y) EXPECT_FALSE(Changed(t.bmp, before, space_x, y)) << y;
}

TEST(CanvasText, SystemColoursResolveForInkAndBrush) {
  TextBitmap t;
  t.c->Font()->SetColor(clHighlight);
  t.c->Brush()->SetStyle(TBrushStyle::bsSolid);
  t.c->Brush()->SetColor(clInfoBk);
  t.c->TextOut(2, 2, "W");
  const TColor paper = ColorToRGB(clInfoBk);
  const TColor ink = ColorToRGB(clHighlight);
  EXPECT_EQ(At(t.bmp, 2, 2), paper);  // the cell's corner is background
  bool some_ink = false;
  for (int32_t y = 2; y < 2 + t.c->TextHeight("W"); ++y) {
    for (int32_t x = 2; x < 2 + t.c->TextWidth("W"); ++x) {
      ASSERT_TRUE(IsBlendOf(At(t.bmp, x, y), paper, ink));
      some_ink |= At(t.bmp, x, y) != paper;
    }
  }
  EXPECT_TRUE(some_ink);
}

TEST(CanvasText, WidthIsAdditiveAndHeightIsTheSameForEveryText) {
  TextBitmap t;
  TCanvas* c = t.c;
  EXPECT_EQ(c->TextWidth(""), 0);
  EXPECT_EQ(c->TextWidth("ab"), c->TextWidth("a") + c->TextWidth("b"));
  EXPECT_EQ(c->TextWidth("-12.50"), c->TextWidth("-") + c->TextWidth("12") + c->TextWidth(".") + c->TextWidth("50"));
  EXPECT_EQ(c->TextWidth("\xC2\xB5\xC2\xB0"), c->TextWidth("\xC2\xB5") + c->TextWidth("\xC2\xB0"));  // µ°
  EXPECT_EQ(c->TextWidth("WAVE"), c->TextWidth("WA") + c->TextWidth("VE"));  // no kerning
  EXPECT_LT(c->TextWidth("i"), c->TextWidth("W"));

  const int32_t h = c->TextHeight("x");
  EXPECT_GT(h, 8);
  EXPECT_EQ(c->TextHeight(""), h);
  EXPECT_EQ(c->TextHeight("gjpq\xC3\x85"), h);  // descenders and Å
  EXPECT_EQ(c->TextExtent("abc"), (TSize{c->TextWidth("abc"), h}));
}

TEST(CanvasText, PenEndsAfterTheTextOnTheSameRow) {
  TextBitmap t;
  t.c->MoveTo(1, 1);
  t.c->TextOut(12, 30, "Pen 42");
  EXPECT_EQ(t.c->PenPos(), Point(12 + t.c->TextWidth("Pen 42"), 30));
  t.c->TextOut(3, 4, "");
  EXPECT_EQ(t.c->PenPos(), Point(3, 4));
  // Past the end of the coordinate range the pen stops at the limit.
  t.c->TextOut(INT32_MAX - 5, 4, "Pen 42");
  EXPECT_EQ(t.c->PenPos(), Point(INT32_MAX, 4));
}

TEST(CanvasText, BoldIsAtLeastAsWideAndDrawsOtherPixels) {
  TextBitmap regular, bold, italic;
  bold.c->Font()->SetStyle({TFontStyle::fsBold});
  italic.c->Font()->SetStyle({TFontStyle::fsItalic});
  for (TextBitmap* t : {&regular, &bold, &italic}) t->c->TextOut(4, 4, "Label 123");
  EXPECT_GE(bold.c->TextWidth("Label 123"), regular.c->TextWidth("Label 123"));
  EXPECT_EQ(bold.c->TextHeight("Label 123"), regular.c->TextHeight("Label 123"));
  EXPECT_GT(test::CountDifferentPixels(bold.bmp, regular.bmp), 20);
  EXPECT_GT(test::CountDifferentPixels(italic.bmp, regular.bmp), 20);
  // More ink: the bold glyphs cover more.
  const auto darkness = [](const TBitmap& b) {
    long sum = 0;
    for (int32_t y = 0; y < b.Height(); ++y)
      for (int32_t x = 0; x < b.Width(); ++x) sum += 255 - GetRValue(At(b, x, y));
    return sum;
  };
  EXPECT_GT(darkness(bold.bmp), darkness(regular.bmp));
}

TEST(CanvasText, PointSizeAndNegativeHeightAgree) {
  TextBitmap by_height, by_size;
  by_height.c->Font()->SetHeight(-11);
  by_size.c->Font()->SetSize(8);  // 8 points at 96 pixels per inch
  EXPECT_EQ(by_size.c->Font()->Height(), -11);
  by_height.c->TextOut(3, 3, "Scale 10^3");
  by_size.c->TextOut(3, 3, "Scale 10^3");
  EXPECT_EQ(test::CountDifferentPixels(by_height.bmp, by_size.bmp), 0);
  EXPECT_EQ(by_height.c->TextWidth("Scale"), by_size.c->TextWidth("Scale"));

  // The printer's resolution: 8 points are 33 pixels.
  TextBitmap printer;
  printer.c->Font()->SetPixelsPerInch(300);
  printer.c->Font()->SetSize(8);
  by_height.c->Font()->SetHeight(-33);
  EXPECT_EQ(printer.c->TextHeight("x"), by_height.c->TextHeight("x"));
  EXPECT_EQ(printer.c->TextWidth("Scale"), by_height.c->TextWidth("Scale"));
  EXPECT_GT(printer.c->TextHeight("x"), 2 * by_size.c->TextHeight("x"));

  // Height 0 is the default 8 points at the font's resolution.
  by_height.c->Font()->SetHeight(0);
  EXPECT_EQ(by_height.c->TextHeight("x"), by_size.c->TextHeight("x"));
  printer.c->Font()->SetHeight(0);
  by_size.c->Font()->SetHeight(-33);
  EXPECT_EQ(printer.c->TextHeight("x"), by_size.c->TextHeight("x"));
}

TEST(CanvasText, PositiveHeightIsTheCellHeightOfTheLargestFittingEm) {
  TextBitmap t;
  for (int32_t cell = 4; cell <= 120; ++cell) {
    t.c->Font()->SetHeight(cell);
    ASSERT_EQ(t.c->TextHeight("x"), cell);
    const int32_t em = text::FaceOf(*t.c->Font()).EmPixels();
    t.c->Font()->SetHeight(-em);
    EXPECT_LE(t.c->TextHeight("x"), cell) << "cell " << cell;
    // One pixel more of em would not fit in the cell.
    t.c->Font()->SetHeight(-(em + 1));
    EXPECT_GT(t.c->TextHeight("x"), cell) << "cell " << cell;
  }
}

TEST(CanvasText, UnknownNamesFallBackToTheSansFamily) {
  TextBitmap sans;
  sans.c->Font()->SetName("sans-serif");
  sans.c->TextOut(2, 2, "Fallback 9");
  for (const char* name : {"MS Sans Serif", "System", "No Such Font 3141", ""}) {
    TextBitmap t;
    t.c->Font()->SetName(name);
    t.c->TextOut(2, 2, "Fallback 9");
    EXPECT_EQ(t.c->TextWidth("Fallback 9"), sans.c->TextWidth("Fallback 9")) << name;
    EXPECT_EQ(t.c->TextHeight("Fallback 9"), sans.c->TextHeight("Fallback 9")) << name;
    EXPECT_EQ(test::CountDifferentPixels(t.bmp, sans.bmp), 0) << name;
  }
  // A family that exists is not replaced.
  TextBitmap mono;
  mono.c->Font()->SetName("DejaVu Sans Mono");
  EXPECT_EQ(mono.c->TextWidth("i"), mono.c->TextWidth("W"));
  EXPECT_NE(sans.c->TextWidth("i"), sans.c->TextWidth("W"));
}

TEST(CanvasText, NonAsciiTextMeasuresAndDraws) {
  for (const char* s : {"\xC2\xB5", "\xC2\xB0", "\xC3\xA4", "\xE2\x82\xAC", "\xF0\x9D\x9B\xBC"}) {  // µ ° ä € 𝛼
    TextBitmap t;
    const std::vector<TPixel> before = Snapshot(t.bmp);
    EXPECT_GT(t.c->TextWidth(s), 0) << s;
    t.c->TextOut(4, 4, s);
    int changed = 0;
    for (int32_t y = 0; y < t.bmp.Height(); ++y)
      for (int32_t x = 0; x < t.bmp.Width(); ++x) changed += Changed(t.bmp, before, x, y);
    EXPECT_GT(changed, 3) << s;
  }
  // µ is a real glyph, not the box of a missing one.
  TextBitmap mu, missing;
  mu.c->TextOut(4, 4, "\xC2\xB5");
  missing.c->TextOut(4, 4, "\xF3\xA0\x80\x80");  // U+E0000, not in the font
  EXPECT_GT(test::CountDifferentPixels(mu.bmp, missing.bmp), 0);
}

TEST(CanvasText, MissingGlyphsDrawTheNotdefBox) {
  // Two different code points the font lacks draw the same .notdef glyph,
  // which is visible and has an advance.
  TextBitmap a, b;
  a.c->TextOut(4, 4, "\xF3\xA0\x80\x80");  // U+E0000
  b.c->TextOut(4, 4, "\xF4\x8F\xBF\xBD");  // U+10FFFD
  EXPECT_EQ(test::CountDifferentPixels(a.bmp, b.bmp), 0);
  EXPECT_LT(test::CountPixels(a.bmp, kPaper), a.bmp.Width() * a.bmp.Height());
  EXPECT_GT(a.c->TextWidth("\xF3\xA0\x80\x80"), 0);
}

TEST(CanvasText, InvalidUtf8DrawsReplacementsWithoutReadingPastTheEnd) {
  const std::string replacement = "\xEF\xBF\xBD";  // U+FFFD
  struct Case {
    std::string bytes;
    std::string same_as;
  };
  const Case cases[] = {
      {"a\xC3", "a" + replacement},                       // truncated at the end
      {"\xFF", replacement},                              // never valid
      {"\xC3(", replacement + "("},                       // broken by the next byte
      {"\xE2\x82", replacement},                          // truncated three-byte form
      {"\xF0\x9F\x98", replacement},                      // truncated four-byte form
      {"\xC0\xAF", replacement + replacement},            // overlong
      {"\xED\xA0\x80", replacement + replacement + replacement},  // surrogate
      {"\x80x", replacement + "x"},                       // stray continuation
  };
  for (const Case& k : cases) {
    // An exact-size heap copy, so a read past the end is a sanitizer error.
    auto bytes = std::make_unique<char[]>(k.bytes.size());
    std::memcpy(bytes.get(), k.bytes.data(), k.bytes.size());
    const std::string_view s(bytes.get(), k.bytes.size());
    TextBitmap got, want;
    EXPECT_EQ(got.c->TextWidth(s), want.c->TextWidth(k.same_as)) << testing::PrintToString(k.bytes);
    got.c->TextOut(3, 3, s);
    want.c->TextOut(3, 3, k.same_as);
    EXPECT_EQ(test::CountDifferentPixels(got.bmp, want.bmp), 0) << testing::PrintToString(k.bytes);
  }
}

TEST(CanvasText, UnderlineAndStrikeOutDrawFullRowsAcrossTheText) {
  // A full row of ink from x to x + TextWidth - 1 and no further: below the
  // baseline for the underline, above it for the strike-out.
  const auto full_rows = [](TextBitmap& t, int32_t x, int32_t y, int32_t w, int32_t h) {
    std::vector<int32_t> rows;
    for (int32_t r = y; r < y + h; ++r) {
      bool full = true;
      for (int32_t i = x; i < x + w && full; ++i) full = At(t.bmp, i, r) == kInk;
      if (full) {
        EXPECT_EQ(At(t.bmp, x - 1, r), kPaper);
        EXPECT_EQ(At(t.bmp, x + w, r), kPaper);
        rows.push_back(r - y);
      }
    }
    return rows;
  };
  const char* s = "Tick 1000";
  TextBitmap plain, under, strike;
  under.c->Font()->SetStyle({TFontStyle::fsUnderline});
  strike.c->Font()->SetStyle({TFontStyle::fsStrikeOut});
  for (TextBitmap* t : {&plain, &under, &strike}) t->c->TextOut(6, 6, s);
  const int32_t w = plain.c->TextWidth(s);
  const int32_t h = plain.c->TextHeight(s);
  ASSERT_EQ(under.c->TextWidth(s), w);
  const int32_t ascent = text::FaceOf(*plain.c->Font()).Ascent();

  EXPECT_TRUE(full_rows(plain, 6, 6, w, h).empty());
  const std::vector<int32_t> u = full_rows(under, 6, 6, w, h);
  ASSERT_FALSE(u.empty());
  for (int32_t r : u) EXPECT_GE(r, ascent);
  const std::vector<int32_t> st = full_rows(strike, 6, 6, w, h);
  ASSERT_FALSE(st.empty());
  for (int32_t r : st) EXPECT_LT(r, ascent);
  // Nothing is drawn below the cell.
  for (int32_t x = 0; x < under.bmp.Width(); ++x) EXPECT_EQ(At(under.bmp, x, 6 + h), kPaper);
}

TEST(CanvasText, OnlyPixelsInsideTheClipAreWrittenAtAnyPosition) {
  const TRect clip{10, 8, 90, 40};
  const int32_t w = TextBitmap().c->TextWidth("Clipped");
  struct Place {
    int32_t x, y;
    bool visible;
  };
  const Place places[] = {
      {INT32_MAX - 5, 20, false}, {20, INT32_MIN, false},        {INT32_MIN, INT32_MIN, false},
      {INT32_MAX, INT32_MAX, false}, {INT32_MIN + 3, 20, false}, {10 - w / 2, 15, true},
      {60, 30, true},             {-5, 0, true},
  };
  for (TBrushStyle brush : {TBrushStyle::bsClear, TBrushStyle::bsSolid}) {
    for (const Place& p : places) {
      TextBitmap t(100, 50);
      t.c->Brush()->SetStyle(brush);
      t.c->Brush()->SetColor(clWhite);
      t.c->SetClipRect(clip);
      const std::vector<TPixel> before = Snapshot(t.bmp);
      t.c->TextOut(p.x, p.y, "Clipped");
      const int32_t h = t.c->TextHeight("Clipped");
      int inside = 0;
      for (int32_t y = 0; y < t.bmp.Height(); ++y) {
        for (int32_t x = 0; x < t.bmp.Width(); ++x) {
          if (!Changed(t.bmp, before, x, y)) continue;
          ASSERT_TRUE(clip.Contains(x, y)) << "at " << x << "," << y << " text at " << p.x << "," << p.y;
          ++inside;
        }
      }
      EXPECT_EQ(inside > 0, p.visible) << p.x << "," << p.y;
      if (brush == TBrushStyle::bsSolid && p.visible) {
        // The visible part of the cell, exactly.
        for (int32_t y = clip.Top; y < clip.Bottom; ++y) {
          for (int32_t x = clip.Left; x < clip.Right; ++x) {
            const bool in_cell = int64_t(x) >= p.x && int64_t(x) < int64_t(p.x) + w && int64_t(y) >= p.y &&
                                 int64_t(y) < int64_t(p.y) + h;
            ASSERT_EQ(Changed(t.bmp, before, x, y), in_cell) << "at " << x << "," << y;
          }
        }
      }
    }
  }
}

TEST(CanvasText, ACanvasWithoutSurfaceMeasuresAndMovesThePen) {
  TCanvas c;
  c.TextOut(7, 9, "Nothing to draw on");
  EXPECT_EQ(c.PenPos(), Point(7 + c.TextWidth("Nothing to draw on"), 9));
  EXPECT_GT(c.TextHeight("x"), 0);
}

TEST(CanvasText, FontChangesReachTheCachedFace) {
  TextBitmap t;
  const int32_t small = t.c->TextHeight("x");
  EXPECT_NE(t.c->Font()->CachedFace(), nullptr);
  t.c->Font()->SetHeight(-30);
  EXPECT_EQ(t.c->Font()->CachedFace(), nullptr);
  EXPECT_GT(t.c->TextHeight("x"), small);
  const int32_t regular = t.c->TextWidth("Bold face");
  t.c->Font()->SetStyle({TFontStyle::fsBold});
  EXPECT_GT(t.c->TextWidth("Bold face"), regular);
  // Assign copies the font but not another font's cached face.
  TFont other;
  other.SetHeight(-11);
  t.c->Font()->Assign(other);
  EXPECT_EQ(t.c->TextHeight("x"), small);
}

TEST(CanvasText, HugeAndTinyHeightsAreLimitedNotFatal) {
  TextBitmap t(64, 64);
  for (int height : {INT_MIN, -100000, -1, 1, 2, 100000, INT_MAX}) {
    t.c->Font()->SetHeight(height);
    t.c->TextOut(1, 1, "Wg");
    EXPECT_GT(t.c->TextHeight("Wg"), 0) << height;
    EXPECT_LE(t.c->TextHeight("Wg"), text::MaxCellPixels) << height;
  }
  t.c->Font()->SetHeight(INT_MAX);
  EXPECT_EQ(t.c->TextHeight("x"), text::MaxCellPixels);
}

}  // namespace
}  // namespace korvo
