// UTF-8 decoding for text: valid forms, every kind of malformed input, and
// never a read past the end.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "platform/graphics/text/Utf8.h"

namespace korvo::text {
namespace {

// Decodes from an exact-size heap copy, so a read past the end is a
// sanitizer error rather than a silent success.
std::u32string Decode(const std::string& bytes) {
  auto copy = std::make_unique<char[]>(bytes.size());
  std::memcpy(copy.get(), bytes.data(), bytes.size());
  std::u32string out;
  const char* p = copy.get();
  const char* end = p + bytes.size();
  while (p != end) {
    const char* before = p;
    out += DecodeUtf8(p, end);
    EXPECT_GT(p, before);
    EXPECT_LE(p, end);
  }
  return out;
}

constexpr char32_t R = ReplacementCharacter;

TEST(Utf8, ValidFormsOfEveryLength) {
  EXPECT_EQ(Decode("A-1.5"), U"A-1.5");
  EXPECT_EQ(Decode(std::string("\0x", 2)), std::u32string(U"\0x", 2));
  EXPECT_EQ(Decode("\xC2\xB5\xC2\xB0\xC3\xA4"), U"\u00B5\u00B0\u00E4");
  EXPECT_EQ(Decode("\xE2\x82\xAC"), U"\u20AC");
  EXPECT_EQ(Decode("\xF0\x9F\x98\x80"), U"\U0001F600");
  // The limits of each length.
  EXPECT_EQ(Decode("\x7F\xC2\x80\xDF\xBF"), U"\u007F\u0080\u07FF");
  EXPECT_EQ(Decode("\xE0\xA0\x80\xEF\xBF\xBF"), U"\u0800\uFFFF");
  EXPECT_EQ(Decode("\xED\x9F\xBF\xEE\x80\x80"), U"\uD7FF\uE000");
  EXPECT_EQ(Decode("\xF0\x90\x80\x80\xF4\x8F\xBF\xBF"), U"\U00010000\U0010FFFF");
}

TEST(Utf8, MalformedInputGivesOneReplacementPerMaximalSubpart) {
  struct Case {
    const char* bytes;
    std::u32string want;
  };
  const std::vector<Case> cases = {
      {"\x80", {R}},                        // stray continuation
      {"\xBF\x80", {R, R}},                 // each stray byte on its own
      {"\xC0\x80", {R, R}},                 // C0 and C1 never start a form
      {"\xC1\xBF", {R, R}},
      {"\xF5\x80\x80\x80", {R, R, R, R}},   // F5..FF never start a form
      {"\xFF", {R}},
      {"\xC3", {R}},                        // truncated at the end
      {"a\xC3", {U'a', R}},
      {"\xE2\x82", {R}},
      {"\xF0\x9F\x98", {R}},
      {"\xC3(", {R, U'('}},                 // the breaking byte starts anew
      {"\xE2\x82(", {R, U'('}},
      {"\xE2\xC2\xB5", {R, U'\u00B5'}},
      {"\xE0\x9F\x80", {R, R, R}},          // overlong three-byte form
      {"\xF0\x8F\xBF\xBF", {R, R, R, R}},   // overlong four-byte form
      {"\xED\xA0\x80", {R, R, R}},          // surrogate
      {"\xF4\x90\x80\x80", {R, R, R, R}},   // above U+10FFFF
      {"\xF0\x9F\x98x", {R, U'x'}},
  };
  for (const Case& c : cases) EXPECT_EQ(Decode(c.bytes), c.want) << testing::PrintToString(std::string(c.bytes));
}

std::string Encode(char32_t c) {
  std::string out = "x";  // appended to, not replaced
  AppendUtf8(out, c);
  return out.substr(1);
}

TEST(Utf8, EncodesEveryLengthUpToItsLimit) {
  EXPECT_EQ(Encode(U'\0'), std::string("\0", 1));
  EXPECT_EQ(Encode(0x7F), "\x7F");
  EXPECT_EQ(Encode(0x80), "\xC2\x80");
  EXPECT_EQ(Encode(0xB5), "\xC2\xB5");
  EXPECT_EQ(Encode(0x7FF), "\xDF\xBF");
  EXPECT_EQ(Encode(0x800), "\xE0\xA0\x80");
  EXPECT_EQ(Encode(0x20AC), "\xE2\x82\xAC");
  EXPECT_EQ(Encode(0xFFFF), "\xEF\xBF\xBF");
  EXPECT_EQ(Encode(0x10000), "\xF0\x90\x80\x80");
  EXPECT_EQ(Encode(0x1F600), "\xF0\x9F\x98\x80");
  EXPECT_EQ(Encode(0x10FFFF), "\xF4\x8F\xBF\xBF");
}

TEST(Utf8, WhatItEncodesDecodesToTheSameCodePoints) {
  std::u32string text;
  std::string bytes;
  for (char32_t c = 0; c <= 0x10FFFF; c += 0x7F) {
    if (c >= 0xD800 && c <= 0xDFFF) continue;  // surrogates are not characters
    text += c;
    AppendUtf8(bytes, c);
  }
  EXPECT_EQ(Decode(bytes), text);
}

}  // namespace
}  // namespace korvo::text
