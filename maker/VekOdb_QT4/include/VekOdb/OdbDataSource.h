#ifndef VEKODB_ODBDATASOURCE_H
#define VEKODB_ODBDATASOURCE_H

#include <memory>

#include "Pelcore/VekRC.h"

class OdbConnection;
class OdbSession;

// A connection to one database, and the process-wide database client.
//
// The client is started once per process by InitializeTessel and belongs to
// the thread that started it: every database call from another thread fails
// with ODB_E_WRONGTHREAD, every call before the start with ODB_E_NOTSTARTED.
class OdbDataSource {
 public:
  // Starts the client for the installation whose parameter source the
  // caller has set (VekDefaultParameter::setParameterSource with `key`):
  // reads its top path, connection mode, host and port through
  // VekConfiguration. Returns 0 when started, also when the calling thread
  // had started it already. Fails with the code raised for a missing top path
  // (0x8000FFFF), VEK_E_INVALIDARG for a null key, ODB_E_WRONGTHREAD when
  // another thread runs the client.
  static VekRC InitializeTessel(const char16_t* key);
  // Ends the client; 0 also when it was not started. ODB_E_WRONGTHREAD, and
  // the client keeps running, when called from another thread.
  static VekRC TerminateTessel();

  OdbDataSource();
  virtual ~OdbDataSource();
  OdbDataSource(const OdbDataSource&) = delete;
  OdbDataSource& operator=(const OdbDataSource&) = delete;

  // Connects to a database; 0 when connected. See the derived class.
  virtual VekRC Initialize(const char16_t* host, const char16_t* database,
                           const char16_t* third, const char16_t* fourth) = 0;

  // Creates a session on this data source in *session; 0 when created.
  // Fails, leaving *session null, when the data source is not connected
  // (0x8000FFFF) or the call is not the client's.
  VekRC CreateSession(OdbSession** session);
  // Deletes *session and sets it to null; a null *session does nothing.
  // Always 0.
  VekRC ReleaseSession(OdbSession** session);

 protected:
  friend class OdbSession;
  // Set by Initialize; shared with the sessions, so that a session outlives
  // its data source safely.
  std::shared_ptr<OdbConnection> connection_;
};

#endif
