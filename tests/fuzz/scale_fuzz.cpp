// The scale: any range, label type, date kind, font and the rest of its
// published settings, chosen from the input, drawn in each of the four
// orientations as a control of its own (opaque and transparent) and onto an
// outside canvas as a chart draws its axes. Contract: a setting may refuse
// only with the library's Exception; drawing ends without undefined
// behaviour (the sanitizers check) and without hanging (libFuzzer's
// -timeout); the tick list never holds more than its 250 entries.
#include <cstdint>

#include "fuzz/FuzzInput.h"
#include "platform/graphics/Bitmap.h"
#include "scale/Scale.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace korvo;
  fuzz::TFuzzInput in(data, size);
  TScale scale(nullptr);
  scale.SetBounds(0, 0, 180, 120);
  scale.HandleNeeded();
  const int settings = 1 + in.Byte() % 24;
  for (int s = 0; s < settings; ++s) fuzz::PokeProperty(in, scale, TScale::ClassInfo());
  if (int64_t(scale.Width()) * scale.Height() > (1 << 22)) return 0;  // keep each input quick
  TBitmap outside(200, 140);
  try {
    for (const TScaleType type : {TScaleType::sctXB, TScaleType::sctXT, TScaleType::sctYL, TScaleType::sctYR}) {
      scale.SetScaleType(type);
      scale.Repaint();
      if (scale.NumTicks() > 250) fuzz::Broken("more ticks than the tick list holds");
      if (type == TScaleType::sctXB || type == TScaleType::sctXT) {
        scale.DrawHorizScale(outside.Canvas(), in.Coord(140));
      } else {
        scale.DrawVertScale(outside.Canvas(), in.Coord(200));
      }
    }
  } catch (const Exception&) {
  } catch (...) {
    fuzz::Broken("drawing raised something other than the library's Exception");
  }
  return 0;
}
