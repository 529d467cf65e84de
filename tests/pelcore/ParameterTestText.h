#ifndef TESTS_PELCORE_PARAMETERTESTTEXT_H
#define TESTS_PELCORE_PARAMETERTESTTEXT_H

#include <string>
#include <vector>

#include "Pelcore/PelMessage.h"
#include "Pelcore/PelUnicodeString.h"

// The registry parameter tests' texts: UTF-8 as the library's strings, and
// the messages recorded, their texts alone.
inline PelUnicodeString text(const std::string& utf8) { return PelUnicodeString::fromUtf8(utf8); }

inline std::vector<std::string> texts(const PelMessageRecorder& recorder) {
  std::vector<std::string> out;
  for (const PelMessage& m : recorder.messages()) out.push_back(m.text);
  return out;
}

#endif
