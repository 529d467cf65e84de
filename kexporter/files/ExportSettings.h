#ifndef KEXPORTER_FILES_EXPORTSETTINGS_H
#define KEXPORTER_FILES_EXPORTSETTINGS_H

#include <string>

// The most bytes a text setting keeps; a longer value is cut to them.
inline constexpr std::size_t kMaxSettingBytes = 1023;

// What a run uses when the settings file gives no CSVMAXLINE (the most lines
// of a CSV file) or no GUIDSPLIT (the separator of a group's members).
inline constexpr int kDefaultCsvMaxLine = 20000;
inline constexpr const char* kDefaultGuidSplit = "&";

// Reads the settings file beside the program ("Kexporter.ini" in
// programFolder()) with ProfileReader, which follows the Windows
// private-profile reader's rules the same way on every platform. Never
// reports a problem: missing or unreadable settings read as missing.
class ExportSettings {
 public:
  // The value as an integer: an optional minus sign and the decimal digits
  // at its start, whatever follows ignored; 0 when it does not start with a
  // number (so "+3", "0x3" and " 4" read 0); limited to the int range. -1
  // when the file, the section or the key is missing or the value is empty.
  static int readInt(const std::string& fileName, const std::string& section,
                     const std::string& key);
  // The value as text, at most kMaxSettingBytes bytes (cut before a
  // character that would cross the limit); empty when missing.
  static std::string readString(const std::string& fileName,
                                const std::string& section,
                                const std::string& key);

  // The same two reads from the settings file at path instead of beside the
  // program.
  static int readIntAt(const std::string& path, const std::string& section,
                       const std::string& key);
  static std::string readStringAt(const std::string& path,
                                  const std::string& section,
                                  const std::string& key);
};

#endif
