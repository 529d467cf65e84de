#include "OdbEngine.h"

#include <charconv>
#include <cstdlib>
#include <cstring>

#include "Pelcore/PelUnicodeString.h"
#include "PgConnection.h"
#include "SqliteConnection.h"
#include "VekOdb/OdbCodes.h"

namespace {

const char* const kDataFolder = "/data/";
const char* const kDatabaseSuffix = ".db";

std::string inProcessDatabasePath(const OdbClientSettings& settings, const std::u16string& name) {
  return pelUtf16ToUtf8(settings.topPath) + kDataFolder + pelUtf16ToUtf8(name) + kDatabaseSuffix;
}

}  // namespace

VekRC openOdbConnection(const OdbClientSettings& settings, const std::u16string& name,
                        std::shared_ptr<OdbConnection>& connection) {
  if (settings.connection == kOdbConnectionRemote) {
    return PgConnection::open(settings.hostName, settings.portNumber, name, connection);
  }
  if (settings.connection != kOdbConnectionInProcess) return ODB_E_NOTIMPL;
  return SqliteConnection::open(inProcessDatabasePath(settings, name), connection);
}

int odbBusyTimeoutMilliseconds() {
  const char* text = std::getenv(kOdbBusyTimeoutVariable);
  if (text == nullptr) return kOdbBusyTimeoutMilliseconds;
  const char* end = text + std::strlen(text);
  int milliseconds = 0;
  const auto [stop, error] = std::from_chars(text, end, milliseconds);
  if (error != std::errc() || stop != end || milliseconds <= 0) return kOdbBusyTimeoutMilliseconds;
  return milliseconds;
}
