#include "OdbDateTimeText.h"

#include <cstddef>

namespace {

// The digits of text[pos, pos + count) as a number, or -1 if one is not a digit.
int digitsAt(std::string_view text, std::size_t pos, std::size_t count) {
  int value = 0;
  for (std::size_t i = pos; i < pos + count; ++i) {
    if (text[i] < '0' || text[i] > '9') return -1;
    value = value * 10 + (text[i] - '0');
  }
  return value;
}

bool separatorsMatch(std::string_view text) {
  return text[4] == '-' && text[7] == '-' && text[10] == ' ' && text[13] == ':' &&
         text[16] == ':';
}

bool allDigits(std::string_view text) {
  for (char c : text) {
    if (c < '0' || c > '9') return false;
  }
  return true;
}

// Milliseconds of the fraction after the seconds: "" gives 0, ".5" 500,
// ".1234" 123; -1 when it is not a fraction.
int fractionMilliseconds(std::string_view rest) {
  if (rest.empty()) return 0;
  const std::string_view digits = rest.substr(1);
  if (rest[0] != '.' || digits.empty() || !allDigits(digits)) return -1;
  int millis = 0;
  for (std::size_t i = 0; i < 3; ++i) millis = millis * 10 + (i < digits.size() ? digits[i] - '0' : 0);
  return millis;
}

}  // namespace

bool parseOdbDateTime(std::string_view text, ColumnDateTime& dateTime) {
  constexpr std::size_t kWholeSecondsLength = 19;  // "YYYY-MM-DD HH:MM:SS"
  if (text.size() < kWholeSecondsLength || !separatorsMatch(text)) return false;
  const int year = digitsAt(text, 0, 4);
  const int month = digitsAt(text, 5, 2);
  const int day = digitsAt(text, 8, 2);
  const int hour = digitsAt(text, 11, 2);
  const int minute = digitsAt(text, 14, 2);
  const int second = digitsAt(text, 17, 2);
  const int millis = fractionMilliseconds(text.substr(kWholeSecondsLength));
  if (year < 0 || month < 1 || month > 12 || day < 1 || day > 31 || hour < 0 || hour > 23 ||
      minute < 0 || minute > 59 || second < 0 || second > 59 || millis < 0) {
    return false;
  }
  dateTime.year = static_cast<std::int16_t>(year);
  dateTime.month = static_cast<std::int8_t>(month);
  dateTime.day = static_cast<std::int8_t>(day);
  dateTime.hour = static_cast<std::int8_t>(hour);
  dateTime.minute = static_cast<std::int8_t>(minute);
  dateTime.second = static_cast<std::int8_t>(second);
  dateTime.milliseconds = static_cast<std::int16_t>(millis);
  return true;
}
