// The pen the canvas outlines with.
#pragma once

#include <cstdint>

#include "platform/Export.h"
#include "platform/Persistent.h"
#include "platform/graphics/Color.h"

namespace korvo {

// Ordinals as the form description stores them.
enum class TPenStyle : uint8_t { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };

// What a pen or brush does to the pixels it covers: paint its colour (copy),
// exclusive-or its colour into them (xor), or invert them (not).
enum class TPenMode : uint8_t { pmCopy, pmXor, pmNot };

class PLOTWELL_API TPen : public TPersistent {
 public:
  const char* ClassName() const override { return "TPen"; }
  void Assign(const TPersistent& source) override;

  TColor Color() const { return color_; }
  void SetColor(TColor c) {
    color_ = c;
    Resolve();
  }
  TPenStyle Style() const { return style_; }
  void SetStyle(TPenStyle s) {
    style_ = s;
    Resolve();
  }
  // Width in pixels; values below 1 mean 1.
  int Width() const { return width_; }
  void SetWidth(int w) {
    width_ = w < 1 ? 1 : w;
    Resolve();
  }
  TPenMode Mode() const { return mode_; }
  void SetMode(TPenMode m) {
    mode_ = m;
    Resolve();
  }
  // The pixel of a 1-pixel solid copy pen in a plain colour (the pens whose
  // strokes a stamp can stand for); 0, which no pixel is, for any other pen.
  // Kept with the settings, so a mark checks one word.
  TPixel StampInk() const { return stamp_ink_; }

 private:
  void Resolve() {
    const bool stampable = width_ == 1 && style_ == TPenStyle::psSolid && mode_ == TPenMode::pmCopy;
    stamp_ink_ = stampable ? PlainPixel(color_) : 0;
  }

  TColor color_ = clBlack;
  TPenStyle style_ = TPenStyle::psSolid;
  int width_ = 1;
  TPenMode mode_ = TPenMode::pmCopy;
  TPixel stamp_ink_ = RGBToPixel(clBlack);
};

}  // namespace korvo
