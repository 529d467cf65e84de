#include <windows.h>

#include "OpenOutputFolder.h"
#include "Pelcore/PelWin32Text.h"

namespace {

constexpr DWORD kShareReadWrite = FILE_SHARE_READ | FILE_SHARE_WRITE;

DWORD attributesOf(HANDLE handle) {
  BY_HANDLE_FILE_INFORMATION info{};
  return GetFileInformationByHandle(handle, &info) ? info.dwFileAttributes : INVALID_FILE_ATTRIBUTES;
}

// Neither a reparse point nor, unless wanted, a folder.
bool isPlain(HANDLE handle, DWORD wantedDirectory) {
  const DWORD attributes = attributesOf(handle);
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_REPARSE_POINT)) return false;
  return (attributes & FILE_ATTRIBUTE_DIRECTORY) == wantedDirectory;
}

HANDLE handleOf(NativeFile file) { return reinterpret_cast<HANDLE>(file); }

// The path the system resolves an open file or folder to; empty when it
// cannot tell.
std::wstring finalPathOf(HANDLE handle) {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetFinalPathNameByHandleW(handle, path.data(), static_cast<DWORD>(path.size()),
                                                   FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
    if (length == 0) return std::wstring();
    if (length < path.size()) return path.substr(0, length);
    path.resize(length + 1);
  }
}

// Whether the open file is `name` in the open folder itself, not a file
// that a link at that name leads to. On Windows the reparse-point test
// already refuses a link; Wine shows a Unix symbolic link as a plain file
// and resolves it only here. A folder whose path the system cannot tell
// (some network shares) is taken as it is.
bool isNamedIn(HANDLE file, HANDLE folder, const std::string& name) {
  std::wstring expected = finalPathOf(folder);
  if (expected.empty()) return true;
  if (expected.back() != L'\\') expected += L'\\';
  expected += widened(name);
  const std::wstring actual = finalPathOf(file);
  return CompareStringOrdinal(expected.c_str(), static_cast<int>(expected.size()), actual.c_str(),
                              static_cast<int>(actual.size()), TRUE) == CSTR_EQUAL;
}

}  // namespace

OpenOutputFolder::OpenOutputFolder(const std::string& fullPath) : path_(fullPath) {
  // No FILE_SHARE_DELETE: while held, the folder cannot be renamed,
  // removed or replaced, nor can a folder above it, so its path keeps
  // naming it.
  const HANDLE folder = CreateFileW(widened(fullPath).c_str(), FILE_READ_ATTRIBUTES, kShareReadWrite, nullptr,
                                    OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT,
                                    nullptr);
  if (folder == INVALID_HANDLE_VALUE) return;
  if (!isPlain(folder, FILE_ATTRIBUTE_DIRECTORY)) {
    CloseHandle(folder);
    return;
  }
  folder_ = reinterpret_cast<NativeFile>(folder);
}

OpenOutputFolder::~OpenOutputFolder() { closeFile(folder_); }

bool OpenOutputFolder::isWritable() const {
  return isOpen() && !(attributesOf(handleOf(folder_)) & FILE_ATTRIBUTE_READONLY);
}

// The files below are named by the path, which the held folder pins.
OpenOutputFolder::Probe OpenOutputFolder::createAndRemove(const std::string& name) const {
  const std::wstring probe = widened(pathOf(name));
  const HANDLE file = CreateFileW(probe.c_str(), GENERIC_WRITE, FILE_SHARE_WRITE, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
  if (file == INVALID_HANDLE_VALUE) return GetLastError() == ERROR_FILE_EXISTS ? Probe::NameTaken : Probe::Failed;
  CloseHandle(file);
  DeleteFileW(probe.c_str());
  return Probe::Created;
}

bool OpenOutputFolder::isEmpty() const {
  if (!isOpen()) return false;
  WIN32_FIND_DATAW entry{};
  const HANDLE listing = FindFirstFileW(widened(pathOf("*")).c_str(), &entry);
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

NativeFile OpenOutputFolder::createIn(const std::string& name) const {
  if (!isOpen()) return kNoFile;
  const HANDLE file = CreateFileW(widened(pathOf(name)).c_str(), GENERIC_WRITE, kShareReadWrite,
                                  nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
  return file == INVALID_HANDLE_VALUE ? kNoFile : reinterpret_cast<NativeFile>(file);
}

NativeFile OpenOutputFolder::appendIn(const std::string& name) const {
  if (!isOpen()) return kNoFile;
  // A reparse point at the name is opened as itself, and then refused.
  const HANDLE file = CreateFileW(widened(pathOf(name)).c_str(), GENERIC_READ | GENERIC_WRITE,
                                  kShareReadWrite, nullptr, OPEN_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
  if (file == INVALID_HANDLE_VALUE) return kNoFile;
  LARGE_INTEGER start{};
  if (GetFileType(file) != FILE_TYPE_DISK || !isPlain(file, 0) || !isNamedIn(file, handleOf(folder_), name) ||
      !SetFilePointerEx(file, start, nullptr, FILE_END)) {
    CloseHandle(file);
    return kNoFile;
  }
  return reinterpret_cast<NativeFile>(file);
}
