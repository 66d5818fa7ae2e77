// libFuzzer target for the BMP reader: any input either decodes into a
// consistent picture or raises EInvalidGraphic; nothing else may happen.
//   cmake -DCMAKE_CXX_COMPILER=clang++ ... && ninja bmp_fuzz
//   ./tests/fuzz/bmp_fuzz -max_len=4096 corpus/
#include <cstdint>
#include <cstdlib>

#include "platform/Exceptions.h"
#include "platform/graphics/bmp/BmpCodec_p.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  try {
    const korvo::bmp::TDecodedImage image = korvo::bmp::DecodeBmp({data, size});
    if (image.Width <= 0 || image.Height <= 0 ||
        image.Pixels.size() != size_t(image.Width) * size_t(image.Height)) {
      std::abort();
    }
    for (const korvo::TPixel p : image.Pixels) {
      if ((p >> 24) != 0xFF) std::abort();
    }
  } catch (const korvo::EInvalidGraphic&) {
  }
  return 0;
}
