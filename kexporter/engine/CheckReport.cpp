#include "CheckReport.h"

#include <cstdio>
#include <ostream>

#include "CsvOutputFile.h"

namespace {

// The bytes of the UTF-8 character that starts at `text[at]`; a byte that
// starts none is one on its own, as the converter counts it.
std::size_t characterLength(const std::string& text, std::size_t at) {
  const auto lead = static_cast<unsigned char>(text[at]);
  std::size_t length = lead < 0xC0 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
  return at + length <= text.size() ? length : 1;
}

std::string codePoint(const std::string& character) {
  const auto* bytes = reinterpret_cast<const unsigned char*>(character.data());
  char32_t value = bytes[0];
  if (character.size() > 1) {
    value = bytes[0] & (0x7F >> character.size());
    for (std::size_t i = 1; i < character.size(); ++i) value = (value << 6) | (bytes[i] & 0x3F);
  }
  char text[16];
  std::snprintf(text, sizeof text, "U+%04X", static_cast<unsigned>(value));
  return text;
}

std::string counted(int count, const char* one, const char* many) {
  return std::to_string(count) + " " + (count == 1 ? one : many);
}

void appendEscape(std::string& out, const char* format, unsigned value) {
  char escape[8];
  std::snprintf(escape, sizeof escape, format, value);
  out += escape;
}

}  // namespace

std::string visibleText(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t at = 0; at < text.size(); ++at) {
    const auto byte = static_cast<unsigned char>(text[at]);
    const auto next = at + 1 < text.size() ? static_cast<unsigned char>(text[at + 1]) : 0u;
    if (byte == '\\') out += "\\\\";
    else if (byte == '\n') out += "\\n";
    else if (byte == '\r') out += "\\r";
    else if (byte == '\t') out += "\\t";
    else if (byte < 0x20 || byte == 0x7F) appendEscape(out, "\\x%02x", byte);
    else if (byte == 0xC2 && next >= 0x80 && next <= 0x9F) {
      // U+0080 to U+009F: C1 controls, which some terminals obey (CSI).
      appendEscape(out, "\\u%04x", next);
      ++at;
    } else {
      out += static_cast<char>(byte);
    }
  }
  return out;
}

CheckReport::CheckReport(std::ostream& out)
    : out_(out),
      kinds_{{"destination", 0, 0},
             {"excluded_destination", 0, 0},
             {"faxTray", 0, 0},
             {"group", 0, 0},
             {"tsi", 0, 0}} {}

void CheckReport::line(const std::string& table, const std::string& guid, const std::string& what) {
  out_ << table << "  ";
  if (!guid.empty()) out_ << visibleText(guid) << "  ";
  out_ << visibleText(what) << "\n";
}

void CheckReport::problem(const std::string& table, const std::string& guid, const std::string& what) {
  ++problems_;
  line(table, guid, what);
}

void CheckReport::note(const std::string& table, const std::string& guid, const std::string& what) {
  ++notes_;
  line(table, guid, "note: " + what);
}

void CheckReport::unmappableCharacters(const std::string& table, const std::string& guid,
                                       const std::vector<const char*>& columns,
                                       const std::vector<std::string>& fields) {
  for (std::size_t field = 0; field < fields.size() && field < columns.size(); ++field) {
    const std::string& text = fields[field];
    for (std::size_t at = 0; at < text.size();) {
      const std::string character = text.substr(at, characterLength(text, at));
      at += character.size();
      bool substituted = false;
      text_.convert(character, &substituted);
      if (!substituted) continue;
      problem(table, guid,
              std::string(columns[field]) + ": " + codePoint(character) + " \"" + character +
                  "\" cannot be written in CP932");
      break;
    }
  }
}

void CheckReport::countFile(const CsvOutputFile& file) {
  for (KindCount& count : kinds_) {
    if (file.kind() != count.kind) continue;
    count.rows += file.rows();
    count.files += file.files();
  }
}

void CheckReport::finish() {
  for (const KindCount& count : kinds_) {
    out_ << count.kind << "  " << counted(count.rows, "row", "rows") << "  "
         << counted(count.files, "file", "files") << "\n";
  }
  out_ << counted(problems_, "problem", "problems") << ", " << counted(notes_, "note", "notes") << "\n";
}
