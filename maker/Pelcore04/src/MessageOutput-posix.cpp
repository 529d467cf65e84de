#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

#include "MessageOutput.h"

std::string defaultCommandName() { return program_invocation_short_name; }

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
    fd = ::open(path, O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0) fd = STDERR_FILENO;  // a message is never dropped for a bad path
  }
  std::size_t done = 0;
  while (done < line.size()) {
    const ssize_t n = ::write(fd, line.data() + done, line.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    done += static_cast<std::size_t>(n);
  }
  if (fd != STDERR_FILENO) ::close(fd);
}
