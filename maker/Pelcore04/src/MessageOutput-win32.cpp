#include <windows.h>

#include <cstdlib>
#include <vector>

#include "MessageOutput.h"
#include "Pelcore/PelWin32Text.h"

namespace {

// The file named by PEL_MESSAGE_FILE opened for appending, shared with the
// other writers, or nothing when it is unset or cannot be opened.
HANDLE openMessageFile() {
  const wchar_t* path = _wgetenv(L"PEL_MESSAGE_FILE");
  if (path == nullptr || *path == L'\0') return INVALID_HANDLE_VALUE;
  return CreateFileW(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                     OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
}

}  // namespace

std::string defaultCommandName() {
  std::vector<wchar_t> path(MAX_PATH);
  DWORD length = 0;
  while ((length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()))) == path.size()) {
    path.resize(path.size() * 2);
  }
  std::wstring name(path.data(), length);
  name = name.substr(name.find_last_of(L"\\/") + 1);
  const std::wstring::size_type dot = name.rfind(L'.');
  if (dot != std::wstring::npos && dot > 0) name.resize(dot);
  return utf8Of(name);
}

long currentProcessId() { return static_cast<long>(GetCurrentProcessId()); }

std::tm localTimeOf(std::time_t when) {
  std::tm local{};
  localtime_s(&local, &when);
  return local;
}

void writeMessageLine(const std::string& line) {
  HANDLE file = openMessageFile();
  // A message is never dropped for a bad path.
  HANDLE target = file != INVALID_HANDLE_VALUE ? file : GetStdHandle(STD_ERROR_HANDLE);
  DWORD written = 0;
  if (target != nullptr && target != INVALID_HANDLE_VALUE) {
    WriteFile(target, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
  }
  if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
}
