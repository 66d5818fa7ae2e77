#include "platform/Calendar.h"

#include <array>
#include <cmath>

#include "platform/Exceptions.h"

namespace korvo {
namespace {

// Day numbers here count from 1970-01-01; date values from 1899-12-30.
constexpr int64_t UnixEpochDay = 25569;
constexpr int64_t MillisecondsPerDay = 86400000;
constexpr long double MaxSplitDays = 1e12L;

int64_t FloorDiv(int64_t a, int64_t b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0))); }

// Appends v in decimal with at least `width` digits (a leading '-' for
// negatives, not counted).
void AppendNumber(std::string& out, int64_t v, int width) {
  char digits[24];
  int n = 0;
  const bool negative = v < 0;
  uint64_t u = negative ? uint64_t(0) - uint64_t(v) : uint64_t(v);
  do {
    digits[n++] = char('0' + u % 10);
    u /= 10;
  } while (u != 0);
  while (n < width) digits[n++] = '0';
  if (negative) out.push_back('-');
  while (n > 0) out.push_back(digits[--n]);
}

char Lower(char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; }

// The length of the run of `c` (either case) starting at i.
size_t RunLength(std::string_view s, size_t i, char c) {
  size_t n = 0;
  while (i + n < s.size() && Lower(s[i + n]) == c) ++n;
  return n;
}

bool IsAmPmAt(std::string_view s, size_t i) {
  if (i + 5 > s.size()) return false;
  return Lower(s[i]) == 'a' && Lower(s[i + 1]) == 'm' && s[i + 2] == '/' && Lower(s[i + 3]) == 'p' &&
         Lower(s[i + 4]) == 'm';
}

// Whether the picture holds am/pm outside quoted text.
bool HasAmPm(std::string_view s) {
  bool quoted = false;
  for (size_t i = 0; i < s.size(); ++i) {
    if (s[i] == '"') {
      quoted = !quoted;
    } else if (!quoted && IsAmPmAt(s, i)) {
      return true;
    }
  }
  return false;
}

}  // namespace

bool IsLeapYear(int64_t year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int64_t year, int month) {
  static constexpr std::array<int, 12> Days = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month < 1 || month > 12) return 0;
  return (month == 2 && IsLeapYear(year)) ? 29 : Days[size_t(month - 1)];
}

// Civil-from-days and days-from-civil on 400-year eras (each 146097 days),
// with years starting on 1 March so that the leap day ends the year.
int64_t DayFromDate(int64_t year, int month, int day) {
  const int64_t y = year - (month <= 2 ? 1 : 0);
  const int64_t era = FloorDiv(y, 400);
  const int64_t yoe = y - era * 400;                                   // 0..399
  const int64_t doy = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;  // 0..365
  const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;           // 0..146096
  return era * 146097 + doe - 719468 + UnixEpochDay;
}

TDateParts DateFromDay(int64_t day) {
  const int64_t z = day - UnixEpochDay + 719468;
  const int64_t era = FloorDiv(z, 146097);
  const int64_t doe = z - era * 146097;
  const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const int64_t mp = (5 * doy + 2) / 153;
  TDateParts d;
  d.Day = int(doy - (153 * mp + 2) / 5 + 1);
  d.Month = int(mp < 10 ? mp + 3 : mp - 9);
  d.Year = yoe + era * 400 + (d.Month <= 2 ? 1 : 0);
  return d;
}

bool TryEncodeDate(int year, int month, int day, double* date) {
  if (year < 1 || year > 9999 || day < 1 || day > DaysInMonth(year, month)) return false;
  *date = double(DayFromDate(year, month, day));
  return true;
}

double EncodeDate(int year, int month, int day) {
  double date = 0;
  if (!TryEncodeDate(year, month, day, &date)) {
    throw EConvertError("Invalid date: year " + std::to_string(year) + ", month " + std::to_string(month) +
                        ", day " + std::to_string(day));
  }
  return date;
}

bool SplitDateTime(long double value, TDateTimeParts* parts) {
  if (!std::isfinite(value) || std::fabs(value) > MaxSplitDays) return false;
  const long double day = std::floor(value);
  int64_t ms = int64_t(std::nearbyint((value - day) * MillisecondsPerDay));
  int64_t whole_day = int64_t(day);
  if (ms >= MillisecondsPerDay) {
    ms -= MillisecondsPerDay;
    ++whole_day;
  }
  parts->Date = DateFromDay(whole_day);
  parts->Time.Hour = int(ms / 3600000);
  parts->Time.Minute = int(ms / 60000 % 60);
  parts->Time.Second = int(ms / 1000 % 60);
  parts->Time.MilliSecond = int(ms % 1000);
  return true;
}

TDateParts DecodeDate(long double value) {
  if (!std::isfinite(value) || std::fabs(value) > MaxSplitDays) return TDateParts{};
  return DateFromDay(int64_t(std::floor(value)));
}

std::string_view ShortMonthName(int month) {
  static constexpr std::array<std::string_view, 12> Names = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                             "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  if (month < 1 || month > 12) return {};
  return Names[size_t(month - 1)];
}

void FormatDateTime(std::string_view picture, long double value, std::string& out) {
  out.clear();
  TDateTimeParts p;
  if (!SplitDateTime(value, &p)) return;
  const bool twelve_hours = HasAmPm(picture);

  size_t i = 0;
  while (i < picture.size()) {
    const char c = picture[i];
    if (c == '"') {
      // Quoted text up to the closing quote; a doubled quote is one quote.
      ++i;
      while (i < picture.size()) {
        if (picture[i] == '"') {
          if (i + 1 < picture.size() && picture[i + 1] == '"') {
            out.push_back('"');
            i += 2;
            continue;
          }
          ++i;
          break;
        }
        out.push_back(picture[i++]);
      }
      continue;
    }
    if (IsAmPmAt(picture, i)) {
      const bool pm = p.Time.Hour >= 12;
      const bool upper = c == 'A';
      out.push_back(upper ? (pm ? 'P' : 'A') : (pm ? 'p' : 'a'));
      out.push_back(upper ? 'M' : 'm');
      i += 5;
      continue;
    }
    const char l = Lower(c);
    const size_t run = RunLength(picture, i, l);
    switch (l) {
      case 'd':
        AppendNumber(out, p.Date.Day, run >= 2 ? 2 : 1);
        i += run >= 2 ? 2 : 1;
        break;
      case 'm':
        if (run >= 3) {
          out.append(ShortMonthName(p.Date.Month));
          i += 3;
        } else {
          AppendNumber(out, p.Date.Month, int(run));
          i += run;
        }
        break;
      case 'y':
        if (run >= 3) {
          AppendNumber(out, p.Date.Year, 4);
        } else {
          const int64_t y = p.Date.Year < 0 ? -p.Date.Year : p.Date.Year;
          AppendNumber(out, y % 100, 2);
        }
        i += run;
        break;
      case 'h': {
        int h = p.Time.Hour;
        if (twelve_hours) h = h % 12 == 0 ? 12 : h % 12;
        AppendNumber(out, h, run >= 2 ? 2 : 1);
        i += run >= 2 ? 2 : 1;
        break;
      }
      case 'n':
        AppendNumber(out, p.Time.Minute, run >= 2 ? 2 : 1);
        i += run >= 2 ? 2 : 1;
        break;
      case 's':
        AppendNumber(out, p.Time.Second, run >= 2 ? 2 : 1);
        i += run >= 2 ? 2 : 1;
        break;
      case 'z':
        AppendNumber(out, p.Time.MilliSecond, run >= 3 ? 3 : int(run));
        i += run >= 3 ? 3 : run;
        break;
      default:
        out.push_back(c);
        ++i;
        break;
    }
  }
}

std::string FormatDateTime(std::string_view picture, long double value) {
  std::string out;
  FormatDateTime(picture, value, out);
  return out;
}

}  // namespace korvo
