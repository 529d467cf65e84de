#ifndef VEKCOMMON_VEKCHARSTREAM_H
#define VEKCOMMON_VEKCHARSTREAM_H

#include <cstddef>
#include <string>

// A growable UTF-16 text built by appending, for query texts and the like.
// Part of the library's interface.
class VekCharStream {
 public:
  // Appends a zero-terminated UTF-16 text; a null pointer appends nothing.
  VekCharStream& operator<<(const char16_t* text);
  // Appends zero-terminated UTF-8 text, converted; invalid sequences become
  // U+FFFD. A null pointer appends nothing.
  VekCharStream& operator<<(const char* text);
  // Appends the number in decimal, with a leading minus when negative.
  VekCharStream& operator<<(int value);

  // Empties the text.
  void Clear();

  // The text, zero-terminated; valid until the next change of the stream.
  const char16_t* c_str() const { return text_.c_str(); }
  std::size_t length() const { return text_.size(); }

 private:
  std::u16string text_;
};

#endif
