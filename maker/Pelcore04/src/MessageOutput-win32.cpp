#include <windows.h>

#include <cstdlib>

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
