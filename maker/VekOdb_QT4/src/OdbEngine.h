#ifndef VEKODB_ODBENGINE_H
#define VEKODB_ODBENGINE_H

#include <memory>
#include <string>

#include "OdbClient.h"
#include "Pelcore/VekRC.h"

class OdbConnection;

// Opens database `name` with the engine of the installation's connection
// mode. 0 and the connection; otherwise the engine's failure code, logged.
VekRC openOdbConnection(const OdbClientSettings& settings, const std::u16string& name,
                        std::shared_ptr<OdbConnection>& connection);

// 0 when this build has the engine of the installation's connection mode;
// otherwise the code, logged. The client does not start without it.
VekRC checkOdbEngine(const OdbClientSettings& settings);

// The environment variable `variable` when it is a positive whole number,
// else `fallback`.
int odbPositiveSetting(const char* variable, int fallback);

// How long a locked database is waited for: VEKODB_BUSY_TIMEOUT_MS when it
// is a positive whole number, else kOdbBusyTimeoutMilliseconds.
int odbBusyTimeoutMilliseconds();

#endif
