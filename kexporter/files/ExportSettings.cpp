#include "ExportSettings.h"

#include <climits>

#include "Pelcore/PelUtf8.h"
#include "ProfileReader.h"
#include "SupportRoutines.h"

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// An optional minus sign and the decimal digits at the start of text; 0
// when it does not start with a number (a plus sign, blanks and "0x"
// included); clamped to the int range.
int leadingInteger(const std::string& text) {
  std::string::size_type i = 0;
  const bool negative = i < text.size() && text[i] == '-';
  if (negative) ++i;
  long long value = 0;
  for (; i < text.size() && isDigit(text[i]); ++i) {
    value = value * 10 + (text[i] - '0');
    // Far more digits than an int holds must not overflow the sum.
    if (value > static_cast<long long>(INT_MAX) + 1) break;
  }
  if (negative) value = -value;
  if (value > INT_MAX) return INT_MAX;
  if (value < INT_MIN) return INT_MIN;
  return static_cast<int>(value);
}

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

int ExportSettings::readIntAt(const std::string& path, const std::string& section, const std::string& key) {
  std::optional<std::string> value = ProfileReader::read(path, section, key);
  if (!value || value->empty()) return -1;
  return leadingInteger(*value);
}

std::string ExportSettings::readStringAt(const std::string& path,
                                         const std::string& section,
                                         const std::string& key) {
  std::optional<std::string> value = ProfileReader::read(path, section, key);
  if (!value) return std::string();
  return cutToBytes(*value, kMaxSettingBytes);
}
