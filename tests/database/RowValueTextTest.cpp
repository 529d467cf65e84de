#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "AsciiBuffer.h"
#include "RowValueText.h"
#include "VekCommon/VekStringToAscii.h"

namespace {

ColumnBinding valueOf(std::int32_t type, std::int32_t value = 0, const char16_t* text = nullptr,
                      std::int32_t status = kColumnValuePresent) {
  ColumnBinding b;
  b.type = type;
  b.status = status;
  b.value = value;
  b.text = text;
  return b;
}

ColumnBinding nullOf(std::int32_t type) { return valueOf(type, 0, nullptr, kColumnValueNull); }
ColumnBinding textOf(const char16_t* text) { return valueOf(kColumnText, 0, text); }

}  // namespace

TEST(RowValueText, EveryTypeAndNullStyleAsTheExportWritesIt) {
  ColumnBinding when = valueOf(kColumnDateTime);
  when.dateTime = {2009, 3, 7, 4, 5, 6, 7};
  struct Case {
    ColumnBinding binding;
    int nullStyle;
    std::string text;
    int number;
  };
  const Case cases[] = {
      {nullOf(kColumnText), kNullQuoted, "\"null\"", -1},
      {nullOf(kColumnInteger), kNullBare, "null", -1},
      {nullOf(kColumnDateTime), kNullZero, "0", -1},
      {nullOf(kColumnText), 3, "", -1},
      {valueOf(kColumnInteger, 9, nullptr, 0), kNullQuoted, "\"null\"", -1},  // any status but 1
      {textOf(u"say \"hi\""), kNullQuoted, "\"say \"\"hi\"\"\"", -1},
      {textOf(u"say \"hi\""), kNullBare, "say \"\"hi\"\"", -1},
      {textOf(u""), kNullQuoted, "\"\"", -1},
      {textOf(u"𠮷野家"), kNullQuoted, "\"𠮷野家\"", -1},
      {textOf(u"12"), kNullZero, "12", -1},
      {valueOf(kColumnInteger, -5), kNullQuoted, "-5", -5},
      {valueOf(kColumnInteger, INT_MIN), kNullBare, "-2147483648", INT_MIN},
      {when, kNullQuoted, "2009-03-07 04:05:06.007", -1},
      {valueOf(kColumnBool, 0), kNullQuoted, "1", 1},
      {valueOf(kColumnBool15, 0), kNullQuoted, "1", 1},
      {valueOf(99, 5), kNullQuoted, "", -1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(columnText(c.binding, c.nullStyle), c.text);
    std::string reused = "left from the row before";
    assignColumnText(reused, c.binding, c.nullStyle);
    EXPECT_EQ(reused, c.text);
    EXPECT_EQ(columnInt(c.binding), c.number);
  }
}

TEST(RowValueText, EscapeQuotesDoublesEveryQuoteByte) {
  EXPECT_EQ(escapeQuotes(""), "");
  EXPECT_EQ(escapeQuotes("a\"\"b\""), "a\"\"\"\"b\"\"");
  EXPECT_EQ(escapeQuotes("髙橋 \"ﾃｽﾄ\""), "髙橋 \"\"ﾃｽﾄ\"\"");
}

TEST(AsciiBuffer, FreesItsTextOnceWhateverTheOrder) {
  AsciiBuffer buffer;
  ASSERT_EQ(VekStringToAscii2(u"abc", kVekNarrowUtf8, buffer.address(), nullptr), VEK_S_OK);
  EXPECT_EQ(std::string(buffer.text()), "abc");
  buffer.release();
  EXPECT_EQ(buffer.text(), nullptr);
  buffer.release();
}
