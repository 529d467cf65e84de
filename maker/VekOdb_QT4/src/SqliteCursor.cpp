#include "SqliteCursor.h"

#include "OdbLog.h"
#include "Pelcore/PelMessage.h"
#include "SqliteColumn.h"
#include "SqliteConnection.h"
#include "SqliteResult.h"

SqliteCursor::SqliteCursor(std::shared_ptr<SqliteConnection> connection, sqlite3_stmt* statement,
                           int count, ColumnBinding* bindings)
    : connection_(std::move(connection)),
      statement_(statement),
      count_(count),
      bindings_(bindings),
      texts_(count) {}

SqliteCursor::~SqliteCursor() { sqlite3_finalize(statement_); }

VekRC SqliteCursor::start() { return step(); }

VekRC SqliteCursor::fetch() {
  if (failure_ != VEK_S_OK) return failure_;
  if (!rowPending_ && !done_) {
    const VekRC rc = step();
    if (rc != VEK_S_OK) return rc;
  }
  if (done_) return VEK_E_NOMOREROWS;
  rowPending_ = false;
  return storeRow();
}

VekRC SqliteCursor::step() {
  const int result = sqlite3_step(statement_);
  if (result == SQLITE_ROW) {
    rowPending_ = true;
    return VEK_S_OK;
  }
  if (result == SQLITE_DONE) {
    done_ = true;
    return VEK_S_OK;
  }
  sqlite3* db = sqlite3_db_handle(statement_);
  failure_ = sqliteFailureCode(db, result);
  PelMessageSelection::error(kOdbMessageSource, __LINE__)
      << "Can't read rows of " << connection_->path() << ": " << sqlite3_errmsg(db) << ": "
      << sqlite3_sql(statement_) << ". rc = 0x" << PelHex << failure_ << PelEndl;
  return failure_;
}

VekRC SqliteCursor::storeRow() {
  for (int i = 0; i < count_; ++i) {
    const VekRC rc = storeSqliteColumn(statement_, i, bindings_[i], texts_[i]);
    if (rc == VEK_S_OK) continue;
    PelMessageSelection::error(kOdbMessageSource, __LINE__)
        << "Column " << i << " of " << sqlite3_sql(statement_)
        << " does not fit its type " << bindings_[i].type << ". rc = 0x" << PelHex << rc
        << PelEndl;
    return rc;
  }
  return VEK_S_OK;
}
