#ifndef PELCORE_PELUNICODESTRING_H
#define PELCORE_PELUNICODESTRING_H

#include <cstddef>
#include <string>
#include <string_view>

// Code type of narrow text handed to allocateCopy: 3 is UTF-8, the narrow
// encoding of this platform.
constexpr int PelCodeTypeUtf8 = 3;

// The common library's UTF-16 string. Length arguments of 0 mean "up to the
// terminating zero".
class PelUnicodeString {
 public:
  PelUnicodeString() = default;
  explicit PelUnicodeString(const char16_t* text);
  explicit PelUnicodeString(std::u16string text) : text_(std::move(text)) {}

  // Replaces the content with `length` characters of `text` (0: whole text).
  // A null pointer gives the empty text.
  void allocateCopy(const char16_t* text, std::size_t length);
  // Replaces the content with narrow text converted by `codeType` (3: UTF-8).
  // Invalid UTF-8 sequences become U+FFFD.
  void allocateCopy(const char* narrow, std::size_t length, int codeType);

  void append(const PelUnicodeString& other, std::size_t length);
  void append(char16_t c);
  void append(const char16_t* text, std::size_t length);

  // Ordinal comparison of whole texts: below, equal to or above 0.
  int compare(const char16_t* text) const;
  // With caseSensitive false, ASCII letters compare without regard to case.
  // `length` 0 compares whole texts, otherwise at most `length` characters.
  int compare(const char16_t* text, bool caseSensitive, std::size_t length) const;

  const char16_t* c_str() const { return text_.c_str(); }
  const std::u16string& str() const { return text_; }
  std::size_t length() const { return text_.size(); }
  bool empty() const { return text_.empty(); }

  // UTF-8 for messages and file names; unpaired surrogates become U+FFFD.
  std::string toUtf8() const;
  static PelUnicodeString fromUtf8(std::string_view text);

  bool operator==(const PelUnicodeString& other) const = default;

 private:
  std::u16string text_;
};

// Length of a zero-terminated UTF-16 text; 0 for a null pointer.
std::size_t pelTextLength(const char16_t* text);

// UTF-8 <-> UTF-16 without a PelUnicodeString; invalid input becomes U+FFFD.
std::string pelUtf16ToUtf8(std::u16string_view text);
std::u16string pelUtf8ToUtf16(std::string_view text);
// As pelUtf16ToUtf8, into `out`, which must have room for 3 bytes per UTF-16
// unit of `text` (the most any text needs); no zero is added. Returns the
// number of bytes written.
std::size_t pelUtf16ToUtf8(std::u16string_view text, char* out);
// As pelUtf8ToUtf16, into `out`, which must have room for one UTF-16 unit
// per byte of `text` (the most any text needs); no zero is added. Returns
// the number of units written.
std::size_t pelUtf8ToUtf16(std::string_view text, char16_t* out);

class PelUnicodeCharTrait {
 public:
  // Copies src with its terminating zero into dst (length 0: whole text).
  // REQUIRES: dst has room for the text and its terminator.
  static void copy(char16_t* dst, const char16_t* src, std::size_t length);
};

#endif
