#include <gtest/gtest.h>

#include <string>

#include "AsciiBuffer.h"
#include "RowValueText.h"
#include "VekCommon/VekStringToAscii.h"

namespace {

ColumnBinding nullOf(std::int32_t type) {
  ColumnBinding b;
  b.type = type;
  b.status = kColumnValueNull;
  return b;
}

ColumnBinding textOf(const char16_t* text) {
  ColumnBinding b;
  b.type = kColumnText;
  b.status = kColumnValuePresent;
  b.text = text;
  return b;
}

ColumnBinding integerOf(std::int32_t type, std::int32_t value) {
  ColumnBinding b;
  b.type = type;
  b.status = kColumnValuePresent;
  b.value = value;
  return b;
}

}  // namespace

TEST(RowValueText, NullsFollowTheNullStyle) {
  for (std::int32_t type : {kColumnText, kColumnInteger, kColumnDateTime}) {
    EXPECT_EQ(columnText(nullOf(type), 0), "\"null\"");
    EXPECT_EQ(columnText(nullOf(type), 1), "null");
    EXPECT_EQ(columnText(nullOf(type), 2), "0");
    EXPECT_EQ(columnText(nullOf(type), 3), "");
    EXPECT_EQ(columnInt(nullOf(type)), -1);
  }
  ColumnBinding absent = integerOf(kColumnInteger, 9);
  absent.status = 0;  // any status but 1 is null
  EXPECT_EQ(columnText(absent, 0), "\"null\"");
}

TEST(RowValueText, TextsAreUtf8WithQuotesDoubled) {
  EXPECT_EQ(columnText(textOf(u"say \"hi\""), 0), "\"say \"\"hi\"\"\"");
  EXPECT_EQ(columnText(textOf(u"say \"hi\""), 1), "say \"\"hi\"\"");
  EXPECT_EQ(columnText(textOf(u""), 0), "\"\"");
  EXPECT_EQ(columnText(textOf(u"𠮷野家"), 0), "\"𠮷野家\"");
  EXPECT_EQ(columnText(textOf(u"\""), 2), "\"\"");
  EXPECT_EQ(columnInt(textOf(u"12")), -1);
}

TEST(RowValueText, NumbersDateTimesAndFlags) {
  EXPECT_EQ(columnText(integerOf(kColumnInteger, -5), 0), "-5");
  EXPECT_EQ(columnText(integerOf(kColumnInteger, -5), 1), "-5");
  EXPECT_EQ(columnInt(integerOf(kColumnInteger, -5)), -5);
  EXPECT_EQ(columnText(integerOf(kColumnInteger, -2147483647 - 1), 0), "-2147483648");

  ColumnBinding when;
  when.type = kColumnDateTime;
  when.status = kColumnValuePresent;
  when.dateTime = {2009, 3, 7, 4, 5, 6, 7};
  EXPECT_EQ(columnText(when, 0), "2009-03-07 04:05:06.007");
  EXPECT_EQ(columnInt(when), -1);

  EXPECT_EQ(columnText(integerOf(kColumnBool, 0), 0), "1");
  EXPECT_EQ(columnText(integerOf(kColumnBool15, 0), 0), "1");
  EXPECT_EQ(columnInt(integerOf(kColumnBool, 0)), 1);
  EXPECT_EQ(columnInt(integerOf(kColumnBool15, 0)), 1);
  EXPECT_EQ(columnText(integerOf(99, 5), 0), "");
  EXPECT_EQ(columnInt(integerOf(99, 5)), -1);
}

TEST(RowValueText, EscapeQuotesDoublesEveryQuoteByte) {
  EXPECT_EQ(escapeQuotes(""), "");
  EXPECT_EQ(escapeQuotes("\""), "\"\"");
  EXPECT_EQ(escapeQuotes("a\"\"b\""), "a\"\"\"\"b\"\"");
  EXPECT_EQ(escapeQuotes("髙橋 \"ﾃｽﾄ\""), "髙橋 \"\"ﾃｽﾄ\"\"");
}

TEST(AsciiBuffer, FreesItsTextOnceWhateverTheOrder) {
  AsciiBuffer buffer;
  EXPECT_EQ(buffer.text(), nullptr);
  ASSERT_EQ(VekStringToAscii2(u"abc", kVekNarrowUtf8, buffer.address(), nullptr), VEK_S_OK);
  EXPECT_EQ(std::string(buffer.text()), "abc");
  buffer.release();
  EXPECT_EQ(buffer.text(), nullptr);
  buffer.release();
}
