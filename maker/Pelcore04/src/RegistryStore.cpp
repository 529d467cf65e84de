#include "RegistryStore.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>

#include "Pelcore/PelMessage.h"

namespace {

constexpr const char* kDefaultPath = "/etc/opt/tarvik/registry.reg";
constexpr int kLineUnreadable = 210;
constexpr int kLineLock = 220;
constexpr int kLineWrite = 230;

// Closes a descriptor on every way out.
class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  ~FileDescriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  int get() const { return fd_; }
  int release() {
    const int fd = fd_;
    fd_ = -1;
    return fd;
  }

 private:
  int fd_;
};

void reportFailure(int line, const std::string& what, const std::string& path) {
  PelMessageSelection::error("PelParameter", line)
      << what << " " << path << ": " << std::strerror(errno) << PelEndl;
}

// Reads the whole file; false with errno set when it cannot be read.
bool readAll(const std::string& path, std::string& bytes) {
  FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (fd.get() < 0) return false;
  char buffer[65536];
  for (;;) {
    const ssize_t n = ::read(fd.get(), buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return false;
    if (n == 0) return true;
    bytes.append(buffer, static_cast<std::size_t>(n));
  }
}

bool writeAll(int fd, const std::string& bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return false;
    done += static_cast<std::size_t>(n);
  }
  return true;
}

// A symbolic link to the registry keeps pointing at it: the file it names
// is the one replaced.
std::string targetPath(const std::string& path) {
  char resolved[PATH_MAX];
  return ::realpath(path.c_str(), resolved) != nullptr ? std::string(resolved) : path;
}

std::string folderOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

// Writes `bytes` to a new file beside `path` and renames it over `path`.
bool replaceFile(const std::string& path, const std::string& bytes) {
  std::string temporary = path + ".XXXXXX";
  FileDescriptor fd(::mkostemp(temporary.data(), O_CLOEXEC));
  if (fd.get() < 0) {
    reportFailure(kLineWrite, "Cannot create a new registry file beside", path);
    return false;
  }
  struct stat old {};
  const mode_t mode = ::stat(path.c_str(), &old) == 0 ? (old.st_mode & 07777) : 0644;
  const bool written = ::fchmod(fd.get(), mode) == 0 && writeAll(fd.get(), bytes) &&
                       ::fsync(fd.get()) == 0 && ::close(fd.release()) == 0 &&
                       ::rename(temporary.c_str(), path.c_str()) == 0;
  if (!written) {
    reportFailure(kLineWrite, "Cannot write the registry file", path);
    ::unlink(temporary.c_str());
    return false;
  }
  FileDescriptor folder(::open(folderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (folder.get() >= 0) ::fsync(folder.get());  // makes the rename itself durable
  return true;
}

RegistryFile loadFrom(const std::string& path) {
  std::string bytes;
  if (!readAll(path, bytes)) {
    if (errno != ENOENT && errno != ENOTDIR) reportFailure(kLineUnreadable, "Cannot read the registry file", path);
    return RegistryFile::parse("", path);
  }
  return RegistryFile::parse(bytes, path);
}

}  // namespace

std::string RegistryStore::path() {
  const char* value = std::getenv("PEL_REGISTRY");
  return value != nullptr && *value != '\0' ? std::string(value) : std::string(kDefaultPath);
}

RegistryFile RegistryStore::load() { return loadFrom(path()); }

bool RegistryStore::update(const std::function<bool(RegistryFile&)>& change) {
  const std::string file = targetPath(path());
  const std::string lockPath = file + ".lock";
  FileDescriptor lock(::open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644));
  if (lock.get() < 0) {
    reportFailure(kLineLock, "Cannot open the registry lock file", lockPath);
    return false;
  }
  while (::flock(lock.get(), LOCK_EX) != 0) {
    if (errno != EINTR) {
      reportFailure(kLineLock, "Cannot lock the registry lock file", lockPath);
      return false;
    }
  }
  RegistryFile contents = loadFrom(file);
  if (!change(contents)) return false;
  return replaceFile(file, contents.serialize());
}
