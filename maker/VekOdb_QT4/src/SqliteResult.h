#ifndef VEKODB_SQLITERESULT_H
#define VEKODB_SQLITERESULT_H

#include <sqlite3.h>

#include "Pelcore/VekRC.h"

// The code for a failed SQLite call on `db` that returned `result`: the
// cause it names (missing file, no access, not a database, locked, ...).
VekRC sqliteFailureCode(sqlite3* db, int result);

// The same for a query that failed to prepare: a missing table and other
// errors of the query text get codes of their own.
VekRC sqliteQueryFailureCode(sqlite3* db, int result);

#endif
