#include <gtest/gtest.h>

#include <string>

#include "Pelcore/PelUnicodeString.h"

namespace {

const std::string kBad = "\xEF\xBF\xBD";  // U+FFFD in UTF-8

// Both ways through the string and the buffer forms, which share the ASCII
// and three-byte fast paths.
std::u16string toUtf16(const std::string& utf8) {
  std::u16string buffer(utf8.size(), u'\0');
  buffer.resize(pelUtf8ToUtf16(utf8, buffer.data()));
  EXPECT_EQ(buffer, pelUtf8ToUtf16(utf8));
  return buffer;
}

std::string toUtf8(const std::u16string& utf16) {
  std::string buffer(3 * utf16.size(), '\0');
  buffer.resize(pelUtf16ToUtf8(utf16, buffer.data()));
  EXPECT_EQ(buffer, pelUtf16ToUtf8(utf16));
  return buffer;
}

}  // namespace

// Runs longer and shorter than the sixteen characters the fast paths take
// at a time, with each kind of character at their ends.
TEST(PelUnicodeString, Utf8AndUtf16RoundTripAndIllFormedInputBecomesReplacementCharacters) {
  const std::string a15(15, 'a'), b16(16, 'b');
  const std::u16string ua15(15, u'a'), ub16(16, u'b');
  const std::pair<std::string, std::u16string> wellFormed[] = {
      {"", u""},
      {b16 + b16, ub16 + ub16},
      {a15 + "é" + b16 + "漢字" + a15 + "\xF0\xA0\xAE\xB7" + "z", ua15 + u"é" + ub16 + u"漢字" + ua15 + u"\xD842\xDFB7z"},
      {"日本語のテキストが十六文字以上続いています。", u"日本語のテキストが十六文字以上続いています。"},
      {"\x7F\xC2\x80\xDF\xBF\xE0\xA0\x80\xEF\xBF\xBF\xF4\x8F\xBF\xBF",  // each length's first and last
       u"\x7F\x80\u07FF\u0800\uFFFF\xDBFF\xDFFF"},
  };
  for (const auto& [utf8, utf16] : wellFormed) {
    EXPECT_EQ(toUtf16(utf8), utf16) << utf8;
    EXPECT_EQ(toUtf8(utf16), utf8) << utf8;
  }
  // One replacement for each maximal part of a sequence that could have
  // been well-formed, the usual practice.
  const std::pair<std::string, std::u16string> badUtf8[] = {
      {"\xFF" + b16, u"\uFFFD" + ub16},
      {"a\xE3\x81", u"a\uFFFD"},                 // cut short at the end
      {"\xE3\x81" "a", u"\uFFFDa"},              // cut short by a character
      {"\xC0\xAF", u"\uFFFD\uFFFD"},             // overlong
      {"\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD"},   // an encoded surrogate
      {"\xF4\x90\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD"},  // beyond U+10FFFF
  };
  for (const auto& [utf8, utf16] : badUtf8) EXPECT_EQ(toUtf16(utf8), utf16) << utf8;
  const std::pair<std::u16string, std::string> badUtf16[] = {
      {u"\xD800" + ub16, kBad + b16}, {u"\xDC00\xD800", kBad + kBad}, {ua15 + u"\xD83D", a15 + kBad}};
  for (const auto& [utf16, utf8] : badUtf16) EXPECT_EQ(toUtf8(utf16), utf8) << utf8;
}
