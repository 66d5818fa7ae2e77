// TBitmap's PNG files through libpng's simplified API, which converts every
// colour type and keeps libpng's error jumps inside the library.
#include <png.h>

#include <cstring>
#include <filesystem>
#include <system_error>

#include "platform/Exceptions.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/bmp/FileReplace.h"

namespace korvo {
namespace {

// Owns a png_image until the read or write is finished.
class TPngImage {
 public:
  TPngImage() {
    std::memset(&image_, 0, sizeof image_);
    image_.version = PNG_IMAGE_VERSION;
  }
  ~TPngImage() { png_image_free(&image_); }
  TPngImage(const TPngImage&) = delete;
  TPngImage& operator=(const TPngImage&) = delete;
  png_image* operator->() { return &image_; }
  png_image* get() { return &image_; }
  std::string Message() const { return image_.message[0] != '\0' ? image_.message : "unknown libpng error"; }

 private:
  png_image image_;
};

}  // namespace

std::vector<uint8_t> TBitmap::SavePngToMemory() const {
  if (Empty()) {
    throw EInvalidGraphic("the bitmap is empty (" + std::to_string(width_) + " x " + std::to_string(height_) +
                          " pixels)");
  }
  std::vector<uint8_t> rgb(pixels_.size() * 3);
  uint8_t* out = rgb.data();
  for (const TPixel p : pixels_) {
    *out++ = uint8_t(p >> 16);
    *out++ = uint8_t(p >> 8);
    *out++ = uint8_t(p);
  }
  TPngImage image;
  image->width = uint32_t(width_);
  image->height = uint32_t(height_);
  image->format = PNG_FORMAT_RGB;
  // The first call measures, the second writes.
  png_alloc_size_t size = 0;
  if (png_image_write_to_memory(image.get(), nullptr, &size, 0, rgb.data(), 0, nullptr) == 0) {
    throw EInvalidGraphic(image.Message());
  }
  std::vector<uint8_t> bytes(size);
  if (png_image_write_to_memory(image.get(), bytes.data(), &size, 0, rgb.data(), 0, nullptr) == 0) {
    throw EInvalidGraphic(image.Message());
  }
  bytes.resize(size);
  return bytes;
}

void TBitmap::SavePngToFile(const std::string& path) const {
  std::vector<uint8_t> bytes;
  try {
    bytes = SavePngToMemory();
  } catch (const EInvalidGraphic& e) {
    throw EInvalidGraphic("Cannot save '" + path + "': " + e.what());
  }
  ReplaceFile(path, bytes);
}

void TBitmap::LoadPngFromFile(const std::string& path) {
  TPngImage image;
  if (png_image_begin_read_from_file(image.get(), path.c_str()) == 0) {
    throw EInvalidGraphic("Cannot load '" + path + "': " + image.Message());
  }
  const int64_t width = image->width;
  const int64_t height = image->height;
  if (width <= 0 || height <= 0 || width > INT32_MAX || height > INT32_MAX || width * height > MaxPixels) {
    throw EInvalidGraphic("Cannot load '" + path + "': the image size " + std::to_string(width) + " x " +
                          std::to_string(height) + " exceeds the limit of " + std::to_string(MaxPixels) + " pixels");
  }
  // Deflate packs at most 1032 bytes into one, and the smallest image data
  // a PNG of this size can hold is one bit per pixel plus a filter byte per
  // row: a header claiming more than the file can hold is refused before the
  // pixels are allocated.
  std::error_code ec;
  const auto fileSize = std::filesystem::file_size(path, ec);
  const int64_t leastData = height * (1 + (width + 7) / 8);
  if (!ec && leastData > int64_t(fileSize) * 1032 + 4096) {
    throw EInvalidGraphic("Cannot load '" + path + "': a file of " + std::to_string(fileSize) +
                          " bytes cannot hold an image of " + std::to_string(width) + " x " + std::to_string(height) +
                          " pixels");
  }
  image->format = PNG_FORMAT_RGB;
  std::vector<uint8_t> rgb(size_t(width) * size_t(height) * 3);
  const png_color white{255, 255, 255};
  if (png_image_finish_read(image.get(), &white, rgb.data(), 0, nullptr) == 0) {
    throw EInvalidGraphic("Cannot load '" + path + "': " + image.Message());
  }
  std::vector<TPixel> pixels(size_t(width) * size_t(height));
  const uint8_t* in = rgb.data();
  for (TPixel& p : pixels) {
    p = 0xFF000000u | uint32_t(in[0]) << 16 | uint32_t(in[1]) << 8 | in[2];
    in += 3;
  }
  AdoptPixels(int32_t(width), int32_t(height), TPixelFormat::pf24bit, std::move(pixels));
}

}  // namespace korvo
