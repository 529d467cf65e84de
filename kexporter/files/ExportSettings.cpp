#include "ExportSettings.h"

#include "Pelcore/PelUtf8.h"
#include "SupportRoutines.h"

namespace {

// Cuts text to at most limit bytes without splitting a UTF-8 character.
std::string cutToBytes(const std::string& text, std::size_t limit) {
  if (text.size() <= limit) return text;
  std::size_t end = limit;
  while (end > 0 && pelIsUtf8Continuation(static_cast<unsigned char>(text[end]))) --end;
  return text.substr(0, end);
}

// The settings file beside the program, or the empty text when the program's
// folder is unknown: a bare name would read a file of the current folder.
std::string besideProgram(const std::string& fileName) {
  std::string folder = programFolder();
  return folder.empty() ? std::string() : folder + fileName;
}

}  // namespace

int ExportSettings::readInt(const std::string& fileName,
                            const std::string& section,
                            const std::string& key) {
  std::string path = besideProgram(fileName);
  return path.empty() ? -1 : readIntAt(path, section, key);
}

std::string ExportSettings::readString(const std::string& fileName,
                                       const std::string& section,
                                       const std::string& key) {
  std::string path = besideProgram(fileName);
  return path.empty() ? std::string() : readStringAt(path, section, key);
}

std::string ExportSettings::readStringAt(const std::string& path,
                                         const std::string& section,
                                         const std::string& key) {
  std::optional<std::string> value = readValueAt(path, section, key);
  if (!value) return std::string();
  return cutToBytes(*value, kMaxSettingBytes);
}
