#include "Pelcore/PelFileWrite.h"

#include <sys/syscall.h>
#include <unistd.h>

#include <cerrno>

std::size_t pelWriteAll(int fd, const char* data, std::size_t size) {
  std::size_t done = 0;
  while (done < size) {
    // The system call itself: in a process with threads the C library's
    // write() adds thread-cancellation bookkeeping to every call, which
    // costs more than a tenth of it when a file is written line by line.
    const long written = ::syscall(SYS_write, fd, data + done, size - done);
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) break;
    done += static_cast<std::size_t>(written);
  }
  return done;
}
