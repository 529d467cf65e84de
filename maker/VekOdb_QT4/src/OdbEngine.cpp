#include "OdbEngine.h"

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
