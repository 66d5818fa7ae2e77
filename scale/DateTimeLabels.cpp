#include "scale/DateTimeLabels.h"

namespace korvo {
namespace {

// The separator as quoted picture text.
void AppendSeparator(std::string& out, char c) {
  if (c == 0) return;
  out.push_back('"');
  const auto b = static_cast<unsigned char>(c);
  if (c == '"') {
    out.append("\"\"");
  } else if (b < 0x80) {
    out.push_back(c);
  } else {
    out.push_back(char(0xC0 | (b >> 6)));
    out.push_back(char(0x80 | (b & 0x3F)));
  }
  out.push_back('"');
}

std::string_view MonthToken(const TDTLabel& f) { return f.MonthName() ? "mmm" : "mm"; }

std::string_view YearToken(const TDTLabel& f) {
  switch (f.YearLength()) {
    case TYearLength::ylYY: return "yy";
    case TYearLength::ylYYYY: return "yyyy";
    case TYearLength::ylNone: break;
  }
  return "";
}

void AppendDayMonthYear(const TDTLabel& f, std::string& out) {
  const char s = f.DateSeparator();
  switch (f.DateOrder()) {
    case TDateOrder::doMMDDYY:
      out.append(MonthToken(f));
      AppendSeparator(out, s);
      out.append("dd");
      AppendSeparator(out, s);
      out.append(YearToken(f));
      break;
    case TDateOrder::doDDMMYY:
      out.append("dd");
      AppendSeparator(out, s);
      out.append(MonthToken(f));
      AppendSeparator(out, s);
      out.append(YearToken(f));
      break;
    case TDateOrder::doYYMMDD:
      out.append(YearToken(f));
      AppendSeparator(out, s);
      out.append(MonthToken(f));
      AppendSeparator(out, s);
      out.append("dd");
      break;
  }
}

}  // namespace

void TimeLabelPicture(TDateTimeKind kind, const TDTLabel& f, std::string& out) {
  out.clear();
  const char t = f.TimeSeparator();
  switch (f.TimeFormat()) {
    case TTimeFormat::tfHHMMSS:
      out.append("hh");
      AppendSeparator(out, t);
      out.append("nn");
      if (kind <= TDateTimeKind::dkSeconds) {
        AppendSeparator(out, t);
        out.append("ss");
      }
      if (kind == TDateTimeKind::dkHundredths) out.append("\".\"zzz");
      break;
    case TTimeFormat::tfHHhMM:
      out.append("h\"h\"");
      if (kind <= TDateTimeKind::dkMinutes) out.append("nn");
      if (kind <= TDateTimeKind::dkSeconds) {
        AppendSeparator(out, t);
        out.append("ss");
      }
      if (kind == TDateTimeKind::dkHundredths) out.append("\".\"zzz");
      break;
    case TTimeFormat::tfAMPM:
      out.append("h");
      if (kind <= TDateTimeKind::dkMinutes) {
        AppendSeparator(out, t);
        out.append("nn");
      }
      if (kind <= TDateTimeKind::dkSeconds) out.append("\".\"ss");
      if (kind == TDateTimeKind::dkHundredths) out.append("\".\"zzz");
      out.append("am/pm");
      break;
  }
}

void DateLabelPicture(TDateTimeKind kind, const TDTLabel& f, std::string& out) {
  out.clear();
  if (kind != TDateTimeKind::dkMonths) {
    AppendDayMonthYear(f, out);
    return;
  }
  const char s = f.DateSeparator();
  if (f.DateOrder() == TDateOrder::doYYMMDD) {
    out.append(YearToken(f));
    AppendSeparator(out, s);
    out.append(MonthToken(f));
  } else {
    out.append(MonthToken(f));
    AppendSeparator(out, s);
    out.append(YearToken(f));
  }
}

void DateLinePicture(const TDTLabel& f, std::string& out) {
  out.clear();
  if (f.YearLength() != TYearLength::ylNone) {
    AppendDayMonthYear(f, out);
    return;
  }
  const char s = f.DateSeparator();
  if (f.DateOrder() == TDateOrder::doDDMMYY) {
    out.append("dd");
    AppendSeparator(out, s);
    out.append(MonthToken(f));
  } else {
    out.append(MonthToken(f));
    AppendSeparator(out, s);
    out.append("dd");
  }
}

void YearLabel(int64_t year, TYearLength length, std::string& out) {
  out.clear();
  if (length == TYearLength::ylNone) return;
  int64_t shown = year < 0 ? -year : year;
  if (length == TYearLength::ylYY) shown %= 100;
  char digits[24];
  int n = 0;
  do {
    digits[n++] = char('0' + shown % 10);
    shown /= 10;
  } while (shown != 0);
  if (length == TYearLength::ylYY && n < 2) digits[n++] = '0';
  if (year < 0) out.push_back('-');
  while (n > 0) out.push_back(digits[--n]);
}

}  // namespace korvo
