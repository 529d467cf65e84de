#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "OpenOutputFolder.h"

namespace {

// Without its trailing "/" ("/" itself stays): with one, the system would
// follow a symbolic link at the folder's own name.
std::string withoutTrailingSlash(const std::string& path) {
  if (path.size() > 1 && path.back() == '/') return path.substr(0, path.size() - 1);
  return path;
}

// `name` in `folder` with open(2)'s flags, never through a link.
int openIn(int folder, const std::string& name, int flags) {
  if (folder < 0) return -1;
  return ::openat(folder, name.c_str(), flags | O_NOFOLLOW | O_CLOEXEC, 0666);
}

}  // namespace

OpenOutputFolder::OpenOutputFolder(const std::string& fullPath) : path_(fullPath) {
  // O_PATH: a handle to look at and create files under; it needs no right.
  folder_ = ::open(withoutTrailingSlash(fullPath).c_str(), O_PATH | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
}

OpenOutputFolder::~OpenOutputFolder() { closeFile(folder_); }

bool OpenOutputFolder::isWritable() const {
  struct stat status {};
  return isOpen() && ::fstat(static_cast<int>(folder_), &status) == 0 && S_ISDIR(status.st_mode) &&
         (status.st_mode & 0222) != 0;
}

OpenOutputFolder::Probe OpenOutputFolder::createAndRemove(const std::string& name) const {
  const int probe = openIn(static_cast<int>(folder_), name, O_WRONLY | O_CREAT | O_EXCL);
  if (probe < 0) return errno == EEXIST ? Probe::NameTaken : Probe::Failed;
  ::close(probe);
  ::unlinkat(static_cast<int>(folder_), name.c_str(), 0);
  return Probe::Created;
}

bool OpenOutputFolder::isEmpty() const {
  const int listed = openIn(static_cast<int>(folder_), ".", O_RDONLY | O_DIRECTORY);
  if (listed < 0) return false;
  DIR* folder = ::fdopendir(listed);
  if (folder == nullptr) {
    ::close(listed);
    return false;
  }
  bool empty = true;
  while (dirent* entry = ::readdir(folder)) {
    if (std::strcmp(entry->d_name, ".") == 0 || std::strcmp(entry->d_name, "..") == 0) continue;
    empty = false;
    break;
  }
  ::closedir(folder);
  return empty;
}

NativeFile OpenOutputFolder::createIn(const std::string& name) const {
  return openIn(static_cast<int>(folder_), name, O_WRONLY | O_CREAT | O_EXCL);
}

NativeFile OpenOutputFolder::appendIn(const std::string& name) const {
  // O_NONBLOCK: opening a FIFO must not wait for a reader.
  const int file = openIn(static_cast<int>(folder_), name, O_WRONLY | O_CREAT | O_APPEND | O_NONBLOCK);
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
