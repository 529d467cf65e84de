#include "RegistryFile.h"

#include <cstdio>

#include "Pelcore/PelAsciiText.h"
#include "Pelcore/PelMessage.h"
#include "Pelcore/PelUnicodeString.h"
#include "RegistryKey.h"

namespace {

constexpr int kLineMalformed = 120;
constexpr std::string_view kHeader = "Windows Registry Editor Version 5.00";
constexpr std::string_view kHeader4 = "REGEDIT4";

bool startsWithFolded(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() &&
         pelEqualsIgnoringAsciiCase(text.substr(0, prefix.size()), prefix);
}

// Blanks around a line's parts: spaces and tabs (line ends are kept apart).
std::string_view trim(std::string_view text) { return pelTrimmed(text, " \t"); }

// Reads a "..." text at text[pos] with the \\ and \" escapes; a backslash
// before any other character stands for itself.
bool parseQuoted(std::string_view text, std::size_t& pos, std::string& out) {
  if (pos >= text.size() || text[pos] != '"') return false;
  ++pos;
  while (pos < text.size()) {
    const char c = text[pos];
    if (c == '"') {
      ++pos;
      return true;
    }
    if (c == '\\') {
      if (pos + 1 >= text.size()) return false;
      const char next = text[pos + 1];
      if (next != '\\' && next != '"') out += '\\';
      out += next;
      pos += 2;
      continue;
    }
    out += c;
    ++pos;
  }
  return false;
}

std::string quote(std::string_view text) {
  std::string out = "\"";
  for (char c : text) {
    if (c == '\\' || c == '"') out += '\\';
    out += c;
  }
  return out + '"';
}

bool parseDword(std::string_view digits, std::uint32_t& out) {
  if (digits.empty() || digits.size() > 8) return false;
  std::uint32_t v = 0;
  for (char c : digits) {
    int d;
    if (c >= '0' && c <= '9') d = c - '0';
    else if (c >= 'a' && c <= 'f') d = c - 'a' + 10;
    else if (c >= 'A' && c <= 'F') d = c - 'A' + 10;
    else return false;
    v = (v << 4) | static_cast<std::uint32_t>(d);
  }
  out = v;
  return true;
}

enum class ValueParse { Bad, Value, Ignored };

// Parses `"Name"=data` or `@=data`. `continues` tells whether a hex value
// goes on in the next line.
ValueParse parseValueLine(std::string_view line, std::string& name, RegistryValue& value,
                          bool& continues) {
  continues = false;
  std::size_t pos = 0;
  if (line[0] == '@') {
    pos = 1;
  } else if (!parseQuoted(line, pos, name)) {
    return ValueParse::Bad;
  }
  std::string_view rest = trim(line.substr(pos));
  if (rest.empty() || rest[0] != '=') return ValueParse::Bad;
  rest = trim(rest.substr(1));
  if (rest.empty()) return ValueParse::Bad;
  if (rest[0] == '"') {
    std::size_t p = 0;
    value.type = RegistryValue::Type::String;
    if (!parseQuoted(rest, p, value.text) || !trim(rest.substr(p)).empty()) return ValueParse::Bad;
    return ValueParse::Value;
  }
  if (startsWithFolded(rest, "dword:")) {
    value.type = RegistryValue::Type::Dword;
    return parseDword(rest.substr(6), value.dword) ? ValueParse::Value : ValueParse::Bad;
  }
  if (startsWithFolded(rest, "hex") && rest.find(':') != std::string_view::npos) {
    value.type = RegistryValue::Type::Other;
    continues = rest.back() == '\\';
    return ValueParse::Value;
  }
  if (rest == "-") return ValueParse::Ignored;  // an import's deletion mark
  return ValueParse::Bad;
}

std::string formatValue(std::string_view name, const RegistryValue& value) {
  std::string line = name.empty() ? std::string("@") : quote(name);
  line += '=';
  if (value.type == RegistryValue::Type::Dword) {
    char digits[16];
    std::snprintf(digits, sizeof digits, "dword:%08x", static_cast<unsigned>(value.dword));
    return line + digits;
  }
  return line + quote(value.text);
}

std::string decodeUtf16Le(std::string_view bytes) {
  std::u16string text;
  text.reserve(bytes.size() / 2);
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
    text += static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                  (static_cast<unsigned char>(bytes[i + 1]) << 8));
  }
  return pelUtf16ToUtf8(text);
}

std::string encodeUtf16Le(std::string_view text) {
  std::string bytes = "\xFF\xFE";
  for (char16_t c : pelUtf8ToUtf16(text)) {
    bytes += static_cast<char>(c & 0xFF);
    bytes += static_cast<char>(c >> 8);
  }
  return bytes;
}

}  // namespace

RegistryFile RegistryFile::parse(std::string_view bytes, const std::string& path) {
  RegistryFile file;
  if (bytes.size() >= 2 && bytes[0] == '\xFF' && bytes[1] == '\xFE') {
    file.utf16_ = true;
    file.parseLines(decodeUtf16Le(bytes.substr(2)), path);
    return file;
  }
  if (bytes.size() >= 3 && bytes.substr(0, 3) == "\xEF\xBB\xBF") {
    file.utf8Bom_ = true;
    bytes.remove_prefix(3);
  }
  file.parseLines(bytes, path);
  return file;
}

void RegistryFile::parseLines(std::string_view text, const std::string& path) {
  bool inSection = false;
  bool continuation = false;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    Line line;
    if (end == std::string_view::npos) {
      end = text.size();
    } else {
      line.ending = "\n";
    }
    line.text = std::string(text.substr(start, end - start));
    start = end + line.ending.size();
    // A CR before the LF, or a lone CR ending the file, belongs to the
    // line's end: the value before it is read alike either way.
    if (!line.text.empty() && line.text.back() == '\r') {
      line.text.pop_back();
      line.ending = "\r" + line.ending;
    }

    const std::string_view body = trim(line.text);
    if (continuation) {
      line.kind = Kind::Continuation;
      continuation = !body.empty() && body.back() == '\\';
    } else if (body.empty() || body[0] == ';' || body == kHeader || body == kHeader4) {
      line.kind = Kind::Other;
    } else if (body[0] == '[') {
      const bool ok = body.size() > 2 && body.back() == ']';
      line.kind = ok ? Kind::Section : Kind::Malformed;
      if (ok) line.match = RegistryKey::matchText(body.substr(1, body.size() - 2));
      inSection = ok;
    } else if ((body[0] == '"' || body[0] == '@') && inSection) {
      const ValueParse result = parseValueLine(body, line.name, line.value, continuation);
      line.kind = result == ValueParse::Value     ? Kind::Value
                  : result == ValueParse::Ignored ? Kind::Other
                                                  : Kind::Malformed;
      line.match = pelAsciiLowered(line.name);
    } else {
      line.kind = Kind::Malformed;
    }

    if (line.kind == Kind::Malformed) {
      PelMessageSelection::error(kRegistryMessageSource, kLineMalformed)
          << "Malformed registry line skipped: " << path << ":"
          << static_cast<unsigned long>(lines_.size() + 1) << PelEndl;
    }
    lines_.push_back(std::move(line));
  }
}

bool RegistryFile::sectionMatches(std::size_t sectionLine, const std::string& foldedKey) const {
  return lines_[sectionLine].match == foldedKey;
}

std::vector<std::size_t> RegistryFile::valueLines(const std::string& foldedKey,
                                                  const std::string& foldedName) const {
  std::vector<std::size_t> found;
  bool inKey = false;
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    const Line& line = lines_[i];
    if (line.kind == Kind::Section) inKey = sectionMatches(i, foldedKey);
    if (inKey && line.kind == Kind::Value && line.match == foldedName) found.push_back(i);
  }
  return found;
}

bool RegistryFile::asksForContinuation(const Line& line) {
  const bool hexValue = line.kind == Kind::Value && line.value.type == RegistryValue::Type::Other;
  if (!hexValue && line.kind != Kind::Continuation) return false;
  const std::string_view body = trim(line.text);
  return !body.empty() && body.back() == '\\';
}

std::size_t RegistryFile::endOfStatement(std::size_t index) const {
  std::size_t end = index + 1;
  while (end < lines_.size() && lines_[end].kind == Kind::Continuation) ++end;
  return end;
}

void RegistryFile::endLine(Line& line) const {
  if (line.ending.find('\n') == std::string::npos) line.ending = newline();
}

std::string RegistryFile::newline() const {
  return !lines_.empty() && lines_.front().ending == "\r\n" ? "\r\n" : "\n";
}

std::optional<RegistryValue> RegistryFile::find(std::string_view key, std::string_view name) const {
  const std::vector<std::size_t> found = valueLines(RegistryKey::matchText(key), pelAsciiLowered(name));
  if (found.empty()) return std::nullopt;
  return lines_[found.back()].value;
}

void RegistryFile::set(std::string_view key, std::string_view name, const RegistryValue& value) {
  const std::string foldedKey = RegistryKey::matchText(key);
  const std::vector<std::size_t> found = valueLines(foldedKey, pelAsciiLowered(name));
  if (!found.empty()) {
    // The last statement is the one in force; rewrite it, spelled as before.
    const std::size_t at = found.back();
    lines_.erase(lines_.begin() + at + 1, lines_.begin() + endOfStatement(at));
    Line& line = lines_[at];
    line.text = formatValue(line.name, value);
    line.value = value;
    return;
  }

  Line added;
  added.kind = Kind::Value;
  added.name = std::string(name);
  added.match = pelAsciiLowered(name);
  added.text = formatValue(name, value);
  added.value = value;
  added.ending = newline();

  std::size_t section = lines_.size();
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    if (lines_[i].kind == Kind::Section && sectionMatches(i, foldedKey)) section = i;
  }
  if (section == lines_.size()) {
    if (lines_.empty()) {
      lines_.push_back({std::string(kHeader), newline(), Kind::Other, {}, {}, {}});
    }
    endLine(lines_.back());
    if (!trim(lines_.back().text).empty()) lines_.push_back({"", newline(), Kind::Other, {}, {}, {}});
    lines_.push_back({"[" + RegistryKey::fullText(key) + "]", newline(), Kind::Section, foldedKey, {}, {}});
    lines_.push_back(std::move(added));
    return;
  }

  // After the section's last value, before the blank lines that part it from
  // the next section.
  std::size_t at = section + 1;
  for (std::size_t i = section + 1; i < lines_.size() && lines_[i].kind != Kind::Section; ++i) {
    if (lines_[i].kind == Kind::Value || lines_[i].kind == Kind::Continuation) at = i + 1;
  }
  // A last value cut short, still asking for a continuation line, would
  // swallow the new line when the file is read again: go before it.
  if (at > section + 1 && asksForContinuation(lines_[at - 1])) {
    --at;
    while (lines_[at].kind == Kind::Continuation) --at;
  }
  endLine(lines_[at - 1]);
  lines_.insert(lines_.begin() + at, std::move(added));
}

bool RegistryFile::remove(std::string_view key, std::string_view name) {
  const std::vector<std::size_t> found = valueLines(RegistryKey::matchText(key), pelAsciiLowered(name));
  for (auto it = found.rbegin(); it != found.rend(); ++it) {
    lines_.erase(lines_.begin() + *it, lines_.begin() + endOfStatement(*it));
  }
  return !found.empty();
}

std::string RegistryFile::serialize() const {
  std::string text;
  for (const Line& line : lines_) text += line.text + line.ending;
  if (utf16_) return encodeUtf16Le(text);
  return utf8Bom_ ? "\xEF\xBB\xBF" + text : text;
}
