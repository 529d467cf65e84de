#include "OdbEngine.h"

#include <charconv>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "Pelcore/PelUnicodeString.h"
#include "OdbRemoteEngine.h"
#include "SqliteConnection.h"
#include "VekOdb/OdbCodes.h"

namespace {

const char* const kDataFolder = "data";
const char* const kDatabaseSuffix = ".db";
// The platform's own separator, so that paths in messages read as the
// operator writes them ("\" on Windows).
const char kSeparator = static_cast<char>(std::filesystem::path::preferred_separator);

std::string inProcessDatabasePath(const OdbClientSettings& settings, const std::u16string& name) {
  return pelUtf16ToUtf8(settings.topPath) + kSeparator + kDataFolder + kSeparator + pelUtf16ToUtf8(name) +
         kDatabaseSuffix;
}

}  // namespace

VekRC openOdbConnection(const OdbClientSettings& settings, const std::u16string& name,
                        std::shared_ptr<OdbConnection>& connection) {
  if (settings.connection == kOdbConnectionRemote) {
    return OdbRemoteEngine::open(settings, name, connection);
  }
  if (settings.connection != kOdbConnectionInProcess) return ODB_E_NOTIMPL;
  return SqliteConnection::open(inProcessDatabasePath(settings, name), connection);
}

VekRC checkOdbEngine(const OdbClientSettings& settings) {
  if (settings.connection == kOdbConnectionRemote) return OdbRemoteEngine::available();
  return VEK_S_OK;
}

int odbPositiveSetting(const char* variable, int fallback) {
  const char* text = std::getenv(variable);
  if (text == nullptr) return fallback;
  const char* end = text + std::strlen(text);
  int number = 0;
  const auto [stop, error] = std::from_chars(text, end, number);
  if (error != std::errc() || stop != end || number <= 0) return fallback;
  return number;
}

int odbBusyTimeoutMilliseconds() {
  return odbPositiveSetting(kOdbBusyTimeoutVariable, kOdbBusyTimeoutMilliseconds);
}
