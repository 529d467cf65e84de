#include "RegistryAccess.h"

#include "RegistryStore.h"

std::optional<RegistryValue> RegistryAccess::read(const std::string& key, const std::string& name) {
  return RegistryStore::load()->find(key, name);
}

bool RegistryAccess::write(const std::string& key, const std::string& name, const RegistryValue& value) {
  return RegistryStore::update([&](RegistryFile& file) {
    file.set(key, name, value);
    return true;
  });
}

bool RegistryAccess::remove(const std::string& key, const std::string& name) {
  // Nothing to delete needs no lock, nor a writable folder.
  if (!RegistryStore::load()->find(key, name)) return false;
  return RegistryStore::update([&](RegistryFile& file) { return file.remove(key, name); });
}

std::uint64_t RegistryAccess::fileReadCount() { return RegistryStore::fileReadCount(); }
