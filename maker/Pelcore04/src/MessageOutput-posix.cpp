#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

#include "MessageOutput.h"
#include "Pelcore/PelFileWrite.h"

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
  pelWriteAll(fd, line.data(), line.size());
  if (fd != STDERR_FILENO) ::close(fd);
}
