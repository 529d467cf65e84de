#include "TestSupport.h"

#include <windows.h>

#include <cstdlib>
#include <stdexcept>

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

namespace {

std::wstring wideOf(UINT codePage, const std::string& text) {
  if (text.empty()) return std::wstring();
  const int size = static_cast<int>(text.size());
  const int length = MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, text.data(), size, nullptr, 0);
  if (length == 0) throw std::runtime_error("text does not convert");
  std::wstring wide(length, L'\0');
  MultiByteToWideChar(codePage, 0, text.data(), size, wide.data(), length);
  return wide;
}

std::string narrowOf(UINT codePage, const std::wstring& wide) {
  if (wide.empty()) return std::string();
  const int size = static_cast<int>(wide.size());
  BOOL lost = FALSE;
  BOOL* lostFlag = codePage == CP_UTF8 ? nullptr : &lost;
  const int length = WideCharToMultiByte(codePage, 0, wide.data(), size, nullptr, 0, nullptr, lostFlag);
  std::string text(length, '\0');
  WideCharToMultiByte(codePage, 0, wide.data(), size, text.data(), length, nullptr, lostFlag);
  if (lost) throw std::runtime_error("text does not convert");
  return text;
}

}  // namespace

// The system's code page 932 here: the tests that use these compare texts
// that both converters give alike.
std::string cp932(const std::string& utf8) { return narrowOf(932, wideOf(CP_UTF8, utf8)); }
std::string fromCp932(const std::string& bytes) { return narrowOf(CP_UTF8, wideOf(932, bytes)); }
