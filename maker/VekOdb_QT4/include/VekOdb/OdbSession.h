#ifndef VEKODB_ODBSESSION_H
#define VEKODB_ODBSESSION_H

#include <memory>

#include "Pelcore/VekRC.h"

class OdbConnection;
class OdbDataSource;
class OdbRowset;

// A session reads one consistent snapshot of its data source's database:
// Initialize begins a read transaction that every rowset of the session
// reads from, so later changes by other writers are not seen. The snapshot
// ends when the session is deleted.
class OdbSession {
 public:
  OdbSession();
  ~OdbSession();
  OdbSession(const OdbSession&) = delete;
  OdbSession& operator=(const OdbSession&) = delete;

  // Begins the snapshot on `dataSource`; `option` 1 asks for a reading
  // session, the only kind there is. 0 when begun. Fails with
  // VEK_E_INVALIDARG (no or unconnected data source), ODB_E_OBJECTOPEN
  // (another session of the data source is reading), 0x8000FFFF (begun
  // already), ODB_E_TIMEOUT (locked by a writer beyond the busy timeout),
  // ODB_E_NOTSTARTED / ODB_E_WRONGTHREAD.
  VekRC Initialize(OdbDataSource* dataSource, int option);

  // Creates an empty rowset in *rowset; 0 when created. Fails, leaving
  // *rowset null, for a session not begun (0x8000FFFF) or a call that is not
  // the client's.
  VekRC CreateRowset(OdbRowset** rowset);
  // Deletes *rowset and sets it to null; a null *rowset does nothing.
  // Always 0.
  VekRC ReleaseRowset(OdbRowset** rowset);

 private:
  friend class OdbRowset;
  // Null until Initialize succeeds. REQUIRES: the snapshot is held while set.
  std::shared_ptr<OdbConnection> connection_;
};

#endif
