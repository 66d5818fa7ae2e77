// Colours in the window system's format, the framework's named colours and the
// system colour table.
#pragma once

#include <cstdint>

#include "platform/Export.h"

namespace korvo {

// A colour is a 32-bit value: red in the low byte, then green, then blue; the
// high byte is 0 for a plain RGB colour. A value with the high byte 0xFF
// (a negative number) names a system colour: its low byte indexes the system
// colour table, which ColorToRGB resolves. clBtnFace is 0xFF00000F = -16777201.
using TColor = int32_t;

constexpr TColor RGB(uint8_t r, uint8_t g, uint8_t b) { return TColor(r | (g << 8) | (uint32_t(b) << 16)); }
constexpr uint8_t GetRValue(TColor c) { return uint8_t(c & 0xFF); }
constexpr uint8_t GetGValue(TColor c) { return uint8_t((c >> 8) & 0xFF); }
constexpr uint8_t GetBValue(TColor c) { return uint8_t((c >> 16) & 0xFF); }

// The framework's named colours.
constexpr TColor clBlack = 0x000000;
constexpr TColor clMaroon = 0x000080;
constexpr TColor clGreen = 0x008000;
constexpr TColor clOlive = 0x008080;
constexpr TColor clNavy = 0x800000;
constexpr TColor clPurple = 0x800080;
constexpr TColor clTeal = 0x808000;
constexpr TColor clGray = 0x808080;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clLime = 0x00FF00;
constexpr TColor clYellow = 0x00FFFF;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clFuchsia = 0xFF00FF;
constexpr TColor clAqua = 0xFFFF00;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clNone = 0x1FFFFFFF;
constexpr TColor clDefault = 0x20000000;

// System colours: 0xFF000000 | index into the system colour table.
constexpr TColor SystemColor(uint8_t index) { return TColor(0xFF000000u | index); }
constexpr TColor clScrollBar = SystemColor(0);
constexpr TColor clBackground = SystemColor(1);
constexpr TColor clActiveCaption = SystemColor(2);
constexpr TColor clInactiveCaption = SystemColor(3);
constexpr TColor clMenu = SystemColor(4);
constexpr TColor clWindow = SystemColor(5);
constexpr TColor clWindowFrame = SystemColor(6);
constexpr TColor clMenuText = SystemColor(7);
constexpr TColor clWindowText = SystemColor(8);
constexpr TColor clCaptionText = SystemColor(9);
constexpr TColor clActiveBorder = SystemColor(10);
constexpr TColor clInactiveBorder = SystemColor(11);
constexpr TColor clAppWorkSpace = SystemColor(12);
constexpr TColor clHighlight = SystemColor(13);
constexpr TColor clHighlightText = SystemColor(14);
constexpr TColor clBtnFace = SystemColor(15);
constexpr TColor clBtnShadow = SystemColor(16);
constexpr TColor clGrayText = SystemColor(17);
constexpr TColor clBtnText = SystemColor(18);
constexpr TColor clInactiveCaptionText = SystemColor(19);
constexpr TColor clBtnHighlight = SystemColor(20);
constexpr TColor cl3DDkShadow = SystemColor(21);
constexpr TColor cl3DLight = SystemColor(22);
constexpr TColor clInfoText = SystemColor(23);
constexpr TColor clInfoBk = SystemColor(24);
constexpr int SystemColorCount = 25;

static_assert(clBtnFace == -16777201);

// Resolves a system colour through the table; plain colours come back with the
// high byte cleared. An index beyond the table resolves to black. clNone and
// clDefault are markers for callers, not colours; they resolve to black.
PLOTWELL_API TColor SystemColorToRGB(TColor c);
// A colour that resolves without the table: its pixel is RGBToPixel(c).
constexpr bool PlainColor(TColor c) { return c >= 0 && c != clNone && c != clDefault; }
inline TColor ColorToRGB(TColor c) { return PlainColor(c) ? (c & 0xFFFFFF) : SystemColorToRGB(c); }

// The framework's colour names ("clRed", "clBtnFace", ...) both ways, as the
// form description writes them. ColorToIdent returns false for a colour without
// a name; IdentToColor ignores case, like every name in a form description,
// and returns false for an unknown name.
PLOTWELL_API bool ColorToIdent(TColor c, const char** name);
PLOTWELL_API bool IdentToColor(const char* name, TColor* c);

// Pixels of the software canvas are 0xFFRRGGBB (opaque, blue in the low byte,
// the in-memory byte order B, G, R, A of 32-bit bitmaps).
using TPixel = uint32_t;

constexpr TPixel RGBToPixel(TColor rgb) {
  // 0x??BBGGRR byte-swapped is 0xRRGGBB??: three instructions on the mark
  // and text paths instead of ten.
  return 0xFF000000u | (__builtin_bswap32(uint32_t(rgb)) >> 8);
}
constexpr TColor PixelToColor(TPixel p) {
  return TColor(((p >> 16) & 0xFFu) | (p & 0xFF00u) | ((p & 0xFFu) << 16));
}
inline TPixel ColorToPixel(TColor c) { return RGBToPixel(ColorToRGB(c)); }
// The pixel of a plain colour, or 0 (which no pixel is, as every pixel is
// opaque) for a system colour or a marker: what a pen or brush keeps as the
// ink a stamp may use.
constexpr TPixel PlainPixel(TColor c) { return PlainColor(c) ? RGBToPixel(c) : 0; }

}  // namespace korvo
