#include "ProfileReader.h"

#include "Cp932Text.h"
#include "Pelcore/PelAsciiText.h"
#include "Pelcore/PelUnicodeString.h"
#include "Pelcore/PelUtf8.h"

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

bool startsWith(const std::string& bytes, const char* mark) { return bytes.rfind(mark, 0) == 0; }

std::string utf8FromUtf16(const std::string& bytes, std::size_t start, bool bigEndian) {
  std::u16string text;
  for (std::size_t i = start; i + 1 < bytes.size(); i += 2) {
    const auto first = static_cast<unsigned char>(bytes[i]), second = static_cast<unsigned char>(bytes[i + 1]);
    text += static_cast<char16_t>(bigEndian ? first << 8 | second : second << 8 | first);
  }
  return pelUtf16ToUtf8(text);
}

bool isWellFormedUtf8(const std::string& bytes) {
  const auto* text = reinterpret_cast<const unsigned char*>(bytes.data());
  char32_t character;
  for (std::size_t i = 0; i < bytes.size();) {
    if (!pelDecodeUtf8(text, bytes.size(), i, character)) return false;
  }
  return true;
}

// The file's text in UTF-8, by its byte-order mark or its bytes.
std::string textOf(const std::string& bytes) {
  if (startsWith(bytes, "\xFF\xFE")) return utf8FromUtf16(bytes, 2, false);
  if (startsWith(bytes, "\xFE\xFF")) return utf8FromUtf16(bytes, 2, true);
  if (startsWith(bytes, "\xEF\xBB\xBF")) return bytes.substr(3);
  if (isWellFormedUtf8(bytes)) return bytes;
  return utf8FromCp932(bytes);
}

// The next line of text from `at` on, without its end; moves `at` past it.
std::string nextLine(const std::string& text, std::size_t& at) {
  const std::size_t end = std::min(text.find_first_of("\r\n", at), text.size());
  std::string line = text.substr(at, end - at);
  at = end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
  return line;
}

// The value of key in section of a file's bytes, as read() says.
std::optional<std::string> valueIn(const std::string& fileBytes, const std::string& section,
                                   const std::string& key) {
  const std::string text = textOf(fileBytes);
  bool inSection = false;
  for (std::size_t at = 0; at < text.size();) {
    const std::string line = trimmed(nextLine(text, at));
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

}  // namespace

std::optional<std::string> ProfileReader::read(const std::string& path, const std::string& section,
                                               const std::string& key) {
  const std::optional<std::string> bytes = fileBytes(path);
  if (!bytes) return std::nullopt;
  return valueIn(*bytes, section, key);
}

