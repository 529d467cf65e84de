#include "Cp932Text.h"

#include <cstring>
#include <vector>

#include "Cp932Table.h"

#include "Pelcore/PelUnicodeString.h"
#include "Pelcore/PelUtf8.h"

namespace {

// How many bytes of text one "?" stands for where no CP932 character can be
// had: the whole UTF-8 sequence when it is well formed (a character CP932
// lacks), else the bytes up to the first one that breaks it, at least 1.
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

// Whether text[0, left) is the start of a character that the text's end cut
// short: a lead byte of a longer sequence followed only by continuation
// bytes. The converter the files were first written with (glibc's iconv,
// which still knows the five- and six-byte leads of old UTF-8) took all of
// that for one "?", and so does this one.
bool cutShortAtEnd(const unsigned char* text, std::size_t left) {
  const unsigned char lead = text[0];
  std::size_t expected = 0;
  if (lead >= 0xC2 && lead <= 0xDF) expected = 2;
  else if (lead >= 0xE0 && lead <= 0xEF) expected = 3;
  else if (lead >= 0xF0 && lead <= 0xF7) expected = 4;
  else if (lead >= 0xF8 && lead <= 0xFB) expected = 5;
  else if (lead >= 0xFC && lead <= 0xFD) expected = 6;
  if (expected <= left) return false;
  for (std::size_t k = 1; k < left; ++k) {
    if (!pelIsUtf8Continuation(text[k])) return false;
  }
  return true;
}

// The character of the well-formed one-, two- or three-byte UTF-8 sequence
// at text[i] (advancing i past it), or nothing, leaving i, for anything
// else.
bool decodeBmp(const unsigned char* text, std::size_t size, std::size_t& i, char32_t& character) {
  std::size_t next = i;
  if (!pelDecodeUtf8(text, size, next, character) || character > 0xFFFF) return false;
  i = next;
  return true;
}

}  // namespace

Cp932Text::Cp932Text() : codes_(Cp932Table::codes()) {}

bool Cp932Text::appendConverted(const std::string& utf8, std::string& out) {
  const auto* text = reinterpret_cast<const unsigned char*>(utf8.data());
  const std::size_t size = utf8.size();
  std::size_t used = out.size();
  // No character takes more bytes in CP932 than in UTF-8, and a "?" stands
  // for at least one byte.
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
    if (decodeBmp(text, size, i, character)) {
      const std::uint16_t code = codes_[character];
      if (code >= 0x100) out[used++] = static_cast<char>(code >> 8);
      out[used++] = code == 0 ? '?' : static_cast<char>(code & 0xFF);
      substituted = substituted || code == 0;
      continue;
    }
    out[used++] = '?';
    substituted = true;
    if (cutShortAtEnd(text + i, size - i)) break;
    i += badSequenceLength(utf8.data() + i, size - i);
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

namespace {

bool isLeadByte(unsigned char byte) { return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC); }

// The character of each CP932 code, the lowest of those written as it.
struct CharactersByCode {
  std::vector<char16_t> byCode = std::vector<char16_t>(0x10000, 0);
  CharactersByCode() {
    const std::uint16_t* codes = Cp932Table::codes();
    for (std::uint32_t c = 0xFFFF; c > 0; --c) {
      if (codes[c] != 0) byCode[codes[c]] = static_cast<char16_t>(c);
    }
  }
};

}  // namespace

std::string utf8FromCp932(const std::string& cp932) {
  static const CharactersByCode table;
  std::u16string text;
  for (std::size_t i = 0; i < cp932.size(); ++i) {
    std::uint16_t code = static_cast<unsigned char>(cp932[i]);
    if (isLeadByte(static_cast<unsigned char>(code)) && i + 1 < cp932.size())
      code = static_cast<std::uint16_t>(code << 8 | static_cast<unsigned char>(cp932[++i]));
    const char16_t character = table.byCode[code];
    text += code == 0 || character != 0 ? character : u'\uFFFD';
  }
  return pelUtf16ToUtf8(text);
}

std::size_t cp932Length(const std::string& utf8) {
  return Cp932Text().convert(utf8).size();
}
