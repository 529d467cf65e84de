#ifndef KEXPORTER_FILES_PROFILEREADER_H
#define KEXPORTER_FILES_PROFILEREADER_H

#include <optional>
#include <string>

// Reads a value from an INI file by the rules of the Windows private-profile
// reader, which administrators know: "[section]" lines and "key=value"
// lines; section and key names match without regard to ASCII letter case;
// whitespace around names and values is dropped, then one pair of matching
// quotes (" or ') around the whole value; lines starting with ";" are
// comments. Only the first section of a name is searched, and in it the
// first key of a name. CR LF and LF line ends; a UTF-8 byte-order mark is
// skipped.
class ProfileReader {
 public:
  // The value of key in section of the file at path (possibly empty), or
  // nothing when the file, the section or the key is missing. Reads the file
  // anew on every call.
  static std::optional<std::string> read(const std::string& path,
                                         const std::string& section,
                                         const std::string& key);
};

#endif
