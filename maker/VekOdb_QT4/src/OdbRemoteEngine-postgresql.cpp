#include "OdbLog.h"
#include "OdbRemoteEngine.h"
#include "PgConnection.h"
#include "PgLibrary.h"
#include "Pelcore/PelMessage.h"
#include "VekOdb/OdbCodes.h"

// Loading the client is the engine's start: a client that cannot be loaded
// fails a Remote installation at the client's start, as a build without the
// engine does.
VekRC OdbRemoteEngine::available() {
  std::string why;
  if (pgLibrary(&why) != nullptr) return VEK_S_OK;
  PelMessageSelection::error(kOdbMessageSource, __LINE__)
      << "The installation's VekTesselConnection is Remote, but the PostgreSQL client cannot be loaded: "
      << why << ". rc = 0x" << PelHex << ODB_E_NOTIMPL << PelEndl;
  return ODB_E_NOTIMPL;
}

VekRC OdbRemoteEngine::open(const OdbClientSettings& settings, const std::u16string& name,
                            std::shared_ptr<OdbConnection>& connection) {
  if (const VekRC rc = available()) return rc;
  return PgConnection::open(settings.hostName, settings.portNumber, name, connection);
}
