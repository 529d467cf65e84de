#include "OpenOutputFolder.h"

#include "OutputFolder.h"

#include <cstdio>
#include <random>

namespace {

// The folder the export's files go to: set by the folder check before the
// export starts, then used by the export's thread only.
std::unique_ptr<OpenOutputFolder> heldFolder;

// How many names the write probe tries before it gives up: each is random,
// so a taken one is a rare chance.
constexpr int kProbeNames = 100;

std::string probeName() {
  static std::mt19937 numbers{std::random_device{}()};
  char name[32];
  std::snprintf(name, sizeof name, "dummy-%08x.tmp", static_cast<unsigned>(numbers()));
  return name;
}

}  // namespace

void OpenOutputFolder::hold(std::unique_ptr<OpenOutputFolder> folder) { heldFolder = std::move(folder); }

std::string OpenOutputFolder::pathOf(const std::string& name) const { return path_ + kPathSeparator + name; }

bool OpenOutputFolder::canCreateFile() const {
  for (int tries = 0; tries < kProbeNames; ++tries) {
    const Probe probe = createAndRemove(probeName());
    if (probe != Probe::NameTaken) return probe == Probe::Created;
  }
  return false;
}

NativeFile OpenOutputFolder::createNew(const std::string& name) {
  return heldFolder ? heldFolder->createIn(name) : kNoFile;
}

NativeFile OpenOutputFolder::openForAppend(const std::string& name) {
  return heldFolder ? heldFolder->appendIn(name) : kNoFile;
}
