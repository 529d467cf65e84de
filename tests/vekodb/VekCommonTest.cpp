#include <gtest/gtest.h>

#include <string>

#include "VekCommon/VekCharStream.h"
#include "VekCommon/VekStringToAscii.h"

TEST(VekCommon, QueryTextsAndTheirUtf8) {
  VekCharStream query;
  query << u"select \"𠮷\" from " << "umAccount" << u" where ac_id = " << -5 << " and 名前";
  EXPECT_EQ(std::u16string(query.c_str()), u"select \"𠮷\" from umAccount where ac_id = -5 and 名前");
  char* converted = nullptr;
  ASSERT_EQ(VekStringToAscii2(query.c_str(), kVekNarrowUtf8, &converted, nullptr), VEK_S_OK);
  EXPECT_EQ(std::string(converted), "select \"𠮷\" from umAccount where ac_id = -5 and 名前");
  VekFreeMemory(converted, nullptr);
  query.Clear();
  EXPECT_EQ(std::u16string(query.c_str()), u"");

  converted = nullptr;
  EXPECT_EQ(VekStringToAscii2(u"x", 1, &converted, nullptr), VEK_E_INVALIDARG);  // not UTF-8
  EXPECT_EQ(converted, nullptr);
  EXPECT_EQ(VekStringToAscii2(u"x", kVekNarrowUtf8, nullptr, nullptr), VEK_E_INVALIDARG);
}
