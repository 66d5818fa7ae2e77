#include "support/TestSupport.h"

namespace korvo::test {

void Fill(TBitmap& bmp, TColor paper) {
  const TPixel p = RGBToPixel(paper);
  for (int32_t y = 0; y < bmp.Height(); ++y) {
    TPixel* row = bmp.ScanLine(y);
    for (int32_t x = 0; x < bmp.Width(); ++x) row[x] = p;
  }
}

std::string Picture(const TBitmap& bmp, const TRect& region,
                    std::initializer_list<std::pair<TColor, char>> legend) {
  std::string out;
  for (int32_t y = region.Top; y < region.Bottom; ++y) {
    for (int32_t x = region.Left; x < region.Right; ++x) {
      char c = '?';
      if (x >= 0 && y >= 0 && x < bmp.Width() && y < bmp.Height()) {
        const TColor color = PixelToColor(bmp.ScanLine(y)[x]);
        for (const auto& [col, ch] : legend) {
          if (col == color) {
            c = ch;
            break;
          }
        }
      }
      out += c;
    }
    out += '\n';
  }
  return out;
}

std::string Picture(const TBitmap& bmp, const TRect& region, TColor ink, TColor paper) {
  return Picture(bmp, region, {{ink, '#'}, {paper, '.'}});
}

int CountPixels(const TBitmap& bmp, TColor color) {
  const TPixel p = RGBToPixel(color);
  int n = 0;
  for (int32_t y = 0; y < bmp.Height(); ++y) {
    const TPixel* row = bmp.ScanLine(y);
    for (int32_t x = 0; x < bmp.Width(); ++x) n += row[x] == p;
  }
  return n;
}

long CountDifferentPixels(const TBitmap& a, const TBitmap& b) {
  if (a.Width() != b.Width() || a.Height() != b.Height()) return -1;
  long n = 0;
  for (int32_t y = 0; y < a.Height(); ++y) {
    const TPixel* ra = a.ScanLine(y);
    const TPixel* rb = b.ScanLine(y);
    for (int32_t x = 0; x < a.Width(); ++x) n += ra[x] != rb[x];
  }
  return n;
}

}  // namespace korvo::test
