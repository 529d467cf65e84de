#include "OpenOutputFolder.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "OutputFolder.h"

namespace {

// The folder of the live OpenOutputFolder, -1 while none is.
int heldFolder = -1;

// `name` in the held folder with open(2)'s flags, never through a link.
int openInFolder(const std::string& name, int flags) {
  if (heldFolder < 0) return -1;
  return ::openat(heldFolder, name.c_str(), flags | O_NOFOLLOW | O_CLOEXEC, 0666);
}

}  // namespace

OpenOutputFolder::OpenOutputFolder() {
  // O_PATH: only a handle to create files under; it needs no read right.
  const int folder =
      ::open(withoutTrailingSlash(outputFolder).c_str(), O_PATH | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
  folder_ = folder;
  heldFolder = folder;
}

OpenOutputFolder::~OpenOutputFolder() {
  if (heldFolder == folder_) heldFolder = -1;
  closeFile(folder_);
}

NativeFile OpenOutputFolder::createNew(const std::string& name) {
  return openInFolder(name, O_WRONLY | O_CREAT | O_EXCL);
}

NativeFile OpenOutputFolder::openForAppend(const std::string& name) {
  // O_NONBLOCK: opening a FIFO must not wait for a reader.
  const int file = openInFolder(name, O_WRONLY | O_CREAT | O_APPEND | O_NONBLOCK);
  if (file < 0) return kNoFile;
  struct stat info {};
  const int flags = ::fcntl(file, F_GETFL);
  if (::fstat(file, &info) != 0 || !S_ISREG(info.st_mode) || flags < 0 ||
      ::fcntl(file, F_SETFL, flags & ~O_NONBLOCK) != 0) {
    ::close(file);
    return kNoFile;
  }
  return file;
}
