// Cursor identifiers. A TCursor names an entry of the screen's cursor table
// (Screen()->Cursors): the framework's standard cursors have the classic
// negative numbers, and programs register their own under positive ones.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/Export.h"

namespace korvo {

using TCursor = int16_t;

constexpr TCursor crDefault = 0;
constexpr TCursor crNone = -1;
constexpr TCursor crArrow = -2;
constexpr TCursor crCross = -3;
constexpr TCursor crIBeam = -4;
constexpr TCursor crSizeNESW = -6;
constexpr TCursor crSizeNS = -7;
constexpr TCursor crSizeNWSE = -8;
constexpr TCursor crSizeWE = -9;
constexpr TCursor crUpArrow = -10;
constexpr TCursor crHourGlass = -11;
constexpr TCursor crDrag = -12;
constexpr TCursor crNoDrop = -13;
constexpr TCursor crHSplit = -14;
constexpr TCursor crVSplit = -15;
constexpr TCursor crMultiDrag = -16;
constexpr TCursor crSQLWait = -17;
constexpr TCursor crNo = -18;
constexpr TCursor crAppStart = -19;
constexpr TCursor crHelp = -20;
constexpr TCursor crHandPoint = -21;
constexpr TCursor crSizeAll = -22;
constexpr TCursor crSize = crSizeAll;
// The lowest standard cursor number.
constexpr TCursor crFirstStandard = crSizeAll;

// The names of the standard cursors ("crHandPoint") both ways, as form
// descriptions write them. CursorToIdent is false for a cursor without a
// name (the program's own), IdentToCursor for an unknown name.
PLOTWELL_API bool CursorToIdent(TCursor cursor, std::string* name);
PLOTWELL_API bool IdentToCursor(std::string_view name, TCursor* cursor);

struct TIntNames;
// The same as the names of a cursor property (Properties.h NamedInt).
PLOTWELL_API const TIntNames& CursorNames();

}  // namespace korvo
