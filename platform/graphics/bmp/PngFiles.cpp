// TBitmap's PNG files through libpng's simplified API, which converts every
// colour type and keeps libpng's error jumps inside the library.
#include <png.h>

#include <cstdio>
#include <cstring>
#include <memory>

#include "platform/Exceptions.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/bmp/FileReplace.h"
#include "platform/graphics/bmp/PictureSource.h"

namespace korvo {
namespace {

struct TFileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};

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
  bmp::TFileSource source(path);  // refuses what is not a regular file, naming the path
  const uint64_t fileSize = source.Size();
  std::unique_ptr<std::FILE, TFileCloser> stream(source.ReleaseAsStream());
  if (!stream) throw EInvalidGraphic(bmp::CannotLoad(path, "cannot read the file"));
  TPngImage image;
  if (png_image_begin_read_from_stdio(image.get(), stream.get()) == 0) {
    throw EInvalidGraphic(bmp::CannotLoad(path, image.Message()));
  }
  const int64_t width = image->width;
  const int64_t height = image->height;
  if (width <= 0 || height <= 0 || width > INT32_MAX || height > INT32_MAX || width * height > MaxPixels) {
    throw EInvalidGraphic(bmp::CannotLoad(path, "the image size " + std::to_string(width) + " x " +
                                                    std::to_string(height) + " exceeds the limit of " +
                                                    std::to_string(MaxPixels) + " pixels"));
  }
  // Deflate packs at most 1032 bytes into one, and the smallest image data
  // a PNG of this size can hold is one bit per pixel plus a filter byte per
  // row: a header claiming more than the file can hold is refused before the
  // pixels are allocated.
  const int64_t leastData = height * (1 + (width + 7) / 8);
  if (leastData > int64_t(fileSize) * 1032 + 4096) {
    throw EInvalidGraphic(bmp::CannotLoad(path, "a file of " + std::to_string(fileSize) +
                                                    " bytes cannot hold an image of " + std::to_string(width) + " x " +
                                                    std::to_string(height) + " pixels"));
  }
  // libpng writes 3 bytes a pixel at the front of the pixels' own memory,
  // which are then spread to 4 from the last pixel back (pixel i moves from
  // byte 3i to byte 4i, never over a byte still to be read): one buffer of
  // the picture's size, no second copy.
  image->format = PNG_FORMAT_BGR;
  const size_t count = size_t(width) * size_t(height);
  std::vector<TPixel> pixels(count);
  auto* bytes = reinterpret_cast<uint8_t*>(pixels.data());
  const png_color white{255, 255, 255};
  if (png_image_finish_read(image.get(), &white, bytes, 0, nullptr) == 0) {
    throw EInvalidGraphic(bmp::CannotLoad(path, image.Message()));
  }
  for (size_t i = count; i-- > 0;) {
    const uint8_t* in = bytes + 3 * i;
    const TPixel p = 0xFF000000u | uint32_t(in[2]) << 16 | uint32_t(in[1]) << 8 | in[0];
    std::memcpy(bytes + 4 * i, &p, sizeof p);
  }
  AdoptPixels(int32_t(width), int32_t(height), TPixelFormat::pf24bit, std::move(pixels));
}

}  // namespace korvo
