#include "OutputFolder.h"

#include <windows.h>

#include <string>

#include "Pelcore/PelWin32Text.h"

const char* const kPathSeparator = "\\";

std::string absolutePathOf(const std::string& text) {
  const std::wstring wide = widened(text);
  std::wstring full(MAX_PATH, L'\0');
  for (;;) {
    const DWORD size = static_cast<DWORD>(full.size());
    const DWORD length = GetFullPathNameW(wide.c_str(), size, full.data(), nullptr);
    if (length == 0) return std::string();
    if (length < size) return utf8Of(full.substr(0, length));
    full.resize(length);
  }
}
