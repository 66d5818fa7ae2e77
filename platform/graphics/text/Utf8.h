// UTF-8 decoding for text drawing and measuring, and encoding for what
// writes text back out (vector files, form descriptions).
#pragma once

#include <cstdint>
#include <string>

namespace korvo::text {

constexpr char32_t ReplacementCharacter = 0xFFFD;

// Decodes the code point at p (p < end) and moves p past it. Never reads at
// or beyond end. Malformed input (a stray continuation byte, a truncated
// sequence, an overlong form, a surrogate, a value above U+10FFFF, the bytes
// C0, C1 and F5..FF) gives U+FFFD once per maximal ill-formed subpart: p
// moves past the bytes that could still have begun a valid sequence, and the
// byte that broke it starts the next code point.
inline char32_t DecodeUtf8(const char*& p, const char* end) noexcept {
  const auto byte = [](const char* q) { return uint32_t(static_cast<unsigned char>(*q)); };
  const uint32_t b0 = byte(p);
  ++p;
  if (b0 < 0x80) return char32_t(b0);

  int more;
  uint32_t cp;
  uint32_t lo = 0x80, hi = 0xBF;  // allowed range of the second byte
  if (b0 >= 0xC2 && b0 <= 0xDF) {
    more = 1;
    cp = b0 & 0x1F;
  } else if (b0 >= 0xE0 && b0 <= 0xEF) {
    more = 2;
    cp = b0 & 0x0F;
    if (b0 == 0xE0) lo = 0xA0;  // no overlongs
    if (b0 == 0xED) hi = 0x9F;  // no surrogates
  } else if (b0 >= 0xF0 && b0 <= 0xF4) {
    more = 3;
    cp = b0 & 0x07;
    if (b0 == 0xF0) lo = 0x90;  // no overlongs
    if (b0 == 0xF4) hi = 0x8F;  // nothing above U+10FFFF
  } else {
    return ReplacementCharacter;
  }

  for (int i = 0; i < more; ++i) {
    if (p == end) return ReplacementCharacter;
    const uint32_t b = byte(p);
    if (b < lo || b > hi) return ReplacementCharacter;
    cp = (cp << 6) | (b & 0x3F);
    ++p;
    lo = 0x80;
    hi = 0xBF;
  }
  return char32_t(cp);
}

// Appends the UTF-8 form of c, a code point up to U+10FFFF that is not a
// surrogate (what DecodeUtf8 gives).
inline void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += char(c);
  } else if (c < 0x800) {
    out += char(0xC0 | (c >> 6));
    out += char(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += char(0xE0 | (c >> 12));
    out += char(0x80 | ((c >> 6) & 0x3F));
    out += char(0x80 | (c & 0x3F));
  } else {
    out += char(0xF0 | (c >> 18));
    out += char(0x80 | ((c >> 12) & 0x3F));
    out += char(0x80 | ((c >> 6) & 0x3F));
    out += char(0x80 | (c & 0x3F));
  }
}

}  // namespace korvo::text
