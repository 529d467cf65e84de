#ifndef VEKODB_ODBREMOTEENGINE_H
#define VEKODB_ODBREMOTEENGINE_H

#include <memory>
#include <string>

#include "OdbClient.h"
#include "Pelcore/VekRC.h"

class OdbConnection;

// The engine of Remote installations, chosen by CMake: the PostgreSQL
// client where the build has it (OdbRemoteEngine-postgresql.cpp), else a
// stand-in that refuses them (OdbRemoteEngine-none.cpp).
class OdbRemoteEngine {
 public:
  // 0 when this build serves Remote installations; otherwise
  // ODB_E_NOTIMPL, logged with the reason.
  static VekRC available();

  // Opens database `name` on the installation's server. 0 and the
  // connection, or the logged code.
  static VekRC open(const OdbClientSettings& settings, const std::u16string& name,
                    std::shared_ptr<OdbConnection>& connection);
};

#endif
