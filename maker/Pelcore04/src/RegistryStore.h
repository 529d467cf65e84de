#ifndef PELCORE_REGISTRYSTORE_H
#define PELCORE_REGISTRYSTORE_H

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "RegistryFile.h"

// The registry file on disk: PEL_REGISTRY, read at each call, else
// /etc/opt/tarvik/registry.reg. Only a regular file of at most kMaxFileSize
// bytes is read; anything else at the path is refused with one error message
// and counts as a file that cannot be read.
class RegistryStore {
 public:
  static constexpr std::uint64_t kMaxFileSize = 64 * 1024 * 1024;

  static std::string path();

  // The current contents, shared and never changed. The file is read again
  // only when its size, modification time, inode or device differ from the
  // last read, or the path does; otherwise the contents of that read are
  // returned. A missing file is an empty registry; a file that cannot be read
  // or is refused is one too, with an error message. Safe from any thread.
  static std::shared_ptr<const RegistryFile> load();

  // Under an exclusive lock (flock on "<path>.lock"), reads the current file
  // and applies `change`; when it returns true, writes the result to a new
  // file in the same folder, syncs it and renames it over the old one.
  // Returns false when `change` returned false, or the current file could not
  // be read or was refused, or the new one could not be written (an error
  // message says why); the old file is then untouched.
  static bool update(const std::function<bool(RegistryFile&)>& change);

  // How many times this process has read the file from disk, for diagnostics.
  static std::uint64_t fileReadCount();
};

#endif
