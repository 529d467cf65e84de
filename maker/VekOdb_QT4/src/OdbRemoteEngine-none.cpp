#include "OdbLog.h"
#include "OdbRemoteEngine.h"
#include "Pelcore/PelMessage.h"
#include "VekOdb/OdbCodes.h"

// A Remote installation fails at the client's start, where the exporter
// reports a database that cannot be reached, rather than at its first open.
VekRC OdbRemoteEngine::available() {
  PelMessageSelection::error(kOdbMessageSource, __LINE__)
      << "The installation's VekTesselConnection is Remote, but this build has no Remote engine."
         " rc = 0x"
      << PelHex << ODB_E_NOTIMPL << PelEndl;
  return ODB_E_NOTIMPL;
}

VekRC OdbRemoteEngine::open(const OdbClientSettings&, const std::u16string&, std::shared_ptr<OdbConnection>&) {
  return available();
}
