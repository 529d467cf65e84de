#ifndef KEXPORTER_FILES_CP932TEXT_H
#define KEXPORTER_FILES_CP932TEXT_H

#include <iconv.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>

// Turns the program's UTF-8 text into the CP932 bytes that the export files
// carry (glibc iconv "CP932", which picks the codes Windows picks). One object
// holds one converter, set up once: a writer owns one and reuses it for every
// line. What the converter gives for each character is remembered, so a
// character costs iconv only the first time. Not safe for concurrent use.
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
  // The CP932 bytes of one character, as remembered: 0 not asked yet,
  // else kKnown with the byte count and the bytes, or kKnown | kUnmappable.
  using Entry = std::uint32_t;
  static constexpr Entry kKnown = 1u << 24;
  static constexpr Entry kUnmappable = 1u << 25;

  Entry entryOf(char32_t character);
  Entry askConverter(char32_t character);
  // The iconv loop over the whole text: the way for invalid UTF-8 and
  // characters beyond U+FFFF, which CP932 never holds.
  bool appendByConverter(const char* text, std::size_t size, std::string& out);

  struct FreeEntries {
    void operator()(Entry* entries) const { std::free(entries); }
  };

  iconv_t converter_;
  // Per character of U+0000 to U+FFFF. From calloc: the system's zero pages
  // take memory only where a character was met.
  std::unique_ptr<Entry[], FreeEntries> entries_;
};

// The length of utf8 in CP932 bytes, as an operator's limits count it: a
// Japanese character 2, a half-width katakana 1, a character that CP932
// cannot hold 1 (its "?"). Uses one converter per thread.
std::size_t cp932Length(const std::string& utf8);

#endif
