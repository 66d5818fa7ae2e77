// Value names of the framework's own enumerations.
#pragma once

#include "platform/Types.h"
#include "platform/framework/EnumNames.h"
#include "platform/graphics/Brush.h"
#include "platform/graphics/Font.h"
#include "platform/graphics/Pen.h"

namespace korvo {

template <>
struct TEnumInfo<TPenStyle> {
  static constexpr std::string_view TypeName = "TPenStyle";
  static constexpr std::array<std::string_view, 7> Names = {
      "psSolid", "psDash", "psDot", "psDashDot", "psDashDotDot", "psClear", "psInsideFrame"};
};

template <>
struct TEnumInfo<TPenMode> {
  static constexpr std::string_view TypeName = "TPenMode";
  static constexpr std::array<std::string_view, 3> Names = {"pmCopy", "pmXor", "pmNot"};
};

template <>
struct TEnumInfo<TBrushStyle> {
  static constexpr std::string_view TypeName = "TBrushStyle";
  static constexpr std::array<std::string_view, 2> Names = {"bsSolid", "bsClear"};
};

template <>
struct TEnumInfo<TFontStyle> {
  static constexpr std::string_view TypeName = "TFontStyle";
  static constexpr std::array<std::string_view, 4> Names = {"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"};
};

template <>
struct TEnumInfo<TAlignment> {
  static constexpr std::string_view TypeName = "TAlignment";
  static constexpr std::array<std::string_view, 3> Names = {"taLeftJustify", "taRightJustify", "taCenter"};
};

template <>
struct TEnumInfo<TMouseButton> {
  static constexpr std::string_view TypeName = "TMouseButton";
  static constexpr std::array<std::string_view, 3> Names = {"mbLeft", "mbRight", "mbMiddle"};
};

template <>
struct TEnumInfo<TShiftFlag> {
  static constexpr std::string_view TypeName = "TShiftState";
  static constexpr std::array<std::string_view, 7> Names = {"ssShift", "ssAlt",    "ssCtrl",  "ssLeft",
                                                            "ssRight", "ssMiddle", "ssDouble"};
};

}  // namespace korvo
