// Tokens of an input (a form description, a value) quoted in error messages.
// A token is quoted whole up to MaxQuoted bytes; a longer one is cut there
// (at a character boundary), marked with "..." and followed by its length,
// so that a huge token cannot make a huge message:
//   'TPlotwellWithAVeryLongNameThatGoesOnAnd...' (10485760 characters)
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace korvo {

constexpr size_t MaxQuoted = 40;

// The token as it stands, or its first MaxQuoted bytes, "..." and
// " (N characters)".
inline std::string Excerpt(std::string_view token, std::string_view open = "", std::string_view close = "") {
  if (token.size() <= MaxQuoted) return std::string(open) + std::string(token) + std::string(close);
  size_t cut = MaxQuoted;
  while (cut > 0 && (static_cast<unsigned char>(token[cut]) & 0xC0) == 0x80) --cut;  // not inside a UTF-8 character
  return std::string(open) + std::string(token.substr(0, cut)) + "..." + std::string(close) + " (" +
         std::to_string(token.size()) + " characters)";
}

// The same in single quotes: 'maPanX'.
inline std::string Quoted(std::string_view token) { return Excerpt(token, "'", "'"); }

}  // namespace korvo
