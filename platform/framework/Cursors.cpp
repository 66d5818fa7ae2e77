#include "platform/framework/Cursors.h"

#include "platform/framework/Component.h"
#include "platform/framework/Properties.h"

namespace korvo {
namespace {

struct NamedCursor {
  TCursor cursor;
  const char* name;
};

constexpr NamedCursor kCursorNames[] = {
    {crDefault, "crDefault"},     {crNone, "crNone"},         {crArrow, "crArrow"},
    {crCross, "crCross"},         {crIBeam, "crIBeam"},       {crSizeNESW, "crSizeNESW"},
    {crSizeNS, "crSizeNS"},       {crSizeNWSE, "crSizeNWSE"}, {crSizeWE, "crSizeWE"},
    {crUpArrow, "crUpArrow"},     {crHourGlass, "crHourGlass"}, {crDrag, "crDrag"},
    {crNoDrop, "crNoDrop"},       {crHSplit, "crHSplit"},     {crVSplit, "crVSplit"},
    {crMultiDrag, "crMultiDrag"}, {crSQLWait, "crSQLWait"},   {crNo, "crNo"},
    {crAppStart, "crAppStart"},   {crHelp, "crHelp"},         {crHandPoint, "crHandPoint"},
    {crSizeAll, "crSizeAll"},     {crSize, "crSize"},
};

bool CursorIdent(int64_t value, std::string* name) {
  if (value < INT16_MIN || value > INT16_MAX) return false;
  return CursorToIdent(TCursor(value), name);
}

bool IdentCursor(std::string_view name, int64_t* value) {
  TCursor c = 0;
  if (!IdentToCursor(name, &c)) return false;
  *value = c;
  return true;
}

}  // namespace

bool CursorToIdent(TCursor cursor, std::string* name) {
  for (const NamedCursor& n : kCursorNames) {
    if (n.cursor == cursor) {
      *name = n.name;
      return true;
    }
  }
  return false;
}

bool IdentToCursor(std::string_view name, TCursor* cursor) {
  for (const NamedCursor& n : kCursorNames) {
    if (SameName(n.name, name)) {
      *cursor = n.cursor;
      return true;
    }
  }
  return false;
}

const TIntNames& CursorNames() {
  static const TIntNames names{"cursor", &CursorIdent, &IdentCursor};
  return names;
}

}  // namespace korvo
