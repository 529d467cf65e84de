#include "RowValueText.h"

#include <cstdio>
#include <string_view>

#include "AsciiBuffer.h"
#include "VekCommon/VekStringToAscii.h"

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

// Built in place: this runs for every text value of every row.
void assignTextValue(std::string& value, const ColumnBinding& binding, int nullStyle) {
  AsciiBuffer buffer;
  VekStringToAscii2(binding.text, kVekNarrowUtf8, buffer.address(), nullptr);
  const std::string_view text = buffer.text() == nullptr ? "" : buffer.text();
  const bool quoted = nullStyle == kNullQuoted;
  value.clear();
  if (quoted) value += '"';
  appendEscaped(text, value);
  if (quoted) value += '"';
  buffer.release();
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
