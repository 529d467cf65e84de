// The CSV writer remembers what iconv gives for each character; the bytes
// must stay exactly those of a conversion by iconv alone.
#include <gtest/gtest.h>

#include <string>

#include "Cp932Text.h"
#include "TestSupport.h"

namespace {

std::string utf8Of(char32_t c) {
  if (c < 0x80) return std::string(1, static_cast<char>(c));
  if (c < 0x800) return {static_cast<char>(0xC0 | (c >> 6)), static_cast<char>(0x80 | (c & 0x3F))};
  return {static_cast<char>(0xE0 | (c >> 12)), static_cast<char>(0x80 | ((c >> 6) & 0x3F)),
          static_cast<char>(0x80 | (c & 0x3F))};
}

}  // namespace

TEST(Cp932Conversion, GivesTheBytesIconvGivesAndQuestionMarksForTheRest) {
  std::string text, expected;
  for (char32_t c = 1; c < 0x10000; ++c) {
    if (c >= 0xD800 && c <= 0xDFFF) continue;
    // Characters between ASCII letters, so that the fast ASCII path and the
    // remembered characters take turns.
    text += utf8Of(c) + "a";
    try {
      expected += cp932(utf8Of(c)) + "a";
    } catch (const std::runtime_error&) {
      expected += "?a";
    }
  }
  // Bytes that are no UTF-8, a sequence cut short by a quote, a character
  // beyond the BMP, an encoded surrogate: one "?" each.
  text += "\xFF" "b\"\xE3\x81\"\xF0\xA0\xAE\xB7\xED\xA0\x80";
  expected += "?b\"?\"??";

  Cp932Text converter;
  bool substituted = false;
  // Twice: the first pass asks iconv, the second uses what was remembered.
  EXPECT_EQ(converter.convert(text, &substituted), expected);
  EXPECT_TRUE(substituted);
  EXPECT_EQ(converter.convert(text), expected);
  EXPECT_EQ(converter.convert("\xE9\xAB\x99\xE3\x80\x9C", &substituted), "\xFB\xFC\x81\x60");  // 髙 and the wave dash
  EXPECT_FALSE(substituted);
}
