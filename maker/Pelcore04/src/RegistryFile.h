#ifndef PELCORE_REGISTRYFILE_H
#define PELCORE_REGISTRYFILE_H

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "RegistryValue.h"

// The contents of a regedit export file ("Windows Registry Editor Version
// 5.00", [KEY] lines, "Name"="text" and "Name"=dword:xxxxxxxx values). Every
// line is kept as read, so that a change rewrites only the lines it touches.
// Key paths and value names match without regard to ASCII letter case;
// "HKLM" and the other short hive names stand for the full ones.
class RegistryFile {
 public:
  // Parses the bytes of a file: UTF-8, or UTF-16LE when they start with its
  // byte-order mark. A malformed line is kept, ignored for lookups and
  // reported with one error message naming `path` and the line number.
  static RegistryFile parse(std::string_view bytes, const std::string& path);

  // The value `name` below `key`; the last one when the file states it more
  // than once. nullopt when there is none.
  std::optional<RegistryValue> find(std::string_view key, std::string_view name) const;

  // Replaces the value in place, or adds it to the key's section, or adds the
  // section at the end. REQUIRES: value is a String or Dword, and key, name
  // and text are registryTextStorable.
  void set(std::string_view key, std::string_view name, const RegistryValue& value);

  // Removes every statement of the value. False when there was none.
  bool remove(std::string_view key, std::string_view name);

  // The file's bytes in the encoding it was read in (a new file: UTF-8).
  std::string serialize() const;

 private:
  enum class Kind { Other, Section, Value, Continuation, Malformed };
  struct Line {
    std::string text;    // without its line ending
    std::string ending;  // "\n", "\r\n", or "\r" or "" for a last line without a LF
    Kind kind = Kind::Other;
    std::string match;   // Section: folded key path; Value: folded name
    std::string name;    // Value: the name as the file spells it
    RegistryValue value;
  };

  void parseLines(std::string_view text, const std::string& path);
  bool sectionMatches(std::size_t sectionLine, const std::string& foldedKey) const;
  std::vector<std::size_t> valueLines(const std::string& foldedKey,
                                      const std::string& foldedName) const;
  std::size_t endOfStatement(std::size_t index) const;
  // True for a hex value's line that ends in a backslash: the file's next
  // line belongs to it.
  static bool asksForContinuation(const Line& line);
  std::string newline() const;
  // Gives a line without a LF (the file's last) the file's line ending, so
  // that a line can follow it.
  void endLine(Line& line) const;

  std::vector<Line> lines_;
  bool utf16_ = false;
  bool utf8Bom_ = false;
};

#endif
