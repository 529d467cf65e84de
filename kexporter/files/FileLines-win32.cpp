#include "FileLines.h"

#include <windows.h>

#include <algorithm>

#include "LineQueue.h"

namespace {

// Held while lines are handed to the system, so that the process can end
// between two lines only. Console control handlers run on a thread of
// their own.
SRWLOCK lineLock = SRWLOCK_INIT;

HANDLE handleOf(NativeFile file) { return reinterpret_cast<HANDLE>(file); }

}  // namespace

std::size_t writeBytes(NativeFile file, const char* data, std::size_t size) {
  std::size_t written = 0;
  while (written < size) {
    DWORD now = 0;
    const DWORD rest = static_cast<DWORD>(std::min<std::size_t>(size - written, 1u << 30));
    if (!WriteFile(handleOf(file), data + written, rest, &now, nullptr) || now == 0) break;
    written += now;
  }
  return written;
}

void takeBack(NativeFile file, std::size_t written) {
  if (written == 0) return;
  LARGE_INTEGER back{};
  back.QuadPart = -static_cast<LONGLONG>(written);
  if (SetFilePointerEx(handleOf(file), back, nullptr, FILE_CURRENT)) SetEndOfFile(handleOf(file));
}

std::size_t filePageSize() {
  SYSTEM_INFO system{};
  GetSystemInfo(&system);
  return system.dwPageSize;
}

void holdEnding() { AcquireSRWLockExclusive(&lineLock); }
void releaseEnding() { ReleaseSRWLockExclusive(&lineLock); }
void noteWritingThread() {}

bool hasName(NativeFile file) {
  FILE_STANDARD_INFO info{};
  if (!GetFileInformationByHandleEx(handleOf(file), FileStandardInfo, &info, sizeof info)) return true;
  return !info.DeletePending && info.NumberOfLinks > 0;
}

void closeFile(NativeFile file) {
  if (file != kNoFile) CloseHandle(handleOf(file));
}

void endBetweenLines(int code) {
  // The lock is never given back: no line starts after the waiting ones
  // are written. Ended at once, as a signal's default action ends it on
  // POSIX: nothing of the program runs any more that could wait for the
  // lock.
  AcquireSRWLockExclusive(&lineLock);
  LineQueue::writeBeforeEnd();
  TerminateProcess(GetCurrentProcess(), static_cast<UINT>(code));
}
