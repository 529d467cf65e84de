#ifndef KEXPORTER_FILES_PROFILEREADER_H
#define KEXPORTER_FILES_PROFILEREADER_H

#include <cstddef>
#include <optional>
#include <string>

// Reads a value from an INI file by the rules of the Windows private-profile
// reader, which administrators know, the same on every platform:
// "[section]" lines and "key=value" lines; section and key names match
// without regard to ASCII letter case; whitespace around names and values is
// dropped, then one pair of matching quotes (" or ') around the whole value;
// lines starting with ";" are comments. Only the first section of a name is
// searched, and in it the first key of a name. Lines end in CR LF, LF or CR
// alone. A file starting with a byte-order mark is UTF-16LE, UTF-16BE or
// UTF-8 as the mark says; without one it is UTF-8 when it is well-formed
// UTF-8, else the system's ANSI code page, CP932.
class ProfileReader {
 public:
  // A larger file is no settings file (a real one holds a few lines).
  static constexpr std::size_t kMaxFileBytes = 1024 * 1024;

  // The value (UTF-8) of key in section of the file at path (possibly
  // empty), or nothing when the file, the section or the key is missing.
  // Reads the file anew on every call. Anything but a regular file of at
  // most kMaxFileBytes (a FIFO, a device, a folder) counts as missing and is
  // never waited on.
  static std::optional<std::string> read(const std::string& path, const std::string& section,
                                         const std::string& key);

 private:
  // The bytes of the regular file at path, opened without blocking, or
  // nothing as read() says; one twin per platform.
  static std::optional<std::string> fileBytes(const std::string& path);
};

#endif
