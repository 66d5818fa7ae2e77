// Reading BMP files of every supported layout, checked pixel by pixel against
// files built byte by byte in bmp_test_builder.h.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "bmp_test_builder.h"
#include "platform/graphics/Bitmap.h"

namespace korvo::test {
namespace {

constexpr uint32_t BI_RLE8 = 1, BI_RLE4 = 2, BI_BITFIELDS = 3;

TPixel Px(uint32_t rgb) { return 0xFF000000u | rgb; }

std::vector<TPixel> PixelsOf(const TBitmap& bmp) {
  std::vector<TPixel> out;
  for (int32_t y = 0; y < bmp.Height(); ++y) out.insert(out.end(), bmp.ScanLine(y), bmp.ScanLine(y) + bmp.Width());
  return out;
}

void LoadInto(TBitmap& bmp, const std::vector<uint8_t>& file) { bmp.LoadFromMemory(file.data(), file.size()); }

// Palettes with distinct, asymmetric colours so a swapped channel shows.
std::vector<uint32_t> MakePalette(size_t n) {
  std::vector<uint32_t> p;
  for (size_t i = 0; i < n; ++i) p.push_back(uint32_t((i * 37 + 11) % 256) << 16 | uint32_t((i * 91 + 5) % 256) << 8 | uint32_t(i * 13 % 256));
  return p;
}

struct PaletteCase {
  uint16_t bits;
  uint32_t colors_used;  // 0: the full 2^bits table
  bool top_down;
  TPixelFormat format;
};

// "4bit_9colours_topdown", "8bit_bottomup": a test name, and what
// GoogleTest prints for the case instead of its bytes.
std::string CaseName(const PaletteCase& c) {
  std::string name = std::to_string(c.bits) + "bit_";
  if (c.colors_used != 0) name += std::to_string(c.colors_used) + "colours_";
  return name + (c.top_down ? "topdown" : "bottomup");
}
void PrintTo(const PaletteCase& c, std::ostream* os) { *os << CaseName(c); }

class PaletteDepths : public ::testing::TestWithParam<PaletteCase> {};

// An odd width (11) leaves a partial last byte and row padding at every depth.
TEST_P(PaletteDepths, ReadsIndicesThroughThePalette) {
  const PaletteCase c = GetParam();
  const int32_t w = 11, h = 3;
  const size_t count = c.colors_used ? c.colors_used : size_t(1) << c.bits;
  const std::vector<uint32_t> palette = MakePalette(count);
  std::vector<uint32_t> values;
  std::vector<TPixel> expected;
  for (int32_t y = 0; y < h; ++y) {
    for (int32_t x = 0; x < w; ++x) {
      const uint32_t index = uint32_t(x * 7 + y * 3) % count;
      values.push_back(index);
      expected.push_back(Px(palette[index]));
    }
  }
  BmpBuilder builder(w, h, c.bits);
  builder.Palette(palette).ColorsUsed(c.colors_used).Values(values);
  if (c.top_down) builder.TopDown();
  TBitmap bmp;
  LoadInto(bmp, builder.Build());
  ASSERT_EQ(bmp.Width(), w);
  ASSERT_EQ(bmp.Height(), h);
  EXPECT_EQ(PixelsOf(bmp), expected);
  EXPECT_EQ(bmp.PixelFormat(), c.format);
}

INSTANTIATE_TEST_SUITE_P(Bmp, PaletteDepths,
                         ::testing::Values(PaletteCase{1, 0, false, TPixelFormat::pf1bit},
                                           PaletteCase{1, 0, true, TPixelFormat::pf1bit},
                                           PaletteCase{4, 0, false, TPixelFormat::pf4bit},
                                           PaletteCase{4, 9, true, TPixelFormat::pf4bit},
                                           PaletteCase{8, 0, false, TPixelFormat::pf8bit},
                                           PaletteCase{8, 20, true, TPixelFormat::pf8bit}),
                         [](const ::testing::TestParamInfo<PaletteCase>& info) { return CaseName(info.param); });

TEST(BmpRead, IndicesBeyondThePaletteReadAsBlack) {
  const std::vector<uint32_t> palette = {0x102030, 0x405060, 0x708090};
  TBitmap bmp;
  LoadInto(bmp, BmpBuilder(4, 1, 8).Palette(palette).ColorsUsed(3).Values({2, 3, 255, 0}).Build());
  EXPECT_EQ(PixelsOf(bmp), (std::vector<TPixel>{Px(0x708090), Px(0), Px(0), Px(0x102030)}));
}

// 16-bit channels of n bits spread over 0..255 rounded to nearest: 5 bits
// 16 -> 132, 6 bits 32 -> 130.
TEST(BmpRead, SixteenBitsDefaultTo555) {
  for (bool top_down : {false, true}) {
    BmpBuilder b(3, 2, 16);
    b.Values({0x7C00, 0x03E0, 0x001F, 0x0000, 0x7FFF, 0x4210});
    if (top_down) b.TopDown();
    TBitmap bmp;
    LoadInto(bmp, b.Build());
    EXPECT_EQ(PixelsOf(bmp), (std::vector<TPixel>{Px(0xFF0000), Px(0x00FF00), Px(0x0000FF), Px(0), Px(0xFFFFFF),
                                                  Px(0x848484)}))
        << "top_down " << top_down;
    EXPECT_EQ(bmp.PixelFormat(), TPixelFormat::pf15bit);
  }
}

TEST(BmpRead, SixteenBitsWith565BitFields) {
  for (bool top_down : {false, true}) {
    BmpBuilder b(3, 2, 16);
    b.Compression(BI_BITFIELDS).Masks(0xF800, 0x07E0, 0x001F);
    b.Values({0xF800, 0x07E0, 0x001F, 0x8410, 0xFFFF, 0x0020});
    if (top_down) b.TopDown();
    TBitmap bmp;
    LoadInto(bmp, b.Build());
    // 0x8410: red 16/31 -> 132, green 32/63 -> 130, blue 16/31 -> 132; 0x0020: green 1/63 -> 4.
    EXPECT_EQ(PixelsOf(bmp), (std::vector<TPixel>{Px(0xFF0000), Px(0x00FF00), Px(0x0000FF), Px(0x848284),
                                                  Px(0xFFFFFF), Px(0x000400)}))
        << "top_down " << top_down;
    EXPECT_EQ(bmp.PixelFormat(), TPixelFormat::pf16bit);
  }
}

TEST(BmpRead, TwentyFourBitsWithRowPadding) {
  const std::vector<uint32_t> rgb = {0x112233, 0x445566, 0x778899, 0xAABBCC, 0xDDEEFF,
                                     0x010203, 0x040506, 0x070809, 0x0A0B0C, 0x0D0E0F};
  for (bool top_down : {false, true}) {
    BmpBuilder b(5, 2, 24);  // 15 bytes per row, padded to 16
    b.Values(rgb);
    if (top_down) b.TopDown();
    TBitmap bmp;
    LoadInto(bmp, b.Build());
    std::vector<TPixel> expected;
    for (uint32_t c : rgb) expected.push_back(Px(c));
    EXPECT_EQ(PixelsOf(bmp), expected) << "top_down " << top_down;
    EXPECT_EQ(bmp.PixelFormat(), TPixelFormat::pf24bit);
  }
}

TEST(BmpRead, ThirtyTwoBitsIgnoreTheFourthByte) {
  for (bool top_down : {false, true}) {
    BmpBuilder b(2, 2, 32);
    b.Values({0x00112233, 0x7F445566, 0xFF778899, 0x80AABBCC});
    if (top_down) b.TopDown();
    TBitmap bmp;
    LoadInto(bmp, b.Build());
    EXPECT_EQ(PixelsOf(bmp), (std::vector<TPixel>{Px(0x112233), Px(0x445566), Px(0x778899), Px(0xAABBCC)}));
    EXPECT_EQ(bmp.PixelFormat(), TPixelFormat::pf32bit);
  }
}

TEST(BmpRead, ThirtyTwoBitsWithBitFieldsInAnyOrder) {
  // Red in the top byte, green next, blue next, the low byte unused.
  BmpBuilder b(2, 1, 32);
  b.Compression(BI_BITFIELDS).Masks(0xFF000000, 0x00FF0000, 0x0000FF00).Values({0x11223344, 0xA0B0C0D0});
  TBitmap bmp;
  LoadInto(bmp, b.Build());
  EXPECT_EQ(PixelsOf(bmp), (std::vector<TPixel>{Px(0x112233), Px(0xA0B0C0)}));
}

// Wider channels keep their top 8 bits: 10-bit channels (2-10-10-10 layout).
TEST(BmpRead, WideBitFieldChannelsKeepTheirTopBits) {
  BmpBuilder b(1, 1, 32);
  b.Compression(BI_BITFIELDS).Masks(0x3FF00000, 0x000FFC00, 0x000003FF).Values({0x3FF00000 | (0x200 << 10) | 0x004});
  TBitmap bmp;
  LoadInto(bmp, b.Build());
  EXPECT_EQ(PixelsOf(bmp), (std::vector<TPixel>{Px(0xFF8001)}));
}

TEST(BmpRead, LaterHeadersCarryTheMasksInside) {
  for (uint32_t header : {52u, 56u, 108u, 124u}) {
    TBitmap bmp;
    LoadInto(bmp, BmpBuilder(2, 1, 16).HeaderSize(header).Compression(BI_BITFIELDS).Masks(0xF800, 0x07E0, 0x001F)
                      .Values({0xF800, 0x001F}).Build());
    EXPECT_EQ(PixelsOf(bmp), (std::vector<TPixel>{Px(0xFF0000), Px(0x0000FF)})) << "header " << header;
    LoadInto(bmp, BmpBuilder(2, 2, 24).HeaderSize(header).TopDown().Values({1, 2, 3, 4}).Build());
    EXPECT_EQ(PixelsOf(bmp), (std::vector<TPixel>{Px(1), Px(2), Px(3), Px(4)})) << "header " << header;
  }
}

TEST(BmpRead, CoreHeaderWithThreeBytePalette) {
  const std::vector<uint32_t> palette = MakePalette(256);
  TBitmap bmp;
  LoadInto(bmp, BmpBuilder(3, 2, 8).HeaderSize(12).Palette(palette).Values({0, 1, 255, 128, 7, 9}).Build());
  EXPECT_EQ(PixelsOf(bmp), (std::vector<TPixel>{Px(palette[0]), Px(palette[1]), Px(palette[255]), Px(palette[128]),
                                                Px(palette[7]), Px(palette[9])}));
  LoadInto(bmp, BmpBuilder(2, 1, 24).HeaderSize(12).Values({0xABCDEF, 0x123456}).Build());
  EXPECT_EQ(PixelsOf(bmp), (std::vector<TPixel>{Px(0xABCDEF), Px(0x123456)}));
}

TEST(BmpRead, Rle8RunsLiteralsMovesAndSkippedPixels) {
  const std::vector<uint32_t> palette = {0x000011, 0x000022, 0x000033, 0x000044};
  const std::vector<uint8_t> rle = {
      0x06, 0x01,                          // bottom row: six of index 1, cut at the width of 4
      0x00, 0x00,                          // end of line (the row is full anyway)
      0x00, 0x03, 0x02, 0x01, 0x02, 0x00,  // literal 2, 1, 2 and a pad byte
      0x01, 0x00,                          // one of index 0
      0x00, 0x00,                          // end of line
      0x00, 0x02, 0x01, 0x00,              // move right by 1
      0x02, 0x03,                          // two of index 3
      0x00, 0x01,                          // end of bitmap
  };
  TBitmap bmp;
  LoadInto(bmp, BmpBuilder(4, 3, 8).Compression(BI_RLE8).Palette(palette).ColorsUsed(4).RawPixelData(rle).Build());
  const TPixel k = Px(0);
  EXPECT_EQ(PixelsOf(bmp), (std::vector<TPixel>{k, Px(0x44), Px(0x44), k,                    // top
                                                Px(0x33), Px(0x22), Px(0x33), Px(0x11),      //
                                                Px(0x22), Px(0x22), Px(0x22), Px(0x22)}));  // bottom
}

TEST(BmpRead, Rle4AlternatesNibbles) {
  const std::vector<uint32_t> palette = MakePalette(16);
  const std::vector<uint8_t> rle = {
      0x05, 0x12,                          // bottom row: 1 2 1 2 1
      0x00, 0x00,                          // end of line
      0x00, 0x05, 0x34, 0x56, 0x70, 0x00,  // literal 3 4 5 6 7, three bytes padded to four
      0x00, 0x01,                          // end of bitmap
  };
  TBitmap bmp;
  LoadInto(bmp, BmpBuilder(5, 2, 4).Compression(BI_RLE4).Palette(palette).RawPixelData(rle).Build());
  std::vector<TPixel> expected;
  for (int i : {3, 4, 5, 6, 7, 1, 2, 1, 2, 1}) expected.push_back(Px(palette[size_t(i)]));
  EXPECT_EQ(PixelsOf(bmp), expected);
}

TEST(BmpRead, LoadReplacesSizeFormatAndPixels) {
  TBitmap bmp(7, 9);
  bmp.SetPixelFormat(TPixelFormat::pf32bit);
  LoadInto(bmp, BmpBuilder(2, 1, 24).Values({0x010203, 0x040506}).Build());
  EXPECT_EQ(bmp.Width(), 2);
  EXPECT_EQ(bmp.Height(), 1);
  EXPECT_EQ(bmp.PixelFormat(), TPixelFormat::pf24bit);
  // The canvas draws into the new pixels.
  bmp.Canvas()->SetPixel(1, 0, RGB(0xAA, 0xBB, 0xCC));
  EXPECT_EQ(bmp.ScanLine(0)[1], Px(0xAABBCC));
  EXPECT_EQ(bmp.Canvas()->Pixel(0, 0), RGB(0x01, 0x02, 0x03));
}

}  // namespace
}  // namespace korvo::test
