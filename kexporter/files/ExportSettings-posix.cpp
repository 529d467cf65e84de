#include "ExportSettings.h"

#include <climits>

#include "ProfileReader.h"

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

int leadingInteger(const std::string& text) {
  std::string::size_type i = 0;
  bool negative = i < text.size() && text[i] == '-';
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

}  // namespace

int ExportSettings::readIntAt(const std::string& path,
                              const std::string& section,
                              const std::string& key) {
  std::optional<std::string> value = ProfileReader::read(path, section, key);
  if (!value || value->empty()) return -1;
  return leadingInteger(*value);
}

std::optional<std::string> ExportSettings::readValueAt(const std::string& path,
                                                       const std::string& section,
                                                       const std::string& key) {
  return ProfileReader::read(path, section, key);
}
