#ifndef KEXPORTER_FILES_CP932TEXT_H
#define KEXPORTER_FILES_CP932TEXT_H

#include <cstddef>
#include <cstdint>
#include <string>

// Turns the program's UTF-8 text into the CP932 bytes that the export files
// carry: the codes of glibc's iconv "CP932", which picks the codes Windows
// picks, from the table compiled into both builds (Cp932Table). Bytes that
// are no UTF-8 become "?" exactly as that converter's callers made them.
// Holds no state of its own: cheap to make, one per writer as before.
class Cp932Text {
 public:
  Cp932Text();
  Cp932Text(const Cp932Text&) = delete;
  Cp932Text& operator=(const Cp932Text&) = delete;

  // Appends the CP932 bytes of utf8 to out. A character that CP932 cannot
  // hold, and each byte that is not valid UTF-8, becomes one "?"; so does a
  // character cut short at the very end of the text, with all that is left
  // of it. Returns true when it put in such a "?", false when the text
  // converted whole.
  bool appendConverted(const std::string& utf8, std::string& out);

  // The CP932 bytes of utf8; *substituted (when given) tells whether a "?"
  // replaced a character, as appendConverted returns it.
  std::string convert(const std::string& utf8, bool* substituted = nullptr);

 private:
  const std::uint16_t* codes_;
};

// The UTF-8 text of CP932 bytes, by the same table read backwards: a byte
// or byte pair that no character is written as becomes U+FFFD.
std::string utf8FromCp932(const std::string& cp932);

// The length of utf8 in CP932 bytes, as an operator's limits count it: a
// Japanese character 2, a half-width katakana 1, a character that CP932
// cannot hold 1 (its "?").
std::size_t cp932Length(const std::string& utf8);

#endif
