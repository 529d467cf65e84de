#include "Cp932Text.h"

#include <cerrno>
#include <cstring>
#include <new>
#include <stdexcept>

#include "Pelcore/PelUtf8.h"

namespace {

const iconv_t kNoConverter = reinterpret_cast<iconv_t>(-1);

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
         pelIsUtf8Continuation(static_cast<unsigned char>(text[length]))) {
    ++length;
  }
  return length;
}

// The character of the well-formed UTF-8 sequence of at most three bytes
// at text[i] (advancing i past it), or nothing, leaving i, for anything
// else.
bool decodeBmp(const unsigned char* text, std::size_t size, std::size_t& i, char32_t& character) {
  std::size_t next = i;
  if (!pelDecodeUtf8(text, size, next, character) || character > 0xFFFF) return false;
  i = next;
  return true;
}

}  // namespace

Cp932Text::Cp932Text() : converter_(iconv_open("CP932", "UTF-8")) {
  if (converter_ == kNoConverter) {
    throw std::runtime_error("iconv has no UTF-8 to CP932 converter");
  }
}

Cp932Text::~Cp932Text() { iconv_close(converter_); }

Cp932Text::Entry Cp932Text::entryOf(char32_t character) {
  if (!entries_) {
    entries_.reset(static_cast<Entry*>(std::calloc(0x10000, sizeof(Entry))));
    if (!entries_) throw std::bad_alloc();
  }
  Entry& entry = entries_[character];
  if (entry == 0) entry = askConverter(character);
  return entry;
}

Cp932Text::Entry Cp932Text::askConverter(char32_t character) {
  char utf8[3];
  std::size_t size = 0;
  if (character < 0x80) {
    utf8[size++] = static_cast<char>(character);
  } else if (character < 0x800) {
    utf8[size++] = static_cast<char>(0xC0 | (character >> 6));
    utf8[size++] = static_cast<char>(0x80 | (character & 0x3F));
  } else {
    utf8[size++] = static_cast<char>(0xE0 | (character >> 12));
    utf8[size++] = static_cast<char>(0x80 | ((character >> 6) & 0x3F));
    utf8[size++] = static_cast<char>(0x80 | (character & 0x3F));
  }
  iconv(converter_, nullptr, nullptr, nullptr, nullptr);
  char* in = utf8;
  std::size_t inLeft = size;
  char bytes[8];
  char* to = bytes;
  std::size_t toLeft = sizeof bytes;
  if (iconv(converter_, &in, &inLeft, &to, &toLeft) == static_cast<std::size_t>(-1) ||
      sizeof bytes - toLeft > 2) {
    return kKnown | kUnmappable;
  }
  const std::size_t count = sizeof bytes - toLeft;
  Entry entry = kKnown | Entry(count) << 16;
  for (std::size_t k = 0; k < count; ++k) entry |= Entry(static_cast<unsigned char>(bytes[k])) << (8 * k);
  return entry;
}

bool Cp932Text::appendConverted(const std::string& utf8, std::string& out) {
  const auto* text = reinterpret_cast<const unsigned char*>(utf8.data());
  const std::size_t size = utf8.size();
  std::size_t used = out.size();
  // No character takes more bytes in CP932 than in UTF-8.
  out.resize(used + size);
  bool substituted = false;
  std::size_t i = 0;
  while (i < size) {
    // ASCII is the same in CP932: copied as it stands.
    const std::size_t ascii = pelAsciiPrefixLength(text + i, size - i);
    std::memcpy(out.data() + used, text + i, ascii);
    used += ascii;
    i += ascii;
    if (i == size) break;
    char32_t character;
    if (!decodeBmp(text, size, i, character)) {
      out.resize(used);
      return appendByConverter(utf8.data() + i, size - i, out) || substituted;
    }
    const Entry entry = entryOf(character);
    if (entry & kUnmappable) {
      out[used++] = '?';
      substituted = true;
      continue;
    }
    const Entry count = (entry >> 16) & 0xFF;
    if (count >= 1) out[used++] = static_cast<char>(entry & 0xFF);
    if (count == 2) out[used++] = static_cast<char>((entry >> 8) & 0xFF);
  }
  out.resize(used);
  return substituted;
}

bool Cp932Text::appendByConverter(const char* text, std::size_t size, std::string& out) {
  iconv(converter_, nullptr, nullptr, nullptr, nullptr);
  char* in = const_cast<char*>(text);
  std::size_t inLeft = size;
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
