#include "VekCommon/VekCharStream.h"

#include <string_view>

#include "Pelcore/PelUnicodeString.h"

VekCharStream& VekCharStream::operator<<(const char16_t* text) {
  if (text != nullptr) text_ += text;
  return *this;
}

VekCharStream& VekCharStream::operator<<(const char* text) {
  if (text != nullptr) text_ += pelUtf8ToUtf16(std::string_view(text));
  return *this;
}

VekCharStream& VekCharStream::operator<<(int value) {
  const std::string digits = std::to_string(value);
  text_.append(digits.begin(), digits.end());
  return *this;
}

void VekCharStream::Clear() { text_.clear(); }
