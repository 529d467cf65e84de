#ifndef PELCORE_REGISTRYSTORE_H
#define PELCORE_REGISTRYSTORE_H

#include <functional>
#include <string>

#include "RegistryFile.h"

// The registry file on disk: PEL_REGISTRY, read at each call, else
// /etc/opt/tarvik/registry.reg.
class RegistryStore {
 public:
  static std::string path();

  // The current contents. A missing file is an empty registry; a file that
  // cannot be read is one too, with an error message.
  static RegistryFile load();

  // Under an exclusive lock (flock on "<path>.lock"), reads the current file
  // and applies `change`; when it returns true, writes the result to a new
  // file in the same folder, syncs it and renames it over the old one.
  // Returns false when `change` returned false or the file could not be
  // written (an error message says why); the old file is then untouched.
  static bool update(const std::function<bool(RegistryFile&)>& change);
};

#endif
