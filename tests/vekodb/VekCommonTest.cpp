#include <gtest/gtest.h>

#include <string>

#include "VekCommon/VekCharStream.h"
#include "VekCommon/VekStringToAscii.h"

TEST(VekCharStream, AppendsTextsAndNumbersAndClears) {
  VekCharStream query;
  query << u"select count(*) from " << "umAccount" << u" where ac_id = " << -5 << " and 名前";
  EXPECT_EQ(std::u16string(query.c_str()), u"select count(*) from umAccount where ac_id = -5 and 名前");
  query.Clear();
  EXPECT_EQ(std::u16string(query.c_str()), u"");
}

TEST(VekStringToAscii2, GivesUtf8ThatVekFreeMemoryFrees) {
  const char16_t unpaired[] = {u'x', 0xD842, u'y', 0};
  const std::pair<const char16_t*, std::string> cases[] = {
      {u"a\"𠮷野家", "a\"\xF0\xA0\xAE\xB7\xE9\x87\x8E\xE5\xAE\xB6"},
      {unpaired, "x\xEF\xBF\xBDy"},
      {nullptr, ""},
  };
  for (const auto& [text, utf8] : cases) {
    char* converted = nullptr;
    ASSERT_EQ(VekStringToAscii2(text, kVekNarrowUtf8, &converted, nullptr), VEK_S_OK);
    EXPECT_EQ(std::string(converted), utf8);
    VekFreeMemory(converted, nullptr);
  }
  char* converted = nullptr;
  EXPECT_EQ(VekStringToAscii2(u"x", 1, &converted, nullptr), VEK_E_INVALIDARG);
  EXPECT_EQ(converted, nullptr);
  EXPECT_EQ(VekStringToAscii2(u"x", kVekNarrowUtf8, nullptr, nullptr), VEK_E_INVALIDARG);
}
