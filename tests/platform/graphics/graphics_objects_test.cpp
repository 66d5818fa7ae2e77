// Colours, fonts, pens and the printer: the values other code relies on.
#include <gtest/gtest.h>

#include "platform/Exceptions.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Printer.h"

namespace korvo {
namespace {

TEST(Colors, RedIsTheLowByteAndSystemColoursResolveThroughTheTable) {
  EXPECT_EQ(RGB(1, 2, 3), 0x030201);
  EXPECT_EQ(GetRValue(clRed), 255);
  EXPECT_EQ(GetBValue(clNavy), 128);
  EXPECT_EQ(clBtnFace, -16777201);
  EXPECT_EQ(ColorToRGB(clSilver), clSilver);
  EXPECT_GE(ColorToRGB(clBtnFace), 0);  // a plain colour once resolved
  EXPECT_EQ(ColorToRGB(clWindowText), clBlack);
  EXPECT_EQ(ColorToRGB(clBtnHighlight), clWhite);
  EXPECT_EQ(ColorToRGB(SystemColor(200)), clBlack);  // beyond the table
  EXPECT_EQ(ColorToRGB(clNone), clBlack);
  // The pixel format keeps blue in the low byte.
  EXPECT_EQ(RGBToPixel(clBlue), 0xFF0000FFu);
  EXPECT_EQ(PixelToColor(RGBToPixel(0x123456)), 0x123456);
  EXPECT_EQ(RGBToPixel(0x7F123456), 0xFF563412u);  // the top byte is not a colour
}

TEST(Colors, NamesBothWays) {
  const char* name = nullptr;
  ASSERT_TRUE(ColorToIdent(clMaroon, &name));
  EXPECT_STREQ(name, "clMaroon");
  ASSERT_TRUE(ColorToIdent(clBtnFace, &name));
  EXPECT_STREQ(name, "clBtnFace");
  EXPECT_FALSE(ColorToIdent(RGB(1, 2, 3), &name));
  TColor c = 0;
  ASSERT_TRUE(IdentToColor("clGrayText", &c));
  EXPECT_EQ(c, clGrayText);
  EXPECT_FALSE(IdentToColor("clGrey", &c));
  ASSERT_TRUE(IdentToColor("CLWHITE", &c));
  EXPECT_EQ(c, clWhite);
}

TEST(Fonts, SizeAndHeightFollowPixelsPerInch) {
  TFont f;
  EXPECT_EQ(f.Height(), -11);
  EXPECT_EQ(f.Size(), 8);
  f.SetSize(10);
  EXPECT_EQ(f.Height(), -13);  // 10 * 96 / 72 = 13.33
  f.SetHeight(-16);
  EXPECT_EQ(f.Size(), 12);
  f.SetPixelsPerInch(120);
  EXPECT_EQ(f.Height(), -16);  // the height stays, the size follows
  EXPECT_EQ(f.Size(), 10);
  EXPECT_EQ(MulDiv(5, 3, 2), 8);   // 7.5 rounds away from zero
  EXPECT_EQ(MulDiv(-5, 3, 2), -8);
  EXPECT_EQ(MulDiv(1, 1, 0), -1);
}

TEST(Fonts, AssignKeepsThePointSizeAcrossResolutionsAndNotifies) {
  TFont screen;
  screen.SetName("DejaVu Serif");
  screen.SetSize(10);
  screen.SetStyle({TFontStyle::fsBold, TFontStyle::fsItalic});
  screen.SetColor(clMaroon);
  TFont page;
  page.SetPixelsPerInch(300);
  int changes = 0;
  page.OnChange = [&] { ++changes; };
  page.Assign(screen);
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(page.Name(), "DejaVu Serif");
  EXPECT_EQ(page.Size(), 10);
  EXPECT_EQ(page.Height(), -42);  // 10 points at 300 pixels per inch
  EXPECT_TRUE(page.Style().Contains(TFontStyle::fsItalic));
  EXPECT_EQ(page.Color(), clMaroon);
  TPen pen;
  EXPECT_THROW(page.Assign(pen), EConvertError);
  try {
    page.Assign(pen);
  } catch (const EConvertError& e) {
    EXPECT_STREQ(e.what(), "Cannot assign a TPen to a TFont");
  }
}

TEST(Pens, WidthBelowOneIsOneAndAssignCopiesEverything) {
  TPen a;
  a.SetWidth(0);
  EXPECT_EQ(a.Width(), 1);
  a.SetWidth(4);
  a.SetStyle(TPenStyle::psDashDot);
  a.SetMode(TPenMode::pmXor);
  a.SetColor(clTeal);
  TPen b;
  b.Assign(a);
  EXPECT_EQ(b.Width(), 4);
  EXPECT_EQ(b.Style(), TPenStyle::psDashDot);
  EXPECT_EQ(b.Mode(), TPenMode::pmXor);
  EXPECT_EQ(b.Color(), clTeal);
}

// A stamp's inks: a pen's only while it is 1 pixel, solid, copy and plain,
// whatever the order of the settings; a brush's while its colour is plain.
TEST(Pens, StampInkFollowsEverySettingAndAssign) {
  TPen p;
  EXPECT_EQ(p.StampInk(), RGBToPixel(clBlack));
  p.SetColor(clTeal);
  EXPECT_EQ(p.StampInk(), RGBToPixel(clTeal));
  p.SetWidth(2);
  EXPECT_EQ(p.StampInk(), 0u);
  p.SetStyle(TPenStyle::psDash);
  p.SetWidth(1);
  EXPECT_EQ(p.StampInk(), 0u);
  p.SetStyle(TPenStyle::psSolid);
  p.SetMode(TPenMode::pmNot);
  EXPECT_EQ(p.StampInk(), 0u);
  p.SetMode(TPenMode::pmCopy);
  p.SetColor(clBtnFace);
  EXPECT_EQ(p.StampInk(), 0u);
  p.SetColor(clNavy);
  EXPECT_EQ(p.StampInk(), RGBToPixel(clNavy));
  TPen q;
  q.SetWidth(3);
  q.Assign(p);
  EXPECT_EQ(q.StampInk(), RGBToPixel(clNavy));
  p.SetWidth(3);
  q.Assign(p);
  EXPECT_EQ(q.StampInk(), 0u);

  TBrush b;
  EXPECT_EQ(b.StampInk(), RGBToPixel(clWhite));
  b.SetColor(clWindow);
  EXPECT_EQ(b.StampInk(), 0u);
  TBrush c;
  c.Assign(b);
  EXPECT_EQ(c.StampInk(), 0u);
  b.SetColor(clAqua);
  c.Assign(b);
  EXPECT_EQ(c.StampInk(), RGBToPixel(clAqua));
}

TEST(PrinterDevice, HasItsOwnCanvasHandleResolutionAndKeepsItsPages) {
  TPrinter* p = Printer();
  EXPECT_TRUE(PrinterCreated());
  EXPECT_EQ(Printer(), p);
  EXPECT_NE(p->Handle(), ScreenHandle);
  EXPECT_EQ(GetDeviceCaps(p->Handle(), TDeviceCap::LOGPIXELSY), TPrinter::Resolution);
  EXPECT_EQ(GetDeviceCaps(ScreenHandle, TDeviceCap::LOGPIXELSY), 96);
  EXPECT_EQ(GetDeviceCaps(ScreenHandle, TDeviceCap::ASPECTX), GetDeviceCaps(ScreenHandle, TDeviceCap::ASPECTY));
  EXPECT_EQ(GetDeviceCaps(12345, TDeviceCap::LOGPIXELSX), 0);
  EXPECT_EQ(p->Canvas()->Font()->PixelsPerInch(), TPrinter::Resolution);
  // Outside a document the canvas has no pixels and drawing does nothing.
  p->Canvas()->Rectangle(0, 0, 10, 10);
  EXPECT_EQ(p->Canvas()->Pixel(0, 0), -1);
  p->BeginDoc();
  p->Canvas()->Pen()->SetColor(clRed);
  p->Canvas()->MoveTo(0, 0);
  p->Canvas()->LineTo(5, 0);
  p->NewPage();
  EXPECT_EQ(p->Canvas()->Pixel(0, 0), clWhite);  // a fresh page
  p->EndDoc();
  ASSERT_EQ(p->Pages().size(), 2u);
  EXPECT_EQ(p->Pages()[0]->Canvas()->Pixel(4, 0), clRed);
  EXPECT_EQ(p->Pages()[0]->Width(), TPrinter::PageWidthPixels);
  EXPECT_FALSE(p->Printing());
}

}  // namespace
}  // namespace korvo
