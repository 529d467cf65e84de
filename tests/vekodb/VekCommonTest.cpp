#include <gtest/gtest.h>

#include <string>

#include "VekCommon/VekCharStream.h"
#include "VekCommon/VekStringToAscii.h"

TEST(VekCharStream, AppendsTextsAndNumbersAndClears) {
  VekCharStream query;
  query << u"select count(*) from " << "umAccount" << u" where ac_id = " << -5 << " and 名前";
  EXPECT_EQ(std::u16string(query.c_str()), u"select count(*) from umAccount where ac_id = -5 and 名前");
  query << static_cast<const char16_t*>(nullptr) << static_cast<const char*>(nullptr);
  EXPECT_EQ(query.length(), std::u16string(query.c_str()).size());
  query.Clear();
  EXPECT_EQ(std::u16string(query.c_str()), u"");
}

TEST(VekStringToAscii2, GivesUtf8ThatVekFreeMemoryFrees) {
  char* text = nullptr;
  ASSERT_EQ(VekStringToAscii2(u"a\"𠮷野家", kVekNarrowUtf8, &text, nullptr), VEK_S_OK);
  EXPECT_EQ(std::string(text), "a\"\xF0\xA0\xAE\xB7\xE9\x87\x8E\xE5\xAE\xB6");
  VekFreeMemory(text, nullptr);

  const char16_t unpaired[] = {u'x', 0xD842, u'y', 0};
  ASSERT_EQ(VekStringToAscii2(unpaired, kVekNarrowUtf8, &text, nullptr), VEK_S_OK);
  EXPECT_EQ(std::string(text), "x\xEF\xBF\xBDy");
  VekFreeMemory(text, nullptr);

  ASSERT_EQ(VekStringToAscii2(nullptr, kVekNarrowUtf8, &text, nullptr), VEK_S_OK);
  EXPECT_EQ(std::string(text), "");
  VekFreeMemory(text, nullptr);

  EXPECT_EQ(VekStringToAscii2(u"x", 1, &text, nullptr), VEK_E_INVALIDARG);
  EXPECT_EQ(text, nullptr);
  EXPECT_EQ(VekStringToAscii2(u"x", kVekNarrowUtf8, nullptr, nullptr), VEK_E_INVALIDARG);
  VekFreeMemory(nullptr, nullptr);
}
