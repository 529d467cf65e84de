#ifndef KEXPORTER_FILES_CP932TEXT_H
#define KEXPORTER_FILES_CP932TEXT_H

#include <iconv.h>

#include <cstddef>
#include <string>

// Turns the program's UTF-8 text into the CP932 bytes that the export files
// carry (glibc iconv "CP932", which picks the codes Windows picks). One object
// holds one converter, set up once: a writer owns one and reuses it for every
// line. Not safe for concurrent use.
class Cp932Text {
 public:
  // Throws std::runtime_error when the C library has no CP932 converter.
  Cp932Text();
  ~Cp932Text();
  Cp932Text(const Cp932Text&) = delete;
  Cp932Text& operator=(const Cp932Text&) = delete;

  // Appends the CP932 bytes of utf8 to out. A character that CP932 cannot
  // hold, and each byte that is not valid UTF-8, becomes one "?". Returns
  // true when it put in such a "?", false when the text converted whole.
  bool appendConverted(const std::string& utf8, std::string& out);

  // The CP932 bytes of utf8; *substituted (when given) tells whether a "?"
  // replaced a character, as appendConverted returns it.
  std::string convert(const std::string& utf8, bool* substituted = nullptr);

 private:
  iconv_t converter_;
};

// The length of utf8 in CP932 bytes, as an operator's limits count it: a
// Japanese character 2, a half-width katakana 1, a character that CP932
// cannot hold 1 (its "?"). Uses one converter per thread.
std::size_t cp932Length(const std::string& utf8);

#endif
