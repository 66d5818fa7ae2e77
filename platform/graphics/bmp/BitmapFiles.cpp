// TBitmap's BMP file operations through the codec, with the file name put
// in front of every fault. A file is read only where its headers say the
// picture lies, a chunk at a time, straight into the bitmap's pixels.
#include <algorithm>
#include <span>

#include "platform/Exceptions.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/bmp/BmpCodec_p.h"
#include "platform/graphics/bmp/FileReplace.h"
#include "platform/graphics/bmp/PictureSource.h"

namespace korvo {

void TBitmap::AdoptPixels(int32_t width, int32_t height, TPixelFormat format, std::vector<TPixel>&& pixels) {
  pixels_ = std::move(pixels);
  width_ = width;
  height_ = height;
  format_ = format;
  Attach();
}

std::vector<TPixel> TBitmap::TakePixelBuffer(size_t count) {
  std::vector<TPixel> buffer = std::move(pixels_);
  pixels_ = std::vector<TPixel>();
  width_ = 0;
  height_ = 0;
  Attach();
  // A buffer too small would be copied on growing, and one far too large
  // would keep memory the picture does not need: both are let go first.
  if (buffer.capacity() < count || buffer.capacity() / 2 > count) buffer = std::vector<TPixel>();
  buffer.resize(count);
  return buffer;
}

void TBitmap::LoadDecoded(bmp::TBmpDecoder& decoder) {
  // Every check has passed: from here the bitmap gives up its old picture,
  // whose memory the new one reuses when it fits. Only a file that shrinks
  // or fails under us can still raise, and leaves the bitmap empty.
  std::vector<TPixel> pixels = TakePixelBuffer(size_t(decoder.Width()) * size_t(decoder.Height()));
  decoder.DecodeInto(pixels.data());
  AdoptPixels(decoder.Width(), decoder.Height(), decoder.Format(), std::move(pixels));
}

void TBitmap::LoadFromMemory(const uint8_t* data, size_t size) {
  bmp::TMemorySource source(std::span<const uint8_t>(data, data == nullptr ? 0 : size));
  try {
    bmp::TBmpDecoder decoder(source);
    LoadDecoded(decoder);
  } catch (const EInvalidGraphic& e) {
    throw EInvalidGraphic(std::string("Cannot load the bitmap from memory: ") + e.what());
  }
}

void TBitmap::LoadFromFile(const std::string& path) {
  bmp::TFileSource source(path);  // names the path itself
  try {
    bmp::TBmpDecoder decoder(source);
    LoadDecoded(decoder);
  } catch (const EInvalidGraphic& e) {
    throw EInvalidGraphic(bmp::CannotLoad(path, e.what()));
  }
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
