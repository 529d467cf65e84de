#include "RowValueText.h"

#include <cstdio>
#include <string_view>

#include "Pelcore/PelUnicodeString.h"

namespace {

const char* const kDateTimeFormat = "%04d-%02d-%02d %02d:%02d:%02d.%03d";

std::string nullText(int nullStyle) {
  switch (nullStyle) {
    case kNullQuoted:
      return "\"null\"";
    case kNullBare:
      return "null";
    case kNullZero:
      return "0";
    default:
      return std::string();
  }
}

// Appends text to out with every double quote doubled.
void appendEscaped(std::string_view text, std::string& out) {
  std::size_t start = 0;
  for (std::size_t quote; (quote = text.find('"', start)) != std::string_view::npos;
       start = quote + 1) {
    out.append(text, start, quote + 1 - start);
    out += '"';
  }
  out.append(text, start);
}

// Doubles the quotes in value[from, end) in place.
void doubleQuotesFrom(std::string& value, std::size_t from) {
  std::size_t quotes = 0;
  for (std::size_t at = value.find('"', from); at != std::string::npos; at = value.find('"', at + 1))
    ++quotes;
  if (quotes == 0) return;
  std::size_t read = value.size();
  value.resize(value.size() + quotes);
  for (std::size_t write = value.size(); read > from;) {
    const char c = value[--read];
    value[--write] = c;
    if (c == '"') value[--write] = '"';
  }
}

// Built in place, straight from UTF-16: this runs for every text value of
// every row, and a narrow copy from VekStringToAscii2 would add an
// allocation and two passes over the text. The conversion is the one that
// function makes (pelUtf16ToUtf8), so the text is the same.
void assignTextValue(std::string& value, const ColumnBinding& binding, int nullStyle) {
  const std::u16string_view text = binding.text == nullptr ? u"" : binding.text;
  const bool quoted = nullStyle == kNullQuoted;
  const std::size_t start = quoted ? 1 : 0;
  // The most any UTF-16 text takes in UTF-8, and the quotes; cut back below.
  value.resize(start + 3 * text.size() + 1);
  value.resize(start + pelUtf16ToUtf8(text, value.data() + start));
  if (quoted) value.front() = '"';
  // Looked for in the UTF-16 text, inline: Windows' memchr is a plain loop
  // behind a DLL call, and most values have no quote.
  if (text.find(u'"') != std::u16string_view::npos) doubleQuotesFrom(value, start);
  if (quoted) value += '"';
}

std::string dateTimeValue(const ColumnDateTime& value) {
  char text[64];
  std::snprintf(text, sizeof text, kDateTimeFormat, value.year, value.month, value.day,
                value.hour, value.minute, value.second, value.milliseconds);
  return text;
}

// Every value but a present text.
std::string otherValue(const ColumnBinding& binding, int nullStyle) {
  if (binding.status != kColumnValuePresent) return nullText(nullStyle);
  switch (binding.type) {
    case kColumnInteger:
      return std::to_string(binding.value);
    case kColumnDateTime:
      return dateTimeValue(binding.dateTime);
    case kColumnBool:
    case kColumnBool15:
      return "1";
    default:
      return std::string();
  }
}

}  // namespace

std::string columnText(ColumnBinding binding, int nullStyle) {
  std::string text;
  assignColumnText(text, binding, nullStyle);
  return text;
}

void assignColumnText(std::string& text, const ColumnBinding& binding, int nullStyle) {
  if (binding.status == kColumnValuePresent && binding.type == kColumnText) {
    assignTextValue(text, binding, nullStyle);
    return;
  }
  text = otherValue(binding, nullStyle);
}

int columnInt(ColumnBinding binding) {
  if (binding.status != kColumnValuePresent) return -1;
  switch (binding.type) {
    case kColumnInteger:
      return binding.value;
    case kColumnBool:
    case kColumnBool15:
      return 1;
    default:
      return -1;
  }
}

std::string escapeQuotes(std::string text) {
  std::string escaped;
  escaped.reserve(text.size());
  appendEscaped(text, escaped);
  return escaped;
}
