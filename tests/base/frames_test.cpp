#include <gtest/gtest.h>

#include "base/korvobase.h"
#include "support/TestSupport.h"

namespace korvo {
namespace {

constexpr TColor Paper = clYellow;

// An 11 x 11 sheet with a frame on (0, 0, 9, 9): the last row and column
// show that nothing lands beyond the inclusive bounds.
class FrameSheet : public ::testing::Test {
 protected:
  FrameSheet() : bmp_(11, 11) { test::Fill(bmp_, Paper); }

  std::string Draw(uint8_t style) {
    DrawFrame(bmp_.Canvas(), style, 0, 0, 9, 9, clWhite, clSilver, clGray, clBlack, clBlack);
    return Picture();
  }
  std::string Draw(TFrameStyle style) { return Draw(uint8_t(style)); }
  std::string Picture() const {
    return test::Picture(bmp_, Rect(0, 0, 11, 11),
                         {{clWhite, 'W'}, {clSilver, 's'}, {clGray, 'g'}, {clBlack, 'k'}, {Paper, '.'}});
  }
  TColor At(int x, int y) const { return bmp_.Canvas()->Pixel(x, y); }

  TBitmap bmp_;
};

TEST_F(FrameSheet, RaisedBevel) {
  EXPECT_EQ(Draw(TFrameStyle::fsRaised),
            "WWWWWWWWWW.\n"
            "Wssssssssk.\n"
            "Ws......gk.\n"
            "Ws......gk.\n"
            "Ws......gk.\n"
            "Ws......gk.\n"
            "Ws......gk.\n"
            "Ws......gk.\n"
            "Wggggggggk.\n"
            "kkkkkkkkkk.\n"
            "...........\n");
  EXPECT_EQ(bmp_.Canvas()->Pen()->Color(), clGray);  // the last colour used
}

TEST_F(FrameSheet, SimpleFrameSetsAllBorderPixelsAndNothingInside) {
  bmp_.Canvas()->Pen()->SetColor(clRed);
  EXPECT_EQ(Draw(TFrameStyle::fsSimple),
            "kkkkkkkkkk.\n"
            "k........k.\n"
            "k........k.\n"
            "k........k.\n"
            "k........k.\n"
            "k........k.\n"
            "k........k.\n"
            "k........k.\n"
            "k........k.\n"
            "kkkkkkkkkk.\n"
            "...........\n");
  EXPECT_EQ(test::CountPixels(bmp_, clBlack), 36);
}

TEST_F(FrameSheet, NoneAndUnknownStylesLeaveTheCanvasAlone) {
  bmp_.Canvas()->Pen()->SetColor(clRed);
  for (uint8_t style : {0x00, 0x80, 0x06, 0x86, 0x7F, 0xFF}) {
    SCOPED_TRACE(int(style));
    Draw(style);
    EXPECT_EQ(test::CountPixels(bmp_, Paper), 121);
    EXPECT_EQ(bmp_.Canvas()->Pen()->Color(), clRed);
  }
}

TEST_F(FrameSheet, OnlyTheLowSevenBitsOfTheStyleCount) {
  const std::string lowered = Draw(TFrameStyle::fsLowered);
  EXPECT_NE(lowered, Draw(TFrameStyle::fsRaised));
  test::Fill(bmp_, Paper);
  EXPECT_EQ(Draw(uint8_t(0x82)), lowered);
}

TEST_F(FrameSheet, EachBevelStyleHasItsFourColourRoles) {
  const struct {
    TFrameStyle style;
    TColor outerTopLeft, outerBottomRight, innerTopLeft, innerBottomRight;
  } cases[] = {
      {TFrameStyle::fsLowered, clGray, clWhite, clBlack, clSilver},
      {TFrameStyle::fsRaised, clWhite, clBlack, clSilver, clGray},
      {TFrameStyle::fsEmbossed, clWhite, clGray, clGray, clWhite},
      {TFrameStyle::fsEngraved, clGray, clWhite, clWhite, clGray},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(EnumName(c.style)));
    test::Fill(bmp_, Paper);
    Draw(c.style);
    // Outer ring: left column and top row, the top-right corner included; right
    // column and bottom row, the bottom-left corner included.
    EXPECT_EQ(At(0, 0), c.outerTopLeft);
    EXPECT_EQ(At(0, 5), c.outerTopLeft);
    EXPECT_EQ(At(9, 0), c.outerTopLeft);
    EXPECT_EQ(At(9, 5), c.outerBottomRight);
    EXPECT_EQ(At(0, 9), c.outerBottomRight);
    EXPECT_EQ(At(9, 9), c.outerBottomRight);
    // Inner ring, in the same manner one pixel in.
    EXPECT_EQ(At(1, 1), c.innerTopLeft);
    EXPECT_EQ(At(5, 1), c.innerTopLeft);
    EXPECT_EQ(At(8, 1), c.innerTopLeft);
    EXPECT_EQ(At(8, 5), c.innerBottomRight);
    EXPECT_EQ(At(1, 8), c.innerBottomRight);
    EXPECT_EQ(At(8, 8), c.innerBottomRight);
    EXPECT_EQ(test::CountPixels(bmp_, Paper), 121 - 36 - 28);
  }
}

TEST(Frame, FarOutBoundsAndNullCanvasAreHarmless) {
  TBitmap bmp(8, 8);
  test::Fill(bmp, Paper);
  DrawFrame(bmp.Canvas(), TFrameStyle::fsRaised, INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX, clWhite, clSilver,
            clGray, clBlack, clBlack);
  EXPECT_EQ(test::CountPixels(bmp, Paper), 64);
  DrawFrame(bmp.Canvas(), TFrameStyle::fsRaised, 2, 2, INT32_MAX, 5, clWhite, clSilver, clGray, clBlack, clBlack);
  EXPECT_EQ(test::Picture(bmp, Rect(0, 0, 8, 8), {{clWhite, 'W'}, {clSilver, 's'}, {clGray, 'g'}, {clBlack, 'k'}, {Paper, '.'}}),
            "........\n"
            "........\n"
            "..WWWWWW\n"
            "..Wsssss\n"
            "..Wggggg\n"
            "..kkkkkk\n"
            "........\n"
            "........\n");
  DrawFrame(nullptr, TFrameStyle::fsSimple, 0, 0, 9, 9, clWhite, clSilver, clGray, clBlack, clBlack);
}

}  // namespace
}  // namespace korvo
