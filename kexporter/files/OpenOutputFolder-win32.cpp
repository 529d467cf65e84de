#include "OpenOutputFolder.h"

#include <windows.h>

#include "OutputFolder.h"
#include "Pelcore/PelWin32Text.h"

namespace {

// The folder of the live OpenOutputFolder and the path it was opened by;
// kNoFile while none is.
NativeFile heldFolder = kNoFile;
std::string heldPath;

constexpr DWORD kShareReadWrite = FILE_SHARE_READ | FILE_SHARE_WRITE;

bool isPlain(HANDLE handle, DWORD wantedDirectory) {
  BY_HANDLE_FILE_INFORMATION info{};
  if (!GetFileInformationByHandle(handle, &info)) return false;
  const DWORD attributes = info.dwFileAttributes;
  if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) return false;
  return (attributes & FILE_ATTRIBUTE_DIRECTORY) == wantedDirectory;
}

// `name` in the held folder, a reparse point at it opened as itself.
HANDLE openInFolder(const std::string& name, DWORD access, DWORD disposition) {
  if (heldFolder == kNoFile) return INVALID_HANDLE_VALUE;
  const std::wstring path = widened(heldPath + kPathSeparator + name);
  return CreateFileW(path.c_str(), access, kShareReadWrite, nullptr, disposition,
                     FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
}

}  // namespace

OpenOutputFolder::OpenOutputFolder() {
  // No FILE_SHARE_DELETE: while held, the folder cannot be renamed,
  // removed or replaced, so its path keeps naming it.
  const HANDLE folder = CreateFileW(widened(outputFolder).c_str(), FILE_READ_ATTRIBUTES, kShareReadWrite,
                                    nullptr, OPEN_EXISTING,
                                    FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
  if (folder == INVALID_HANDLE_VALUE) return;
  if (!isPlain(folder, FILE_ATTRIBUTE_DIRECTORY)) {
    CloseHandle(folder);
    return;
  }
  folder_ = reinterpret_cast<NativeFile>(folder);
  heldFolder = folder_;
  heldPath = outputFolder;
}

OpenOutputFolder::~OpenOutputFolder() {
  if (heldFolder == folder_) heldFolder = kNoFile;
  closeFile(folder_);
}

NativeFile OpenOutputFolder::createNew(const std::string& name) {
  const HANDLE file = openInFolder(name, GENERIC_WRITE, CREATE_NEW);
  if (file == INVALID_HANDLE_VALUE) return kNoFile;
  return reinterpret_cast<NativeFile>(file);
}

NativeFile OpenOutputFolder::openForAppend(const std::string& name) {
  const HANDLE file = openInFolder(name, GENERIC_READ | GENERIC_WRITE, OPEN_ALWAYS);
  if (file == INVALID_HANDLE_VALUE) return kNoFile;
  LARGE_INTEGER start{};
  if (GetFileType(file) != FILE_TYPE_DISK || !isPlain(file, 0) ||
      !SetFilePointerEx(file, start, nullptr, FILE_END)) {
    CloseHandle(file);
    return kNoFile;
  }
  return reinterpret_cast<NativeFile>(file);
}
