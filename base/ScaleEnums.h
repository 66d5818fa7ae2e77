// The enumerations of the scale, with their value names.
#pragma once

#include <cstdint>

#include "platform/framework/EnumNames.h"

namespace korvo {

// Where a scale's caption is anchored along the scale: the top/left end, the
// centre, the bottom/right end.
enum class TScaleUnitAnchor : uint8_t { uaSclTopLft, uaSclCenter, uaSclBotRgt };

template <>
struct TEnumInfo<TScaleUnitAnchor> {
  static constexpr std::string_view TypeName = "TScaleUnitAnchor";
  static constexpr std::array<std::string_view, 3> Names = {"uaSclTopLft", "uaSclCenter", "uaSclBotRgt"};
};

// Every name table covers its enumeration exactly.
static_assert(EnumCount<TScaleUnitAnchor>() == size_t(TScaleUnitAnchor::uaSclBotRgt) + 1);

}  // namespace korvo
