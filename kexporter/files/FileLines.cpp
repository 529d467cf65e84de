#include "FileLines.h"

#include <unistd.h>

#include <cerrno>

namespace {

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

bool writeLine(int fd, const std::string& bytes) {
  const char* data = bytes.data();
  std::size_t left = bytes.size();
  while (left > 0) {
    ssize_t written = ::write(fd, data, left);
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
