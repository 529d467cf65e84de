#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

#include "MessageOutput.h"
#include "Pelcore/PelFileWrite.h"

namespace {

// O_NONBLOCK: a FIFO without a reader fails at once instead of holding the
// program at its first message. A pipe that has a reader is kept, and
// written to as to any pipe (another program taking the messages).
int openMessageFile(const char* path) {
  const int fd = ::open(path, O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC | O_NONBLOCK | O_NOCTTY, 0644);
  if (fd < 0) return -1;
  const int flags = ::fcntl(fd, F_GETFL);
  if (flags < 0 || ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0) {
    ::close(fd);
    return -1;
  }
  return fd;
}

}  // namespace

long currentProcessId() { return static_cast<long>(getpid()); }

std::tm localTimeOf(std::time_t when) {
  // localtime_r, unlike localtime, does not read TZ itself.
  static const bool zoneRead = (tzset(), true);
  (void)zoneRead;
  std::tm local{};
  localtime_r(&when, &local);
  return local;
}

void writeMessageLine(const std::string& line) {
  int fd = STDERR_FILENO;
  const char* path = std::getenv("PEL_MESSAGE_FILE");
  const bool toFile = path != nullptr && *path != '\0';
  if (toFile) {
    fd = openMessageFile(path);
    if (fd < 0) fd = STDERR_FILENO;  // a message is never dropped for a bad path
  }
  pelWriteAll(fd, line.data(), line.size());
  if (fd != STDERR_FILENO) ::close(fd);
}
