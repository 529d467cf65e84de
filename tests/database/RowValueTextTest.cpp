#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "RowValueText.h"

// Quotes, empty text, surrogate pairs, -5 and date-times come from a real
// file in AutoCloseDatabaseTest; here nulls, a status other than 1 and the
// extremes, in the one null style the export uses.
TEST(RowValueText, NullsAndExtremesAsTheExportWritesThem) {
  const struct {
    ColumnBinding binding;  // type, status, value, date-time, text
    std::string text;
    int number;
  } cases[] = {
      {{kColumnText, kColumnValueNull, 0, {}, nullptr}, "\"null\"", -1},
      {{kColumnInteger, 0, 9, {}, nullptr}, "\"null\"", -1},  // not 1
      {{kColumnText, 1, 0, {}, u"say \"hi\""}, "\"say \"\"hi\"\"\"", -1},
      {{kColumnInteger, 1, INT_MIN, {}, nullptr}, "-2147483648", INT_MIN},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(columnText(c.binding, kNullQuoted), c.text);
    std::string reused = "left from the row before";
    assignColumnText(reused, c.binding, kNullQuoted);
    EXPECT_EQ(reused, c.text);
    EXPECT_EQ(columnInt(c.binding), c.number);
  }
}
