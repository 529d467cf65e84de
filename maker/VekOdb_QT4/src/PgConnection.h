#ifndef VEKODB_PGCONNECTION_H
#define VEKODB_PGCONNECTION_H

#include "PgLibrary.h"

#include <memory>
#include <string>

#include "OdbConnection.h"
#include "PgResult.h"

// A database on a PostgreSQL server, the Remote engine. The user, password,
// service and the like come from libpq's own environment and files; texts
// travel as UTF-8.
class PgConnection : public OdbConnection, public std::enable_shared_from_this<PgConnection> {
 public:
  // Connects to database `name` on `host` (a name, an address or a socket
  // folder; empty: libpq's default) at `port` (0: libpq's default). Gives up
  // after connect_timeout seconds (libpq's environment or service file), 10
  // when none is set. 0 and the connection; otherwise ODB_E_CANTCONNECT,
  // ODB_E_AUTHFAILED, ODB_E_FILENOTFOUND (no such database), ODB_E_TIMEOUT,
  // ..., logged with the server's own text.
  static VekRC open(const std::u16string& host, int port, const std::u16string& name,
                    std::shared_ptr<OdbConnection>& connection);

  ~PgConnection() override;
  PgConnection(const PgConnection&) = delete;
  PgConnection& operator=(const PgConnection&) = delete;

  // A read-only repeatable-read transaction, its snapshot taken at once.
  VekRC beginSnapshot() override;
  void endSnapshot() override;
  // Declares a cursor for `query` in the snapshot and fetches its first
  // rows. A query that fails here leaves the snapshot usable. Without a
  // snapshot, 0x8000FFFF.
  VekRC execute(const char16_t* query, int count, ColumnBinding* bindings,
                std::unique_ptr<OdbCursor>& cursor) override;

  // Runs `sql`, a statement of this library's own, into `result`; 0, or the
  // code, logged with `purpose` and, after the server's text, `detail`.
  // ODB_E_TIMEOUT when the server stayed silent for the answer limit; the
  // connection is then given up and every later statement fails with
  // ODB_E_CONNECTIONLOST.
  VekRC run(const std::string& sql, const char* purpose, PgResultPtr& result,
            const std::string& detail = "");
  // Whether the snapshot numbered `snapshot` is still held; its cursors end
  // with it.
  bool holdsSnapshot(unsigned snapshot) const { return inSnapshot_ && snapshot_ == snapshot; }
  // "database N on host:port", for messages.
  const std::string& where() const { return where_; }

 private:
  PgConnection(PGconn* conn, std::string where);

  // Sends `sql` and waits for its result (see pgExchange); false when the
  // server stayed silent for the answer limit: logged with `purpose` and
  // `detail`, the connection closed and `conn_` null.
  bool exchange(const std::string& sql, bool oneStatement, PgResultPtr& result,
                const char* purpose, const std::string& detail);
  // Runs `sql`, discarding its rows; 0 or the logged code.
  VekRC run(const std::string& sql, const char* purpose);
  // libpq's text for the failure of the last statement, led by the
  // server's parting message when the connection broke off.
  std::string failureText(const PGresult* result) const;
  static void receiveNotice(void* connection, const char* message);
  VekRC declareCursor(const char16_t* query, int count, ColumnBinding* bindings,
                      std::unique_ptr<OdbCursor>& cursor);

  PGconn* conn_;  // null once given up
  std::string where_;
  int answerSeconds_;  // how long a wait for the server may receive nothing
  bool inSnapshot_ = false;
  unsigned snapshot_ = 0;  // number of the latest snapshot
  unsigned cursors_ = 0;   // cursors declared so far, for their names
  // The server's last message outside a statement; a server that stops
  // says why this way before it closes the connection.
  std::string lastNotice_;
};

#endif
