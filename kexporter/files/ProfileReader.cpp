#include "ProfileReader.h"

#include <fstream>

#include "Pelcore/PelAsciiText.h"

namespace {

const char* const kWhitespace = " \t\r\n\f\v";

std::string trimmed(const std::string& text) { return std::string(pelTrimmed(text, kWhitespace)); }

std::string withoutEnclosingQuotes(const std::string& value) {
  if (value.size() < 2) return value;
  char first = value.front();
  if ((first == '"' || first == '\'') && value.back() == first) {
    return value.substr(1, value.size() - 2);
  }
  return value;
}

// The name of a "[name]" line, or nothing for any other line.
std::optional<std::string> sectionName(const std::string& line) {
  if (line.empty() || line.front() != '[') return std::nullopt;
  std::string::size_type close = line.find(']');
  if (close == std::string::npos) return std::nullopt;
  return trimmed(line.substr(1, close - 1));
}

void skipByteOrderMark(std::ifstream& file) {
  char mark[3] = {};
  file.read(mark, 3);
  if (file.gcount() == 3 && mark[0] == '\xEF' && mark[1] == '\xBB' &&
      mark[2] == '\xBF') {
    return;
  }
  file.clear();
  file.seekg(0);
}

}  // namespace

std::optional<std::string> ProfileReader::read(const std::string& path,
                                               const std::string& section,
                                               const std::string& key) {
  std::ifstream file(path, std::ios::binary);
  if (!file) return std::nullopt;
  skipByteOrderMark(file);
  bool inSection = false;
  std::string raw;
  while (std::getline(file, raw)) {
    std::string line = trimmed(raw);
    if (line.empty() || line.front() == ';') continue;
    if (std::optional<std::string> name = sectionName(line)) {
      if (inSection) return std::nullopt;
      inSection = pelEqualsIgnoringAsciiCase(*name, section);
      continue;
    }
    if (!inSection) continue;
    std::string::size_type equals = line.find('=');
    if (equals == std::string::npos) continue;
    if (!pelEqualsIgnoringAsciiCase(trimmed(line.substr(0, equals)), key)) continue;
    return withoutEnclosingQuotes(trimmed(line.substr(equals + 1)));
  }
  return std::nullopt;
}
