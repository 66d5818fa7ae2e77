// An off-screen picture that owns its pixels and the canvas drawing into them.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/Export.h"
#include "platform/Persistent.h"
#include "platform/graphics/Canvas.h"

namespace korvo {

namespace bmp {
class TBmpDecoder;
}

// The pixel format names of the framework. Every bitmap keeps 32-bit pixels
// (0xFFRRGGBB) whatever the format says; the format only records what the
// owner asked for and how a BMP file is written (pf24bit writes 24 bits per
// pixel, everything else 32).
enum class TPixelFormat : uint8_t { pfDevice, pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit };

class PLOTWELL_API TBitmap : public TPersistent {
 public:
  TBitmap();
  TBitmap(int32_t width, int32_t height);
  ~TBitmap() override;
  TBitmap(const TBitmap&) = delete;
  TBitmap& operator=(const TBitmap&) = delete;
  const char* ClassName() const override { return "TBitmap"; }

  // Copies size, format and pixels of another bitmap.
  void Assign(const TPersistent& source) override;

  int32_t Width() const { return width_; }
  int32_t Height() const { return height_; }
  // Resizing keeps the pixels that stay inside and makes new ones white.
  // Negative sizes are taken as 0. Sizes whose pixel count exceeds
  // MaxPixels raise EInvalidGraphic and leave the bitmap unchanged.
  void SetWidth(int32_t width);
  void SetHeight(int32_t height);
  void SetSize(int32_t width, int32_t height);
  TPixelFormat PixelFormat() const { return format_; }
  void SetPixelFormat(TPixelFormat format) { format_ = format; }
  bool Empty() const { return width_ == 0 || height_ == 0; }

  TCanvas* Canvas() { return &canvas_; }
  const TCanvas* Canvas() const { return &canvas_; }

  // Row y of the pixels, Width() pixels long; row 0 is the top.
  TPixel* ScanLine(int32_t y) { return pixels_.data() + size_t(y) * size_t(width_); }
  const TPixel* ScanLine(int32_t y) const { return pixels_.data() + size_t(y) * size_t(width_); }

  // Reads a BMP file (1, 4, 8, 16, 24 and 32 bits per pixel, bottom-up or
  // top-down, uncompressed, bit fields or RLE; palette indices beyond the
  // palette read as black). The format becomes the file's bit depth. A file
  // that cannot be opened or is corrupt raises EInvalidGraphic naming the file
  // and the fault, and leaves the bitmap unchanged.
  //
  // What a load may cost: the headers are read and checked first, so a file
  // that is not a regular file (a directory, /dev/zero, a fifo) or whose
  // header claims more than the file holds is refused before any pixel
  // memory is taken. A picture has at most MaxPixels pixels (1 GiB
  // decoded), and an RLE file at most 1024 pixels per byte of its data. The
  // pixels are then decoded straight into the bitmap, reading the file 64
  // KiB at a time: the peak is the decoded picture plus about 64 KiB, and a
  // reload into a bitmap that already holds a picture of at least that size
  // reuses its memory rather than holding two. Only a file that shrinks or
  // fails to read after every check passed leaves the bitmap empty.
  void LoadFromFile(const std::string& path);
  void LoadFromMemory(const uint8_t* data, size_t size);
  // Writes a BMP file (24 bits for pf24bit, else 32) or, by SavePngToFile, a
  // PNG file (8-bit RGB). The file is written beside the path and renamed
  // onto it when complete, so a failure (no room, no permission) leaves no
  // half-written file and an earlier file of that name as it was. Failures
  // raise EInvalidGraphic naming the path. The Memory forms give the file's
  // bytes.
  void SaveToFile(const std::string& path) const;
  void SavePngToFile(const std::string& path) const;
  std::vector<uint8_t> SaveToMemory() const;
  std::vector<uint8_t> SavePngToMemory() const;
  // Saves as the name's extension asks (".png" or ".bmp", either case).
  // Another name raises EInvalidGraphic "Cannot save '<path>': unknown
  // picture type '.gif' (the name must end in .png or .bmp)" (or "the name
  // has no extension"), which CheckPictureName raises alone, before a
  // picture is made.
  void SavePictureToFile(const std::string& path) const;
  static void CheckPictureName(const std::string& path);
  // Reads a PNG file of any colour type and bit depth as 8-bit RGB; parts
  // that are transparent are composited onto white. The format becomes
  // pf24bit. Failures as LoadFromFile, and the same refusals before any
  // pixel memory is taken. The pixels are decoded once, into their own
  // memory; as a PNG can prove corrupt only while it is decoded, the old
  // picture is kept until the new one is complete.
  void LoadPngFromFile(const std::string& path);

  static constexpr int64_t MaxPixels = int64_t(1) << 28;  // 1 GiB of pixels

 private:
  void Attach();
  // Takes over `pixels` (width * height, top row first) after a successful load.
  void AdoptPixels(int32_t width, int32_t height, TPixelFormat format, std::vector<TPixel>&& pixels);
  // Empties the bitmap and gives back its pixel memory sized for `count`
  // pixels (reused when it fits, so a reload holds one picture, not two).
  std::vector<TPixel> TakePixelBuffer(size_t count);
  void LoadDecoded(bmp::TBmpDecoder& decoder);

  int32_t width_ = 0;
  int32_t height_ = 0;
  TPixelFormat format_ = TPixelFormat::pfDevice;
  std::vector<TPixel> pixels_;
  TCanvas canvas_;
};

}  // namespace korvo
