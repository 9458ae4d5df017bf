#include "font/utf8.h"

#include <gtest/gtest.h>

namespace korvi::raster {
namespace {

constexpr char32_t R = REPLACEMENT_CHARACTER;

TEST(Utf8, ValidSequencesDecode) {
  struct Case {
    std::string_view bytes;
    std::u32string expected;
  };
  const Case cases[] = {
      {"", U""},
      {"abc", U"abc"},
      {"\xC2\xA9", U"\u00A9"},
      {"\xE4\xB8\xAD\xE6\x96\x87", U"\u4E2D\u6587"},
      {"\xF0\x9F\x98\x80", U"\U0001F600"},
      {"\xF4\x8F\xBF\xBF", U"\U0010FFFF"},
      {std::string_view("a\0b", 3), std::u32string(U"a\0b", 3)},
  };
  for (const Case& c : cases) EXPECT_EQ(decode_utf8(c.bytes), c.expected) << c.bytes;
}

// Each malformed sequence gives one replacement per maximal invalid prefix, and
// decoding goes on with the next byte.
TEST(Utf8, MalformedSequencesBecomeReplacementsAndTheTextGoesOn) {
  struct Case {
    std::string_view bytes;
    std::u32string expected;
  };
  const Case cases[] = {
      {"a\x80z", {U'a', R, U'z'}},                // stray continuation byte
      {"\xC0\xAFz", {R, R, U'z'}},                // overlong lead bytes are never valid
      {"\xE0\x80\x80z", {R, R, R, U'z'}},         // overlong three-byte form
      {"\xED\xA0\x80z", {R, R, R, U'z'}},         // surrogate
      {"\xF4\x90\x80\x80z", {R, R, R, R, U'z'}},  // above U+10FFFF
      {"\xF5z", {R, U'z'}},                       // lead byte that cannot occur
      {"\xE4\xB8z", {R, U'z'}},                   // truncated, then ASCII
      {"\xE4\xB8", {R}},                          // truncated at the end
      {"\xE4\xB8\xE4\xB8\xAD", {R, U'\u4E2D'}},   // truncated, then a whole one
      {"\xF0\x9F\x98", {R}},
      {"\xFF\xFE", {R, R}},
  };
  for (const Case& c : cases) EXPECT_EQ(decode_utf8(c.bytes), c.expected) << c.bytes;
}

TEST(Utf8, AppendRoundTripsScalarValuesAndReplacesTheRest) {
  const char32_t values[] = {0, 0x41, 0x7F, 0x80, 0x7FF, 0x800, 0xFFFD, 0xFFFF, 0x10000, 0x10FFFF};
  for (char32_t v : values) {
    std::string bytes;
    append_utf8(bytes, v);
    EXPECT_EQ(decode_utf8(bytes), std::u32string(1, v)) << static_cast<unsigned>(v);
  }
  for (char32_t bad : {char32_t{0xD800}, char32_t{0xDFFF}, char32_t{0x110000}}) {
    std::string bytes;
    append_utf8(bytes, bad);
    EXPECT_EQ(decode_utf8(bytes), std::u32string(1, R));
  }
}

}  // namespace
}  // namespace korvi::raster
