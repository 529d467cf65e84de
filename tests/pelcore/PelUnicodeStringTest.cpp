#include <gtest/gtest.h>

#include "Pelcore/PelUnicodeString.h"

TEST(PelUnicodeString, ConvertsUtf8BothWaysAndReplacesInvalidInput) {
  PelUnicodeString s;
  s.allocateCopy("日本語 𠮷 abc", 0, PelCodeTypeUtf8);
  EXPECT_EQ(s.str(), u"日本語 𠮷 abc");
  EXPECT_EQ(s.toUtf8(), "日本語 𠮷 abc");
  s.allocateCopy("abcdef", 3, PelCodeTypeUtf8);
  EXPECT_EQ(s.str(), u"abc");

  // A stray continuation byte, a truncated sequence and an encoded surrogate.
  EXPECT_EQ(pelUtf8ToUtf16("a\x80" "b\xE6\x97" "c\xED\xA0\x80"), u"a\uFFFDb\uFFFDc\uFFFD\uFFFD\uFFFD");
  EXPECT_EQ(pelUtf16ToUtf8(u"x\xD800y\xDC00"), "x\xEF\xBF\xBDy\xEF\xBF\xBD");
}

TEST(PelUnicodeString, ComparesOrdinallyOrIgnoringAsciiCase) {
  struct Case {
    const char16_t* left;
    const char16_t* right;
    bool caseSensitive;
    int length;
    int sign;
  };
  const Case cases[] = {
      {u"remote", u"Remote", true, 0, 1},       {u"remote", u"Remote", false, 0, 0},
      {u"INPROCESS", u"InProcess", false, 0, 0}, {u"abc", u"abd", true, 0, -1},
      {u"abcd", u"abc", true, 0, 1},             {u"", u"a", true, 0, -1},
      {u"Remote-x", u"remote-y", false, 6, 0},
      {u"Ａ", u"ａ", false, 0, -1},  // only ASCII letters fold
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(PelUnicodeString(c.left).toUtf8() + " / " + PelUnicodeString(c.right).toUtf8());
    const int result = c.caseSensitive ? PelUnicodeString(c.left).compare(c.right)
                                       : PelUnicodeString(c.left).compare(c.right, false, c.length);
    EXPECT_EQ((result > 0) - (result < 0), c.sign);
  }
}
