#include "ExportSettings.h"

#include <windows.h>

#include "Pelcore/PelWin32Text.h"

namespace {

// Buffer of the system's reader: the longest value and its terminator.
constexpr DWORD kValueBuffer = 1024;

// The value in the file's own (ANSI) bytes, or false when the file, the
// section or the key is missing. The reader gives its default for those, so
// two different defaults tell a missing value from one equal to a default.
bool readValue(const std::string& path, const std::string& section, const std::string& key,
               std::string& value) {
  const std::string file = ansiFromUtf8(path);
  char first[kValueBuffer];
  char second[kValueBuffer];
  GetPrivateProfileStringA(section.c_str(), key.c_str(), "0", first, kValueBuffer, file.c_str());
  GetPrivateProfileStringA(section.c_str(), key.c_str(), "1", second, kValueBuffer, file.c_str());
  if (std::string(first) == "0" && std::string(second) == "1") return false;
  value = first;
  return true;
}

}  // namespace

int ExportSettings::readIntAt(const std::string& path, const std::string& section,
                              const std::string& key) {
  std::string value;
  // An empty value counts as missing, as the reader of the other platforms
  // has it; the system's reader gives its default there on some versions only.
  if (!readValue(path, section, key, value) || value.empty()) return -1;
  const std::string file = ansiFromUtf8(path);
  return static_cast<int>(GetPrivateProfileIntA(section.c_str(), key.c_str(), -1, file.c_str()));
}

std::optional<std::string> ExportSettings::readValueAt(const std::string& path,
                                                       const std::string& section,
                                                       const std::string& key) {
  std::string value;
  if (!readValue(path, section, key, value)) return std::nullopt;
  return utf8FromAnsi(value);
}
