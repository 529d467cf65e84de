#ifndef PELCORE_PELUTF8_H
#define PELCORE_PELUTF8_H

#include <cstddef>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

// Reading UTF-8, for this library's string conversions and for the
// programs that convert text of their own. Inline: they run for every
// character of every row.

inline bool pelIsUtf8Continuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

// How many bytes at the start of text[0, size) are ASCII; sixteen at a time
// where the processor allows, as most texts are mostly ASCII.
inline std::size_t pelAsciiPrefixLength(const unsigned char* text, std::size_t size) {
  std::size_t i = 0;
#ifdef __SSE2__
  for (; i + 16 <= size; i += 16) {
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + i));
    if (_mm_movemask_epi8(bytes) != 0) break;
  }
#endif
  while (i < size && text[i] < 0x80) ++i;
  return i;
}

// The character of the three bytes at text, if they are a well-formed
// three-byte sequence (U+0800 to U+FFFF without the surrogates, where
// Japanese text lies). REQUIRES: three bytes readable at text.
inline bool pelDecodeUtf8ThreeBytes(const unsigned char* text, char32_t& character) {
  const unsigned char lead = text[0];
  if ((lead & 0xF0) != 0xE0 || !pelIsUtf8Continuation(text[1]) ||
      !pelIsUtf8Continuation(text[2])) {
    return false;
  }
  character = (char32_t(lead & 0x0F) << 12) | (char32_t(text[1] & 0x3F) << 6) | (text[2] & 0x3F);
  return character >= 0x800 && (character < 0xD800 || character > 0xDFFF);
}

// Decodes the UTF-8 sequence at text[i] (i < size) into character and
// advances i past it. False for an ill-formed sequence: i then stands after
// its longest well-formed start, at least one byte on, the bytes that one
// U+FFFD replaces.
inline bool pelDecodeUtf8(const unsigned char* text, std::size_t size, std::size_t& i,
                          char32_t& character) {
  const unsigned char lead = text[i];
  if (lead < 0x80) {
    character = lead;
    ++i;
    return true;
  }
  if (i + 2 < size && pelDecodeUtf8ThreeBytes(text + i, character)) {
    i += 3;
    return true;
  }
  std::size_t count;
  unsigned char low = 0x80, high = 0xBF;  // the allowed range of the second byte
  if (lead >= 0xC2 && lead <= 0xDF) {
    count = 1;
    character = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    count = 2;
    character = lead & 0x0F;
    if (lead == 0xE0) low = 0xA0;
    if (lead == 0xED) high = 0x9F;  // no surrogates
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    count = 3;
    character = lead & 0x07;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;
  } else {
    ++i;
    return false;
  }
  ++i;
  for (std::size_t k = 0; k < count; ++k) {
    if (i >= size) return false;
    const unsigned char byte = text[i];
    const bool fits = k == 0 ? (byte >= low && byte <= high) : pelIsUtf8Continuation(byte);
    if (!fits) return false;
    character = (character << 6) | (byte & 0x3F);
    ++i;
  }
  return true;
}

#endif
