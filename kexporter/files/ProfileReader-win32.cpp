#include <windows.h>

#include "Pelcore/PelWin32Text.h"
#include "ProfileReader.h"

namespace {

// Only a file on a disk: a pipe or a device at the name is never waited on.
bool isSmallRegularFile(HANDLE file, std::size_t limit) {
  BY_HANDLE_FILE_INFORMATION info{};
  return GetFileType(file) == FILE_TYPE_DISK && GetFileInformationByHandle(file, &info) &&
         !(info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && info.nFileSizeHigh == 0 &&
         info.nFileSizeLow <= limit;
}

// Appends what file holds to bytes, stopping one byte past `limit` (a file
// that grew after it was looked at). False on a read error.
bool readUpTo(HANDLE file, std::size_t limit, std::string& bytes) {
  char buffer[16384];
  while (bytes.size() <= limit) {
    DWORD n = 0;
    if (!ReadFile(file, buffer, sizeof buffer, &n, nullptr)) return false;
    if (n == 0) return true;
    bytes.append(buffer, n);
  }
  return true;
}

}  // namespace

std::optional<std::string> ProfileReader::fileBytes(const std::string& path) {
  const HANDLE file = CreateFileW(widened(path).c_str(), GENERIC_READ,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return std::nullopt;
  std::string bytes;
  const bool read = isSmallRegularFile(file, kMaxFileBytes) && readUpTo(file, kMaxFileBytes, bytes) &&
                    bytes.size() <= kMaxFileBytes;
  CloseHandle(file);
  if (!read) return std::nullopt;
  return bytes;
}
