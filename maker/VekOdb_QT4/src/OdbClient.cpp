#include "OdbClient.h"

#include <atomic>
#include <exception>
#include <mutex>
#include <optional>
#include <thread>

#include "OdbEngine.h"
#include "OdbLog.h"
#include "Pelcore/PelException.h"
#include "Pelcore/PelMessage.h"
#include "Pelcore/PelUnicodeString.h"
#include "VekOdb/OdbCodes.h"
#include "VekPel/VekConfiguration.h"

namespace {

// Guarded by clientMutex.
std::mutex clientMutex;
std::optional<std::thread::id> clientThread;
OdbClientSettings clientSettings;
// The client's thread as checkCaller reads it, without the lock: it runs for
// every fetched row. Written under clientMutex together with clientThread.
std::atomic<std::thread::id> callerThread{};

// Reads the installation through the configuration library, which raises a
// VekRC for a missing top path.
VekRC readSettings(OdbClientSettings& settings) {
  try {
    settings.topPath = VekConfiguration::getTopPath().str();
    settings.connection = VekConfiguration::getTesselConnection();
    settings.hostName = VekConfiguration::getTesselHostName().str();
    settings.portNumber = VekConfiguration::getTesselPortNumber();
    return VEK_S_OK;
  } catch (VekRC rc) {
    return rc;
  } catch (const PelException& e) {
    PelMessageSelection::error(kOdbMessageSource, __LINE__) << e << PelEndl;
    return VEK_E_UNEXPECTED;
  } catch (const std::exception& e) {
    PelMessageSelection::error(kOdbMessageSource, __LINE__)
        << "Can't read the installation: " << e.what() << PelEndl;
    return VEK_E_FAIL;
  }
}

VekRC checkCallerLocked() {
  if (!clientThread) return ODB_E_NOTSTARTED;
  return *clientThread == std::this_thread::get_id() ? VEK_S_OK : ODB_E_WRONGTHREAD;
}

}  // namespace

VekRC OdbClient::start(const char16_t* key) {
  if (key == nullptr) return VEK_E_INVALIDARG;
  std::lock_guard<std::mutex> lock(clientMutex);
  if (clientThread) return checkCallerLocked();
  OdbClientSettings settings;
  VekRC rc = readSettings(settings);
  if (rc != VEK_S_OK) return rc;
  rc = checkOdbEngine(settings);
  if (rc != VEK_S_OK) return rc;
  clientSettings = settings;
  clientThread = std::this_thread::get_id();
  callerThread.store(*clientThread, std::memory_order_release);
  PelMessageSelection::debug(kOdbMessageSource, __LINE__)
      << "Client started for " << key << ", top path " << PelUnicodeString(settings.topPath)
      << PelEndl;
  return VEK_S_OK;
}

VekRC OdbClient::stop() {
  std::lock_guard<std::mutex> lock(clientMutex);
  if (!clientThread) return VEK_S_OK;
  const VekRC rc = checkCallerLocked();
  if (rc != VEK_S_OK) return rc;
  clientThread.reset();
  callerThread.store(std::thread::id(), std::memory_order_release);
  clientSettings = OdbClientSettings();
  return VEK_S_OK;
}

VekRC OdbClient::checkCaller() {
  const std::thread::id caller = callerThread.load(std::memory_order_acquire);
  if (caller == std::thread::id()) return ODB_E_NOTSTARTED;
  return caller == std::this_thread::get_id() ? VEK_S_OK : ODB_E_WRONGTHREAD;
}

OdbClientSettings OdbClient::settings() {
  std::lock_guard<std::mutex> lock(clientMutex);
  return clientSettings;
}
