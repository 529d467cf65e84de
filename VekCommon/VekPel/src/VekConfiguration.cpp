#include "VekPel/VekConfiguration.h"

#include <atomic>
#include <filesystem>
#include <memory>

#include "Pelcore/PelMessage.h"
#include "Pelcore/VekRC.h"
#include "VekPel/VekDefaultParameter.h"
#include "VekPelProcess.h"

// Every setting follows one pattern: test its holder without the lock; if
// nothing is there, take the configuration lock, test again, read, publish.
// A holder is published only complete, so the unlocked test sees either
// nothing or the whole value.

namespace {

constexpr int kLineTopPathMissing = 64;
constexpr int kConnectionInProcess = 1;
constexpr int kConnectionRemote = 2;
constexpr const char16_t* kDefaultHostName = u"localhost";
// The platform's own: the documents' backslash on Windows.
constexpr char16_t kPathSeparator = static_cast<char16_t>(std::filesystem::path::preferred_separator);

// Published once read; the string is never freed while the process runs, so
// references to it stay valid.
std::atomic<const PelUnicodeString*> topPath{nullptr};

std::atomic<PelBoolean> fullTextOnMemory{PelFalse};
std::atomic<bool> fullTextOnMemoryRead{false};

std::atomic<int> tesselConnection{0};  // 0: not yet determined
std::atomic<int> tesselPortNumber{0};  // 0: not yet read, or stored as 0

std::atomic<bool> tesselHostNamePublished{false};

// Created on the first call, destroyed at unload.
PelUnicodeString& tesselHostName() {
  static PelUnicodeString hostName;
  return hostName;
}

}  // namespace

const PelUnicodeString& VekConfiguration::getTopPath() {
  if (const PelUnicodeString* path = topPath.load(std::memory_order_acquire)) return *path;
  PelAutoMutex guard(VekPelProcess::configurationLock);
  if (const PelUnicodeString* path = topPath.load(std::memory_order_acquire)) return *path;

  auto path = std::make_unique<PelUnicodeString>();
  if (!VekDefaultParameter::getString(*path, u"VekPath")) {
    PelMessageSelection::error(VekPelProcess::kMessageSource, kLineTopPathMissing)
        << "Bad configuration: required key " << u"VekPath" << " not found." << PelEndl;
    throw VekRC{VEK_E_UNEXPECTED};
  }
  topPath.store(path.get(), std::memory_order_release);
  return *path.release();
}

PelUnicodeString VekConfiguration::getPath(const char16_t* name) {
  PelUnicodeString path = getTopPath();
  path.append(kPathSeparator);
  path.append(name, 0);
  return path;
}

PelBoolean VekConfiguration::getFullTextOnMemory() {
  if (fullTextOnMemoryRead.load(std::memory_order_acquire)) return fullTextOnMemory.load();
  PelAutoMutex guard(VekPelProcess::configurationLock);
  if (!fullTextOnMemoryRead.load(std::memory_order_acquire)) {
    PelBoolean value = PelFalse;
    VekDefaultParameter::getBoolean(value, u"VekFullTextOnMemory");
    fullTextOnMemory.store(value);
    fullTextOnMemoryRead.store(true, std::memory_order_release);
  }
  return fullTextOnMemory.load();
}

int VekConfiguration::getTesselConnection() {
  if (const int known = tesselConnection.load()) return known;
  PelAutoMutex guard(VekPelProcess::configurationLock);
  if (const int known = tesselConnection.load()) return known;

  PelUnicodeString text;
  VekDefaultParameter::getString(text, u"VekTesselConnection");
  int connection = kConnectionInProcess;
  if (text.compare(u"InProcess", false, 0) == 0) {
    connection = kConnectionInProcess;
  } else if (text.compare(u"Remote", false, 0) == 0) {
    connection = kConnectionRemote;
  }
  tesselConnection.store(connection);
  return connection;
}

const PelUnicodeString& VekConfiguration::getTesselHostName() {
  PelUnicodeString& hostName = tesselHostName();
  if (tesselHostNamePublished.load(std::memory_order_acquire)) return hostName;
  PelAutoMutex guard(VekPelProcess::configurationLock);
  if (tesselHostNamePublished.load(std::memory_order_acquire)) return hostName;

  PelUnicodeString text;
  VekDefaultParameter::getString(text, u"VekTesselHostName");
  if (text.empty()) text.allocateCopy(kDefaultHostName, 0);
  hostName = std::move(text);
  tesselHostNamePublished.store(true, std::memory_order_release);
  return hostName;
}

int VekConfiguration::getTesselPortNumber() {
  if (const int known = tesselPortNumber.load()) return known;
  PelAutoMutex guard(VekPelProcess::configurationLock);
  if (const int known = tesselPortNumber.load()) return known;

  int port = 0;
  VekDefaultParameter::getInteger(port, u"VekTesselPortNumber");
  tesselPortNumber.store(port);
  return port;
}
