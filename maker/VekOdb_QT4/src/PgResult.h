#ifndef VEKODB_PGRESULT_H
#define VEKODB_PGRESULT_H

#include "PgLibrary.h"

#include <memory>
#include <string>
#include <string_view>

#include "Pelcore/VekRC.h"

struct PgResultClear {
  void operator()(PGresult* result) const { pq().PQclear(result); }
};
// A result of libpq, cleared at the end of its owner.
using PgResultPtr = std::unique_ptr<PGresult, PgResultClear>;

// The code for a failed connection attempt on `conn`, whose server error, if
// the server sent one, has SQLSTATE `sqlState` (empty when libpq failed by
// itself): ODB_E_AUTHFAILED, ODB_E_FILENOTFOUND (no such database),
// ODB_E_CANTCONNECT (refused, unknown host, server starting or stopping), ...
VekRC pgConnectFailureCode(PGconn* conn, std::string_view sqlState);

// The code for a failed statement on an open connection: ODB_E_CONNECTIONLOST
// once the connection is gone, else the cause that `result`'s SQLSTATE names
// (ODB_E_NOTABLE, ODB_E_ERRORSINCOMMAND, ODB_E_TIMEOUT, ...); VEK_E_FAIL for
// any other.
VekRC pgStatementFailureCode(PGconn* conn, const PGresult* result);

// libpq's last error text of `conn` as one line: line breaks and tabs become
// spaces and the LOCATION lines of verbose messages are dropped.
std::string pgErrorText(PGconn* conn);

// The server's error of `result` as "SEVERITY:  text", without the position
// in the statement, which names this library's wrapping of a query; libpq's
// text when the server sent none.
std::string pgResultText(PGconn* conn, const PGresult* result);

// The SQLSTATE that a verbose server message carries ("FATAL:  28P01: ..."),
// or an empty text when it carries none.
std::string pgMessageSqlState(std::string_view message);

#endif
