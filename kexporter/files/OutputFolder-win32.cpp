#include "OutputFolder.h"

#include <windows.h>

#include <string>

#include "Pelcore/PelWin32Text.h"

const char* const kPathSeparator = "\\";

namespace {

// The names of the write probe: this process's id and a number that grows
// until a name is free.
constexpr int kProbeNames = 100;

std::wstring inFolder(const std::string& folder, const std::string& name) {
  return widened(folder + kPathSeparator + name);
}

}  // namespace

std::string folder_system::absolutePathOf(const std::string& text) {
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

bool folder_system::isWritableFolder(const std::string& path) {
  const DWORD attributes = GetFileAttributesW(widened(path).c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return false;
  if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) return false;
  return !(attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_REPARSE_POINT));
}

bool folder_system::canCreateFileIn(const std::string& folder) {
  const std::string prefix = "dummy-" + std::to_string(GetCurrentProcessId()) + "-";
  for (int number = 0; number < kProbeNames; ++number) {
    const std::wstring probe = inFolder(folder, prefix + std::to_string(number) + ".tmp");
    const HANDLE file = CreateFileW(probe.c_str(), GENERIC_WRITE, FILE_SHARE_WRITE, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_TEMPORARY, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
      CloseHandle(file);
      DeleteFileW(probe.c_str());
      return true;
    }
    if (GetLastError() != ERROR_FILE_EXISTS) return false;
  }
  return false;
}

bool folder_system::isEmptyFolder(const std::string& path) {
  WIN32_FIND_DATAW entry{};
  const HANDLE listing = FindFirstFileW(inFolder(path, "*").c_str(), &entry);
  // A drive root has no "." and "..": nothing found there is an empty one.
  if (listing == INVALID_HANDLE_VALUE) return GetLastError() == ERROR_FILE_NOT_FOUND;
  bool empty = true;
  do {
    const std::wstring name = entry.cFileName;
    if (name == L"." || name == L"..") continue;
    empty = false;
    break;
  } while (FindNextFileW(listing, &entry));
  FindClose(listing);
  return empty;
}
