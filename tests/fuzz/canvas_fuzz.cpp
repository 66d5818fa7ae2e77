// Canvas calls decoded from the input: every pen style, widths 0..64, each
// pen mode, both brushes, every figure, text, bitmap copies and clip
// rectangles, with coordinates up to the 32-bit limits. Contract: nothing is
// written outside the surface (a guard band around it stays untouched) or
// outside the clip rectangle (those pixels keep their colour), and an input
// finishes quickly (libFuzzer's -timeout catches one that does not).
#include <cstdint>
#include <vector>

#include "fuzz/FuzzInput.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"

namespace {

constexpr int32_t kW = 61, kH = 47, kGuard = 16;
constexpr int32_t kStride = kW + 2 * kGuard;
constexpr korvo::TPixel kGuardPixel = 0x5A3C96A5u;

void Run(korvo::fuzz::TFuzzInput& in) {
  using namespace korvo;
  std::vector<TPixel> buffer(size_t(kStride) * (kH + 2 * kGuard), kGuardPixel);
  TPixel* origin = buffer.data() + kGuard * kStride + kGuard;
  for (int32_t y = 0; y < kH; ++y) {
    for (int32_t x = 0; x < kW; ++x) origin[y * kStride + x] = 0xFF000000u | uint32_t(x * 4 + y * 1024);
  }
  TCanvas canvas;
  canvas.SetSurface(TPixelSurface{origin, kW, kH, kStride});
  TBitmap picture(5, 3);
  for (int32_t y = 0; y < 3; ++y) {
    for (int32_t x = 0; x < 5; ++x) picture.ScanLine(y)[x] = 0xFF000000u | uint32_t(x * 50 << 8 | y * 80);
  }
  std::vector<TPixel> before = buffer;  // the pixels when the clip was last set
  std::vector<TPoint> points;
  for (int op = 0; op < 64 && !in.Empty(); ++op) {
    const auto c = [&in] { return in.Coord(kW); };
    const int call = in.Byte() % 16;
    switch (call) {
      case 0:
        canvas.Pen()->SetStyle(TPenStyle(in.Below(7)));
        canvas.Pen()->SetWidth(int(in.Below(65)));
        canvas.Pen()->SetMode(TPenMode(in.Below(3)));
        canvas.Pen()->SetColor(TColor(in.U32() & 0xFFFFFF));
        break;
      case 1:
        canvas.Brush()->SetStyle(in.Bool() ? TBrushStyle::bsSolid : TBrushStyle::bsClear);
        canvas.Brush()->SetColor(TColor(in.U32() & 0xFFFFFF));
        break;
      case 2:
        canvas.MoveTo(c(), c());
        break;
      case 3:
        canvas.LineTo(c(), c());
        break;
      case 4:
      case 5: {
        points.clear();
        const uint32_t n = in.Below(12);
        for (uint32_t i = 0; i < n; ++i) points.push_back(TPoint{c(), c()});
        if (call == 4) {
          canvas.Polyline(points);
        } else {
          canvas.Polygon(points);
        }
        break;
      }
      case 6:
        canvas.Rectangle(c(), c(), c(), c());
        break;
      case 7:
        canvas.Ellipse(c(), c(), c(), c());
        break;
      case 8:
        canvas.Arc(c(), c(), c(), c(), c(), c(), c(), c());
        break;
      case 9:
        canvas.FillRect(TRect{c(), c(), c(), c()});
        break;
      case 10:
        canvas.SetPixel(c(), c(), TColor(in.U32() & 0xFFFFFF));
        break;
      case 11: {
        if (in.Bool()) {
          canvas.Font()->SetSize(int(in.Below(40)) - 4);
        } else {
          canvas.Font()->SetHeight(int(in.Below(80)) - 40);
        }
        const std::string text = in.Text(12);
        canvas.TextOut(c(), c(), text);
        if (canvas.TextWidth(text) < 0 || canvas.TextHeight(text) < 0) korvo::fuzz::Broken("a negative text extent");
        break;
      }
      case 12:
        canvas.StretchDraw(TRect{c(), c(), c(), c()}, picture);
        break;
      case 13:
        canvas.Draw(c(), c(), picture);
        break;
      case 14:
      case 15: {
        // A new clip: check what the last one kept, then start afresh.
        const TRect clip = canvas.ClipRect();
        for (int32_t y = 0; y < kH; ++y) {
          for (int32_t x = 0; x < kW; ++x) {
            const size_t i = size_t(y + kGuard) * kStride + size_t(x + kGuard);
            if (!clip.Contains(x, y) && buffer[i] != before[i]) korvo::fuzz::Broken("a pixel outside the clip changed");
          }
        }
        if (in.Byte() % 4 == 0) {
          canvas.ResetClipRect();
        } else {
          canvas.SetClipRect(TRect{c(), c(), c(), c()});
        }
        before = buffer;
        break;
      }
    }
  }
  const TRect clip = canvas.ClipRect();
  for (int32_t y = -kGuard; y < kH + kGuard; ++y) {
    for (int32_t x = -kGuard; x < kW + kGuard; ++x) {
      const size_t i = size_t(y + kGuard) * kStride + size_t(x + kGuard);
      const bool inside = x >= 0 && y >= 0 && x < kW && y < kH;
      if (!inside && buffer[i] != kGuardPixel) korvo::fuzz::Broken("a pixel outside the surface changed");
      if (inside && !clip.Contains(x, y) && buffer[i] != before[i]) korvo::fuzz::Broken("a pixel outside the clip changed");
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  korvo::fuzz::TFuzzInput in(data, size);
  Run(in);
  return 0;
}
