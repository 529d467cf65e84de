#include <windows.h>

#include <cstdint>
#include <filesystem>

#include "DatabaseTestSupport.h"

namespace {

struct FileIdentity {
  DWORD volume = 0, high = 0, low = 0;
  bool operator==(const FileIdentity&) const = default;
};

bool identityOf(HANDLE handle, FileIdentity& identity) {
  BY_HANDLE_FILE_INFORMATION information;
  if (!GetFileInformationByHandle(handle, &information)) return false;
  identity = {information.dwVolumeSerialNumber, information.nFileIndexHigh, information.nFileIndexLow};
  return true;
}

}  // namespace

// Windows lists no process's handles by name: every handle value of this
// process is tried in turn, and a disk file's handle compared with the file.
int openDescriptorsOf(const std::string& path) {
  const std::wstring name = std::filesystem::path(std::u8string(path.begin(), path.end())).wstring();
  HANDLE file = CreateFileW(name.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  FileIdentity target;
  const bool known = file != INVALID_HANDLE_VALUE && identityOf(file, target);
  if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
  if (!known) return 0;
  int count = 0;
  for (std::uintptr_t value = 4; value < (1u << 16); value += 4) {
    HANDLE handle = reinterpret_cast<HANDLE>(value);
    FileIdentity identity;
    if (GetFileType(handle) == FILE_TYPE_DISK && identityOf(handle, identity) && identity == target) ++count;
  }
  return count;
}
