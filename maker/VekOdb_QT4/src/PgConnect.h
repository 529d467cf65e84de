#ifndef VEKODB_PGCONNECT_H
#define VEKODB_PGCONNECT_H

#include "PgLibrary.h"

#include <string>

#include "Pelcore/VekRC.h"

// Where a connection goes: host (empty: libpq's default), port (0: libpq's
// default) and database, all UTF-8.
struct PgAddress {
  std::string host;
  int port = 0;
  std::string database;
};

// Connects to `address` with UTF-8 texts and keepalive probes, waiting at
// most connect_timeout seconds (from libpq's environment or service file;
// 10 when none is set) for the host name lookup and the connect together.
// 0 and the open connection in `conn`, else the code
// (see PgConnection::open) with the failure logged, and `conn` null.
// `where` receives "database N on host:port" for later messages.
VekRC pgConnect(const PgAddress& address, PGconn*& conn, std::string& where);

#endif
