// Corrupt and hostile BMP files: each fault is a clear EInvalidGraphic that
// names it and leaves the bitmap as it was; random damage never crashes or
// reads outside the buffer (the sanitizer builds watch for that).
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <algorithm>
#include <functional>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include <unistd.h>

#include "bmp_test_builder.h"
#include "platform/Exceptions.h"
#include "platform/graphics/Bitmap.h"

namespace korvo::test {
namespace {

using Bytes = std::vector<uint8_t>;

constexpr uint32_t BI_RLE8 = 1, BI_RLE4 = 2, BI_BITFIELDS = 3;

Bytes Valid8Bit() { return BmpBuilder(4, 3, 8).Palette({0x112233, 0x445566, 0x778899, 0xAABBCC}).ColorsUsed(4)
                               .Values({0, 1, 2, 3, 3, 2, 1, 0, 0, 0, 1, 1}).Build(); }
Bytes Valid16Bit() { return BmpBuilder(3, 2, 16).Compression(BI_BITFIELDS).Masks(0xF800, 0x07E0, 0x001F)
                                .Values({1, 2, 3, 4, 5, 6}).Build(); }
Bytes Valid24Bit() { return BmpBuilder(3, 2, 24).Values({1, 2, 3, 4, 5, 6}).Build(); }
Bytes ValidRle8() {
  return BmpBuilder(4, 2, 8).Compression(BI_RLE8).Palette({0x0000FF, 0x00FF00}).ColorsUsed(2)
      .RawPixelData({0x04, 0x01, 0x00, 0x00, 0x00, 0x03, 0x00, 0x01, 0x00, 0x00, 0x00, 0x01}).Build();
}

Bytes Truncated(Bytes b, size_t size) {
  b.resize(size);
  return b;
}

// A bitmap with known contents, to show that a failed load changes nothing.
struct Witness {
  TBitmap bmp{3, 2};
  Witness() {
    bmp.SetPixelFormat(TPixelFormat::pf32bit);
    for (int32_t y = 0; y < 2; ++y)
      for (int32_t x = 0; x < 3; ++x) bmp.ScanLine(y)[x] = 0xFF000000u | uint32_t(x * 16 + y);
  }
  bool Unchanged() const {
    if (bmp.Width() != 3 || bmp.Height() != 2 || bmp.PixelFormat() != TPixelFormat::pf32bit) return false;
    for (int32_t y = 0; y < 2; ++y)
      for (int32_t x = 0; x < 3; ++x)
        if (bmp.ScanLine(y)[x] != (0xFF000000u | uint32_t(x * 16 + y))) return false;
    return bmp.Canvas()->Surface().Bits == bmp.ScanLine(0);
  }
};

struct CorruptCase {
  const char* name;
  std::function<Bytes()> file;
  const char* fault;  // part of the expected message
};

void PrintTo(const CorruptCase& c, std::ostream* os) { *os << c.name; }

Bytes Patched32(Bytes b, size_t at, uint32_t v) {
  Put32(b, at, v);
  return b;
}
Bytes Patched16(Bytes b, size_t at, uint16_t v) {
  Put16(b, at, v);
  return b;
}

const CorruptCase kCases[] = {
    {"Empty", [] { return Bytes{}; }, "too short to be a bitmap (0 bytes)"},
    {"TooShort", [] { return Truncated(Valid24Bit(), 10); }, "too short to be a bitmap (10 bytes)"},
    {"BadMagic", [] { Bytes b = Valid24Bit(); b[0] = 'P'; return b; }, "does not start with 'BM'"},
    {"UnknownHeaderSize", [] { return Patched32(Valid24Bit(), bmpfield::HeaderSize, 64); },
     "unsupported bitmap header size 64"},
    {"EndsInsideHeader", [] { return Truncated(Valid24Bit(), 30); }, "the file ends inside the bitmap header"},
    {"EndsInsideV5Header", [] { return Truncated(BmpBuilder(1, 1, 24).HeaderSize(124).Values({0}).Build(), 100); },
     "the file ends inside the bitmap header"},
    {"ZeroWidth", [] { return Patched32(Valid24Bit(), bmpfield::Width, 0); }, "invalid width 0"},
    {"NegativeWidth", [] { return Patched32(Valid24Bit(), bmpfield::Width, uint32_t(-5)); }, "invalid width -5"},
    {"ZeroHeight", [] { return Patched32(Valid24Bit(), bmpfield::Height, 0); }, "invalid height 0"},
    {"TooManyPixels", [] { return Patched32(Patched32(Valid24Bit(), bmpfield::Width, 70000), bmpfield::Height, 70000); },
     "the image size 70000 x 70000 exceeds the limit of 268435456 pixels"},
    {"MostNegativeHeight", [] { return Patched32(Valid24Bit(), bmpfield::Height, 0x80000000u); },
     "the image size 3 x 2147483648 exceeds the limit"},
    {"LargestWidth", [] { return Patched32(Valid24Bit(), bmpfield::Width, 0x7FFFFFFFu); }, "exceeds the limit"},
    {"TwoPlanes", [] { return Patched16(Valid24Bit(), bmpfield::Planes, 2); }, "the number of colour planes is 2"},
    {"SevenBits", [] { return Patched16(Valid24Bit(), bmpfield::Bits, 7); }, "unsupported bit count 7"},
    {"ZeroBits", [] { return Patched16(Valid24Bit(), bmpfield::Bits, 0); }, "unsupported bit count 0"},
    {"CoreHeaderSixteenBits", [] { Bytes b = BmpBuilder(1, 1, 24).HeaderSize(12).Values({0}).Build(); Put16(b, 24, 16); return b; },
     "unsupported bit count 16"},
    {"Jpeg", [] { return Patched32(Valid24Bit(), bmpfield::Compression, 4); }, "JPEG-compressed bitmaps are not supported"},
    {"Png", [] { return Patched32(Valid24Bit(), bmpfield::Compression, 5); }, "PNG-compressed bitmaps are not supported"},
    {"UnknownCompression", [] { return Patched32(Valid24Bit(), bmpfield::Compression, 9); }, "unknown compression 9"},
    {"Rle8OnFourBits", [] { return Patched16(ValidRle8(), bmpfield::Bits, 4); }, "RLE8 compression needs 8 bits per pixel, not 4"},
    {"Rle4OnEightBits", [] { return Patched32(ValidRle8(), bmpfield::Compression, BI_RLE4); },
     "RLE4 compression needs 4 bits per pixel, not 8"},
    {"RleTopDown", [] { return Patched32(ValidRle8(), bmpfield::Height, uint32_t(-2)); }, "a top-down bitmap cannot be RLE8-compressed"},
    {"RleWithoutEnd", [] { Bytes b = ValidRle8(); return Truncated(b, b.size() - 2); }, "ends before its end-of-bitmap marker"},
    {"RleLiteralCut", [] { Bytes b = ValidRle8(); b.resize(b.size() - 8); b.push_back(0); b.push_back(5); b.push_back(1); return b; },
     "the RLE data ends inside a run of literal pixels"},
    {"RleMoveCut", [] { Bytes b = ValidRle8(); b.resize(b.size() - 2); b.push_back(0); b.push_back(2); b.push_back(1); return b; },
     "the RLE data ends inside a position move"},
    {"RleHugePictureFromTinyData", [] { return Patched32(Patched32(ValidRle8(), bmpfield::Width, 16384), bmpfield::Height, 16384); },
     "is too short for a 16384 x 16384 picture"},
    {"BitFieldsOnTwentyFourBits", [] { return Patched32(Valid24Bit(), bmpfield::Compression, BI_BITFIELDS); },
     "bit field masks need 16 or 32 bits per pixel, not 24"},
    {"MaskNotContiguous", [] { return Patched32(Valid16Bit(), bmpfield::Masks40, 0xF00F); }, "bit field mask 0x0000F00F is not contiguous"},
    {"MaskWiderThanSixteenBits", [] { return Patched32(Valid16Bit(), bmpfield::Masks40 + 4, 0x1F800); },
     "bit field mask 0x0001F800 does not fit in 16 bits"},
    {"MasksCut", [] { return Truncated(Valid16Bit(), 60); }, "the file ends inside the bit field masks"},
    {"PixelOffsetInsideHeaders", [] { return Patched32(Valid24Bit(), bmpfield::PixelOffset, 20); },
     "the pixel data offset 20 lies inside the headers"},
    {"PixelOffsetZero", [] { return Patched32(Valid24Bit(), bmpfield::PixelOffset, 0); }, "the pixel data offset 0 lies inside the headers"},
    {"PixelOffsetPastEnd", [] { Bytes b = Valid24Bit(); return Patched32(b, bmpfield::PixelOffset, uint32_t(b.size() + 1)); },
     "lies past the end of the file"},
    {"PixelOffsetHuge", [] { return Patched32(Valid24Bit(), bmpfield::PixelOffset, 0xFFFFFFFFu); }, "lies past the end of the file"},
    {"PixelDataCut", [] { Bytes b = Valid24Bit(); return Truncated(b, b.size() - 1); }, "pixel data ends past the end of the file"},
    {"PixelDataMissing", [] { Bytes b = Valid24Bit(); return Truncated(b, 54); }, "pixel data ends past the end of the file"},
    {"PaletteCountBeyondDepth", [] { return Patched32(Valid8Bit(), bmpfield::ColorsUsed, 300); },
     "the palette count 300 exceeds the 256 colours of 8 bits per pixel"},
    {"PaletteCountBeyondFourBits", [] { return Patched32(Patched16(Valid8Bit(), bmpfield::Bits, 4), bmpfield::ColorsUsed, 17); },
     "the palette count 17 exceeds the 16 colours of 4 bits per pixel"},
    {"PaletteHugeCount", [] { return Patched32(Valid8Bit(), bmpfield::ColorsUsed, 0xFFFFFFFFu); }, "exceeds the 256 colours"},
    {"PalettePastEnd", [] { return Patched32(Valid8Bit(), bmpfield::ColorsUsed, 0); }, "the palette ends past the end of the file"},
};

class BmpCorrupt : public ::testing::TestWithParam<CorruptCase> {};

TEST_P(BmpCorrupt, FailsWithTheFaultAndChangesNothing) {
  const CorruptCase& c = GetParam();
  const Bytes file = c.file();
  Witness w;
  try {
    w.bmp.LoadFromMemory(file.data(), file.size());
    FAIL() << "loaded without an error";
  } catch (const EInvalidGraphic& e) {
    const std::string message = e.what();
    EXPECT_NE(message.find("Cannot load the bitmap from memory: "), std::string::npos) << message;
    EXPECT_NE(message.find(c.fault), std::string::npos) << message;
  }
  EXPECT_TRUE(w.Unchanged());
}

INSTANTIATE_TEST_SUITE_P(Bmp, BmpCorrupt, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<CorruptCase>& info) { return std::string(info.param.name); });

// The fixtures above really are valid before their damage.
TEST(BmpCorruptBaseline, UndamagedFilesLoad) {
  for (const Bytes& file : {Valid8Bit(), Valid16Bit(), Valid24Bit(), ValidRle8()}) {
    TBitmap bmp;
    EXPECT_NO_THROW(bmp.LoadFromMemory(file.data(), file.size()));
    EXPECT_FALSE(bmp.Empty());
  }
}

// RLE data may describe up to 1024 pixels per byte; the 12 bytes of
// ValidRle8 allow 4 x 3072 pixels and no more.
TEST(BmpCorruptBaseline, RlePictureSizeLimit) {
  TBitmap bmp;
  const Bytes at_limit = Patched32(ValidRle8(), bmpfield::Height, 3072);
  EXPECT_NO_THROW(bmp.LoadFromMemory(at_limit.data(), at_limit.size()));
  EXPECT_EQ(bmp.Height(), 3072);
  const Bytes beyond = Patched32(ValidRle8(), bmpfield::Height, 3073);
  Witness w;
  try {
    w.bmp.LoadFromMemory(beyond.data(), beyond.size());
    FAIL();
  } catch (const EInvalidGraphic& e) {
    EXPECT_NE(std::string(e.what()).find("the RLE data (12 bytes) is too short for a 4 x 3073 picture"), std::string::npos)
        << e.what();
  }
  EXPECT_TRUE(w.Unchanged());
}

TEST(BmpCorruptFile, MessageNamesTheFile) {
  const std::string path = (std::filesystem::temp_directory_path() / ("plotwell_bmp_cut_" + std::to_string(getpid()) + ".bmp")).string();
  const Bytes file = Truncated(Valid24Bit(), 60);
  std::FILE* f = std::fopen(path.c_str(), "wb");
  ASSERT_NE(f, nullptr);
  std::fwrite(file.data(), 1, file.size(), f);
  std::fclose(f);
  Witness w;
  try {
    w.bmp.LoadFromFile(path);
    FAIL() << "loaded without an error";
  } catch (const EInvalidGraphic& e) {
    EXPECT_EQ(std::string(e.what()), "Cannot load '" + path +
                                         "': pixel data ends past the end of the file (24 bytes at offset 54, "
                                         "the file has 60)");
  }
  EXPECT_TRUE(w.Unchanged());
  std::remove(path.c_str());
}

TEST(BmpCorruptFile, MissingFileAndDirectory) {
  Witness w;
  const std::string missing = (std::filesystem::temp_directory_path() / "plotwell_no_such_file.bmp").string();
  try {
    w.bmp.LoadFromFile(missing);
    FAIL();
  } catch (const EInvalidGraphic& e) {
    EXPECT_EQ(std::string(e.what()), "Cannot load '" + missing + "': cannot open the file (No such file or directory)");
  }
  const std::string dir = std::filesystem::temp_directory_path().string();
  try {
    w.bmp.LoadFromFile(dir);
    FAIL();
  } catch (const EInvalidGraphic& e) {
    EXPECT_NE(std::string(e.what()).find("Cannot load '" + dir + "': "), std::string::npos) << e.what();
  }
  EXPECT_TRUE(w.Unchanged());
}

// Random damage to valid files of every layout: truncation, flipped bits,
// random bytes, and extreme values in header fields. Each damaged copy sits
// in a buffer of exactly its size, so any read past it is a sanitizer error.
TEST(BmpMutation, DamagedFilesNeverCrash) {
  const std::vector<Bytes> bases = {
      Valid8Bit(),
      Valid16Bit(),
      Valid24Bit(),
      ValidRle8(),
      BmpBuilder(9, 3, 1).Palette({0, 0xFFFFFF}).Values(std::vector<uint32_t>(27, 1)).Build(),
      BmpBuilder(5, 2, 4).Palette(std::vector<uint32_t>(16, 0x808080)).TopDown().Values(std::vector<uint32_t>(10, 3)).Build(),
      BmpBuilder(3, 3, 32).HeaderSize(124).Compression(BI_BITFIELDS).Masks(0xFF0000, 0xFF00, 0xFF).Values(std::vector<uint32_t>(9, 7)).Build(),
      BmpBuilder(2, 2, 8).HeaderSize(12).Palette(std::vector<uint32_t>(256, 0x123456)).Values({1, 2, 3, 4}).Build(),
      BmpBuilder(5, 2, 4).Compression(BI_RLE4).Palette(std::vector<uint32_t>(16, 0x0000FF))
          .RawPixelData({0x05, 0x12, 0x00, 0x00, 0x00, 0x05, 0x34, 0x56, 0x70, 0x00, 0x00, 0x02, 0x01, 0x00, 0x00, 0x01}).Build(),
  };
  const uint32_t extremes[] = {0, 1, 0x7FFFFFFF, 0x80000000, 0xFFFFFFFF, 0xFFFF, 0x10000, 40, 124};
  std::mt19937 rng(20240601);
  int loaded = 0, refused = 0;
  for (int i = 0; i < 4000; ++i) {
    Bytes b = bases[rng() % bases.size()];
    switch (rng() % 4) {
      case 0:
        b.resize(rng() % (b.size() + 1));
        break;
      case 1:
        for (int k = 0, n = 1 + int(rng() % 4); k < n; ++k) b[rng() % b.size()] ^= uint8_t(1u << (rng() % 8));
        break;
      case 2:
        for (int k = 0, n = 1 + int(rng() % 8); k < n; ++k) b[rng() % std::min<size_t>(b.size(), 70)] = uint8_t(rng());
        break;
      case 3: {
        const size_t at = 2 + rng() % 50;
        if (at + 4 <= b.size()) Put32(b, at, extremes[rng() % std::size(extremes)]);
        break;
      }
    }
    const std::unique_ptr<uint8_t[]> exact(new uint8_t[b.size() + (b.empty() ? 1 : 0)]);
    std::copy(b.begin(), b.end(), exact.get());
    Witness w;
    try {
      w.bmp.LoadFromMemory(exact.get(), b.size());
      ++loaded;
      ASSERT_GT(w.bmp.Width(), 0);
      ASSERT_GT(w.bmp.Height(), 0);
      ASSERT_LE(int64_t(w.bmp.Width()) * w.bmp.Height(), TBitmap::MaxPixels);
      for (int32_t y = 0; y < w.bmp.Height(); ++y)
        for (int32_t x = 0; x < w.bmp.Width(); ++x) ASSERT_EQ(w.bmp.ScanLine(y)[x] >> 24, 0xFFu) << "case " << i;
    } catch (const EInvalidGraphic& e) {
      ++refused;
      ASSERT_TRUE(w.Unchanged()) << "case " << i << ": " << e.what();
    }
  }
  // Both outcomes occur, so the loop exercises the decoders and the checks.
  EXPECT_GT(loaded, 100);
  EXPECT_GT(refused, 100);
}

}  // namespace
}  // namespace korvo::test
