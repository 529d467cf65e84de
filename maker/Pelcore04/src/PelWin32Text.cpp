#include "Pelcore/PelWin32Text.h"

#include <windows.h>

namespace {

std::wstring toWide(UINT codePage, const std::string& text) {
  if (text.empty()) return std::wstring();
  const int size = static_cast<int>(text.size());
  const int length = MultiByteToWideChar(codePage, 0, text.data(), size, nullptr, 0);
  std::wstring wide(length, L'\0');
  MultiByteToWideChar(codePage, 0, text.data(), size, wide.data(), length);
  return wide;
}

std::string fromWide(UINT codePage, const std::wstring& wide) {
  if (wide.empty()) return std::string();
  const int size = static_cast<int>(wide.size());
  const int length = WideCharToMultiByte(codePage, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
  std::string text(length, '\0');
  WideCharToMultiByte(codePage, 0, wide.data(), size, text.data(), length, nullptr, nullptr);
  return text;
}

}  // namespace

std::wstring widened(const std::string& utf8) { return toWide(CP_UTF8, utf8); }
std::string utf8Of(const std::wstring& wide) { return fromWide(CP_UTF8, wide); }
std::string utf8FromAnsi(const std::string& ansi) { return utf8Of(toWide(CP_ACP, ansi)); }
std::string ansiFromUtf8(const std::string& utf8) { return fromWide(CP_ACP, widened(utf8)); }
