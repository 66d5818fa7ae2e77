#include "base/Frames.h"

#include <algorithm>
#include <climits>

#include "platform/graphics/Canvas.h"

namespace korvo {
namespace {

// The bevel reaches two pixels beyond and inside its bounds (R + 1, L - 1,
// T + 2, B - 1). Bounds kept this far inside the 32-bit range stay
// computable; a bound that far out is off every surface either way.
constexpr int32_t FrameReach = 4;

int32_t ClampBound(int32_t v) { return std::clamp(v, INT32_MIN + FrameReach, INT32_MAX - FrameReach); }

}  // namespace

void DrawFrameRect(TCanvas* canvas, int32_t left, int32_t top, int32_t right, int32_t bottom) {
  if (canvas == nullptr) return;
  canvas->MoveTo(left, top);
  canvas->LineTo(left, bottom);
  canvas->LineTo(right, bottom);
  canvas->LineTo(right, top);
  canvas->LineTo(left, top);
}

void DrawFrameEdges(TCanvas* canvas, int32_t left, int32_t top, int32_t right, int32_t bottom,
                    TColor outerTopLeft, TColor outerBottomRight, TColor innerTopLeft, TColor innerBottomRight) {
  if (canvas == nullptr) return;
  const int32_t l = ClampBound(left);
  const int32_t t = ClampBound(top);
  const int32_t r = ClampBound(right);
  const int32_t b = ClampBound(bottom);
  TPen* pen = canvas->Pen();
  // Each LineTo leaves out its end point, so every segment stops just short of
  // the corner the next colour takes over.
  pen->SetColor(outerTopLeft);
  canvas->MoveTo(l, b);
  canvas->LineTo(l, t);
  canvas->LineTo(r + 1, t);
  canvas->MoveTo(r, t + 1);
  pen->SetColor(outerBottomRight);
  canvas->LineTo(r, b);
  canvas->LineTo(l - 1, b);

  pen->SetColor(innerTopLeft);
  canvas->MoveTo(l + 1, b - 1);
  canvas->LineTo(l + 1, t + 1);
  canvas->LineTo(r, t + 1);
  canvas->MoveTo(r - 1, t + 2);
  pen->SetColor(innerBottomRight);
  canvas->LineTo(r - 1, b - 1);
  canvas->LineTo(l, b - 1);
}

void DrawFrame(TCanvas* canvas, uint8_t style, int32_t left, int32_t top, int32_t right, int32_t bottom,
               TColor highlight, TColor light, TColor shadow, TColor darkShadow, TColor simpleColor) {
  if (canvas == nullptr) return;
  // Only the low seven bits count; values above fsEngraved match no case.
  switch (TFrameStyle(style & 0x7Fu)) {
    case TFrameStyle::fsSimple:
      canvas->Pen()->SetColor(simpleColor);
      DrawFrameRect(canvas, left, top, right, bottom);
      break;
    case TFrameStyle::fsLowered:
      DrawFrameEdges(canvas, left, top, right, bottom, shadow, highlight, darkShadow, light);
      break;
    case TFrameStyle::fsRaised:
      DrawFrameEdges(canvas, left, top, right, bottom, highlight, darkShadow, light, shadow);
      break;
    case TFrameStyle::fsEmbossed:
      DrawFrameEdges(canvas, left, top, right, bottom, highlight, shadow, shadow, highlight);
      break;
    case TFrameStyle::fsEngraved:
      DrawFrameEdges(canvas, left, top, right, bottom, shadow, highlight, highlight, shadow);
      break;
    case TFrameStyle::fsNone:
      break;
  }
}

void DrawFrame(TCanvas* canvas, TFrameStyle style, int32_t left, int32_t top, int32_t right, int32_t bottom,
               TColor highlight, TColor light, TColor shadow, TColor darkShadow, TColor simpleColor) {
  DrawFrame(canvas, uint8_t(style), left, top, right, bottom, highlight, light, shadow, darkShadow, simpleColor);
}

}  // namespace korvo
