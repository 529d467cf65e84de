#include "FileLines.h"

#include <signal.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>

namespace {

// Lines between the start and the end of their write, over all threads, and
// whether the process is ending. Each side sets its own flag before it looks
// at the other's, so that a line and the end never miss each other.
std::atomic<int> linesInWriting{0};
std::atomic<bool> ending{false};
thread_local bool writingHere = false;

// The process is ending: a line not yet begun is never begun.
[[noreturn]] void waitForTheEnd() {
  for (;;) ::pause();
}

// Takes back the first `written` bytes of a line whose rest could not be
// written (a full disk, a file-size limit), so the file ends in a whole line.
void takeBack(int fd, std::size_t written) {
  if (written == 0) return;
  const off_t end = ::lseek(fd, 0, SEEK_CUR);
  if (end < static_cast<off_t>(written)) return;
  const off_t start = end - static_cast<off_t>(written);
  if (::ftruncate(fd, start) == 0) ::lseek(fd, start, SEEK_SET);
}

}  // namespace

namespace {

bool writeAll(int fd, const std::string& bytes) {
  const char* data = bytes.data();
  std::size_t left = bytes.size();
  while (left > 0) {
    // The system call itself: in a process with threads the C library's
    // write() adds thread-cancellation bookkeeping to every line, which costs
    // more than a tenth of the call at a million lines.
    ssize_t written = ::syscall(SYS_write, fd, data, left);
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) {
      takeBack(fd, bytes.size() - left);
      return false;
    }
    data += written;
    left -= static_cast<std::size_t>(written);
  }
  return true;
}

}  // namespace

bool writeLine(int fd, const std::string& bytes) {
  linesInWriting.fetch_add(1);
  writingHere = true;
  if (ending.load()) waitForTheEnd();
  const bool written = writeAll(fd, bytes);
  writingHere = false;
  linesInWriting.fetch_sub(1);
  return written;
}

void endBetweenLines(int sig) {
  ending.store(true);
  // A line of another thread is in the kernel and done in a moment. One of
  // this thread's own, interrupted here, cannot be finished any more.
  const int own = writingHere ? 1 : 0;
  while (linesInWriting.load() > own) {
  }
  ::signal(sig, SIG_DFL);
  // Blocked while its handler runs, the signal ends the process as soon as
  // the handler returns.
  ::raise(sig);
}
