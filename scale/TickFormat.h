// Tick label texts: numbers, inscripts, user texts, times of day and
// date/time pictures. Every function writes into a string the caller passes
// (and reuses), so labelling a scale allocates nothing once the buffers have
// room; the returning variants are for convenience.
#pragma once

#include <string>
#include <string_view>

#include "platform/Export.h"
#include "scale/ScaleMath.h"

namespace korvo {

// A number as a tick label.
//  decimals >= 0  fixed point with exactly that many decimals, '.' as the
//                 decimal point, '-' for negatives, no padding, no grouping
//                 ("12.50", "-3", "0.0"). A value that shows as zero has no
//                 sign ("0.00" for -0.001).
//  decimals < 0   exponent form: sign (a space for values >= 0, '-' below),
//                 one digit, '.', one digit, 'E', exponent sign, two exponent
//                 digits (" 1.2E+03", "-5.0E-07"); when the exponent needs
//                 three digits the text is eight asterisks.
// NaN and infinities give eight asterisks in both forms.
PLOTWELL_API void FormatTickNumber(Extended value, int decimals, std::string& out);
PLOTWELL_API std::string FormatTickNumber(Extended value, int decimals);

// Decimals for labels of a linear scale. DecPlaces other than -2 and -3 come
// back unchanged; otherwise, with d = |rangeHigh - rangeLow|: d >= 1e6 or
// d <= 1e-4 gives -1 (exponent form), d >= 100 gives 0, else
// 2 - Round(ln d / 2.5) (a span of 10 gives 1, 1 gives 2, 0.1 gives 3).
PLOTWELL_API int AutoDecPlaces(int decPlaces, Extended rangeHigh, Extended rangeLow);

// Decimals for labels of a logarithmic scale. DecPlaces other than -2 come
// back unchanged; otherwise upper - lower >= 1e6 or <= 1e-4 gives -1,
// lower >= 1 gives 0, else 1 - Round(log10 |lower|) (0.5 gives 1, 0.01 gives 3).
PLOTWELL_API int AutoDecPlacesLog(int decPlaces, Extended upper, Extended lower);

// The label inside its inscript: an empty text stays empty; otherwise the
// text replaces the first '&' of the inscript ("& kg" turns 12 into
// "12 kg"), and an inscript without '&' goes in front ("$" gives "$12").
// `text` must not alias `out`.
PLOTWELL_API void ApplyInscript(std::string_view text, std::string_view inscript, std::string& out);
PLOTWELL_API std::string ApplyInscript(std::string_view text, std::string_view inscript);

// The index-th (1-based) of the texts separated by '|'. An index beyond the
// last text gives the last one (empty when the text ends with '|'); an index
// below 1 gives the first. "Jan|Feb|Mar" gives Jan, Feb, Mar, Mar, ...
PLOTWELL_API std::string_view UserTickTextItem(std::string_view text, int index);

// Seconds as a time of day: a space (values >= 0) or '-', then hours with at
// least two digits, ':', minutes, ':', seconds, each with two digits, and
// with milliseconds '.' and three digits: " 01:30:05", " 00:00:00.250",
// "-00:01:15.500". The value is first rounded to whole milliseconds (halves
// to even) and then split, so a tick computed as 59.9999999999 s reads
// 00:01:00, never 00:00:59 or 00:00:59.1000; without milliseconds the
// seconds are then truncated (59.7 s reads 00:00:59). NaN, infinities and
// values of 2^63 ms (about 292 million years) or more give eight asterisks.
PLOTWELL_API void FormatSeconds(Extended seconds, bool withMilliseconds, std::string& out);
PLOTWELL_API std::string FormatSeconds(Extended seconds, bool withMilliseconds);

// A date value written with a picture (FormatDateTime in platform/Calendar.h
// gives the picture language); a value within 1e-8 of 0 counts as 0.
PLOTWELL_API void DateTimeText(std::string_view picture, Extended value, std::string& out);
PLOTWELL_API std::string DateTimeText(std::string_view picture, Extended value);

// Cuts a label to its first `maxChars` characters (UTF-8 code points).
PLOTWELL_API void CutLabel(std::string& text, size_t maxChars);

// Removes trailing zeros after a decimal point, then a trailing '.', from a
// text that has a '.' and no exponent ("0.50" -> "0.5", "2.000" -> "2").
PLOTWELL_API void StripTrailingZeros(std::string& text);

}  // namespace korvo
