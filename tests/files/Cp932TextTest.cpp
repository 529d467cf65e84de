// Built and run on both platforms: the Windows build, under Wine, must give
// the bytes that the Linux build gives (which the fault tests hold against
// glibc's iconv), from the same compiled-in table.
#include "Cp932Text.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace {

std::string utf8Of(char32_t c) {
  if (c < 0x80) return std::string(1, static_cast<char>(c));
  if (c < 0x800) return {static_cast<char>(0xC0 | (c >> 6)), static_cast<char>(0x80 | (c & 0x3F))};
  return {static_cast<char>(0xE0 | (c >> 12)), static_cast<char>(0x80 | ((c >> 6) & 0x3F)),
          static_cast<char>(0x80 | (c & 0x3F))};
}

// Every character of the BMP converted, as the Linux build gives it.
constexpr std::size_t kEveryCharacterBytes = 72700;
constexpr std::uint64_t kEveryCharacterHash = 0xf83abcc909fa87b9u;

std::uint64_t fnv1a(const std::string& bytes) {
  std::uint64_t hash = 0xcbf29ce484222325u;
  for (unsigned char byte : bytes) hash = (hash ^ byte) * 0x100000001b3u;
  return hash;
}

}  // namespace

TEST(Cp932Text, GivesTheSameBytesOnEveryPlatform) {
  Cp932Text converter;
  std::string everyCharacter;
  for (char32_t c = 1; c < 0x10000; ++c) {
    if (c < 0xD800 || c > 0xDFFF) everyCharacter += utf8Of(c);
  }
  const std::string bytes = converter.convert(everyCharacter);
  EXPECT_EQ(bytes.size(), kEveryCharacterBytes);
  EXPECT_EQ(fnv1a(bytes), kEveryCharacterHash);

  bool substituted = true;
  // 髙, the wave dash, the minus sign, the yen sign, a half-width katakana.
  EXPECT_EQ(converter.convert("\xE9\xAB\x99\xE3\x80\x9C\xE2\x88\x92\xC2\xA5\xEF\xBD\xB1", &substituted),
            "\xFB\xFC\x81\x60\x81\x7C\x5C\xB1");
  EXPECT_FALSE(substituted);
  // é, a character beyond the BMP, a stray byte, a character cut short.
  EXPECT_EQ(converter.convert("\xC3\xA9|\xF0\xA0\xAE\xB7|\xFF|\xE3\x81", &substituted), "?|?|?|?");
  EXPECT_TRUE(substituted);
  EXPECT_EQ(cp932Length("\xE3\x81\x82\xEF\xBD\xB1\xC3\xA9"), 4u);  // あ, ｱ, é
}
