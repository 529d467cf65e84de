#include "FileLines.h"

#include <signal.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <atomic>

#include "LineQueue.h"
#include "Pelcore/PelFileWrite.h"

namespace {

// The thread that writes the files, so an ending signal can be passed to
// it. Its own id is kept per thread, as asking the kernel for it every time
// would cost a system call.
std::atomic<pid_t> writingThread{0};
thread_local pid_t thisThread = 0;
// While the writing thread hands lines over, an ending signal on it only
// notes itself here, and ends the process when the lines are handed over:
// a flag, as blocking the signals would cost two system calls each time.
volatile sig_atomic_t endingHeld = 0;
volatile sig_atomic_t heldEnding = 0;

int fdOf(NativeFile file) { return static_cast<int>(file); }

}  // namespace

std::size_t writeBytes(NativeFile file, const char* data, std::size_t size) {
  return pelWriteAll(fdOf(file), data, size);
}

void takeBack(NativeFile file, std::size_t written) {
  if (written == 0) return;
  const off_t end = ::lseek(fdOf(file), 0, SEEK_CUR);
  if (end < static_cast<off_t>(written)) return;
  const off_t start = end - static_cast<off_t>(written);
  if (::ftruncate(fdOf(file), start) == 0) ::lseek(fdOf(file), start, SEEK_SET);
}

std::size_t filePageSize() { return static_cast<std::size_t>(::sysconf(_SC_PAGESIZE)); }

void holdEnding() {
  noteWritingThread();
  endingHeld = 1;
  std::atomic_signal_fence(std::memory_order_seq_cst);
}

void releaseEnding() {
  std::atomic_signal_fence(std::memory_order_seq_cst);
  endingHeld = 0;
  std::atomic_signal_fence(std::memory_order_seq_cst);
  if (const int sig = heldEnding) endBetweenLines(sig);
}

void noteWritingThread() {
  if (thisThread == 0) thisThread = static_cast<pid_t>(::syscall(SYS_gettid));
  writingThread.store(thisThread, std::memory_order_relaxed);
}

bool hasName(NativeFile file) {
  struct stat info {};
  return ::fstat(fdOf(file), &info) != 0 || info.st_nlink > 0;
}

void closeFile(NativeFile file) {
  if (file >= 0) ::close(fdOf(file));
}

void endBetweenLines(int sig) {
  // A signal handler runs between two system calls of its thread, never in
  // the middle of a write to a file. Handled on another thread, the signal
  // goes on to the writing one, which may be inside a write just now.
  const pid_t writer = writingThread.load(std::memory_order_relaxed);
  const pid_t self = static_cast<pid_t>(::syscall(SYS_gettid));
  if (writer != 0 && writer != self && ::syscall(SYS_tgkill, ::getpid(), writer, sig) == 0) return;
  if (endingHeld) {
    heldEnding = sig;
    return;
  }
  LineQueue::writeBeforeEnd();
  ::signal(sig, SIG_DFL);
  // Blocked while its handler runs, the signal ends the process as soon as
  // the handler returns.
  ::raise(sig);
}
