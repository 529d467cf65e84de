#ifndef VEKODB_ODBROWSET_H
#define VEKODB_ODBROWSET_H

#include <memory>

#include "Pelcore/VekRC.h"
#include "VekOdb/ColumnBinding.h"

class OdbCursor;
class OdbSession;

// The rows of one query, delivered one at a time into the caller's bindings.
class OdbRowset {
 public:
  OdbRowset();
  ~OdbRowset();
  OdbRowset(const OdbRowset&) = delete;
  OdbRowset& operator=(const OdbRowset&) = delete;

  // Runs `query` in `session`'s snapshot. The rows go into `bindings`, an
  // array of `count` records whose types the caller has set (kColumnBool,
  // kColumnDateTime, kColumnInteger, kColumnText, kColumnBool15); the array
  // must live as long as the rowset. The query must give at least `count`
  // columns; column i goes into bindings[i]. `mode`, `reserved1` and
  // `reserved2` (10, 0, 0 from every caller) are not used.
  // 0 when the query ran. An error in the query fails with
  // ODB_E_ERRORSINCOMMAND, a table that does not exist with ODB_E_NOTABLE,
  // both with an error message carrying the database's own text; bad
  // arguments or types with VEK_E_INVALIDARG; a call that is not the
  // client's with ODB_E_NOTSTARTED / ODB_E_WRONGTHREAD. A second Initialize
  // replaces the first query.
  VekRC Initialize(OdbSession* session, const char16_t* query, int mode, int reserved1,
                   int reserved2, int count, ColumnBinding* bindings);

  // Stores the next row in the bindings and returns 0; VEK_E_NOMOREROWS
  // after the last row (and on every later call). A value that does not fit
  // its bound type fails with ODB_E_CANTCONVERTVALUE or ODB_E_DATAOVERFLOW,
  // a rowset without a query with 0x8000FFFF; each with an error message.
  // Text values stay valid until the next GetNextRow or the rowset's end.
  // `reserved` is not used.
  VekRC GetNextRow(int reserved);

 private:
  std::unique_ptr<OdbCursor> cursor_;
};

#endif
