#include "platform/graphics/Font.h"

#include <cstdlib>

namespace korvo {

int MulDiv(int a, int b, int c) {
  if (c == 0) return -1;
  const long long num = (long long)a * b;
  const long long den = c;
  const long long q = num / den;
  const long long r = num % den;
  long long result = q;
  if (2 * std::llabs(r) >= std::llabs(den)) result += ((num < 0) != (den < 0)) ? -1 : 1;
  return int(result);
}

TFont::TFont() = default;

TFont::TFont(const TFont& other)
    : TPersistent(),
      name_(other.name_),
      height_(other.height_),
      style_(other.style_),
      color_(other.color_),
      pixels_per_inch_(other.pixels_per_inch_) {}

TFont& TFont::operator=(const TFont& other) {
  if (this != &other) Assign(other);
  return *this;
}

void TFont::Assign(const TPersistent& source) {
  if (auto* f = dynamic_cast<const TFont*>(&source)) {
    name_ = f->name_;
    style_ = f->style_;
    color_ = f->color_;
    if (f->pixels_per_inch_ == pixels_per_inch_) {
      height_ = f->height_;
    } else {
      height_ = -MulDiv(f->Size(), pixels_per_inch_, 72);
    }
    Changed();
    return;
  }
  TPersistent::Assign(source);
}

void TFont::SetName(const std::string& name) {
  name_ = name;
  Changed();
}

int TFont::Size() const { return -MulDiv(height_, 72, pixels_per_inch_); }

void TFont::SetSize(int points) { SetHeight(-MulDiv(points, pixels_per_inch_, 72)); }

void TFont::SetHeight(int height) {
  height_ = height;
  Changed();
}

void TFont::SetStyle(TFontStyles style) {
  style_ = style;
  Changed();
}

void TFont::SetColor(TColor color) {
  color_ = color;  // the colour does not change the face
  if (OnChange) OnChange();
}

void TFont::SetPixelsPerInch(int ppi) {
  pixels_per_inch_ = ppi > 0 ? ppi : 96;
  Changed();
}

void TFont::Changed() {
  face_ = nullptr;
  if (OnChange) OnChange();
}

}  // namespace korvo
