#include "TestSupport.h"

#include <windows.h>

#include <cstdlib>

std::string settingsFileText(const std::string& utf8) {
  if (utf8.empty()) return utf8;
  const int size = static_cast<int>(utf8.size());
  std::wstring wide(MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, nullptr, 0), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, wide.data(), static_cast<int>(wide.size()));
  const int wideSize = static_cast<int>(wide.size());
  std::string ansi(WideCharToMultiByte(CP_ACP, 0, wide.data(), wideSize, nullptr, 0, nullptr, nullptr), '\0');
  WideCharToMultiByte(CP_ACP, 0, wide.data(), wideSize, ansi.data(), static_cast<int>(ansi.size()), nullptr, nullptr);
  return ansi;
}

// An empty value removes the variable on Windows.
void setEnvironment(const std::string& name, const char* value) {
  _putenv_s(name.c_str(), value == nullptr ? "" : value);
}
