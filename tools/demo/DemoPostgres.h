#ifndef TOOLS_DEMO_DEMOPOSTGRES_H
#define TOOLS_DEMO_DEMOPOSTGRES_H

#include <string>

// The tables of a demo database copied into the database "ud_gwAddress" on
// a PostgreSQL server, which an installation set to "Remote" reads.
class DemoPostgres {
 public:
  // `conninfo` names the server and the login as libpq reads a connection
  // string or URI; libpq's environment and files fill in the rest. A
  // database name in it is not used: the exporter reads ud_gwAddress.
  explicit DemoPostgres(std::string conninfo);

  // Creates the database ud_gwAddress (UTF-8, byte-order collation) when the
  // server has none, then replaces its tables umAccount, umGroup and umTSI
  // by those of the SQLite demo database at `path`, row for row and in one
  // transaction. Returns an empty text on success, else the error.
  std::string load(const std::string& path);

  // The server's host (a name, an address or a socket folder) and port as
  // connected. REQUIRES: load succeeded.
  const std::string& host() const { return host_; }
  int port() const { return port_; }

 private:
  std::string conninfo_;
  std::string host_;
  int port_ = 0;
};

#endif
