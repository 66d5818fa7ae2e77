// The chart the render step tests draw with: 260 x 148 pixels with margins
// 50, 10, 16, 32 (left, right, top, bottom) and no shadow, so the plot area runs from
// column 50 to 250 and from row 16 to 116 (200 x 100 pixels), and layer 1
// spans x 0..200 and y 0..100: world (x, y) is control pixel
// (50 + x, 116 - y). The steps are called directly on bitmaps of the test.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "chart/plotwell.h"
#include "support/TestSupport.h"

namespace korvo::test {

class RenderChart : public TPlotwell {
 public:
  RenderChart() : TPlotwell(nullptr) {
    SetMarginLeft(50);
    SetMarginRight(10);
    SetMarginTop(16);
    SetMarginBottom(32);
    SetBounds(0, 0, 260, 148);
    Ranges(1, 0, 200, 0, 100);
  }
  void Ranges(int layer, double xlo, double xhi, double ylo, double yhi) {
    ApplyLayerRange(layer, false, xlo, ylo, xhi, yhi, false);
  }
  using TCustomPlotwell::MouseTraceBuffer;
};

// The smallest rectangle holding every pixel that is not `paper` (Right and
// Bottom exclusive); empty when there is none.
inline TRect InkBounds(const TBitmap& bmp, TColor paper) {
  const TPixel p = RGBToPixel(paper);
  TRect r{INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN};
  for (int32_t y = 0; y < bmp.Height(); ++y) {
    for (int32_t x = 0; x < bmp.Width(); ++x) {
      if (bmp.ScanLine(y)[x] == p) continue;
      r.Left = std::min(r.Left, x);
      r.Top = std::min(r.Top, y);
      r.Right = std::max(r.Right, x + 1);
      r.Bottom = std::max(r.Bottom, y + 1);
    }
  }
  return r.Right == INT32_MIN ? TRect{} : r;
}

inline TColor At(const TBitmap& bmp, int32_t x, int32_t y) { return bmp.Canvas()->Pixel(x, y); }

}  // namespace korvo::test
