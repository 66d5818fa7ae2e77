// The enumerations of the chart, with their value names.
#pragma once

#include <cstdint>

#include "platform/framework/EnumNames.h"

namespace korvo {

// Horizontal reference of the chart caption: the control's left edge, the
// plot area's left edge, centre or right edge, the control's right edge.
enum class TCaptionAnchorHoriz : uint8_t {
  cahControlLeft,
  cahChartLeft,
  cahChartCenter,
  cahChartRight,
  cahControlRight
};

// Vertical reference of the chart caption, in the same manner.
enum class TCaptionAnchorVert : uint8_t {
  cavControlTop,
  cavChartTop,
  cavChartCenter,
  cavChartBottom,
  cavControlBottom
};

// Which part of the plot area the background image object fills with its
// area colour, bounded by AreaLeft, AreaRight, AreaTop and AreaBottom.
enum class TBGAreaMode : uint8_t {
  bamNone,
  bamLeft,
  bamRight,
  bamTop,
  bamBottom,
  bamVStripe,
  bamHStripe,
  bamRect,
  bamRectInv,
  bamVStripeInv,
  bamHStripeInv
};

// Side of a horizontal scale.
enum class TScaleLocationHoriz : uint8_t { slTop, slBottom };

// Side of a vertical scale.
enum class TScaleLocationVert : uint8_t { slLeft, slRight };

// Style of the chart grid. The type's name has no leading T, in the code and
// in its text form.
enum class GridStyleType : uint8_t {
  gsNone,
  gsPoints,
  gsVertLines,
  gsHorizLines,
  gsLines,
  gsHorizDotLines,
  gsVertDotLines,
  gsDotLines
};

// The standard arrangements of the chart's scales.
enum class TpwLayout : uint8_t {
  pwl_X1Bottom_Y1Left,
  pwl_X1Bottom_Y2Left,
  pwl_X1Bottom_Y3Left,
  pwl_X1Bottom_Y4Left,
  pwl_X1Bottom_Y2Both,
  pwl_X2Bottom_Y2Left,
  pwl_X2Both_Y2Both
};

// Background of text items: transparent, or filled with TextBkColor.
enum class TTextBkg : uint8_t { tbClear, tbSolid };

template <>
struct TEnumInfo<TCaptionAnchorHoriz> {
  static constexpr std::string_view TypeName = "TCaptionAnchorHoriz";
  static constexpr std::array<std::string_view, 5> Names = {"cahControlLeft", "cahChartLeft", "cahChartCenter",
                                                            "cahChartRight", "cahControlRight"};
};

template <>
struct TEnumInfo<TCaptionAnchorVert> {
  static constexpr std::string_view TypeName = "TCaptionAnchorVert";
  static constexpr std::array<std::string_view, 5> Names = {"cavControlTop", "cavChartTop", "cavChartCenter",
                                                            "cavChartBottom", "cavControlBottom"};
};

template <>
struct TEnumInfo<TBGAreaMode> {
  static constexpr std::string_view TypeName = "TBGAreaMode";
  static constexpr std::array<std::string_view, 11> Names = {
      "bamNone",    "bamLeft",    "bamRight",   "bamTop",        "bamBottom",    "bamVStripe",
      "bamHStripe", "bamRect",    "bamRectInv", "bamVStripeInv", "bamHStripeInv"};
};

template <>
struct TEnumInfo<TScaleLocationHoriz> {
  static constexpr std::string_view TypeName = "TScaleLocationHoriz";
  static constexpr std::array<std::string_view, 2> Names = {"slTop", "slBottom"};
};

template <>
struct TEnumInfo<TScaleLocationVert> {
  static constexpr std::string_view TypeName = "TScaleLocationVert";
  static constexpr std::array<std::string_view, 2> Names = {"slLeft", "slRight"};
};

template <>
struct TEnumInfo<GridStyleType> {
  static constexpr std::string_view TypeName = "GridStyleType";
  static constexpr std::array<std::string_view, 8> Names = {"gsNone",          "gsPoints",       "gsVertLines",
                                                            "gsHorizLines",    "gsLines",        "gsHorizDotLines",
                                                            "gsVertDotLines",  "gsDotLines"};
};

template <>
struct TEnumInfo<TpwLayout> {
  static constexpr std::string_view TypeName = "TpwLayout";
  static constexpr std::array<std::string_view, 7> Names = {
      "pwl_X1Bottom_Y1Left", "pwl_X1Bottom_Y2Left", "pwl_X1Bottom_Y3Left", "pwl_X1Bottom_Y4Left",
      "pwl_X1Bottom_Y2Both", "pwl_X2Bottom_Y2Left", "pwl_X2Both_Y2Both"};
};

template <>
struct TEnumInfo<TTextBkg> {
  static constexpr std::string_view TypeName = "TTextBkg";
  static constexpr std::array<std::string_view, 2> Names = {"tbClear", "tbSolid"};
};

// Every name table covers its enumeration exactly.
static_assert(EnumCount<TCaptionAnchorHoriz>() == size_t(TCaptionAnchorHoriz::cahControlRight) + 1);
static_assert(EnumCount<TCaptionAnchorVert>() == size_t(TCaptionAnchorVert::cavControlBottom) + 1);
static_assert(EnumCount<TBGAreaMode>() == size_t(TBGAreaMode::bamHStripeInv) + 1);
static_assert(EnumCount<TScaleLocationHoriz>() == size_t(TScaleLocationHoriz::slBottom) + 1);
static_assert(EnumCount<TScaleLocationVert>() == size_t(TScaleLocationVert::slRight) + 1);
static_assert(EnumCount<GridStyleType>() == size_t(GridStyleType::gsDotLines) + 1);
static_assert(EnumCount<TpwLayout>() == size_t(TpwLayout::pwl_X2Both_Y2Both) + 1);
static_assert(EnumCount<TTextBkg>() == size_t(TTextBkg::tbSolid) + 1);

}  // namespace korvo
