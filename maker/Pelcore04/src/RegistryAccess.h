#ifndef PELCORE_REGISTRYACCESS_H
#define PELCORE_REGISTRYACCESS_H

#include <cstdint>
#include <optional>
#include <string>

#include "RegistryValue.h"

// What the registry parameters need of the operating system, one
// implementation per platform: the regedit file of RegistryStore on POSIX
// (RegistryAccess-posix.cpp), the system's registry on Windows
// (RegistryAccess-win32.cpp). Keys are key texts as RegistryKey reads them,
// names are value names ("" the key's default value); both UTF-8.
class RegistryAccess {
 public:
  // The value, or nullopt when the key or the value does not exist, or the
  // store cannot be read (an error message then says why).
  static std::optional<RegistryValue> read(const std::string& key, const std::string& name);

  // Stores a String or Dword value, creating the key where needed. False
  // when it cannot be stored, with an error message. REQUIRES: the key has a
  // hive; key, name and text are registryTextStorable.
  static bool write(const std::string& key, const std::string& name, const RegistryValue& value);

  // Removes the value. False when there was none (no message) or it cannot
  // be removed (an error message says why).
  static bool remove(const std::string& key, const std::string& name);

  // How many times this process has read the registry file from disk; 0
  // where the registry is no file.
  static std::uint64_t fileReadCount();
};

#endif
