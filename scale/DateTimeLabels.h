// The pictures of date/time tick labels, built from a scale's DateFormat
// once per drawing. Separators go in as quoted text, so any character may
// serve (a '"' is doubled inside the quotes, a byte of code 0 is left out,
// bytes above 127 are Latin-1 characters written as UTF-8).
#pragma once

#include <cstdint>
#include <string>

#include "base/DTLabel.h"
#include "platform/Export.h"

namespace korvo {

// The kinds of steps of a date/time scale, finest first.
enum class TDateTimeKind : uint8_t { dkHundredths, dkSeconds, dkMinutes, dkHours, dkDays, dkMonths, dkYears };

inline bool IsSubDayKind(TDateTimeKind k) { return k <= TDateTimeKind::dkHours; }

// Time labels of the sub-day kinds (T the time separator):
//   kind        tfHHMMSS           tfHHhMM              tfAMPM
//   hours       hh T nn            h "h"                h am/pm
//   minutes     hh T nn            h "h" nn             h T nn am/pm
//   seconds     hh T nn T ss       h "h" nn T ss        h T nn "." ss am/pm
//   hundredths  hh T nn T ss "." zzz  h "h" nn T ss "." zzz  h T nn "." ss "." zzz am/pm
// Hundredths show three-digit milliseconds: with two digits at least, 10 ms
// and 100 ms would both read ".10"-like and 5.01 s could not be told from
// 5.1 s.
PLOTWELL_API void TimeLabelPicture(TDateTimeKind kind, const TDTLabel& format, std::string& out);

// Date labels of the days and months kinds (S the date separator, M mmm or
// mm after MonthName, Y nothing, yy or yyyy after YearLength; separators stay
// when Y is empty):
//   kind    doMMDDYY      doDDMMYY      doYYMMDD
//   days    M S dd S Y    dd S M S Y    Y S M S dd
//   months  M S Y         M S Y         Y S M
PLOTWELL_API void DateLabelPicture(TDateTimeKind kind, const TDTLabel& format, std::string& out);

// The date line beside time labels: as the days label when Y is not empty;
// without a year M S dd (doMMDDYY, doYYMMDD) or dd S M (doDDMMYY).
PLOTWELL_API void DateLinePicture(const TDTLabel& format, std::string& out);

// A year label: ylNone empty, ylYY the last two digits, ylYYYY the year
// without leading zeros ("987").
PLOTWELL_API void YearLabel(int64_t year, TYearLength length, std::string& out);

}  // namespace korvo
