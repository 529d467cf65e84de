#include "Cp932Text.h"

#include <cerrno>
#include <stdexcept>

namespace {

const iconv_t kNoConverter = reinterpret_cast<iconv_t>(-1);

bool isContinuationByte(unsigned char byte) { return (byte & 0xC0) == 0x80; }

// How many bytes of text make the character iconv stopped at: its whole
// UTF-8 sequence when it is well formed (a character CP932 lacks), else the
// bytes up to the first one that breaks it, at least 1 (invalid UTF-8).
std::size_t badSequenceLength(const char* text, std::size_t left) {
  unsigned char lead = static_cast<unsigned char>(text[0]);
  std::size_t expected = 1;
  if (lead >= 0xC2 && lead <= 0xDF) expected = 2;
  else if (lead >= 0xE0 && lead <= 0xEF) expected = 3;
  else if (lead >= 0xF0 && lead <= 0xF4) expected = 4;
  std::size_t length = 1;
  while (length < expected && length < left &&
         isContinuationByte(static_cast<unsigned char>(text[length]))) {
    ++length;
  }
  return length;
}

}  // namespace

Cp932Text::Cp932Text() : converter_(iconv_open("CP932", "UTF-8")) {
  if (converter_ == kNoConverter) {
    throw std::runtime_error("iconv has no UTF-8 to CP932 converter");
  }
}

Cp932Text::~Cp932Text() { iconv_close(converter_); }

bool Cp932Text::appendConverted(const std::string& utf8, std::string& out) {
  iconv(converter_, nullptr, nullptr, nullptr, nullptr);
  char* in = const_cast<char*>(utf8.data());
  std::size_t inLeft = utf8.size();
  std::size_t used = out.size();
  // A UTF-8 character never needs more CP932 bytes than twice its own.
  out.resize(used + 2 * inLeft + 2);
  bool substituted = false;
  while (inLeft > 0) {
    char* to = out.data() + used;
    std::size_t toLeft = out.size() - used;
    std::size_t result = iconv(converter_, &in, &inLeft, &to, &toLeft);
    used = to - out.data();
    if (result != static_cast<std::size_t>(-1)) break;
    if (errno == E2BIG) {
      out.resize(out.size() * 2);
      continue;
    }
    std::size_t skip = errno == EILSEQ ? badSequenceLength(in, inLeft) : inLeft;
    in += skip;
    inLeft -= skip;
    if (used == out.size()) out.resize(out.size() + 2 * inLeft + 2);
    out[used++] = '?';
    substituted = true;
  }
  out.resize(used);
  return substituted;
}

std::string Cp932Text::convert(const std::string& utf8, bool* substituted) {
  std::string out;
  bool replaced = appendConverted(utf8, out);
  if (substituted) *substituted = replaced;
  return out;
}

std::size_t cp932Length(const std::string& utf8) {
  thread_local Cp932Text text;
  return text.convert(utf8).size();
}
