// TBitmap's BMP file operations: whole files in memory through the codec,
// with the file name put in front of every fault.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

#include "platform/Exceptions.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/bmp/BmpCodec_p.h"
#include "platform/graphics/bmp/FileReplace.h"

namespace korvo {
namespace {

// The largest file a valid bitmap needs: 4 bytes per pixel at most (a 1-pixel
// wide row is padded to 4 bytes whatever the depth), plus headers, palette and
// any gap before the pixels.
constexpr uint64_t kMaxFileSize = uint64_t(TBitmap::MaxPixels) * 4 + (uint64_t(1) << 20);

struct TFileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};
using TFile = std::unique_ptr<std::FILE, TFileCloser>;

[[noreturn]] void FailLoad(const std::string& path, const std::string& fault) {
  throw EInvalidGraphic("Cannot load '" + path + "': " + fault);
}

std::vector<uint8_t> ReadWholeFile(const std::string& path) {
  errno = 0;
  TFile file(std::fopen(path.c_str(), "rb"));
  if (!file) FailLoad(path, std::string("cannot open the file (") + std::strerror(errno) + ")");
  std::vector<uint8_t> bytes;
  uint8_t chunk[1 << 16];
  for (;;) {
    const size_t got = std::fread(chunk, 1, sizeof chunk, file.get());
    if (got > 0) {
      if (bytes.size() + got > kMaxFileSize) {
        FailLoad(path, "the file is larger than any bitmap can be (" + std::to_string(kMaxFileSize) + " bytes)");
      }
      bytes.insert(bytes.end(), chunk, chunk + got);
    }
    if (got < sizeof chunk) break;
  }
  if (std::ferror(file.get())) FailLoad(path, std::string("cannot read the file (") + std::strerror(errno) + ")");
  return bytes;
}

}  // namespace

void TBitmap::AdoptPixels(int32_t width, int32_t height, TPixelFormat format, std::vector<TPixel>&& pixels) {
  pixels_ = std::move(pixels);
  width_ = width;
  height_ = height;
  format_ = format;
  Attach();
}

void TBitmap::LoadFromMemory(const uint8_t* data, size_t size) {
  bmp::TDecodedImage image;
  try {
    image = bmp::DecodeBmp(std::span<const uint8_t>(data, data == nullptr ? 0 : size));
  } catch (const EInvalidGraphic& e) {
    throw EInvalidGraphic(std::string("Cannot load the bitmap from memory: ") + e.what());
  }
  AdoptPixels(image.Width, image.Height, image.Format, std::move(image.Pixels));
}

void TBitmap::LoadFromFile(const std::string& path) {
  const std::vector<uint8_t> bytes = ReadWholeFile(path);
  bmp::TDecodedImage image;
  try {
    image = bmp::DecodeBmp(bytes);
  } catch (const EInvalidGraphic& e) {
    FailLoad(path, e.what());
  }
  AdoptPixels(image.Width, image.Height, image.Format, std::move(image.Pixels));
}

std::vector<uint8_t> TBitmap::SaveToMemory() const {
  try {
    return bmp::EncodeBmp(*this);
  } catch (const EInvalidGraphic& e) {
    throw EInvalidGraphic(std::string("Cannot save the bitmap: ") + e.what());
  }
}

void TBitmap::SaveToFile(const std::string& path) const {
  std::vector<uint8_t> bytes;
  try {
    bytes = bmp::EncodeBmp(*this);
  } catch (const EInvalidGraphic& e) {
    throw EInvalidGraphic("Cannot save '" + path + "': " + e.what());
  }
  ReplaceFile(path, bytes);
}

}  // namespace korvo
