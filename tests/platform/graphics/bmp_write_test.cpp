// Writing BMP and PNG files and reading them back.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include <unistd.h>

#include "platform/Exceptions.h"
#include "platform/graphics/Bitmap.h"
#include "support/TestSupport.h"

namespace korvo::test {
namespace {

std::string TempPath(const std::string& name) {
  // The process id keeps test programs run side by side apart.
  return (std::filesystem::temp_directory_path() / ("plotwell_" + std::to_string(getpid()) + "_" + name)).string();
}

void FillRandom(TBitmap& bmp, uint32_t seed) {
  std::mt19937 rng(seed);
  for (int32_t y = 0; y < bmp.Height(); ++y)
    for (int32_t x = 0; x < bmp.Width(); ++x) bmp.ScanLine(y)[x] = 0xFF000000u | (rng() & 0xFFFFFF);
}

uint32_t Le32(const std::vector<uint8_t>& b, size_t at) {
  return uint32_t(b[at]) | uint32_t(b[at + 1]) << 8 | uint32_t(b[at + 2]) << 16 | uint32_t(b[at + 3]) << 24;
}

std::vector<uint8_t> ReadFile(const std::string& path) {
  std::vector<uint8_t> bytes;
  if (std::FILE* f = std::fopen(path.c_str(), "rb")) {
    for (int c; (c = std::fgetc(f)) != EOF;) bytes.push_back(uint8_t(c));
    std::fclose(f);
  }
  return bytes;
}

template <typename F>
std::string ErrorOf(F f) {
  try {
    f();
  } catch (const EInvalidGraphic& e) {
    return e.what();
  }
  return "(no error)";
}

TEST(BmpWrite, ThirtyTwoBitLayout) {
  TBitmap bmp(3, 2);
  bmp.SetPixelFormat(TPixelFormat::pf32bit);
  bmp.ScanLine(0)[0] = 0xFF112233u;  // top-left
  bmp.ScanLine(1)[2] = 0xFFAABBCCu;  // bottom-right
  const std::vector<uint8_t> b = bmp.SaveToMemory();
  ASSERT_EQ(b.size(), 54u + 3 * 4 * 2);
  EXPECT_EQ(b[0], 'B');
  EXPECT_EQ(b[1], 'M');
  EXPECT_EQ(Le32(b, 2), b.size());
  EXPECT_EQ(Le32(b, 10), 54u);       // pixels right after the headers
  EXPECT_EQ(Le32(b, 14), 40u);       // information header
  EXPECT_EQ(Le32(b, 18), 3u);
  EXPECT_EQ(Le32(b, 22), 2u);        // positive height: bottom-up
  EXPECT_EQ(b[28], 32);
  EXPECT_EQ(Le32(b, 30), 0u);        // BI_RGB
  EXPECT_EQ(Le32(b, 34), 24u);
  // The bottom row comes first; pixels are B, G, R, 255.
  EXPECT_EQ(std::vector<uint8_t>(b.begin() + 54 + 8, b.begin() + 54 + 12), (std::vector<uint8_t>{0xCC, 0xBB, 0xAA, 0xFF}));
  EXPECT_EQ(std::vector<uint8_t>(b.begin() + 66, b.begin() + 70), (std::vector<uint8_t>{0x33, 0x22, 0x11, 0xFF}));
}

TEST(BmpWrite, TwentyFourBitsPadRows) {
  TBitmap bmp(5, 3);
  bmp.SetPixelFormat(TPixelFormat::pf24bit);
  const std::vector<uint8_t> b = bmp.SaveToMemory();
  EXPECT_EQ(b[28], 24);
  EXPECT_EQ(b.size(), 54u + 16 * 3);  // 15 bytes per row padded to 16
  EXPECT_EQ(Le32(b, 34), 48u);
}

TEST(BmpWrite, RoundTripsThroughMemoryAndFiles) {
  for (TPixelFormat format : {TPixelFormat::pf24bit, TPixelFormat::pf32bit}) {
    for (auto [w, h] : {std::pair{1, 1}, std::pair{5, 3}, std::pair{17, 9}}) {
      TBitmap original(w, h);
      original.SetPixelFormat(format);
      FillRandom(original, uint32_t(w * 100 + h));

      TBitmap from_memory;
      const std::vector<uint8_t> bytes = original.SaveToMemory();
      from_memory.LoadFromMemory(bytes.data(), bytes.size());
      EXPECT_EQ(CountDifferentPixels(original, from_memory), 0);
      EXPECT_EQ(from_memory.PixelFormat(), format);

      const std::string path = TempPath("roundtrip.bmp");
      original.SaveToFile(path);
      EXPECT_EQ(ReadFile(path), bytes);
      TBitmap from_file;
      from_file.LoadFromFile(path);
      EXPECT_EQ(CountDifferentPixels(original, from_file), 0);
      std::remove(path.c_str());
    }
  }
}

TEST(BmpWrite, OtherFormatsWriteThirtyTwoBits) {
  TBitmap bmp(2, 2);
  bmp.SetPixelFormat(TPixelFormat::pf8bit);
  EXPECT_EQ(bmp.SaveToMemory()[28], 32);
}

TEST(BmpWrite, Failures) {
  TBitmap empty;
  EXPECT_EQ(ErrorOf([&] { empty.SaveToMemory(); }), "Cannot save the bitmap: the bitmap is empty (0 x 0 pixels)");
  const std::string path = TempPath("empty.bmp");
  EXPECT_EQ(ErrorOf([&] { empty.SaveToFile(path); }), "Cannot save '" + path + "': the bitmap is empty (0 x 0 pixels)");
  EXPECT_FALSE(std::filesystem::exists(path));

  TBitmap bmp(2, 2);
  const std::string nowhere = TempPath("no_such_dir/x.bmp");
  EXPECT_EQ(ErrorOf([&] { bmp.SaveToFile(nowhere); }),
            "Cannot save '" + nowhere + "': cannot create a file beside it (No such file or directory)");
}

TEST(PngFiles, SaveThenLoadGivesThePixels) {
  TBitmap original(13, 7);
  FillRandom(original, 99);
  const std::string path = TempPath("roundtrip.png");
  original.SavePngToFile(path);
  const std::vector<uint8_t> bytes = ReadFile(path);
  ASSERT_GT(bytes.size(), 26u);
  EXPECT_EQ(std::string(bytes.begin() + 1, bytes.begin() + 4), "PNG");
  EXPECT_EQ(bytes[24], 8);  // bit depth
  EXPECT_EQ(bytes[25], 2);  // colour type RGB

  TBitmap loaded(1, 1);
  loaded.LoadPngFromFile(path);
  EXPECT_EQ(CountDifferentPixels(original, loaded), 0);
  EXPECT_EQ(loaded.PixelFormat(), TPixelFormat::pf24bit);
  std::remove(path.c_str());
}

// Reference files made by hand, one per PNG colour type.
TEST(PngFiles, ReadsEveryColourType) {
  const std::string data = std::string(PLOTWELL_TEST_DATA) + "/platform/graphics/data/";
  TBitmap bmp;
  bmp.LoadPngFromFile(data + "grey3x1.png");
  EXPECT_EQ(Picture(bmp, Rect(0, 0, 3, 1), {{clBlack, 'k'}, {RGB(0x80, 0x80, 0x80), 'g'}, {clWhite, 'w'}}), "kgw\n");

  bmp.LoadPngFromFile(data + "palette2x2.png");
  EXPECT_EQ(Picture(bmp, Rect(0, 0, 2, 2), {{clRed, 'r'}, {clLime, 'g'}, {clBlue, 'b'}, {RGB(0x12, 0x34, 0x56), 'x'}}),
            "rg\nbx\n");

  // Transparent parts are composited onto white, in linear light: black at
  // half opacity becomes half the light of white, sRGB level 186..188.
  bmp.LoadPngFromFile(data + "rgba3x1.png");
  EXPECT_EQ(bmp.Canvas()->Pixel(0, 0), clRed);
  EXPECT_EQ(bmp.Canvas()->Pixel(1, 0), clWhite);
  const TColor half = bmp.Canvas()->Pixel(2, 0);
  EXPECT_EQ(GetRValue(half), GetGValue(half));
  EXPECT_EQ(GetRValue(half), GetBValue(half));
  EXPECT_NEAR(GetRValue(half), 187, 1);

  bmp.LoadPngFromFile(data + "rgb16_1x1.png");
  EXPECT_EQ(bmp.Width(), 1);
  EXPECT_EQ(GetBValue(bmp.Canvas()->Pixel(0, 0)), 0xFF);
  EXPECT_LT(GetRValue(bmp.Canvas()->Pixel(0, 0)), GetGValue(bmp.Canvas()->Pixel(0, 0)));
}

// A PNG of signature, header (8-bit RGB of the given size), a data chunk
// of an empty deflate stream and the end: 65 bytes.
std::string PngClaiming(uint32_t width, uint32_t height) {
  const auto crc = [](const std::string& bytes) {
    uint32_t c = 0xFFFFFFFFu;
    for (unsigned char b : bytes) {
      c ^= b;
      for (int k = 0; k < 8; ++k) c = (c >> 1) ^ (0xEDB88320u & (0u - (c & 1u)));
    }
    return c ^ 0xFFFFFFFFu;
  };
  const auto be32 = [](uint32_t v) {
    return std::string{char(v >> 24), char(v >> 16), char(v >> 8), char(v)};
  };
  const auto chunk = [&](const std::string& type, const std::string& data) {
    return be32(uint32_t(data.size())) + type + data + be32(crc(type + data));
  };
  const std::string header = be32(width) + be32(height) + std::string{8, 2, 0, 0, 0};
  const std::string idat{char(0x78), char(0x9C), char(0x03), char(0x00), 0, 0, 0, 1};
  return std::string("\x89PNG\r\n\x1A\n", 8) + chunk("IHDR", header) + chunk("IDAT", idat) + chunk("IEND", "");
}

void WriteFile(const std::string& path, const std::string& bytes) {
  FILE* f = std::fopen(path.c_str(), "wb");
  ASSERT_NE(f, nullptr);
  std::fwrite(bytes.data(), 1, bytes.size(), f);
  std::fclose(f);
}

TEST(PngFiles, Failures) {
  TBitmap bmp(2, 1);
  bmp.ScanLine(0)[1] = 0xFF123456u;
  const std::string missing = TempPath("missing.png");
  EXPECT_EQ(ErrorOf([&] { bmp.LoadPngFromFile(missing); }).rfind("Cannot load '" + missing + "': ", 0), 0u);

  const std::string not_png = TempPath("not_png.png");
  TBitmap(3, 3).SaveToFile(not_png);  // a BMP under a PNG name
  const std::string error = ErrorOf([&] { bmp.LoadPngFromFile(not_png); });
  EXPECT_EQ(error.rfind("Cannot load '" + not_png + "': ", 0), 0u) << error;
  std::remove(not_png.c_str());
  EXPECT_EQ(bmp.Width(), 2);
  EXPECT_EQ(bmp.ScanLine(0)[1], 0xFF123456u);

  // A 65-byte file whose header claims 16384 x 16384 is refused before its
  // pixels are allocated; a large picture that packs well still loads.
  const std::string huge = TempPath("huge.png");
  WriteFile(huge, PngClaiming(16384, 16384));
  EXPECT_EQ(ErrorOf([&] { bmp.LoadPngFromFile(huge); }),
            "Cannot load '" + huge + "': a file of 65 bytes cannot hold an image of 16384 x 16384 pixels");
  std::remove(huge.c_str());
  EXPECT_EQ(bmp.Width(), 2);
  TBitmap white(1500, 1500);
  const std::string packed = TempPath("white.png");
  white.SavePngToFile(packed);
  EXPECT_LT(std::filesystem::file_size(packed), 1500u * 1500 * 3 / 300);
  bmp.LoadPngFromFile(packed);
  EXPECT_EQ(bmp.Width(), 1500);
  EXPECT_EQ(bmp.ScanLine(1499)[1499], 0xFFFFFFFFu);
  std::remove(packed.c_str());

  TBitmap empty;
  EXPECT_EQ(ErrorOf([&] { empty.SavePngToFile(TempPath("e.png")); }),
            "Cannot save '" + TempPath("e.png") + "': the bitmap is empty (0 x 0 pixels)");
  EXPECT_NE(ErrorOf([&] { bmp.SavePngToFile(TempPath("no_such_dir/x.png")); }), "(no error)");
}

}  // namespace
}  // namespace korvo::test
