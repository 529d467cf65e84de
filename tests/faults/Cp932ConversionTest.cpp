// The CSV writer remembers what iconv gives for each character; the bytes
// must stay exactly those of a conversion by iconv alone.
#include <gtest/gtest.h>
#include <iconv.h>

#include <string>

#include "Cp932Text.h"

namespace {

std::string utf8Of(char32_t c) {
  std::string s;
  if (c < 0x80) {
    s += static_cast<char>(c);
  } else if (c < 0x800) {
    s += static_cast<char>(0xC0 | (c >> 6));
    s += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    s += static_cast<char>(0xE0 | (c >> 12));
    s += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    s += static_cast<char>(0x80 | (c & 0x3F));
  }
  return s;
}

// One character through a fresh iconv conversion: its bytes, or "?".
std::string byIconv(iconv_t cd, const std::string& character) {
  iconv(cd, nullptr, nullptr, nullptr, nullptr);
  char* in = const_cast<char*>(character.data());
  std::size_t inLeft = character.size();
  char bytes[16];
  char* out = bytes;
  std::size_t outLeft = sizeof bytes;
  if (iconv(cd, &in, &inLeft, &out, &outLeft) == static_cast<std::size_t>(-1)) return "?";
  return std::string(bytes, out);
}

}  // namespace

TEST(Cp932Conversion, EveryBmpCharacterGivesTheBytesIconvGives) {
  iconv_t cd = iconv_open("CP932", "UTF-8");
  ASSERT_NE(cd, reinterpret_cast<iconv_t>(-1));
  std::string text, expected;
  bool anyUnmappable = false;
  for (char32_t c = 1; c < 0x10000; ++c) {
    if (c >= 0xD800 && c <= 0xDFFF) continue;
    const std::string character = utf8Of(c);
    const std::string bytes = byIconv(cd, character);
    anyUnmappable |= bytes == "?" && c != '?';
    // Characters between ASCII letters, so that the fast ASCII path and the
    // remembered characters take turns.
    text += character + "a";
    expected += bytes + "a";
  }
  iconv_close(cd);

  Cp932Text converter;
  bool substituted = false;
  // Twice: the first pass asks iconv, the second uses what was remembered.
  EXPECT_EQ(converter.convert(text, &substituted), expected);
  EXPECT_EQ(substituted, anyUnmappable);
  EXPECT_EQ(converter.convert(text), expected);
}

TEST(Cp932Conversion, InvalidUtf8AndCharactersBeyondTheBmpBecomeQuestionMarks) {
  Cp932Text converter;
  struct Case {
    std::string in, out;
  } cases[] = {
      {"a\xFF" "b", "a?b"},
      {"\"\xE3\x81\"", "\"?\""},                 // a sequence cut short by a quote
      {"x\xF0\xA0\xAE\xB7y", "x?y"},             // 𠮷, outside CP932
      {"\xED\xA0\x80", "?"},                     // an encoded surrogate
      {"\xE9\xAB\x99\xE3\x80\x9C", "\xFB\xFC\x81\x60"},  // 髙 and the wave dash
      {"\xC3\xA9t\xC3\xA9", "?t?"},              // é é
  };
  for (const Case& c : cases) {
    bool substituted = false;
    EXPECT_EQ(converter.convert(c.in, &substituted), c.out) << c.in;
    EXPECT_EQ(substituted, c.out.find('?') != std::string::npos) << c.in;
  }
}
