// Comparing where two pictures put their ink, for pictures drawn by other
// means (a vector file rasterised back, a picture at another resolution)
// that should agree with the canvas's to within a pixel.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <vector>

#include "platform/graphics/Bitmap.h"

namespace korvo::inktest {

// Ink: a pixel that stands out from a neighbour (an edge of a line, a
// glyph, a figure), so that fills and backgrounds do not count and
// anti-aliased edges still do.
inline std::vector<bool> InkOf(const TBitmap& b) {
  const int w = b.Width(), h = b.Height();
  std::vector<bool> ink(size_t(w) * h);
  const auto differs = [](TPixel p, TPixel q) {
    for (int shift = 0; shift < 24; shift += 8) {
      if (std::abs(int((p >> shift) & 0xFF) - int((q >> shift) & 0xFF)) > 96) return true;
    }
    return false;
  };
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      const TPixel p = b.ScanLine(y)[x];
      ink[size_t(y) * w + x] = (x + 1 < w && differs(p, b.ScanLine(y)[x + 1])) ||
                               (y + 1 < h && differs(p, b.ScanLine(y + 1)[x]));
    }
  }
  return ink;
}

// The share of `a`'s ink pixels that have ink of `b` within one pixel.
inline double InkFoundWithinOnePixel(const std::vector<bool>& a, const std::vector<bool>& b, int w, int h) {
  int64_t total = 0, found = 0;
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      if (!a[size_t(y) * w + x]) continue;
      ++total;
      bool near = false;
      for (int dy = -1; dy <= 1 && !near; ++dy) {
        for (int dx = -1; dx <= 1 && !near; ++dx) {
          const int u = x + dx, v = y + dy;
          near = u >= 0 && v >= 0 && u < w && v < h && b[size_t(v) * w + u];
        }
      }
      found += near;
    }
  }
  return total == 0 ? 1.0 : double(found) / double(total);
}

// A picture at `ratio` device pixels a pixel brought back to w x h: each
// pixel the mean of the device pixels whose centres lie in it.
inline std::unique_ptr<TBitmap> Downsampled(const TBitmap& device, double ratio, int w, int h) {
  auto out = std::make_unique<TBitmap>(w, h);
  out->SetPixelFormat(TPixelFormat::pf32bit);
  for (int y = 0; y < h; ++y) {
    const int y0 = int(std::ceil(y * ratio - 0.5)), y1 = std::min(int(std::ceil((y + 1) * ratio - 0.5)), device.Height());
    for (int x = 0; x < w; ++x) {
      const int x0 = int(std::ceil(x * ratio - 0.5)), x1 = std::min(int(std::ceil((x + 1) * ratio - 0.5)), device.Width());
      uint32_t sum[3] = {0, 0, 0}, n = 0;
      for (int v = y0; v < y1; ++v) {
        for (int u = x0; u < x1; ++u) {
          const TPixel p = device.ScanLine(v)[u];
          for (int c = 0; c < 3; ++c) sum[c] += (p >> (8 * c)) & 0xFF;
          ++n;
        }
      }
      TPixel p = 0xFF000000u;
      for (int c = 0; c < 3; ++c) p |= (n == 0 ? 0 : (sum[c] + n / 2) / n) << (8 * c);
      out->ScanLine(y)[x] = p;
    }
  }
  return out;
}

}  // namespace korvo::inktest
