// Internal building blocks of the canvas figures: the clipped target, inks and
// span painting. Not part of the public interface.
#pragma once

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <span>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "platform/graphics/Canvas.h"

namespace korvo::raster {

// What painting a pixel does: replace it with Value (copy), or exclusive-or
// Value into it (xor and not; not is xor with white).
struct Ink {
  TPixel Value = 0;
  bool Xor = false;
};

inline Ink MakeInk(TColor color, TPenMode mode) {
  switch (mode) {
    case TPenMode::pmCopy:
      return Ink{ColorToPixel(color), false};
    case TPenMode::pmXor:
      return Ink{ColorToPixel(color) & 0x00FFFFFFu, true};
    case TPenMode::pmNot:
      return Ink{0x00FFFFFFu, true};
  }
  return Ink{};
}

// A point read as two 32-bit loads. Callers fill point arrays field by field
// just before the call (two 32-bit stores per point), and one 64-bit load of
// a point stored that way cannot take its value from those stores: it waits
// for both to retire, a stall per point of a small figure. The empty asm
// keeps the compiler from merging the two loads.
[[gnu::always_inline]] inline TPoint LoadPoint(const TPoint& p) {
  int32_t x = p.X, y = p.Y;
#if defined(__GNUC__)
  asm("" : "+r"(x), "+r"(y));
#endif
  return TPoint{x, y};
}

// A fill of n >= 16 pixels, p[0..n-1] = value, in one instruction set.
struct LongRunFill {
  using Fn = void (*)(TPixel* p, size_t n, TPixel value);
  const char* Name;
  Fn Fill;
};
// The fills the processor can run, the base instruction set's first and the
// one the canvas uses (the widest stores) last; every one gives the same
// pixels. For the tests that hold them to a plain loop.
std::span<const LongRunFill> LongRunFills();

// The surface clipped once: every pixel a figure writes lies in
// Left..Right-1 by Top..Bottom-1, which is inside the surface.
struct Target {
  TPixel* Bits = nullptr;
  ptrdiff_t Stride = 0;
  int32_t Left = 0, Top = 0, Right = 0, Bottom = 0;

  bool Empty() const { return Bits == nullptr || Right <= Left || Bottom <= Top; }
  TPixel* Row(int32_t y) const { return Bits + y * Stride; }
  bool Contains(int64_t x, int64_t y) const { return x >= Left && x < Right && y >= Top && y < Bottom; }

  // Paints x0..x1-1 of row y; clips both (any 64-bit values).
  void Span(int64_t y, int64_t x0, int64_t x1, Ink ink) const {
    if (y < Top || y >= Bottom) return;
    x0 = std::max<int64_t>(x0, Left);
    x1 = std::min<int64_t>(x1, Right);
    if (x0 >= x1) return;
    FillRun(Row(int32_t(y)) + x0, size_t(x1 - x0), ink);
  }

  static void FillRun(TPixel* p, size_t n, Ink ink) {
    if (!ink.Xor) {
      FillPixels(p, n, ink.Value);
    } else {
      for (size_t i = 0; i < n; ++i) p[i] ^= ink.Value;
    }
  }

  // p[0..n-1] = value. Runs of marks and small figures (under 16 pixels)
  // stay inline; longer runs use the widest aligned vector stores the
  // processor has (FillRun.cpp).
  static void FillPixels(TPixel* p, size_t n, TPixel value) {
    if (n < 16) {
      FillShortRun(p, n, value);
    } else {
      FillLongRun(p, n, value);
    }
  }
  // A run of n < 16 pixels in at most four stores, which may overlap (the
  // value is the same): 1..3 pixels one by one;
  // 4..8 as the first and last four; 9..15 as the first and last eight.
  [[gnu::always_inline]] static void FillShortRun(TPixel* p, size_t n, TPixel value) {
#if defined(__SSE2__)
    if (n >= 4) {
      const __m128i v = _mm_set1_epi32(int(value));
      _mm_storeu_si128(reinterpret_cast<__m128i*>(p), v);
      _mm_storeu_si128(reinterpret_cast<__m128i*>(p + n - 4), v);
      if (n > 8) {
        _mm_storeu_si128(reinterpret_cast<__m128i*>(p + 4), v);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(p + n - 8), v);
      }
      return;
    }
    if (n == 0) return;
    p[0] = value;
    if (n > 1) p[1] = value;
    if (n > 2) p[2] = value;
#else
    for (size_t i = 0; i < n; ++i) p[i] = value;
#endif
  }
  // n >= 16: one indirect call to the fill chosen on the first long run.
  static void FillLongRun(TPixel* p, size_t n, TPixel value) {
    long_run_fill.load(std::memory_order_relaxed)(p, n, value);
  }
  static std::atomic<LongRunFill::Fn> long_run_fill;
};

// Everything the figures need from a canvas, read once per call.
class CanvasAccess {
 public:
  explicit CanvasAccess(TCanvas& c) : canvas(c) {
    const TRect clip = c.ClipRect();
    const TPixelSurface& s = c.Surface();
    target_ = Target{s.Bits, s.Stride, clip.Left, clip.Top, clip.Right, clip.Bottom};
  }
  const Target& target() const { return target_; }
  TCanvas& canvas;

  bool PenVisible() const { return canvas.Pen()->Style() != TPenStyle::psClear; }
  bool BrushVisible() const { return canvas.Brush()->Style() == TBrushStyle::bsSolid; }
  int PenWidth() const { return canvas.Pen()->Width(); }
  bool WidePen() const { return canvas.Pen()->Width() > 1; }
  Ink PenInk() const { return MakeInk(canvas.Pen()->Color(), canvas.Pen()->Mode()); }
  Ink BrushInk() const { return MakeInk(canvas.Brush()->Color(), canvas.Pen()->Mode()); }
  std::vector<int64_t>& Scratch() { return canvas.scratch_; }
  std::vector<uint8_t>& Mask() { return canvas.mask_; }

 private:
  Target target_;
};

// The dash pattern of a 1-pixel pen (DashPatterns.h) as one bit a pixel of
// its period. A solid pen has no pattern.
struct DashPattern {
  uint32_t OnMask = 0;  // bit i set: pixel i of the period is on
  uint32_t Period = 0;  // 0: solid
};
DashPattern DashedPatternFor(TPenStyle style);
inline DashPattern PatternFor(TPenStyle style) {
  return style == TPenStyle::psSolid ? DashPattern{} : DashedPatternFor(style);
}

// A stroke of 1-pixel line segments sharing one dash phase.
struct CosmeticStroke {
  Ink Pen;
  Ink Gap;             // used when GapVisible
  bool GapVisible = false;
  DashPattern Dash;
  uint64_t Phase = 0;  // pixels already walked by this stroke
};

// Paints the segment (x0, y0) -> (x1, y1) without its end point and advances
// the stroke's phase by the number of pixels of the segment.
void CosmeticLine(const Target& t, CosmeticStroke& s, int32_t x0, int32_t y0, int32_t x1, int32_t y1);

// A solid 1-pixel segment in copy mode (ink the pixel value) that reaches
// off the target, as CosmeticLine paints it; LineTo walks the others itself
// (LineWalk.h).
void SolidCopyLineClipped(const Target& t, TPixel ink, int32_t x0, int32_t y0, int32_t x1, int32_t y1);

// The segments of a polyline as one stroke (the phase runs on); closed adds
// the segment from the last point back to the first (a single point then
// makes one empty segment: nothing).
void CosmeticPolyline(const Target& t, CosmeticStroke& s, std::span<const TPoint> points, bool closed = false);

// Wide strokes (pen width > 1) of a path of two or more points; Closed joins
// the last point back to the first. Copy inks paint body by body and disc by
// disc; xor inks collect the stroke in a mask first so every pixel flips
// once.
void WideStroke(CanvasAccess& a, std::span<const TPoint> points, bool closed, int width, Ink ink);

// The pixels of a wide stroke as a mask over its bounding box within the
// target (in the canvas's scratch mask), for figures that must change each
// pixel once: a filled figure under an exclusive-or wide outline fills only
// the pixels outside the stroke.
struct StrokeMask {
  const uint8_t* Bits = nullptr;
  int64_t Left = 0, Top = 0, Right = 0, Bottom = 0;  // empty when Left >= Right
  bool Covers(int64_t x, int64_t y) const {
    return x >= Left && x < Right && y >= Top && y < Bottom && Bits[(y - Top) * (Right - Left) + (x - Left)];
  }
};
StrokeMask WideStrokeMask(CanvasAccess& a, std::span<const TPoint> points, bool closed, int width);
// Exclusive-ors ink into every pixel of the mask.
void PaintMask(const Target& t, const StrokeMask& m, Ink ink);
// Paints x0..x1-1 of row y except the pixels the mask covers.
void SpanOutside(const Target& t, const StrokeMask& m, int64_t y, int64_t x0, int64_t x1, Ink ink);

// The 1-pixel or wide outline of a closed path, as the pen says (dashes, gaps
// in the brush colour, width); shared by Polygon and Rectangle.
void StrokeClosedPath(CanvasAccess& a, std::span<const TPoint> points);

}  // namespace korvo::raster
