#include "platform/graphics/Color.h"

#include <strings.h>

#include <cstring>

namespace korvo {
namespace {

// The platform's system colours: a light desktop theme.
constexpr TColor kSystemColors[SystemColorCount] = {
    RGB(200, 200, 200),  // ScrollBar
    RGB(0, 78, 152),     // Background
    RGB(153, 180, 209),  // ActiveCaption
    RGB(191, 205, 219),  // InactiveCaption
    RGB(240, 240, 240),  // Menu
    RGB(255, 255, 255),  // Window
    RGB(100, 100, 100),  // WindowFrame
    RGB(0, 0, 0),        // MenuText
    RGB(0, 0, 0),        // WindowText
    RGB(0, 0, 0),        // CaptionText
    RGB(180, 180, 180),  // ActiveBorder
    RGB(244, 247, 252),  // InactiveBorder
    RGB(171, 171, 171),  // AppWorkSpace
    RGB(0, 120, 215),    // Highlight
    RGB(255, 255, 255),  // HighlightText
    RGB(240, 240, 240),  // BtnFace
    RGB(160, 160, 160),  // BtnShadow
    RGB(109, 109, 109),  // GrayText
    RGB(0, 0, 0),        // BtnText
    RGB(0, 0, 0),        // InactiveCaptionText
    RGB(255, 255, 255),  // BtnHighlight
    RGB(105, 105, 105),  // 3DDkShadow
    RGB(227, 227, 227),  // 3DLight
    RGB(0, 0, 0),        // InfoText
    RGB(255, 255, 225),  // InfoBk
};

struct NamedColor {
  TColor color;
  const char* name;
};

constexpr NamedColor kNames[] = {
    {clBlack, "clBlack"},
    {clMaroon, "clMaroon"},
    {clGreen, "clGreen"},
    {clOlive, "clOlive"},
    {clNavy, "clNavy"},
    {clPurple, "clPurple"},
    {clTeal, "clTeal"},
    {clGray, "clGray"},
    {clSilver, "clSilver"},
    {clRed, "clRed"},
    {clLime, "clLime"},
    {clYellow, "clYellow"},
    {clBlue, "clBlue"},
    {clFuchsia, "clFuchsia"},
    {clAqua, "clAqua"},
    {clWhite, "clWhite"},
    {clNone, "clNone"},
    {clDefault, "clDefault"},
    {clScrollBar, "clScrollBar"},
    {clBackground, "clBackground"},
    {clActiveCaption, "clActiveCaption"},
    {clInactiveCaption, "clInactiveCaption"},
    {clMenu, "clMenu"},
    {clWindow, "clWindow"},
    {clWindowFrame, "clWindowFrame"},
    {clMenuText, "clMenuText"},
    {clWindowText, "clWindowText"},
    {clCaptionText, "clCaptionText"},
    {clActiveBorder, "clActiveBorder"},
    {clInactiveBorder, "clInactiveBorder"},
    {clAppWorkSpace, "clAppWorkSpace"},
    {clHighlight, "clHighlight"},
    {clHighlightText, "clHighlightText"},
    {clBtnFace, "clBtnFace"},
    {clBtnShadow, "clBtnShadow"},
    {clGrayText, "clGrayText"},
    {clBtnText, "clBtnText"},
    {clInactiveCaptionText, "clInactiveCaptionText"},
    {clBtnHighlight, "clBtnHighlight"},
    {cl3DDkShadow, "cl3DDkShadow"},
    {cl3DLight, "cl3DLight"},
    {clInfoText, "clInfoText"},
    {clInfoBk, "clInfoBk"},
};

}  // namespace

TColor SystemColorToRGB(TColor c) {
  if (c < 0) {
    const uint32_t index = uint32_t(c) & 0xFFu;
    return index < SystemColorCount ? kSystemColors[index] : clBlack;
  }
  if (c == clNone || c == clDefault) return clBlack;
  return c & 0xFFFFFF;
}

bool ColorToIdent(TColor c, const char** name) {
  for (const NamedColor& n : kNames) {
    if (n.color == c) {
      *name = n.name;
      return true;
    }
  }
  return false;
}

bool IdentToColor(const char* name, TColor* c) {
  for (const NamedColor& n : kNames) {
    if (strcasecmp(n.name, name) == 0) {
      *c = n.color;
      return true;
    }
  }
  return false;
}

}  // namespace korvo
