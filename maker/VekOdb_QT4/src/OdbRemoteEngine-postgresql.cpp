#include "OdbRemoteEngine.h"

#include "PgConnection.h"

VekRC OdbRemoteEngine::available() { return VEK_S_OK; }

VekRC OdbRemoteEngine::open(const OdbClientSettings& settings, const std::u16string& name,
                            std::shared_ptr<OdbConnection>& connection) {
  return PgConnection::open(settings.hostName, settings.portNumber, name, connection);
}
