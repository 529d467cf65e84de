#ifndef VEKODB_ODBCONNECTION_H
#define VEKODB_ODBCONNECTION_H

#include <memory>

#include "Pelcore/VekRC.h"
#include "VekOdb/ColumnBinding.h"

class OdbCursor;

// One open database of an engine. Data source, sessions and cursors share
// it; it closes when the last of them lets go. Used by the client's thread
// only.
class OdbConnection {
 public:
  virtual ~OdbConnection() = default;

  // Begins the one read transaction of a session: 0, ODB_E_OBJECTOPEN when
  // one is already held, ODB_E_TIMEOUT when the database stays locked.
  virtual VekRC beginSnapshot() = 0;
  // Ends the read transaction, if one is held.
  virtual void endSnapshot() = 0;
  // Runs `query` and delivers its rows into `bindings` (`count` records,
  // types already checked) through a new cursor; 0 when it ran.
  virtual VekRC execute(const char16_t* query, int count, ColumnBinding* bindings,
                        std::unique_ptr<OdbCursor>& cursor) = 0;
};

#endif
