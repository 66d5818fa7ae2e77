#include "platform/graphics/Bitmap.h"

#include <algorithm>

#include "platform/Exceptions.h"

namespace korvo {

TBitmap::TBitmap() { Attach(); }

TBitmap::TBitmap(int32_t width, int32_t height) {
  Attach();
  SetSize(width, height);
}

TBitmap::~TBitmap() = default;

void TBitmap::Assign(const TPersistent& source) {
  if (auto* b = dynamic_cast<const TBitmap*>(&source)) {
    if (b == this) return;
    pixels_ = b->pixels_;
    width_ = b->width_;
    height_ = b->height_;
    format_ = b->format_;
    Attach();
    return;
  }
  TPersistent::Assign(source);
}

void TBitmap::SetWidth(int32_t width) { SetSize(width, height_); }
void TBitmap::SetHeight(int32_t height) { SetSize(width_, height); }

void TBitmap::SetSize(int32_t width, int32_t height) {
  width = std::max(width, 0);
  height = std::max(height, 0);
  if (width == width_ && height == height_) return;
  if (int64_t(width) * height > MaxPixels) {
    throw EInvalidGraphic("Bitmap size " + std::to_string(width) + " x " + std::to_string(height) +
                          " is too large");
  }
  std::vector<TPixel> next(size_t(width) * size_t(height), RGBToPixel(clWhite));
  const int32_t keep_w = std::min(width, width_);
  const int32_t keep_h = std::min(height, height_);
  for (int32_t y = 0; y < keep_h; ++y) {
    std::copy_n(pixels_.data() + size_t(y) * size_t(width_), keep_w, next.data() + size_t(y) * size_t(width));
  }
  pixels_.swap(next);
  width_ = width;
  height_ = height;
  Attach();
}

void TBitmap::Attach() {
  canvas_.SetSurface(TPixelSurface{pixels_.empty() ? nullptr : pixels_.data(), width_, height_, width_});
}

}  // namespace korvo
