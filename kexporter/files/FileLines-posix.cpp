#include "FileLines.h"

#include <signal.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <atomic>

#include "Pelcore/PelFileWrite.h"

namespace {

// The thread that wrote the last line (one thread writes the files), so an
// ending signal can be passed to it. Its own id is kept per thread, as
// asking the kernel for it on every line would cost a system call.
std::atomic<pid_t> writingThread{0};
thread_local pid_t thisThread = 0;

// Takes back the first `written` bytes of a line whose rest could not be
// written (a full disk, a file-size limit), so the file ends in a whole line.
void takeBack(int fd, std::size_t written) {
  if (written == 0) return;
  const off_t end = ::lseek(fd, 0, SEEK_CUR);
  if (end < static_cast<off_t>(written)) return;
  const off_t start = end - static_cast<off_t>(written);
  if (::ftruncate(fd, start) == 0) ::lseek(fd, start, SEEK_SET);
}

bool writeAll(int fd, const std::string& bytes) {
  const std::size_t written = pelWriteAll(fd, bytes.data(), bytes.size());
  if (written == bytes.size()) return true;
  takeBack(fd, written);
  return false;
}

}  // namespace

bool writeLine(NativeFile file, const std::string& bytes) {
  if (thisThread == 0) thisThread = static_cast<pid_t>(::syscall(SYS_gettid));
  writingThread.store(thisThread, std::memory_order_relaxed);
  return writeAll(static_cast<int>(file), bytes);
}

bool hasName(NativeFile file) {
  struct stat info {};
  return ::fstat(static_cast<int>(file), &info) != 0 || info.st_nlink > 0;
}

void closeFile(NativeFile file) {
  if (file >= 0) ::close(static_cast<int>(file));
}

void endBetweenLines(int sig) {
  // A signal handler runs between two system calls of its thread, never in
  // the middle of a write to a file. Handled on another thread, the signal
  // goes on to the writing one, which may be inside a write just now.
  const pid_t writer = writingThread.load(std::memory_order_relaxed);
  const pid_t self = static_cast<pid_t>(::syscall(SYS_gettid));
  if (writer != 0 && writer != self && ::syscall(SYS_tgkill, ::getpid(), writer, sig) == 0) return;
  ::signal(sig, SIG_DFL);
  // Blocked while its handler runs, the signal ends the process as soon as
  // the handler returns.
  ::raise(sig);
}
