#include "OpenOutputFolder.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

#include "OutputFolder.h"

namespace {

// The folder of the live OpenOutputFolder, -1 while none is.
int heldFolder = -1;

}  // namespace

OpenOutputFolder::OpenOutputFolder() {
  // O_PATH: only a handle to create files under; it needs no read right.
  folder_ = ::open(withoutTrailingSlash(outputFolder).c_str(), O_PATH | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
  heldFolder = folder_;
}

OpenOutputFolder::~OpenOutputFolder() {
  if (heldFolder == folder_) heldFolder = -1;
  if (folder_ >= 0) ::close(folder_);
}

int OpenOutputFolder::openFile(const std::string& name, int flags) {
  if (heldFolder < 0) {
    errno = EBADF;
    return -1;
  }
  return ::openat(heldFolder, name.c_str(), flags | O_NOFOLLOW | O_CLOEXEC, 0666);
}
