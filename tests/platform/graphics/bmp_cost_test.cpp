// What loading a picture may cost: what is not a regular file is refused
// before a byte is read, and a picture takes the memory of its decoded
// pixels and a small constant, once, also when it is loaded again.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "bmp_test_builder.h"
#include "platform/Exceptions.h"
#include "platform/graphics/Bitmap.h"
#include "support/AllocationCounter.h"

namespace korvo::test {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<uint8_t>;

// Beside the pixels a load may hold about this much (the decoder's chunk
// and small objects).
constexpr long long kSlack = 256 * 1024;

class PictureCost : public ::testing::Test {
 protected:
  PictureCost() : dir(fs::temp_directory_path() / ("plotwell-cost-" + std::to_string(::getpid()))) {
    fs::create_directories(dir);
  }
  ~PictureCost() override { fs::remove_all(dir); }
  std::string Write(const char* name, const Bytes& bytes) {
    const std::string path = (dir / name).string();
    std::FILE* f = std::fopen(path.c_str(), "wb");
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
    return path;
  }
  fs::path dir;
};

TEST_F(PictureCost, WhatIsNotARegularFileIsRefusedUnread) {
  const std::string fifo = (dir / "fifo.bmp").string();
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  const std::string folder = dir.string();
  const std::pair<std::string, const char*> cases[] = {
      {"/dev/zero", "a character device"},
      {"/dev/urandom", "a character device"},
      {folder, "a directory"},
      {fifo, "a fifo"},  // no writer: opening must not wait for one
  };
  for (const auto& [path, kind] : cases) {
    const std::string expected = "Cannot load '" + path + "': not a regular file (" + kind + ")";
    TBitmap bmp(3, 2);
    try {
      bmp.LoadFromFile(path);
      ADD_FAILURE() << path << " loaded";
    } catch (const EInvalidGraphic& e) {
      EXPECT_EQ(e.what(), expected);
    }
    try {
      bmp.LoadPngFromFile(path);
      ADD_FAILURE() << path << " loaded as PNG";
    } catch (const EInvalidGraphic& e) {
      EXPECT_EQ(e.what(), expected);
    }
    EXPECT_EQ(bmp.Width(), 3);
  }
}

// A 1-bit 4000 x 3000 picture is 1.5 MB on disk and 48 MB decoded: loading
// it takes the 48 MB and no copy of the file; loading it again into the
// same bitmap reuses them.
TEST_F(PictureCost, ALargeOneBitPictureTakesItsPixelsOnce) {
  constexpr int32_t W = 4000, H = 3000;
  Bytes rows(size_t(W / 8) * H, 0xF0);  // 500-byte rows need no padding
  const std::string path = Write("big.bmp", BmpBuilder(W, H, 1).Palette({0x000000, 0xFF8000}).RawPixelData(rows).Build());
  const long long pixels = 4LL * W * H;
  TBitmap bmp;
  EXPECT_LE(PeakHeapGrowthDuring([&] { bmp.LoadFromFile(path); }), pixels + kSlack);
  ASSERT_EQ(bmp.Width(), W);
  EXPECT_EQ(bmp.ScanLine(H - 1)[0], 0xFFFF8000u);
  EXPECT_EQ(bmp.ScanLine(0)[W - 1], 0xFF000000u);
  const TPixel* before = bmp.ScanLine(0);
  EXPECT_LE(PeakHeapGrowthDuring([&] { bmp.LoadFromFile(path); }), kSlack);
  EXPECT_EQ(bmp.ScanLine(0), before);
  EXPECT_EQ(bmp.ScanLine(0)[3], 0xFFFF8000u);
}

// RLE data may stand for up to 1024 pixels a byte: 16 KiB of end-of-line
// pairs make a 4096 x 4096 black picture (64 MiB decoded), bounded by that
// and reusing it when loaded again;
// two bytes less are refused before any pixel memory is taken. (At scale:
// 256 KiB claiming 16384 x 16384 takes 1 GiB, the limit of any picture.)
TEST_F(PictureCost, RlePicturesAreBoundedByTheirData) {
  const auto rle = [](size_t bytes) {
    Bytes data(bytes - 2, 0);  // 0, 0: end of line
    data.push_back(0);
    data.push_back(1);  // end of bitmap
    return BmpBuilder(4096, 4096, 8).Compression(1).Palette({0x000000}).RawPixelData(data).Build();
  };
  const std::string at_limit = Write("limit.bmp", rle(16384));
  const std::string beyond = Write("beyond.bmp", rle(16382));
  TBitmap bmp;
  EXPECT_LE(PeakHeapGrowthDuring([&] { bmp.LoadFromFile(at_limit); }), 4LL * 4096 * 4096 + kSlack);
  EXPECT_EQ(bmp.Height(), 4096);
  EXPECT_LE(PeakHeapGrowthDuring([&] { bmp.LoadFromFile(at_limit); }), kSlack) << "a reload reuses the pixels";
  TBitmap small(3, 2);
  const long long refused = PeakHeapGrowthDuring([&] { EXPECT_THROW(small.LoadFromFile(beyond), EInvalidGraphic); });
  EXPECT_LE(refused, kSlack);
  EXPECT_EQ(small.Width(), 3);
}

// libpng's rows land in the pixels' own memory: 4 bytes a pixel, not 3 + 4.
TEST_F(PictureCost, APngTakesItsPixelsOnce) {
  TBitmap source(1500, 1000);
  for (int32_t y = 0; y < source.Height(); ++y)
    for (int32_t x = 0; x < source.Width(); ++x) source.ScanLine(y)[x] = 0xFF000000u | uint32_t(x * 7919 + y * 104729);
  const std::string path = (dir / "p.png").string();
  source.SavePngToFile(path);
  TBitmap back;
  EXPECT_LE(PeakHeapGrowthDuring([&] { back.LoadPngFromFile(path); }), 4LL * 1500 * 1000 + kSlack);
  for (int32_t y = 0; y < source.Height(); ++y)
    for (int32_t x = 0; x < source.Width(); ++x) ASSERT_EQ(back.ScanLine(y)[x], source.ScanLine(y)[x]) << x << "," << y;
}

}  // namespace
}  // namespace korvo::test
