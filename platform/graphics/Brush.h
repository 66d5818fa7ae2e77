// The brush the canvas fills with.
#pragma once

#include <cstdint>

#include "platform/Export.h"
#include "platform/Persistent.h"
#include "platform/graphics/Color.h"

namespace korvo {

enum class TBrushStyle : uint8_t { bsSolid, bsClear };

class PLOTWELL_API TBrush : public TPersistent {
 public:
  const char* ClassName() const override { return "TBrush"; }
  void Assign(const TPersistent& source) override;

  TColor Color() const { return color_; }
  void SetColor(TColor c) {
    color_ = c;
    stamp_ink_ = PlainPixel(c);
  }
  TBrushStyle Style() const { return style_; }
  void SetStyle(TBrushStyle s) { style_ = s; }
  // The pixel of the colour when it is plain (a stamp's brush ink), else 0,
  // which no pixel is.
  TPixel StampInk() const { return stamp_ink_; }

 private:
  TColor color_ = clWhite;
  TBrushStyle style_ = TBrushStyle::bsSolid;
  TPixel stamp_ink_ = RGBToPixel(clWhite);
};

}  // namespace korvo
