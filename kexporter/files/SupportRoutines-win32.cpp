#include "SupportRoutines.h"

#include <windows.h>

#include <vector>

#include "Pelcore/PelWin32Text.h"

namespace {

// The executable's full path, or the empty text. The buffer grows until the
// whole path fits: a cut path would name another folder.
std::wstring executablePath() {
  std::vector<wchar_t> buffer(520);
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0) return std::wstring();
    if (length < buffer.size()) return std::wstring(buffer.data(), length);
    buffer.resize(buffer.size() * 2);
  }
}

}  // namespace

std::string programFolder() {
  const std::wstring path = executablePath();
  const std::wstring::size_type separator = path.find_last_of(L"\\/");
  if (separator == std::wstring::npos) return std::string();
  return utf8Of(path.substr(0, separator + 1));
}

std::tm localTimeNow() {
  SYSTEMTIME now{};
  GetLocalTime(&now);
  std::tm local{};
  local.tm_year = now.wYear - 1900;
  local.tm_mon = now.wMonth - 1;
  local.tm_mday = now.wDay;
  local.tm_hour = now.wHour;
  local.tm_min = now.wMinute;
  local.tm_sec = now.wSecond;
  return local;
}
