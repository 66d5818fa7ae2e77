// BMP files. Contract: loading either gives a picture that draws (stretched
// onto a canvas, mirrored too) and saves and loads back with the same pixels,
// or raises EInvalidGraphic and leaves the bitmap exactly as it was.
#include <cstdint>
#include <vector>

#include "fuzz/FuzzInput.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"

namespace {

bool SamePixels(const korvo::TBitmap& a, const korvo::TBitmap& b) {
  if (a.Width() != b.Width() || a.Height() != b.Height()) return false;
  for (int32_t y = 0; y < a.Height(); ++y) {
    for (int32_t x = 0; x < a.Width(); ++x) {
      if (a.ScanLine(y)[x] != b.ScanLine(y)[x]) return false;
    }
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace korvo;
  TBitmap bitmap(3, 2);
  bitmap.ScanLine(1)[2] = 0xFF123456u;
  TBitmap before;
  before.Assign(bitmap);
  try {
    bitmap.LoadFromMemory(data, size);
  } catch (const EInvalidGraphic&) {
    if (!SamePixels(bitmap, before)) fuzz::Broken("a failed load changed the bitmap");
    return 0;
  } catch (...) {
    fuzz::Broken("the reader raised something other than EInvalidGraphic");
  }
  if (bitmap.Width() <= 0 || bitmap.Height() <= 0) fuzz::Broken("a loaded picture has no pixels");
  for (int32_t y = 0; y < bitmap.Height(); ++y) {
    for (int32_t x = 0; x < bitmap.Width(); ++x) {
      if ((bitmap.ScanLine(y)[x] >> 24) != 0xFF) fuzz::Broken("a loaded pixel is not opaque");
    }
  }
  TBitmap target(37, 23);
  target.Canvas()->StretchDraw(TRect{2, 3, 35, 20}, bitmap);
  target.Canvas()->StretchDraw(TRect{36, 22, -5, 1}, bitmap);
  target.Canvas()->Draw(-1, -1, bitmap);
  const std::vector<uint8_t> saved = bitmap.SaveToMemory();
  TBitmap back;
  back.LoadFromMemory(saved.data(), saved.size());
  if (!SamePixels(back, bitmap)) fuzz::Broken("a saved picture loads back with other pixels");
  return 0;
}
