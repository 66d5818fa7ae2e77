// Text names of enumeration values, both ways. Every enumeration that a form
// description can carry registers its type name and its value names in
// ordinal order; the names are the exact spelling the form description uses.
//
//   template <> struct TEnumInfo<TPenStyle> {
//     static constexpr std::string_view TypeName = "TPenStyle";
//     static constexpr std::array<std::string_view, 7> Names = {"psSolid", ...};
//   };
#pragma once

#include <array>
#include <cstddef>
#include <span>
#include <string>
#include <string_view>

#include "platform/Exceptions.h"
#include "platform/Export.h"
#include "platform/Quote.h"

namespace korvo {

template <class E>
struct TEnumInfo;  // specialised for each enumeration

// A type-erased view of one enumeration's names, for readers and writers of
// form descriptions.
struct PLOTWELL_API TEnumTypeInfo {
  std::string_view TypeName;
  std::span<const std::string_view> Names;

  // The ordinal of a name, or -1.
  int Find(std::string_view name) const {
    for (size_t i = 0; i < Names.size(); ++i) {
      if (Names[i] == name) return int(i);
    }
    return -1;
  }
  // The ordinal of a name; an unknown name raises EPropertyError
  // "'maPanX' is not a valid TMouseActMode value".
  int Parse(std::string_view name) const {
    const int i = Find(name);
    if (i < 0) {
      throw EPropertyError(Quoted(name) + " is not a valid " + std::string(TypeName) + " value");
    }
    return i;
  }
};

template <class E>
const TEnumTypeInfo& EnumTypeInfo() {
  static const TEnumTypeInfo info{TEnumInfo<E>::TypeName,
                                  std::span<const std::string_view>(TEnumInfo<E>::Names)};
  return info;
}

// The name of a value; an ordinal outside the type gives an empty view.
template <class E>
constexpr std::string_view EnumName(E value) {
  const size_t i = size_t(value);
  return i < TEnumInfo<E>::Names.size() ? TEnumInfo<E>::Names[i] : std::string_view();
}

// The value of a name; an unknown name raises EPropertyError.
template <class E>
E EnumFromName(std::string_view name) {
  return E(EnumTypeInfo<E>().Parse(name));
}

template <class E>
bool TryEnumFromName(std::string_view name, E* value) {
  const int i = EnumTypeInfo<E>().Find(name);
  if (i < 0) return false;
  *value = E(i);
  return true;
}

template <class E>
constexpr size_t EnumCount() {
  return TEnumInfo<E>::Names.size();
}

}  // namespace korvo
