#include "chart/render/PictureTiling.h"

#include <algorithm>

#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"
#include "platform/graphics/FigureDevice.h"

namespace korvo {

bool TilePicture(TCanvas& canvas, const TBitmap& picture, int32_t x0, int32_t y0, int32_t width, int32_t height) {
  const int64_t pw = picture.Width(), ph = picture.Height();
  if (pw <= 0 || ph <= 0 || width <= 0 || height <= 0) return false;
  const int64_t columns = (int64_t(width) - 1) / pw + 1;
  const int64_t rows = (int64_t(height) - 1) / ph + 1;

  if (TFigureDevice* device = canvas.FigureDevice()) {
    const TRect area{x0, y0, int32_t(std::min<int64_t>(int64_t(x0) + columns * pw, INT32_MAX)),
                     int32_t(std::min<int64_t>(int64_t(y0) + rows * ph, INT32_MAX))};
    if (!canvas.ClipRect().IsEmpty()) device->Tiles(canvas, area, TPoint{x0, y0}, picture);
    return true;
  }
  const TRect clip = canvas.ClipRect();
  const int64_t left = std::max<int64_t>(x0, clip.Left);
  const int64_t right = std::min<int64_t>(int64_t(x0) + columns * pw, clip.Right);
  const int64_t top = std::max<int64_t>(y0, clip.Top);
  const int64_t bottom = std::min<int64_t>(int64_t(y0) + rows * ph, clip.Bottom);
  if (left >= right || top >= bottom) return true;

  const TPixelSurface& surface = canvas.Surface();
  const int64_t n = right - left;
  const int64_t phase = (left - x0) % pw;  // left >= x0, so 0 <= phase < pw
  for (int64_t y = top; y < bottom; ++y) {
    const TPixel* src = picture.ScanLine(int32_t((y - y0) % ph));
    TPixel* dst = surface.Bits + y * surface.Stride + left;
    // One period of the picture's row, starting at the phase of `left`...
    int64_t done = std::min(pw - phase, n);
    std::copy_n(src + phase, done, dst);
    const int64_t rest = std::min(phase, n - done);
    std::copy_n(src, rest, dst + done);
    done += rest;
    // ...then doubled: `done` is a whole number of periods from here on.
    while (done < n) {
      const int64_t m = std::min(done, n - done);
      std::copy_n(dst, m, dst + done);
      done += m;
    }
  }
  return true;
}

}  // namespace korvo
