#include "Pelcore/PelUnicodeString.h"

#include <algorithm>

#include "Pelcore/PelAsciiText.h"
#include "Pelcore/PelUtf8.h"

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace {

constexpr char32_t kReplacement = 0xFFFD;

// Length of at most `limit` characters, stopping at a terminating zero, so a
// length larger than the text never reads past its end.
template <typename Char>
std::size_t boundedLength(const Char* text, std::size_t limit) {
  if (text == nullptr) return 0;
  std::size_t n = 0;
  while ((limit == 0 || n < limit) && text[n] != 0) ++n;
  return n;
}

// The ASCII characters at the start of text[0, size) copied to out, which is
// advanced past them; returns how many. Most database texts are ASCII, so
// this runs sixteen characters at a time where the processor allows, each
// block checked and widened in one pass rather than scanned first.
std::size_t copyAsciiRun(const char* text, std::size_t size, char16_t*& out) {
  std::size_t i = 0;
#ifdef __SSE2__
  const __m128i zero = _mm_setzero_si128();
  for (; i + 16 <= size; i += 16) {
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + i));
    if (_mm_movemask_epi8(bytes) != 0) break;
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out), _mm_unpacklo_epi8(bytes, zero));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + 8), _mm_unpackhi_epi8(bytes, zero));
    out += 16;
  }
#endif
  for (; i < size && static_cast<unsigned char>(text[i]) < 0x80; ++i) *out++ = static_cast<char16_t>(text[i]);
  return i;
}

std::size_t copyAsciiRun(const char16_t* text, std::size_t size, char*& out) {
  std::size_t i = 0;
#ifdef __SSE2__
  const __m128i highBits = _mm_set1_epi16(static_cast<short>(0xFF80));
  const __m128i zero = _mm_setzero_si128();
  for (; i + 16 <= size; i += 16) {
    const __m128i low = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + i));
    const __m128i high = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + i + 8));
    const __m128i beyond = _mm_and_si128(_mm_or_si128(low, high), highBits);
    if (_mm_movemask_epi8(_mm_cmpeq_epi16(beyond, zero)) != 0xFFFF) break;
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out), _mm_packus_epi16(low, high));
    out += 16;
  }
#endif
  for (; i < size && text[i] < 0x80; ++i) *out++ = static_cast<char>(text[i]);
  return i;
}

// The well-formed three-byte UTF-8 characters (U+0800 to U+FFFF without the
// surrogates: Japanese text) at the start of text[0, size) decoded to out,
// which is advanced past them; returns how many bytes were read.
std::size_t copyThreeByteRun(const char* text, std::size_t size, char16_t*& out) {
  const auto* bytes = reinterpret_cast<const unsigned char*>(text);
  std::size_t i = 0;
  char32_t c;
  while (i + 2 < size && pelDecodeUtf8ThreeBytes(bytes + i, c)) {
    *out++ = static_cast<char16_t>(c);
    i += 3;
  }
  return i;
}

// Writes the UTF-8 bytes of cp at out; returns the position after them.
char* putUtf8(char* out, char32_t cp) {
  if (cp < 0x80) {
    *out++ = static_cast<char>(cp);
  } else if (cp < 0x800) {
    *out++ = static_cast<char>(0xC0 | (cp >> 6));
    *out++ = static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    *out++ = static_cast<char>(0xE0 | (cp >> 12));
    *out++ = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    *out++ = static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    *out++ = static_cast<char>(0xF0 | (cp >> 18));
    *out++ = static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    *out++ = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    *out++ = static_cast<char>(0x80 | (cp & 0x3F));
  }
  return out;
}

// Decodes one UTF-8 sequence at text[i]; an ill-formed one gives U+FFFD and
// is consumed up to its longest well-formed start, the usual practice for
// replacement characters.
char32_t decodeUtf8(std::string_view text, std::size_t& i) {
  char32_t cp;
  const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
  return pelDecodeUtf8(bytes, text.size(), i, cp) ? cp : kReplacement;
}

}  // namespace

std::size_t pelTextLength(const char16_t* text) { return boundedLength(text, 0); }

std::string pelUtf16ToUtf8(std::u16string_view text) {
  std::string out(3 * text.size(), '\0');
  out.resize(pelUtf16ToUtf8(text, out.data()));
  return out;
}

std::size_t pelUtf16ToUtf8(std::u16string_view text, char* out) {
  char* const start = out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    i += copyAsciiRun(text.data() + i, text.size() - i, out);
    if (i == text.size()) break;
    const char16_t c = text[i];
    if (c < 0x80) {
      *out++ = static_cast<char>(c);
    } else if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
               text[i + 1] <= 0xDFFF) {
      out = putUtf8(out, 0x10000 + ((char32_t(c) - 0xD800) << 10) + (text[i + 1] - 0xDC00));
      ++i;
    } else if (c >= 0xD800 && c <= 0xDFFF) {
      out = putUtf8(out, kReplacement);
    } else if (c >= 0x800) {
      // Japanese text is mostly here: three bytes, written in place.
      out[0] = static_cast<char>(0xE0 | (c >> 12));
      out[1] = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out[2] = static_cast<char>(0x80 | (c & 0x3F));
      out += 3;
    } else {
      out = putUtf8(out, c);
    }
  }
  return static_cast<std::size_t>(out - start);
}

std::u16string pelUtf8ToUtf16(std::string_view text) {
  // A UTF-8 text never has more UTF-16 units than bytes.
  std::u16string out(text.size(), u'\0');
  out.resize(pelUtf8ToUtf16(text, out.data()));
  return out;
}

std::size_t pelUtf8ToUtf16(std::string_view text, char16_t* out) {
  char16_t* to = out;
  std::size_t i = 0;
  while (i < text.size()) {
    i += copyAsciiRun(text.data() + i, text.size() - i, to);
    if (i == text.size()) break;
    i += copyThreeByteRun(text.data() + i, text.size() - i, to);
    if (i == text.size()) break;
    const auto lead = static_cast<unsigned char>(text[i]);
    if (lead < 0x80) continue;
    char32_t cp = decodeUtf8(text, i);
    if (cp >= 0x10000) {
      cp -= 0x10000;
      *to++ = static_cast<char16_t>(0xD800 + (cp >> 10));
      cp = 0xDC00 + (cp & 0x3FF);
    }
    *to++ = static_cast<char16_t>(cp);
  }
  return static_cast<std::size_t>(to - out);
}

PelUnicodeString::PelUnicodeString(const char16_t* text) { allocateCopy(text, 0); }

void PelUnicodeString::allocateCopy(const char16_t* text, std::size_t length) {
  if (text == nullptr) {
    text_.clear();
    return;
  }
  text_.assign(text, boundedLength(text, length));
}

void PelUnicodeString::allocateCopy(const char* narrow, std::size_t length, int /*codeType*/) {
  // Every code type is read as UTF-8: it is the one narrow encoding here.
  if (narrow == nullptr) {
    text_.clear();
    return;
  }
  text_ = pelUtf8ToUtf16(std::string_view(narrow, boundedLength(narrow, length)));
}

void PelUnicodeString::append(const PelUnicodeString& other, std::size_t length) {
  const std::size_t n = length == 0 ? other.text_.size() : std::min(length, other.text_.size());
  text_.append(other.text_, 0, n);
}

void PelUnicodeString::append(char16_t c) { text_ += c; }

void PelUnicodeString::append(const char16_t* text, std::size_t length) {
  if (text == nullptr) return;
  text_.append(text, boundedLength(text, length));
}

int PelUnicodeString::compare(const char16_t* text) const { return compare(text, true, 0); }

int PelUnicodeString::compare(const char16_t* text, bool caseSensitive, std::size_t length) const {
  const std::u16string_view other(text == nullptr ? u"" : text);
  const std::size_t limit = length == 0 ? std::max(text_.size(), other.size()) : length;
  for (std::size_t i = 0; i < limit; ++i) {
    const bool endMine = i >= text_.size();
    const bool endOther = i >= other.size();
    if (endMine || endOther) return endMine == endOther ? 0 : (endMine ? -1 : 1);
    char16_t a = text_[i];
    char16_t b = other[i];
    if (!caseSensitive) {
      a = pelAsciiLower(a);
      b = pelAsciiLower(b);
    }
    if (a != b) return a < b ? -1 : 1;
  }
  return 0;
}

std::string PelUnicodeString::toUtf8() const { return pelUtf16ToUtf8(text_); }

PelUnicodeString PelUnicodeString::fromUtf8(std::string_view text) {
  return PelUnicodeString(pelUtf8ToUtf16(text));
}

void PelUnicodeCharTrait::copy(char16_t* dst, const char16_t* src, std::size_t length) {
  const std::size_t n = boundedLength(src, length);
  std::copy(src, src + n, dst);
  dst[n] = 0;
}
