// The font the canvas writes text with.
#pragma once

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>

#include "platform/Export.h"
#include "platform/Persistent.h"
#include "platform/graphics/Color.h"

namespace korvo {

namespace text {
class FontFace;
}

enum class TFontStyle : uint8_t { fsBold, fsItalic, fsUnderline, fsStrikeOut };

class PLOTWELL_API TFontStyles {
 public:
  constexpr TFontStyles() = default;
  constexpr TFontStyles(std::initializer_list<TFontStyle> styles) {
    for (TFontStyle s : styles) bits_ |= Bit(s);
  }
  constexpr bool Contains(TFontStyle s) const { return (bits_ & Bit(s)) != 0; }
  constexpr TFontStyles& Include(TFontStyle s) { bits_ |= Bit(s); return *this; }
  constexpr TFontStyles& Exclude(TFontStyle s) { bits_ &= uint8_t(~Bit(s)); return *this; }
  constexpr bool Empty() const { return bits_ == 0; }
  constexpr uint8_t Bits() const { return bits_; }
  friend constexpr bool operator==(TFontStyles, TFontStyles) = default;

 private:
  static constexpr uint8_t Bit(TFontStyle s) { return uint8_t(1u << unsigned(s)); }
  uint8_t bits_ = 0;
};

// The font's size is kept as Height, as the form description stores it: a
// negative Height is the character height in pixels (the em size, without
// internal leading); a positive Height is the cell height in pixels. Size is
// in points at PixelsPerInch: Size = -Height * 72 / PixelsPerInch, rounded,
// and SetSize stores Height = -Size * PixelsPerInch / 72, rounded.
//
// Fonts are looked up by Name with fontconfig when text is drawn or measured;
// an unknown name falls back to the sans family. Every setter fires OnChange.
class PLOTWELL_API TFont : public TPersistent {
 public:
  TFont();
  TFont(const TFont& other);
  TFont& operator=(const TFont& other);
  const char* ClassName() const override { return "TFont"; }

  // Copies name, height, style and colour. When the two fonts have different
  // PixelsPerInch, the point size is kept rather than the pixel height.
  void Assign(const TPersistent& source) override;

  const std::string& Name() const { return name_; }
  void SetName(const std::string& name);
  int Size() const;
  void SetSize(int points);
  int Height() const { return height_; }
  void SetHeight(int height);
  TFontStyles Style() const { return style_; }
  void SetStyle(TFontStyles style);
  TColor Color() const { return color_; }
  void SetColor(TColor color);
  int PixelsPerInch() const { return pixels_per_inch_; }
  void SetPixelsPerInch(int ppi);

  std::function<void()> OnChange;

  // The resolved face, cached by the text engine; reset by every change.
  const text::FontFace* CachedFace() const { return face_; }
  void SetCachedFace(const text::FontFace* face) const { face_ = face; }

 private:
  void Changed();

  std::string name_ = "MS Sans Serif";
  int height_ = -11;  // 8 points at 96 pixels per inch
  TFontStyles style_;
  TColor color_ = clWindowText;
  int pixels_per_inch_ = 96;
  mutable const text::FontFace* face_ = nullptr;
};

// Rounds a * b / c to the nearest integer, halves away from zero (the
// classic MulDiv); c == 0 gives -1.
PLOTWELL_API int MulDiv(int a, int b, int c);

}  // namespace korvo
