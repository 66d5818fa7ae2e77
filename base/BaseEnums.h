// The enumerations shared by the scale and the chart, with their value names.
// Every type is a one-byte ordinal from 0 without gaps; the names, in ordinal
// order, are exactly what form descriptions write (`MouseAction = maPan`).
#pragma once

#include <cstdint>

#include "platform/framework/EnumNames.h"

namespace korvo {

// How a background picture fills its area: once at its own size, stretched
// to the area, or repeated as tiles.
enum class TBkgFill : uint8_t { bfSimple, bfStretch, bfTile };

// Colours of a scale's three-dimensional frame: black, white and gray
// (128, 128, 128), or the system's button-shadow and button-highlight colours.
enum class TColorScheme : uint8_t { csBWG, csSystem };

// Kind of tick label: none, number, time, date and time, text from the user.
enum class TFigType : uint8_t { ftNoFigs, ftNum, ftTime, ftDateTime, ftUserText };

// Orientation of a scale and the edge of its own area that carries the base
// line (ticks and labels lie on the other side): sctXB horizontal, base line
// at the bottom (a chart's top scales); sctXT horizontal, base line at the top
// (a chart's bottom scales); sctYL vertical, base line at the left (a chart's
// right scales); sctYR vertical, base line at the right (a chart's left scales).
enum class TScaleType : uint8_t { sctXB, sctXT, sctYL, sctYR };

// Vertical placement of a text label's box against its anchor point.
enum class TVerticalAlignment : uint8_t { vaTop, vaCenter, vaBottom };

// Year in date labels: left out, two digits, four digits.
enum class TYearLength : uint8_t { ylNone, ylYY, ylYYYY };

// Order of month, day and year in date labels.
enum class TDateOrder : uint8_t { doMMDDYY, doDDMMYY, doYYMMDD };

// How often a date is added to time labels: never, once per scale, once per
// day, at every tick.
enum class TDateForTime : uint8_t { dtNone, dtOnePerChart, dtOnePerDay, dtAllTicks };

// Style of the chart's drop shadow.
enum class TShadowStyle : uint8_t { ssFlying, ssBox };

// Style of a rectangular frame (DrawFrame gives the edge colours).
enum class TFrameStyle : uint8_t { fsNone, fsSimple, fsLowered, fsRaised, fsEmbossed, fsEngraved };

// Format of time labels.
enum class TTimeFormat : uint8_t { tfHHMMSS, tfHHhMM, tfAMPM };

// How a crosshair is shown: not at all, a horizontal line across the plot, a
// vertical line, both lines, a short cross with a small double box, a small
// box only.
enum class TCrossHMode : uint8_t { chOff, chHoriz, chVert, chBoth, chCrossBox, chBox };

// Which coordinates of a text label are world coordinates of its layer rather
// than pixel positions.
enum class TTxtLblAttachMode : uint8_t { tlamNone, tlamXOnly, tlamYOnly, tlamBoth };

// How a text label is shown: hidden; text on its background without a border;
// text in a bordered box; text on its background underlined; bordered box
// with a shadow box behind it. `tlsimple` is spelled with a lower-case s.
enum class TTxtLblMode : uint8_t { tlOff, tlsimple, tlBox, tlUnderline, tlShadow };

// What a mouse drag on a chart or a scale does.
enum class TMouseActMode : uint8_t {
  maNone,
  maPan,
  maPanHoriz,
  maPanVert,
  maPanGrid,
  maRubberBand,
  maZoom,
  maZoomWind,
  maZoomWindPos,
  maZoomDrag,
  maDragCrossH,
  maDragLabel,
  maRotate,
  maRotAndZoom,
  maRotXOnly,
  maRotZOnly,
  maSelectRect,
  maDrawMTrace,
  maZoomPanColors
};

template <>
struct TEnumInfo<TBkgFill> {
  static constexpr std::string_view TypeName = "TBkgFill";
  static constexpr std::array<std::string_view, 3> Names = {"bfSimple", "bfStretch", "bfTile"};
};

template <>
struct TEnumInfo<TColorScheme> {
  static constexpr std::string_view TypeName = "TColorScheme";
  static constexpr std::array<std::string_view, 2> Names = {"csBWG", "csSystem"};
};

template <>
struct TEnumInfo<TFigType> {
  static constexpr std::string_view TypeName = "TFigType";
  static constexpr std::array<std::string_view, 5> Names = {"ftNoFigs", "ftNum", "ftTime", "ftDateTime",
                                                            "ftUserText"};
};

template <>
struct TEnumInfo<TScaleType> {
  static constexpr std::string_view TypeName = "TScaleType";
  static constexpr std::array<std::string_view, 4> Names = {"sctXB", "sctXT", "sctYL", "sctYR"};
};

template <>
struct TEnumInfo<TVerticalAlignment> {
  static constexpr std::string_view TypeName = "TVerticalAlignment";
  static constexpr std::array<std::string_view, 3> Names = {"vaTop", "vaCenter", "vaBottom"};
};

template <>
struct TEnumInfo<TYearLength> {
  static constexpr std::string_view TypeName = "TYearLength";
  static constexpr std::array<std::string_view, 3> Names = {"ylNone", "ylYY", "ylYYYY"};
};

template <>
struct TEnumInfo<TDateOrder> {
  static constexpr std::string_view TypeName = "TDateOrder";
  static constexpr std::array<std::string_view, 3> Names = {"doMMDDYY", "doDDMMYY", "doYYMMDD"};
};

template <>
struct TEnumInfo<TDateForTime> {
  static constexpr std::string_view TypeName = "TDateForTime";
  static constexpr std::array<std::string_view, 4> Names = {"dtNone", "dtOnePerChart", "dtOnePerDay",
                                                            "dtAllTicks"};
};

template <>
struct TEnumInfo<TShadowStyle> {
  static constexpr std::string_view TypeName = "TShadowStyle";
  static constexpr std::array<std::string_view, 2> Names = {"ssFlying", "ssBox"};
};

template <>
struct TEnumInfo<TFrameStyle> {
  static constexpr std::string_view TypeName = "TFrameStyle";
  static constexpr std::array<std::string_view, 6> Names = {"fsNone",    "fsSimple",   "fsLowered",
                                                            "fsRaised",  "fsEmbossed", "fsEngraved"};
};

template <>
struct TEnumInfo<TTimeFormat> {
  static constexpr std::string_view TypeName = "TTimeFormat";
  static constexpr std::array<std::string_view, 3> Names = {"tfHHMMSS", "tfHHhMM", "tfAMPM"};
};

template <>
struct TEnumInfo<TCrossHMode> {
  static constexpr std::string_view TypeName = "TCrossHMode";
  static constexpr std::array<std::string_view, 6> Names = {"chOff",  "chHoriz",    "chVert",
                                                            "chBoth", "chCrossBox", "chBox"};
};

template <>
struct TEnumInfo<TTxtLblAttachMode> {
  static constexpr std::string_view TypeName = "TTxtLblAttachMode";
  static constexpr std::array<std::string_view, 4> Names = {"tlamNone", "tlamXOnly", "tlamYOnly", "tlamBoth"};
};

template <>
struct TEnumInfo<TTxtLblMode> {
  static constexpr std::string_view TypeName = "TTxtLblMode";
  static constexpr std::array<std::string_view, 5> Names = {"tlOff", "tlsimple", "tlBox", "tlUnderline",
                                                            "tlShadow"};
};

template <>
struct TEnumInfo<TMouseActMode> {
  static constexpr std::string_view TypeName = "TMouseActMode";
  static constexpr std::array<std::string_view, 19> Names = {
      "maNone",       "maPan",        "maPanHoriz",   "maPanVert",     "maPanGrid",
      "maRubberBand", "maZoom",       "maZoomWind",   "maZoomWindPos", "maZoomDrag",
      "maDragCrossH", "maDragLabel",  "maRotate",     "maRotAndZoom",  "maRotXOnly",
      "maRotZOnly",   "maSelectRect", "maDrawMTrace", "maZoomPanColors"};
};

// Every name table covers its enumeration exactly.
static_assert(EnumCount<TBkgFill>() == size_t(TBkgFill::bfTile) + 1);
static_assert(EnumCount<TColorScheme>() == size_t(TColorScheme::csSystem) + 1);
static_assert(EnumCount<TFigType>() == size_t(TFigType::ftUserText) + 1);
static_assert(EnumCount<TScaleType>() == size_t(TScaleType::sctYR) + 1);
static_assert(EnumCount<TVerticalAlignment>() == size_t(TVerticalAlignment::vaBottom) + 1);
static_assert(EnumCount<TYearLength>() == size_t(TYearLength::ylYYYY) + 1);
static_assert(EnumCount<TDateOrder>() == size_t(TDateOrder::doYYMMDD) + 1);
static_assert(EnumCount<TDateForTime>() == size_t(TDateForTime::dtAllTicks) + 1);
static_assert(EnumCount<TShadowStyle>() == size_t(TShadowStyle::ssBox) + 1);
static_assert(EnumCount<TFrameStyle>() == size_t(TFrameStyle::fsEngraved) + 1);
static_assert(EnumCount<TTimeFormat>() == size_t(TTimeFormat::tfAMPM) + 1);
static_assert(EnumCount<TCrossHMode>() == size_t(TCrossHMode::chBox) + 1);
static_assert(EnumCount<TTxtLblAttachMode>() == size_t(TTxtLblAttachMode::tlamBoth) + 1);
static_assert(EnumCount<TTxtLblMode>() == size_t(TTxtLblMode::tlShadow) + 1);
static_assert(EnumCount<TMouseActMode>() == size_t(TMouseActMode::maZoomPanColors) + 1);

}  // namespace korvo
