#include "RegistryStore.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <mutex>

#include "Pelcore/PelFileWrite.h"
#include "Pelcore/PelMessage.h"

namespace {

constexpr const char* kDefaultPath = "/etc/opt/tarvik/registry.reg";
constexpr int kLineUnreadable = 210;
constexpr int kLineNotRegular = 212;
constexpr int kLineTooLarge = 214;
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
  PelMessageSelection::error(kRegistryMessageSource, line)
      << what << " " << path << ": " << std::strerror(errno) << PelEndl;
}

void reportRefused(int line, const std::string& why, const std::string& path) {
  PelMessageSelection::error(kRegistryMessageSource, line)
      << "Registry file refused, " << why << ": " << path << PelEndl;
}

void reportTooLarge(const std::string& path) {
  const std::string why = "larger than " + std::to_string(RegistryStore::kMaxFileSize) + " bytes";
  reportRefused(kLineTooLarge, why, path);
}

// Only a bounded regular file is a registry: a FIFO would block the reader,
// a device would never end and an oversized file would hold the memory.
bool acceptable(const struct stat& status, const std::string& path) {
  if (!S_ISREG(status.st_mode)) {
    reportRefused(kLineNotRegular, "not a regular file", path);
    return false;
  }
  if (static_cast<std::uint64_t>(status.st_size) > RegistryStore::kMaxFileSize) {
    reportTooLarge(path);
    return false;
  }
  return true;
}

// One state of the file: a rewrite by rename changes the inode, one in place
// the size or the modification time.
struct FileIdentity {
  dev_t device = 0;
  ino_t inode = 0;
  off_t size = 0;
  std::timespec modified{};

  bool operator==(const FileIdentity& other) const {
    return device == other.device && inode == other.inode && size == other.size &&
           modified.tv_sec == other.modified.tv_sec &&
           modified.tv_nsec == other.modified.tv_nsec;
  }
};

FileIdentity identityOf(const struct stat& status) {
  return {status.st_dev, status.st_ino, status.st_size, status.st_mtim};
}

enum class ReadResult { Read, Missing, Failed };

struct FileRead {
  ReadResult result = ReadResult::Missing;
  std::string bytes;
  FileIdentity identity;
  // False when the file was modified in the second it was read: a change
  // within the same timestamp would go unseen, so the read is not reused.
  bool reusable = false;
};

std::atomic<std::uint64_t> fileReads{0};

// Reads at most one byte past the bound, in case the file grew after fstat.
bool readBounded(int fd, std::string& bytes) {
  char buffer[65536];
  while (bytes.size() <= RegistryStore::kMaxFileSize) {
    const std::size_t wanted =
        std::min<std::size_t>(sizeof buffer, RegistryStore::kMaxFileSize + 1 - bytes.size());
    const ssize_t n = ::read(fd, buffer, wanted);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return false;
    if (n == 0) return true;
    bytes.append(buffer, static_cast<std::size_t>(n));
  }
  return true;
}

// Opens without blocking and looks at what the path names before reading a
// byte of it. Failed has been reported; Missing is an empty registry.
FileRead readRegistryFile(const std::string& path) {
  FileRead read;
  std::timespec now{};
  ::clock_gettime(CLOCK_REALTIME_COARSE, &now);
  FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
  if (fd.get() < 0 && (errno == ENOENT || errno == ENOTDIR)) return read;
  read.result = ReadResult::Failed;
  struct stat status {};
  if (fd.get() < 0 || ::fstat(fd.get(), &status) != 0) {
    reportFailure(kLineUnreadable, "Cannot read the registry file", path);
    return read;
  }
  if (!acceptable(status, path)) return read;
  fileReads.fetch_add(1, std::memory_order_relaxed);
  if (!readBounded(fd.get(), read.bytes)) {
    reportFailure(kLineUnreadable, "Cannot read the registry file", path);
    return read;
  }
  if (read.bytes.size() > RegistryStore::kMaxFileSize) {
    reportTooLarge(path);
    return read;
  }
  read.result = ReadResult::Read;
  read.identity = identityOf(status);
  read.reusable = status.st_mtim.tv_sec < now.tv_sec;
  return read;
}

// The last read of the file, reused while the file keeps its identity.
// Never destroyed, so that reads during exit still find it.
struct RegistryCache {
  std::mutex mutex;
  std::string path;                              // Guarded by mutex.
  FileIdentity identity;                         // Guarded by mutex.
  std::shared_ptr<const RegistryFile> contents;  // Guarded by mutex; null: nothing to reuse.

  static RegistryCache& instance() {
    static RegistryCache* cache = new RegistryCache;
    return *cache;
  }

  // REQUIRES: mutex held.
  bool holds(const std::string& file) const {
    struct stat status {};
    return contents != nullptr && path == file && ::stat(file.c_str(), &status) == 0 &&
           identityOf(status) == identity;
  }
};

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
  const bool written = ::fchmod(fd.get(), mode) == 0 && pelWriteAll(fd.get(), bytes.data(), bytes.size()) == bytes.size() &&
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

}  // namespace

std::string RegistryStore::path() {
  const char* value = std::getenv("PEL_REGISTRY");
  return value != nullptr && *value != '\0' ? std::string(value) : std::string(kDefaultPath);
}

std::shared_ptr<const RegistryFile> RegistryStore::load() {
  const std::string file = path();
  RegistryCache& cache = RegistryCache::instance();
  std::lock_guard<std::mutex> guard(cache.mutex);
  if (cache.holds(file)) return cache.contents;
  cache.contents.reset();
  const FileRead read = readRegistryFile(file);
  auto contents = std::make_shared<const RegistryFile>(RegistryFile::parse(read.bytes, file));
  if (read.result == ReadResult::Read && read.reusable) {
    cache.path = file;
    cache.identity = read.identity;
    cache.contents = contents;
  }
  return contents;
}

std::uint64_t RegistryStore::fileReadCount() { return fileReads.load(); }

bool RegistryStore::update(const std::function<bool(RegistryFile&)>& change) {
  const std::string file = targetPath(path());
  // No lock file beside a path that is no registry (a FIFO, a device).
  struct stat status {};
  if (::stat(file.c_str(), &status) == 0 && !acceptable(status, file)) return false;
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
  // Read afresh under the lock; a file that cannot be read is not replaced
  // by one that holds only this change.
  const FileRead read = readRegistryFile(file);
  if (read.result == ReadResult::Failed) return false;
  RegistryFile contents = RegistryFile::parse(read.bytes, file);
  if (!change(contents)) return false;
  return replaceFile(file, contents.serialize());
}
