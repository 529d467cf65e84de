// Built and run on both platforms: the Windows build, under Wine, must give
// the bytes of glibc's iconv "CP932", from the same compiled-in table.
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

// Every character of the BMP as iconv converts it, a refused one as "?",
// each followed by an ASCII letter, so that the ASCII path and the table
// take turns.
constexpr std::size_t kEveryCharacterBytes = 136187;
constexpr std::uint64_t kEveryCharacterHash = 0xbd8c378d81a9c5b8u;
// The texts of the test below as the program's first loop around iconv made
// them: each refused sequence one "?", one cut short at the end "?" for all
// that is left; each text followed by a line feed.
constexpr std::size_t kNoUtf8Bytes = 4474086;
constexpr std::uint64_t kNoUtf8Hash = 0x99f573fb5d76fe0du;

std::uint64_t fnv1a(const std::string& bytes) {
  std::uint64_t hash = 0xcbf29ce484222325u;
  for (unsigned char byte : bytes) hash = (hash ^ byte) * 0x100000001b3u;
  return hash;
}

}  // namespace

TEST(Cp932Text, GivesTheBytesIconvGivesOnEveryPlatform) {
  Cp932Text converter;
  std::string everyCharacter;
  for (char32_t c = 1; c < 0x10000; ++c) {
    if (c < 0xD800 || c > 0xDFFF) everyCharacter += utf8Of(c) + "a";
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

// Bytes from every class UTF-8 knows (ASCII, continuation, overlong and
// surrogate starts, leads of each length, bytes never used), in every order
// up to four, at the end of a text and before ASCII.
TEST(Cp932Text, TextThatIsNoUtf8ComesOutAsTheIconvLoopMadeIt) {
  const std::string bytes("\x41\x80\x8F\x90\x9F\xA0\xBF\xC0\xC1\xC2\xDF\xE0\xE3\xED\xEF\xF0\xF4\xF5\xF7\xF8\xFB\xFC\xFD\xFE\xFF",
                          25);
  Cp932Text converter;
  std::string converted;
  for (std::size_t a = 0; a < bytes.size(); ++a) {
    for (std::size_t b = 0; b <= bytes.size(); ++b) {
      for (std::size_t c = 0; c <= bytes.size(); ++c) {
        for (std::size_t d = 0; d <= bytes.size(); ++d) {
          std::string text(1, bytes[a]);
          for (std::size_t k : {b, c, d}) {
            if (k < bytes.size()) text += bytes[k];
          }
          converted += converter.convert(text) + "\n" + converter.convert(text + "z") + "\n";
        }
      }
    }
  }
  EXPECT_EQ(converted.size(), kNoUtf8Bytes);
  EXPECT_EQ(fnv1a(converted), kNoUtf8Hash);
}
