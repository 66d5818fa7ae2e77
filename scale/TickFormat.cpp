#include "scale/TickFormat.h"

#include <charconv>
#include <cmath>

#include "platform/Calendar.h"

namespace korvo {
namespace {

constexpr std::string_view Asterisks = "********";

// Room for the fixed-point text of any finite long double with 12 decimals
// and more (the largest has 4933 integer digits).
constexpr size_t NumberRoom = 5100;

bool HasNonZeroDigit(std::string_view s) {
  for (char c : s) {
    if (c >= '1' && c <= '9') return true;
  }
  return false;
}

// Appends v (>= 0) with at least `width` digits.
void AppendDigits(std::string& out, Extended v, int width) {
  char buf[64];
  const auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, 0);
  const size_t n = r.ec == std::errc() ? size_t(r.ptr - buf) : 0;
  for (size_t i = n; i < size_t(width); ++i) out.push_back('0');
  out.append(buf, n);
}

}  // namespace

void FormatTickNumber(Extended value, int decimals, std::string& out) {
  out.clear();
  if (!std::isfinite(value)) {
    out.assign(Asterisks);
    return;
  }
  const Extended magnitude = std::fabs(value);
  char buf[NumberRoom];
  if (decimals >= 0) {
    const auto r = std::to_chars(buf, buf + sizeof buf, magnitude, std::chars_format::fixed, decimals);
    if (r.ec != std::errc()) {
      out.assign(Asterisks);
      return;
    }
    const std::string_view digits(buf, size_t(r.ptr - buf));
    if (std::signbit(value) && HasNonZeroDigit(digits)) out.push_back('-');
    out.append(digits);
    return;
  }
  // "d.de+XX": the exponent has at least two digits.
  const auto r = std::to_chars(buf, buf + sizeof buf, magnitude, std::chars_format::scientific, 1);
  const std::string_view text(buf, size_t(r.ptr - buf));
  const size_t e = text.find('e');
  if (r.ec != std::errc() || e == std::string_view::npos || text.size() - e - 2 > 2) {
    out.assign(Asterisks);
    return;
  }
  out.push_back(std::signbit(value) && HasNonZeroDigit(text.substr(0, e)) ? '-' : ' ');
  out.append(text.substr(0, e));
  out.push_back('E');
  out.append(text.substr(e + 1));
}

std::string FormatTickNumber(Extended value, int decimals) {
  std::string out;
  FormatTickNumber(value, decimals, out);
  return out;
}

int AutoDecPlaces(int decPlaces, Extended rangeHigh, Extended rangeLow) {
  if (decPlaces != -2 && decPlaces != -3) return decPlaces;
  const Extended d = std::fabs(rangeHigh - rangeLow);
  if (!(d < 1000000) || d <= 0.0001L) return -1;
  if (d >= 100) return 0;
  return int(2 - Round(std::log(d) / 2.5L));
}

int AutoDecPlacesLog(int decPlaces, Extended upper, Extended lower) {
  if (decPlaces != -2) return decPlaces;
  const Extended d = upper - lower;
  if (!(d < 1000000) || d <= 0.0001L) return -1;
  if (lower >= 1) return 0;
  const Extended l = std::log10(std::fabs(lower));
  if (!std::isfinite(l)) return -1;
  return int(1 - Round(l));
}

void ApplyInscript(std::string_view text, std::string_view inscript, std::string& out) {
  out.clear();
  if (text.empty()) return;
  const size_t amp = inscript.find('&');
  if (amp == std::string_view::npos) {
    out.append(inscript);
    out.append(text);
    return;
  }
  out.append(inscript.substr(0, amp));
  out.append(text);
  out.append(inscript.substr(amp + 1));
}

std::string ApplyInscript(std::string_view text, std::string_view inscript) {
  std::string out;
  ApplyInscript(text, inscript, out);
  return out;
}

std::string_view UserTickTextItem(std::string_view text, int index) {
  size_t start = 0;
  for (int field = 1; field < index; ++field) {
    const size_t bar = text.find('|', start);
    if (bar == std::string_view::npos) break;  // beyond the last: keep the last
    start = bar + 1;
  }
  const size_t end = text.find('|', start);
  return text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start);
}

void FormatSeconds(Extended seconds, bool withMilliseconds, std::string& out) {
  out.clear();
  if (!std::isfinite(seconds)) {
    out.assign(Asterisks);
    return;
  }
  const Extended total_ms = Round(std::fabs(seconds) * 1000);
  if (total_ms >= 9223372036854775808.0L) {
    out.assign(Asterisks);
    return;
  }
  out.push_back(seconds < 0 && total_ms != 0 ? '-' : ' ');
  const Extended hours = Int(total_ms / 3600000);
  const Extended rest = total_ms - hours * 3600000;  // exact below 2^64 ms
  const int minutes = int(Int(rest / 60000));
  const int secs = int(Int((rest - minutes * 60000.0L) / 1000));
  const int ms = int(rest - minutes * 60000.0L - secs * 1000.0L);
  AppendDigits(out, hours, 2);
  out.push_back(':');
  AppendDigits(out, minutes, 2);
  out.push_back(':');
  AppendDigits(out, secs, 2);
  if (withMilliseconds) {
    out.push_back('.');
    AppendDigits(out, ms, 3);
  }
}

std::string FormatSeconds(Extended seconds, bool withMilliseconds) {
  std::string out;
  FormatSeconds(seconds, withMilliseconds, out);
  return out;
}

void DateTimeText(std::string_view picture, Extended value, std::string& out) {
  if (std::fabs(value) < 1e-8L) value = 0;
  FormatDateTime(picture, value, out);
}

std::string DateTimeText(std::string_view picture, Extended value) {
  std::string out;
  DateTimeText(picture, value, out);
  return out;
}

void CutLabel(std::string& text, size_t maxChars) {
  size_t chars = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    // Count lead bytes only; continuation bytes are 10xxxxxx.
    if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) {
      if (chars == maxChars) {
        text.resize(i);
        return;
      }
      ++chars;
    }
  }
}

void StripTrailingZeros(std::string& text) {
  if (text.find('.') == std::string::npos || text.find_first_of("eE") != std::string::npos) return;
  while (!text.empty() && text.back() == '0') text.pop_back();
  if (!text.empty() && text.back() == '.') text.pop_back();
}

}  // namespace korvo
