// The CP932 table compiled into both builds must give exactly the bytes of
// glibc's iconv "CP932", and text that is no UTF-8 must come out as the
// iconv loop that first wrote the files made it.
#include <gtest/gtest.h>
#include <iconv.h>

#include <cerrno>
#include <string>

#include "Cp932Text.h"
#include "TestSupport.h"

namespace {

std::string utf8Of(char32_t c) {
  if (c < 0x80) return std::string(1, static_cast<char>(c));
  if (c < 0x800) return {static_cast<char>(0xC0 | (c >> 6)), static_cast<char>(0x80 | (c & 0x3F))};
  return {static_cast<char>(0xE0 | (c >> 12)), static_cast<char>(0x80 | ((c >> 6) & 0x3F)),
          static_cast<char>(0x80 | (c & 0x3F))};
}

std::size_t skippedBytes(const char* text, std::size_t left) {
  const unsigned char lead = static_cast<unsigned char>(text[0]);
  std::size_t expected = 1;
  if (lead >= 0xC2 && lead <= 0xDF) expected = 2;
  else if (lead >= 0xE0 && lead <= 0xEF) expected = 3;
  else if (lead >= 0xF0 && lead <= 0xF4) expected = 4;
  std::size_t length = 1;
  while (length < expected && length < left && (static_cast<unsigned char>(text[length]) & 0xC0) == 0x80) {
    ++length;
  }
  return length;
}

// The conversion as the program made it with iconv alone: each refused
// sequence one "?", a sequence cut short at the end "?" for all that is left.
std::string byIconvLoop(iconv_t converter, const std::string& text) {
  iconv(converter, nullptr, nullptr, nullptr, nullptr);
  char* in = const_cast<char*>(text.data());
  std::size_t inLeft = text.size();
  std::string out(2 * text.size() + 2, '\0');
  std::size_t used = 0;
  while (inLeft > 0) {
    char* to = out.data() + used;
    std::size_t toLeft = out.size() - used;
    const std::size_t result = iconv(converter, &in, &inLeft, &to, &toLeft);
    used = to - out.data();
    if (result != static_cast<std::size_t>(-1)) break;
    const std::size_t skip = errno == EILSEQ ? skippedBytes(in, inLeft) : inLeft;
    in += skip;
    inLeft -= skip;
    out[used++] = '?';
  }
  out.resize(used);
  return out;
}

}  // namespace

TEST(Cp932Conversion, GivesTheBytesIconvGivesAndQuestionMarksForTheRest) {
  std::string text, expected;
  for (char32_t c = 1; c < 0x10000; ++c) {
    if (c >= 0xD800 && c <= 0xDFFF) continue;
    // Characters between ASCII letters, so that the fast ASCII path and the
    // table take turns.
    text += utf8Of(c) + "a";
    try {
      expected += cp932(utf8Of(c)) + "a";
    } catch (const std::runtime_error&) {
      expected += "?a";
    }
  }
  Cp932Text converter;
  bool substituted = false;
  EXPECT_EQ(converter.convert(text, &substituted), expected);
  EXPECT_TRUE(substituted);
}

TEST(Cp932Conversion, TextThatIsNoUtf8ComesOutAsTheIconvLoopMadeIt) {
  // Bytes from every class UTF-8 knows (ASCII, continuation, overlong and
  // surrogate starts, leads of each length, bytes never used), in every
  // order up to four, and at the end of a text as well as before ASCII.
  const std::string bytes("\x41\x80\x8F\x90\x9F\xA0\xBF\xC0\xC1\xC2\xDF\xE0\xE3\xED\xEF\xF0\xF4\xF5\xF7\xF8\xFB\xFC\xFD\xFE\xFF",
                          25);
  const iconv_t converter = iconv_open("CP932", "UTF-8");
  ASSERT_NE(converter, reinterpret_cast<iconv_t>(-1));
  Cp932Text table;
  int differences = 0;
  for (std::size_t a = 0; a < bytes.size(); ++a) {
    for (std::size_t b = 0; b <= bytes.size(); ++b) {
      for (std::size_t c = 0; c <= bytes.size(); ++c) {
        for (std::size_t d = 0; d <= bytes.size(); ++d) {
          std::string text(1, bytes[a]);
          for (std::size_t k : {b, c, d}) {
            if (k < bytes.size()) text += bytes[k];
          }
          for (const std::string& whole : {text, text + "z"}) {
            if (table.convert(whole) != byIconvLoop(converter, whole) && ++differences <= 5) {
              ADD_FAILURE() << "differs for " << testing::PrintToString(whole);
            }
          }
        }
      }
    }
  }
  iconv_close(converter);
  EXPECT_EQ(differences, 0);
}
