#include <gtest/gtest.h>

#include "Pelcore/PelUnicodeString.h"

TEST(PelUnicodeString, ConvertsUtf8BothWaysAndReplacesInvalidInput) {
  PelUnicodeString s;
  s.allocateCopy("日本語 𠮷 abc", 0, PelCodeTypeUtf8);
  EXPECT_EQ(s.str(), u"日本語 𠮷 abc");
  EXPECT_EQ(s.toUtf8(), "日本語 𠮷 abc");

  // A stray continuation byte, a truncated sequence and an encoded surrogate.
  EXPECT_EQ(pelUtf8ToUtf16("a\x80" "b\xE6\x97" "c\xED\xA0\x80"), u"a\uFFFDb\uFFFDc\uFFFD\uFFFD\uFFFD");
  EXPECT_EQ(pelUtf16ToUtf8(u"x\xD800y\xDC00"), "x\xEF\xBF\xBDy\xEF\xBF\xBD");

  s.allocateCopy("abcdef", 3, PelCodeTypeUtf8);
  EXPECT_EQ(s.str(), u"abc");
  s.allocateCopy(static_cast<const char*>(nullptr), 0, PelCodeTypeUtf8);
  EXPECT_TRUE(s.empty());
}

TEST(PelUnicodeString, CopiesAndAppendsWithLengthZeroMeaningWholeText) {
  PelUnicodeString s;
  s.allocateCopy(u"HKEY_LOCAL_MACHINE", 0);
  s.append(u'\\');
  s.append(u"SOFTWARE!!", 8);
  PelUnicodeString tail(u"\\VEK-more");
  s.append(tail, 4);
  EXPECT_EQ(s.str(), u"HKEY_LOCAL_MACHINE\\SOFTWARE\\VEK");
  // A length beyond the text stops at its terminator.
  s.allocateCopy(u"ab", 10);
  EXPECT_EQ(s.str(), u"ab");

  char16_t buffer[8] = {u'x', u'x', u'x', u'x', u'x', u'x', u'x', u'x'};
  PelUnicodeCharTrait::copy(buffer, u"abc", 0);
  EXPECT_EQ(std::u16string(buffer), u"abc");
  PelUnicodeCharTrait::copy(buffer, u"", 0);
  EXPECT_EQ(buffer[0], u'\0');
}

TEST(PelUnicodeString, ComparesOrdinallyOrIgnoringAsciiCase) {
  const PelUnicodeString remote(u"remote");
  EXPECT_NE(remote.compare(u"Remote"), 0);
  EXPECT_EQ(remote.compare(u"Remote", false, 0), 0);
  EXPECT_EQ(PelUnicodeString(u"INPROCESS").compare(u"InProcess", false, 0), 0);
  EXPECT_LT(PelUnicodeString(u"abc").compare(u"abd"), 0);
  EXPECT_GT(PelUnicodeString(u"abcd").compare(u"abc"), 0);
  EXPECT_LT(PelUnicodeString().compare(u"a"), 0);
  EXPECT_EQ(PelUnicodeString().compare(nullptr), 0);
  EXPECT_EQ(PelUnicodeString(u"Remote-x").compare(u"remote-y", false, 6), 0);
  // Only ASCII letters fold: full-width Ａ and ａ stay different.
  EXPECT_NE(PelUnicodeString(u"Ａ").compare(u"ａ", false, 0), 0);
}
