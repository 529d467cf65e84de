#include "FileLines.h"

#include <windows.h>

namespace {

// Held around each line's write, so that the process can end between two
// lines only. Console control handlers run on a thread of their own.
SRWLOCK lineLock = SRWLOCK_INIT;

HANDLE handleOf(NativeFile file) { return reinterpret_cast<HANDLE>(file); }

// Takes back the first `written` bytes of a line whose rest could not be
// written (a full disk), so the file ends in a whole line.
void takeBack(HANDLE file, DWORD written) {
  if (written == 0) return;
  LARGE_INTEGER back{};
  back.QuadPart = -static_cast<LONGLONG>(written);
  if (SetFilePointerEx(file, back, nullptr, FILE_CURRENT)) SetEndOfFile(file);
}

bool writeAll(HANDLE file, const std::string& bytes) {
  DWORD written = 0;
  while (written < bytes.size()) {
    DWORD now = 0;
    const DWORD rest = static_cast<DWORD>(bytes.size()) - written;
    if (!WriteFile(file, bytes.data() + written, rest, &now, nullptr) || now == 0) {
      takeBack(file, written);
      return false;
    }
    written += now;
  }
  return true;
}

}  // namespace

bool writeLine(NativeFile file, const std::string& bytes) {
  AcquireSRWLockExclusive(&lineLock);
  const bool written = writeAll(handleOf(file), bytes);
  ReleaseSRWLockExclusive(&lineLock);
  return written;
}

bool hasName(NativeFile file) {
  FILE_STANDARD_INFO info{};
  if (!GetFileInformationByHandleEx(handleOf(file), FileStandardInfo, &info, sizeof info)) return true;
  return !info.DeletePending && info.NumberOfLinks > 0;
}

void closeFile(NativeFile file) {
  if (file != kNoFile) CloseHandle(handleOf(file));
}

void endBetweenLines(int code) {
  // The lock is never given back: no line starts after this one ended.
  // Ended at once, as a signal's default action ends it on POSIX: nothing
  // of the program runs any more that could wait for the lock.
  AcquireSRWLockExclusive(&lineLock);
  TerminateProcess(GetCurrentProcess(), static_cast<UINT>(code));
}
