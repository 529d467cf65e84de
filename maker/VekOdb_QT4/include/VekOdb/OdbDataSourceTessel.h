#ifndef VEKODB_ODBDATASOURCETESSEL_H
#define VEKODB_ODBDATASOURCETESSEL_H

#include "VekOdb/OdbDataSource.h"

// The data source of the installation's database engine.
//
// InProcess, the engine of this library: the database named N is the SQLite
// file <top path>/data/N.db, opened read-only. It is never created, never
// written and only read-locked while a session reads; host, third and fourth
// text have no meaning to it.
//
// Remote: the database named N on the PostgreSQL server at the installation's
// host name and port number (0: the server's default port). User, password
// and other settings come from libpq's environment and files (PGUSER,
// PGPASSWORD, the password file, the service file); host, third and fourth
// text have no meaning to it either.
class OdbDataSourceTessel : public OdbDataSource {
 public:
  OdbDataSourceTessel();
  ~OdbDataSourceTessel() override;

  // Opens database `database` and checks that it is one. 0 when connected.
  // Failures: ODB_E_FILENOTFOUND, ODB_E_ACCESSDENIED, ODB_E_NOTADATABASE,
  // ODB_E_TIMEOUT (locked by a writer beyond the busy timeout),
  // VEK_E_INVALIDARG for a null, empty or path-like name, 0x8000FFFF when
  // already connected, ODB_E_NOTSTARTED / ODB_E_WRONGTHREAD. Remote adds
  // ODB_E_CANTCONNECT (server not reached), ODB_E_AUTHFAILED, ODB_E_TIMEOUT
  // (no answer within the connect timeout); a missing database is
  // ODB_E_FILENOTFOUND there too, and a server that goes away later fails
  // the call that meets it with ODB_E_CONNECTIONLOST. A server that sends
  // nothing for VEKODB_SERVER_TIMEOUT seconds (60 when unset) while a call
  // waits for it fails that call with ODB_E_TIMEOUT and every later one with
  // ODB_E_CONNECTIONLOST. Each failure of the database itself is written as
  // an error message with its cause, the server's own text included.
  VekRC Initialize(const char16_t* host, const char16_t* database,
                   const char16_t* third, const char16_t* fourth) override;
};

#endif
