// One chart item: the fixed-size record that every drawing command of the
// chart appends to a display list, and the constants that describe it.
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <type_traits>

#include "base/BaseEnums.h"
#include "platform/Export.h"
#include "platform/framework/EnumNames.h"
#include "platform/graphics/Color.h"
#include "platform/graphics/Pen.h"

namespace korvo {

// Item kinds, the value of TpwChartItem::Kind. 0, 10 and 11 are not kinds:
// an item carrying one of them is not drawn.
inline constexpr uint8_t ckMark = 1;
inline constexpr uint8_t ckLine = 2;
inline constexpr uint8_t ckDrawTo = 3;
inline constexpr uint8_t ckRectangle = 4;
inline constexpr uint8_t ckFramedRect = 5;
inline constexpr uint8_t ckBar3D = 6;
inline constexpr uint8_t ckText = 7;
inline constexpr uint8_t ckMoveTo = 8;
inline constexpr uint8_t ckEllipse = 9;
inline constexpr uint8_t ckMoveRel = 12;
inline constexpr uint8_t ckDrawRel = 13;
inline constexpr uint8_t ckArrow = 14;
inline constexpr uint8_t ckDoubleArrow = 15;
inline constexpr uint8_t ckTextOffs = 16;
inline constexpr uint8_t ckPixelBox = 17;
inline constexpr uint8_t ckErrorMark = 18;
inline constexpr uint8_t ckShiftedLine = 19;
inline constexpr uint8_t ckArc = 20;
inline constexpr uint8_t ckVector = 21;
inline constexpr uint8_t ckVertLine = 22;
inline constexpr uint8_t ckHorizLine = 23;
inline constexpr uint8_t ckCross = 24;
// A series drawn as one item (Param2: its entry in the list's series table,
// from 1): a polyline through its points, or a mark (Param3) at each point.
inline constexpr uint8_t ckSeriesLine = 25;
inline constexpr uint8_t ckSeriesMarks = 26;
// Kinds run from 0 to this value; KindCount has one counter per value.
inline constexpr uint8_t ckLastKind = 26;

// How an item's coordinates are read (TpwChartItem::CoordMode). World
// coordinates go through the transform of the item's layer; pixel coordinates
// are relative to the plot area's top-left pixel (x to the right, y down).
//   cmWorld          every coordinate is world
//   cmPixel          every coordinate is pixel
//   cmWorldPixel     two-point kinds: first point world, second point pixel;
//                    one-point kinds: as cmWorld
//   cmPixelWorld     two-point kinds: first point pixel, second point world;
//                    one-point kinds: as cmPixel
//   cmXPixelYWorld   x pixel, y world (one-point kinds and both arrow ends)
//   cmXWorldYPixel   x world, y pixel (one-point kinds and both arrow ends)
// Which modes each kind accepts is stated at the command that adds it.
// Items of the data list always carry cmWorld (0).
enum class TCoordMode : uint8_t { cmWorld, cmPixel, cmWorldPixel, cmPixelWorld, cmXPixelYWorld, cmXWorldYPixel };

template <>
struct TEnumInfo<TCoordMode> {
  static constexpr std::string_view TypeName = "TCoordMode";
  static constexpr std::array<std::string_view, 6> Names = {"cmWorld",        "cmPixel",       "cmWorldPixel",
                                                            "cmPixelWorld",   "cmXPixelYWorld", "cmXWorldYPixel"};
};
static_assert(EnumCount<TCoordMode>() == size_t(TCoordMode::cmXWorldYPixel) + 1);

// The inline text of a text item: a length byte and 17 bytes of UTF-8. Set
// keeps at most 17 bytes and cuts a longer text before the first character
// that does not fit whole, so the stored text is never a broken UTF-8
// sequence and never overflows. View never reads beyond the 17 bytes, even if
// Length was set by hand to a larger value.
struct PLOTWELL_API TShortText {
  static constexpr size_t MaxLength = 17;

  uint8_t Length;
  char Chars[MaxLength];

  void Set(std::string_view text) {
    size_t n = std::min(text.size(), MaxLength);
    if (n < text.size()) {
      // Step back over at most three continuation bytes (10xxxxxx) to the
      // lead byte of the character that is cut.
      size_t k = n;
      while (k > 0 && n - k < 3 && (static_cast<unsigned char>(text[k]) & 0xC0) == 0x80) --k;
      if ((static_cast<unsigned char>(text[k]) & 0xC0) != 0x80) n = k;
    }
    std::fill(std::begin(Chars), std::end(Chars), '\0');
    std::copy_n(text.data(), n, Chars);
    Length = static_cast<uint8_t>(n);
  }
  std::string_view View() const { return std::string_view(Chars, std::min<size_t>(Length, MaxLength)); }
  std::string Str() const { return std::string(View()); }
};

// One item of a display list, a plain record copied by value. A command sets
// the fields its kind uses (see TPwItemStore) and leaves every other field 0.
// The field order and widths are fixed: they are the record's format.
struct TpwChartItem {
  double x;              // first coordinate of the (first) point
  double y;              // second coordinate of the (first) point
  double x2;             // x of the second point, or an extent, by kind
  double y2;             // y of the second point, or an extent, by kind
  TColor Color;          // pen colour; for text the font colour
  TColor FillColor;      // brush colour of filled kinds; for text the background
  TColor Color3;         // first edge colour of ckFramedRect
  TColor Color4;         // second edge colour of ckFramedRect
  TPenStyle PenStyle;    // line style
  int32_t Attribute;     // 0 from every command; reserved for the user
  int32_t LineWidth;     // pen width in pixels; text kinds: long-text index (0 = inline text)
  uint8_t ItemClass;     // 0..255; the renderer shows or hides items by class
  uint8_t Kind;          // ckMark .. ckSeriesMarks
  int32_t Layer;         // 1..16, the layer whose transform places the item
  bool Hollow;           // filled kinds: outline only
  TFrameStyle FrameStyle;  // edge style of ckFramedRect
  TShortText Text;       // inline text of text items
  int32_t Param1;        // kind-specific (font size, angle, head length, half-width, ...)
  int32_t Param2;        // kind-specific (text background, depth, half-height, ...)
  int32_t Param3;        // kind-specific (glyph of marks, text alignment)
  uint8_t CoordMode;     // a TCoordMode ordinal
};

static_assert(std::is_trivially_copyable_v<TpwChartItem> && std::is_standard_layout_v<TpwChartItem>);
static_assert(sizeof(TPenStyle) == 1 && sizeof(TFrameStyle) == 1 && sizeof(bool) == 1 && sizeof(TColor) == 4);
static_assert(sizeof(TShortText) == 18, "a length byte and 17 characters");
static_assert(offsetof(TpwChartItem, x2) == 16 && offsetof(TpwChartItem, Color) == 32 &&
              offsetof(TpwChartItem, PenStyle) == 48 && offsetof(TpwChartItem, Attribute) == 52 &&
              offsetof(TpwChartItem, ItemClass) == 60 && offsetof(TpwChartItem, Kind) == 61 &&
              offsetof(TpwChartItem, Layer) == 64 && offsetof(TpwChartItem, Hollow) == 68 &&
              offsetof(TpwChartItem, FrameStyle) == 69 && offsetof(TpwChartItem, Text) == 70 &&
              offsetof(TpwChartItem, Param1) == 88 && offsetof(TpwChartItem, CoordMode) == 100,
              "fields in declaration order at their natural alignment");
static_assert(sizeof(TpwChartItem) == 104, "one item is 104 bytes");

}  // namespace korvo
