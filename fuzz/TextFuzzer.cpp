// Fuzz target: the text conversions with fast paths of their own (UTF-8 and
// UTF-16 in the common library, CP932 from its compiled-in table). What
// iconv converts whole they must give byte for byte; what it refuses they
// must mark as replaced.
#include <iconv.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "Cp932Text.h"
#include "Pelcore/PelUnicodeString.h"

namespace {

// `text` converted by iconv to `to`; `whole` tells whether all of it converted.
std::string byIconv(const char* to, const char* from, const std::string& text, bool& whole) {
  const iconv_t cd = iconv_open(to, from);
  std::string out(4 * text.size() + 4, '\0');
  char* in = const_cast<char*>(text.data());
  char* at = out.data();
  std::size_t inLeft = text.size(), outLeft = out.size();
  whole = iconv(cd, &in, &inLeft, &at, &outLeft) != static_cast<std::size_t>(-1);
  iconv_close(cd);
  out.resize(out.size() - outLeft);
  return out;
}

void require(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static Cp932Text cp932;
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  bool whole = false;
  const std::string utf16 = byIconv("UTF-16LE", "UTF-8", bytes, whole);
  const std::u16string units = pelUtf8ToUtf16(bytes);
  const std::string unitBytes(reinterpret_cast<const char*>(units.data()), 2 * units.size());
  require(whole ? unitBytes == utf16 : units.find(u'\uFFFD') != std::u16string::npos);

  std::u16string raw(size / 2, u'\0');
  std::memcpy(raw.data(), data, raw.size() * 2);
  const std::string utf8 = byIconv("UTF-8", "UTF-16LE", bytes.substr(0, raw.size() * 2), whole);
  const std::string back = pelUtf16ToUtf8(raw);
  require(whole ? back == utf8 : back.find("\xEF\xBF\xBD") != std::string::npos);

  bool substituted = false;
  const std::string expected = byIconv("CP932", "UTF-8", bytes, whole);
  const std::string converted = cp932.convert(bytes, &substituted);
  require(whole ? converted == expected && !substituted : substituted);
  return 0;
}
