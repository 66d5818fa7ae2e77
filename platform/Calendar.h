// Calendar arithmetic on date values: a date value counts days since
// 1899-12-30 00:00 (day 0), and its fraction is the time of day
// (0.5 = noon). Dates follow the proleptic Gregorian calendar.
//
//   0001-01-01 = -693593   1899-12-30 = 0   1900-03-01 = 61
//   2000-01-01 = 36526     9999-12-31 = 2958465
//
// For a value v the calendar day is floor(v) and the time of day v - floor(v),
// also for negative values: -0.25 is 18:00 on 1899-12-29.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/Export.h"

namespace korvo {

// The first and the last day that EncodeDate accepts (years 1 to 9999).
constexpr int32_t MinDateDay = -693593;
constexpr int32_t MaxDateDay = 2958465;

struct TDateParts {
  int64_t Year = 0;
  int Month = 0;  // 1..12
  int Day = 0;    // 1..31
  friend bool operator==(const TDateParts&, const TDateParts&) = default;
};

struct TTimeParts {
  int Hour = 0;         // 0..23
  int Minute = 0;       // 0..59
  int Second = 0;       // 0..59
  int MilliSecond = 0;  // 0..999
  friend bool operator==(const TTimeParts&, const TTimeParts&) = default;
};

PLOTWELL_API bool IsLeapYear(int64_t year);
// Days in the month (1..12) of the year; 0 for a month outside 1..12.
PLOTWELL_API int DaysInMonth(int64_t year, int month);

// The day number of a calendar date and back, for any year (no range check;
// years up to +-10^12 stay exact). Month and day must be valid.
PLOTWELL_API int64_t DayFromDate(int64_t year, int month, int day);
PLOTWELL_API TDateParts DateFromDay(int64_t day);

// The date value of a date of the years 1..9999. An invalid date (month 13,
// 30 February, year 0) gives false and leaves *date alone; EncodeDate raises
// EConvertError naming the date instead.
PLOTWELL_API bool TryEncodeDate(int year, int month, int day, double* date);
PLOTWELL_API double EncodeDate(int year, int month, int day);

// A date value split into calendar day and time of day, the time rounded to
// the nearest millisecond (halves to even); a time that rounds up to 24:00
// moves to 00:00 of the next day. False for NaN, infinities and values
// beyond +-10^12 days, which have no date.
struct TDateTimeParts {
  TDateParts Date;
  TTimeParts Time;
};
PLOTWELL_API bool SplitDateTime(long double value, TDateTimeParts* parts);
// The date of a date value (the day of floor(value)); Year 0 for values
// SplitDateTime rejects.
PLOTWELL_API TDateParts DecodeDate(long double value);

// English three-letter month names: "Jan" .. "Dec"; empty outside 1..12.
PLOTWELL_API std::string_view ShortMonthName(int month);

// Writes a date value as a picture says, replacing `out`'s contents (no
// allocation once `out` has room). Tokens (letters in either case):
//   d dd       day of the month; dd with two digits
//   m mm mmm   month number; mm with two digits; mmm its short name
//   yy yyyy    last two digits of the year; the year with at least four
//              digits (a lone y or yyy counts as yy or yyyy)
//   h hh       hour; hh with two digits. When the picture contains am/pm
//              the hour is on the 12-hour clock: 0 shows 12, 13..23 show 1..11
//   n nn       minutes; nn with two digits
//   s ss       seconds; ss with two digits
//   z zz zzz   milliseconds; zz with at least two digits, zzz with three
//   am/pm      "am" before noon, "pm" from noon on (written as in the
//              picture's case: AM/PM gives "AM")
//   "text"     copied unchanged; "" inside quotes stands for one "
// Any other character is copied. A value SplitDateTime rejects gives an
// empty text.
PLOTWELL_API void FormatDateTime(std::string_view picture, long double value, std::string& out);
PLOTWELL_API std::string FormatDateTime(std::string_view picture, long double value);

}  // namespace korvo
