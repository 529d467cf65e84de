#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "ProfileReader.h"

namespace {

// Appends what fd holds to bytes, stopping one byte past `limit` (a file
// that grew after it was looked at). False on a read error.
bool readUpTo(int fd, std::size_t limit, std::string& bytes) {
  char buffer[16384];
  while (bytes.size() <= limit) {
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return false;
    if (n == 0) return true;
    bytes.append(buffer, static_cast<std::size_t>(n));
  }
  return true;
}

}  // namespace

std::optional<std::string> ProfileReader::fileBytes(const std::string& path) {
  // O_NONBLOCK: a FIFO at the name must not hold the run before it starts.
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) return std::nullopt;
  struct stat status {};
  std::string bytes;
  const bool read = ::fstat(fd, &status) == 0 && S_ISREG(status.st_mode) &&
                    static_cast<std::size_t>(status.st_size) <= kMaxFileBytes &&
                    readUpTo(fd, kMaxFileBytes, bytes) && bytes.size() <= kMaxFileBytes;
  ::close(fd);
  if (!read) return std::nullopt;
  return bytes;
}
