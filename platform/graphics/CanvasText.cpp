// Text on the canvas: measuring, the opaque cell, glyph blits, and the
// underline and strike-out lines. Everything is clipped in 64-bit device
// space before touching pixels, so any 32-bit position is safe.
#include <algorithm>
#include <mutex>

#include "platform/graphics/Canvas.h"
#include "platform/graphics/raster/Raster.h"
#include "platform/graphics/text/BlendGlyph.h"
#include "platform/graphics/text/FontRegistry.h"
#include "platform/graphics/text/Utf8.h"

namespace korvo {
namespace {

int32_t ClampToInt32(int64_t v) { return int32_t(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX)); }

// The sum of the advances; the caller holds the face's mutex.
int64_t AdvanceOf(const text::FontFace& face, std::string_view s) {
  int64_t width = 0;
  for (const char *p = s.data(), *end = p + s.size(); p != end;) width += face.Measured(text::DecodeUtf8(p, end)).Advance;
  return width;
}

// Fills left..right-1 by top..bottom-1 (in 64 bits) inside the clip.
void FillClipped(const TPixelSurface& s, const TRect& clip, int64_t left, int64_t top, int64_t right, int64_t bottom,
                 TPixel pixel) {
  const int64_t l = std::max<int64_t>(left, clip.Left);
  const int64_t r = std::min<int64_t>(right, clip.Right);
  const int64_t t = std::max<int64_t>(top, clip.Top);
  const int64_t b = std::min<int64_t>(bottom, clip.Bottom);
  if (l >= r || t >= b) return;
  for (int64_t y = t; y < b; ++y) raster::Target::FillPixels(s.Bits + y * s.Stride + l, size_t(r - l), pixel);
}

// Blends the glyph's coverage in the ink colour with its top-left pixel at
// (gx, gy); the clip is computed once, the rows then run unchecked.
void BlitGlyph(const TPixelSurface& s, const TRect& clip, int64_t gx, int64_t gy, const text::Glyph& g,
               const uint8_t* coverage, TPixel ink) {
  const int64_t l = std::max<int64_t>(gx, clip.Left);
  const int64_t r = std::min<int64_t>(gx + g.Width, clip.Right);
  const int64_t t = std::max<int64_t>(gy, clip.Top);
  const int64_t b = std::min<int64_t>(gy + g.Rows, clip.Bottom);
  if (l >= r || t >= b) return;
  text::BlendGlyph(s.Bits + t * s.Stride + l, s.Stride, coverage + (t - gy) * g.Width + (l - gx), g.Width,
                   int32_t(r - l), int32_t(b - t), ink);
}

// An underline or strike-out across the text, in the cell whose top-left
// corner is (x, top).
void DrawLine(const TPixelSurface& s, const TRect& clip, int64_t x, int64_t top, int64_t width, text::TextLine line,
              TPixel ink) {
  FillClipped(s, clip, x, top + line.Top, x + width, top + line.Top + line.Thickness, ink);
}

}  // namespace

// With a warm font the cost is one pointer test for the face, one uncontended
// lock, and per glyph a table lookup and a blit clipped once; nothing is
// allocated.
void TCanvas::TextOut(int32_t x, int32_t y, std::string_view text) {
  if (figures_ != nullptr) [[unlikely]] return FigureText(x, y, text);
  const text::FontFace& face = text::FaceOf(font_);
  const TRect clip = ClipRect();
  std::lock_guard lock(face.Mutex());

  int64_t width = 0;
  if (clip.IsEmpty()) {
    width = AdvanceOf(face, text);
  } else {
    const int64_t top = y;
    if (brush_.Style() == TBrushStyle::bsSolid) {
      width = AdvanceOf(face, text);
      FillClipped(surface_, clip, x, top, x + width, top + face.CellHeight(), ColorToPixel(brush_.Color()));
    }
    const TPixel ink = ColorToPixel(font_.Color());
    const int64_t baseline = top + face.Ascent();
    int64_t pen = x;
    for (const char *p = text.data(), *end = p + text.size(); p != end;) {
      const text::Glyph& g = face.Rendered(text::DecodeUtf8(p, end));
      if (g.Width > 0) BlitGlyph(surface_, clip, pen + g.Left, baseline - g.Top, g, face.Coverage(g), ink);
      pen += g.Advance;
    }
    width = pen - x;

    const TFontStyles style = font_.Style();
    if (style.Contains(TFontStyle::fsUnderline)) DrawLine(surface_, clip, x, top, width, face.Underline(), ink);
    if (style.Contains(TFontStyle::fsStrikeOut)) DrawLine(surface_, clip, x, top, width, face.StrikeOut(), ink);
  }
  pen_pos_ = TPoint{ClampToInt32(int64_t(x) + width), y};
}

int32_t TCanvas::TextWidth(std::string_view text) {
  const text::FontFace& face = text::FaceOf(font_);
  std::lock_guard lock(face.Mutex());
  return ClampToInt32(AdvanceOf(face, text));
}

int32_t TCanvas::TextHeight(std::string_view /*text*/) { return text::FaceOf(font_).CellHeight(); }

}  // namespace korvo
