#include "PgConnection.h"

#include "OdbEngine.h"
#include "OdbLog.h"
#include "Pelcore/PelMessage.h"
#include "Pelcore/PelUnicodeString.h"
#include "PgConnect.h"
#include "PgCursor.h"
#include "PgExchange.h"
#include "VekOdb/OdbCodes.h"

namespace {

// Date-times in the form the bindings read; a table that a writer holds
// locked is waited for as long as an SQLite file would be.
std::string sessionSettings() {
  return "SET DateStyle TO ISO; SET lock_timeout TO " + std::to_string(odbBusyTimeoutMilliseconds());
}
const char* const kBegin = "BEGIN ISOLATION LEVEL REPEATABLE READ, READ ONLY";
// A repeatable-read transaction takes its snapshot at its first query.
const char* const kTakeSnapshot = "SELECT 1";
const char* const kRollback = "ROLLBACK";
const char* const kSavepoint = "SAVEPOINT odb_query";
const char* const kReleaseSavepoint = "RELEASE SAVEPOINT odb_query";
const char* const kUndoToSavepoint =
    "ROLLBACK TO SAVEPOINT odb_query; RELEASE SAVEPOINT odb_query";
const char* const kCursorPrefix = "odb_cursor_";
const char* const kGivenUp = "the connection was given up when the server stopped answering";

}  // namespace

VekRC PgConnection::open(const std::u16string& host, int port, const std::u16string& name,
                         std::shared_ptr<OdbConnection>& connection) {
  PGconn* conn = nullptr;
  std::string where;
  const VekRC rc =
      pgConnect(PgAddress{pelUtf16ToUtf8(host), port, pelUtf16ToUtf8(name)}, conn, where);
  if (rc != VEK_S_OK) return rc;
  std::shared_ptr<PgConnection> opened(new PgConnection(conn, where));
  const VekRC set = opened->run(sessionSettings(), "Can't set up the session of");
  if (set != VEK_S_OK) return set;
  connection = opened;
  return VEK_S_OK;
}

PgConnection::PgConnection(PGconn* conn, std::string where)
    : conn_(conn), where_(std::move(where)), answerSeconds_(pgAnswerLimitSeconds()) {
  pq().PQsetNoticeProcessor(conn_, &PgConnection::receiveNotice, this);
  // Every wait is then one of ours, bounded by the answer limit.
  pq().PQsetnonblocking(conn_, 1);
}

void PgConnection::receiveNotice(void* connection, const char* message) {
  auto* self = static_cast<PgConnection*>(connection);
  std::string_view text(message);
  while (!text.empty() && text.back() == '\n') text.remove_suffix(1);
  self->lastNotice_ = text;
  PelMessageSelection::debug(kOdbMessageSource, __LINE__)
      << "Server message on " << self->where_ << ": " << self->lastNotice_ << PelEndl;
}

std::string PgConnection::failureText(const PGresult* result) const {
  if (conn_ == nullptr) return kGivenUp;
  if (pq().PQstatus(conn_) != CONNECTION_BAD) return pgResultText(conn_, result);
  const std::string text = pgErrorText(conn_);
  return lastNotice_.empty() ? text : lastNotice_ + " " + text;
}

PgConnection::~PgConnection() {
  endSnapshot();
  pq().PQfinish(conn_);
}

VekRC PgConnection::beginSnapshot() {
  if (inSnapshot_) return ODB_E_OBJECTOPEN;
  VekRC rc = run(kBegin, "Can't begin reading");
  if (rc != VEK_S_OK) return rc;
  rc = run(kTakeSnapshot, "Can't begin reading");
  if (rc != VEK_S_OK) {
    PgResultPtr ignored;
    exchange(kRollback, false, ignored, "Can't end reading", "");
    return rc;
  }
  inSnapshot_ = true;
  ++snapshot_;
  return VEK_S_OK;
}

void PgConnection::endSnapshot() {
  if (!inSnapshot_) return;
  inSnapshot_ = false;
  // A read-only transaction has nothing to keep; its cursors end with it.
  if (pq().PQstatus(conn_) != CONNECTION_OK) return;
  PgResultPtr ignored;
  exchange(kRollback, false, ignored, "Can't end reading", "");
}

VekRC PgConnection::execute(const char16_t* query, int count, ColumnBinding* bindings,
                            std::unique_ptr<OdbCursor>& cursor) {
  if (!inSnapshot_) return VEK_E_UNEXPECTED;
  VekRC rc = run(kSavepoint, "Can't run a query on");
  if (rc != VEK_S_OK) return rc;
  rc = declareCursor(query, count, bindings, cursor);
  if (pq().PQstatus(conn_) != CONNECTION_OK) return rc;
  // A failed query undoes only itself, so that the snapshot stays usable as
  // on the InProcess engine.
  const VekRC ended =
      run(rc == VEK_S_OK ? kReleaseSavepoint : kUndoToSavepoint, "Can't run a query on");
  if (rc != VEK_S_OK) return rc;
  if (ended != VEK_S_OK) cursor.reset();
  return ended;
}

VekRC PgConnection::declareCursor(const char16_t* query, int count, ColumnBinding* bindings,
                                  std::unique_ptr<OdbCursor>& cursor) {
  const std::string name = kCursorPrefix + std::to_string(++cursors_);
  const std::string text = pelUtf16ToUtf8(query);
  const std::string declare = "DECLARE " + name + " NO SCROLL CURSOR FOR " + text;
  // The extended protocol takes one statement only: a query text cannot
  // add a statement of its own that ends the snapshot.
  PgResultPtr declared;
  if (!exchange(declare, true, declared, "Can't run a query on", text)) return ODB_E_TIMEOUT;
  if (pq().PQresultStatus(declared.get()) != PGRES_COMMAND_OK) {
    const VekRC rc = pgStatementFailureCode(conn_, declared.get());
    PelMessageSelection::error(kOdbMessageSource, __LINE__)
        << "Query failed on " << where_ << ": " << failureText(declared.get()) << ": "
        << text
        << ". rc = 0x" << PelHex << rc << PelEndl;
    return rc;
  }
  auto running =
      std::make_unique<PgCursor>(shared_from_this(), name, snapshot_, text, count, bindings);
  const VekRC started = running->start();
  if (started != VEK_S_OK) return started;
  cursor = std::move(running);
  return VEK_S_OK;
}

VekRC PgConnection::run(const std::string& sql, const char* purpose) {
  PgResultPtr result;
  return run(sql, purpose, result);
}

VekRC PgConnection::run(const std::string& sql, const char* purpose, PgResultPtr& result,
                        const std::string& detail) {
  if (!exchange(sql, false, result, purpose, detail)) return ODB_E_TIMEOUT;
  const ExecStatusType status = pq().PQresultStatus(result.get());
  if (status == PGRES_COMMAND_OK || status == PGRES_TUPLES_OK) return VEK_S_OK;
  const VekRC rc = pgStatementFailureCode(conn_, result.get());
  PelMessageSelection::error(kOdbMessageSource, __LINE__)
      << purpose << " " << where_ << ": " << failureText(result.get())
      << (detail.empty() ? "" : ": ") << detail << ". rc = 0x" << PelHex << rc << PelEndl;
  return rc;
}

bool PgConnection::exchange(const std::string& sql, bool oneStatement, PgResultPtr& result,
                            const char* purpose, const std::string& detail) {
  if (pgExchange(conn_, sql, oneStatement, answerSeconds_, result)) return true;
  PelMessageSelection::error(kOdbMessageSource, __LINE__)
      << purpose << " " << where_ << ": no answer within " << answerSeconds_ << " seconds ("
      << kPgAnswerLimitVariable << ")" << (detail.empty() ? "" : ": ") << detail << ". rc = 0x"
      << PelHex << ODB_E_TIMEOUT << PelEndl;
  // The server may still be in the middle of the statement; the connection
  // is of no further use, and what follows fails as on a lost one.
  inSnapshot_ = false;
  pq().PQfinish(conn_);
  conn_ = nullptr;
  return false;
}
