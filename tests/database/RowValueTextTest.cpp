#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "RowValueText.h"

// Quotes, empty text, surrogate pairs, -5 and date-times come from a real
// file in AutoCloseDatabaseTest; here the null styles and the other types.
TEST(RowValueText, NullStylesAndTypesAsTheExportWritesThem) {
  const struct {
    ColumnBinding binding;  // type, status, value, date-time, text
    int nullStyle;
    std::string text;
    int number;
  } cases[] = {
      {{kColumnText, kColumnValueNull, 0, {}, nullptr}, kNullQuoted, "\"null\"", -1},
      {{kColumnInteger, kColumnValueNull, 0, {}, nullptr}, kNullBare, "null", -1},
      {{kColumnDateTime, kColumnValueNull, 0, {}, nullptr}, kNullZero, "0", -1},
      {{kColumnText, kColumnValueNull, 0, {}, nullptr}, 3, "", -1},
      {{kColumnInteger, 0, 9, {}, nullptr}, kNullQuoted, "\"null\"", -1},  // not 1
      {{kColumnText, 1, 0, {}, u"say \"hi\""}, kNullBare, "say \"\"hi\"\"", -1},
      {{kColumnText, 1, 0, {}, u"12"}, kNullZero, "12", -1},
      {{kColumnInteger, 1, INT_MIN, {}, nullptr}, kNullBare, "-2147483648", INT_MIN},
      {{kColumnBool, 1, 0, {}, nullptr}, kNullQuoted, "1", 1},
      {{kColumnBool15, 1, 0, {}, nullptr}, kNullQuoted, "1", 1},
      {{99, 1, 5, {}, nullptr}, kNullQuoted, "", -1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(columnText(c.binding, c.nullStyle), c.text);
    std::string reused = "left from the row before";
    assignColumnText(reused, c.binding, c.nullStyle);
    EXPECT_EQ(reused, c.text);
    EXPECT_EQ(columnInt(c.binding), c.number);
  }
}
