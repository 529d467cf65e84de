// Fuzz target: the CP932 conversion of the export files, which remembers
// iconv's answer per character and copies ASCII as it stands. Its bytes must
// be those of a conversion by iconv alone, whatever the input.
#include <iconv.h>

#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "Cp932Text.h"

namespace {

bool isContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

// The bytes of the sequence iconv stopped at: the whole well-formed
// character, else those up to the first that breaks it, at least 1.
std::size_t badLength(const char* text, std::size_t left) {
  const auto lead = static_cast<unsigned char>(text[0]);
  std::size_t expected = 1;
  if (lead >= 0xC2 && lead <= 0xDF) expected = 2;
  else if (lead >= 0xE0 && lead <= 0xEF) expected = 3;
  else if (lead >= 0xF0 && lead <= 0xF4) expected = 4;
  std::size_t length = 1;
  while (length < expected && length < left && isContinuation(static_cast<unsigned char>(text[length])))
    ++length;
  return length;
}

// The conversion by iconv alone, "?" for what it cannot convert.
std::string byIconv(iconv_t cd, const std::string& utf8, bool& substituted) {
  iconv(cd, nullptr, nullptr, nullptr, nullptr);
  char* in = const_cast<char*>(utf8.data());
  std::size_t inLeft = utf8.size();
  std::string out(2 * utf8.size() + 8, '\0');
  std::size_t used = 0;
  substituted = false;
  while (inLeft > 0) {
    char* to = out.data() + used;
    std::size_t toLeft = out.size() - used;
    const std::size_t result = iconv(cd, &in, &inLeft, &to, &toLeft);
    used = static_cast<std::size_t>(to - out.data());
    if (result != static_cast<std::size_t>(-1)) break;
    const std::size_t skip = errno == EILSEQ ? badLength(in, inLeft) : inLeft;
    in += skip;
    inLeft -= skip;
    out[used++] = '?';
    substituted = true;
  }
  out.resize(used);
  return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static Cp932Text converter;
  static iconv_t reference = iconv_open("CP932", "UTF-8");
  const std::string text(reinterpret_cast<const char*>(data), size);
  bool substituted = false;
  const std::string converted = converter.convert(text, &substituted);
  bool expectedSubstituted = false;
  const std::string expected = byIconv(reference, text, expectedSubstituted);
  if (converted != expected || substituted != expectedSubstituted) std::abort();
  return 0;
}
