// The text label object: a plain, boxed, underlined or shadowed text anchored
// at a pixel or world position. A chart owns fifty of them (reached through
// its TextLabel(n) accessor), draws them over its plot area and lets the mouse
// drag them.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "base/BaseEnums.h"
#include "platform/Export.h"
#include "platform/Persistent.h"
#include "platform/Types.h"
#include "platform/graphics/Color.h"
#include "platform/graphics/Font.h"

namespace korvo {

class TClassInfo;

// The label's state. A new label has: anchor (100, 10), layer 1, shadow offset
// (0, 0) in gray (128, 128, 128), centred, vaBottom, tlamNone, box silver with
// a black border, not transparent, the framework's default font, no caption,
// mode tlsimple, visible. (A chart gives its own labels other initial values.)
//
// Every setter stores the value and then fires OnChange with this object as
// Sender, without comparing it with the old value; the exceptions are stated
// at the setter. A change made directly to the label's Font object fires
// OnChange as well.
class PLOTWELL_API TCustomTextLabel : public TPersistent {
 public:
  TCustomTextLabel();
  TCustomTextLabel(const TCustomTextLabel&) = delete;
  TCustomTextLabel& operator=(const TCustomTextLabel&) = delete;
  const char* ClassName() const override { return "TCustomTextLabel"; }

  // From another TCustomTextLabel: copies every value (the font attribute by
  // attribute into this label's own font, the caption as a string) without
  // firing OnChange. The OnChange handler is not copied: a label filled from
  // another chart's label keeps notifying its own chart. Any other source
  // raises the framework's assignment error.
  void Assign(const TPersistent& source) override;

  // The anchor: PosX is a world x of Layer when AttachToData is tlamXOnly or
  // tlamBoth, else a pixel column of the control; PosY likewise a world y
  // (tlamYOnly, tlamBoth) or a pixel row.
  double PosX() const { return pos_x_; }
  void SetPosX(double x);
  double PosY() const { return pos_y_; }
  void SetPosY(double y);
  // The layer (1..16) for world coordinates. A value outside 1..16 is ignored
  // entirely: nothing is stored and OnChange does not fire.
  int32_t Layer() const { return layer_; }
  void SetLayer(int32_t layer);
  // Offset of the shadow box in pixels (mode tlShadow) and its colour.
  int32_t ShadowDx() const { return shadow_dx_; }
  void SetShadowDx(int32_t dx);
  int32_t ShadowDy() const { return shadow_dy_; }
  void SetShadowDy(int32_t dy);
  TColor ColorShadow() const { return color_shadow_; }
  void SetColorShadow(TColor color);
  // Placement of the text against the anchor.
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment alignment);
  TVerticalAlignment VerticalAlignment() const { return vertical_alignment_; }
  void SetVerticalAlignment(TVerticalAlignment alignment);
  TTxtLblAttachMode AttachToData() const { return attach_; }
  void SetAttachToData(TTxtLblAttachMode mode);
  // Box fill and border colours; Transparent leaves the box unfilled.
  TColor ColorBkg() const { return color_bkg_; }
  void SetColorBkg(TColor color);
  TColor ColorBorder() const { return color_border_; }
  void SetColorBorder(TColor color);
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool value);
  // The label's own font object, owned for the label's whole life. SetFont
  // copies the attributes of `font` into it and fires OnChange once.
  TFont* Font() { return &font_; }
  const TFont* Font() const { return &font_; }
  void SetFont(const TFont& font);
  // The text (UTF-8); a line feed separates lines. Every other character
  // below 32 (carriage return, tab, ...) is stored as a space.
  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& caption);
  TTxtLblMode Mode() const { return mode_; }
  void SetMode(TTxtLblMode mode);
  bool Visible() const { return visible_; }
  void SetVisible(bool value);

  std::function<void(TObject* Sender)> OnChange;

 protected:
  // Dest assigns from this label when this label is an instance of dest's
  // class (a TTextLabel to a TCustomTextLabel or a TTextLabel; a plain
  // TCustomTextLabel only to a TCustomTextLabel); otherwise the framework's
  // default, which reports the failure.
  void AssignTo(TPersistent& dest) const override;
  // Whether `label` is an instance of this object's class; each class that
  // derives from TCustomTextLabel answers for itself.
  virtual bool HoldsClassOf(const TCustomTextLabel& /*label*/) const { return true; }

 private:
  void Changed();

  double pos_x_ = 100.0;
  double pos_y_ = 10.0;
  int32_t layer_ = 1;
  int32_t shadow_dx_ = 0;
  int32_t shadow_dy_ = 0;
  TColor color_shadow_ = RGB(128, 128, 128);
  TAlignment alignment_ = TAlignment::taCenter;
  TVerticalAlignment vertical_alignment_ = TVerticalAlignment::vaBottom;
  TTxtLblAttachMode attach_ = TTxtLblAttachMode::tlamNone;
  TColor color_bkg_ = clSilver;
  TColor color_border_ = clBlack;
  bool transparent_ = false;
  TFont font_;
  std::string caption_;
  TTxtLblMode mode_ = TTxtLblMode::tlsimple;
  bool visible_ = true;
  bool assigning_ = false;  // Assign copies the font without notifying
};

// The published text label, as a chart owns it. Its properties are
// published in this order: PosX, PosY, Layer, AttachToData, ColorBkg,
// ColorBorder, ColorShadow, ShadowDx, ShadowDy, Transparent, Alignment,
// VerticalAlignment, Font, Mode, Caption, Visible, OnChange.
class PLOTWELL_API TTextLabel : public TCustomTextLabel {
 public:
  const char* ClassName() const override { return "TTextLabel"; }
  static const TClassInfo& ClassInfo();

 protected:
  bool HoldsClassOf(const TCustomTextLabel& label) const override {
    return dynamic_cast<const TTextLabel*>(&label) != nullptr;
  }
};

}  // namespace korvo
