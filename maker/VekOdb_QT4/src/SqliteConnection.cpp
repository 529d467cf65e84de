#include "SqliteConnection.h"

#include <filesystem>

#include "OdbEngine.h"
#include "OdbLog.h"
#include "Pelcore/PelMessage.h"
#include "SqliteCursor.h"
#include "SqliteResult.h"
#include "VekOdb/OdbCodes.h"

namespace {

// Reading the schema reads the file's header: a file that is no database
// fails here, and a read lock is taken (and waited for) like any read.
const char* const kSchemaRead = "SELECT count(*) FROM sqlite_master";

}  // namespace

VekRC SqliteConnection::open(const std::string& path, std::shared_ptr<OdbConnection>& connection) {
  // SQLite built with URI names reads a name beginning with "file:" as a URI
  // with options of its own; an absolute path never begins so.
  // The path goes through std::filesystem as UTF-8 both ways: a narrow
  // std::string would be read in the ANSI code page on Windows.
  std::error_code noWorkingFolder;
  const std::u8string absolute =
      std::filesystem::absolute(std::u8string(path.begin(), path.end()), noWorkingFolder).u8string();
  if (noWorkingFolder) {
    PelMessageSelection::error(kOdbMessageSource, __LINE__)
        << "Can't open database " << path << ": " << noWorkingFolder.message() << ". rc = 0x" << PelHex
        << ODB_E_FILENOTFOUND << PelEndl;
    return ODB_E_FILENOTFOUND;
  }
  sqlite3* db = nullptr;
  // One connection serves one thread (the client's), so SQLite's own
  // per-call locking would only cost time on every column read.
  const int result = sqlite3_open_v2(reinterpret_cast<const char*>(absolute.c_str()), &db,
                                     SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX, nullptr);
  if (result != SQLITE_OK) {
    const VekRC rc = sqliteFailureCode(db, result);
    PelMessageSelection::error(kOdbMessageSource, __LINE__)
        << "Can't open database " << path << ": " << sqlite3_errmsg(db) << ". rc = 0x" << PelHex
        << rc << PelEndl;
    sqlite3_close_v2(db);
    return rc;
  }
  sqlite3_extended_result_codes(db, 1);
  sqlite3_busy_timeout(db, odbBusyTimeoutMilliseconds());
  std::shared_ptr<SqliteConnection> opened(new SqliteConnection(db, path));
  const VekRC rc = opened->run(kSchemaRead, "Can't read database");
  if (rc != VEK_S_OK) return rc;
  connection = opened;
  return VEK_S_OK;
}

SqliteConnection::SqliteConnection(sqlite3* db, std::string path)
    : db_(db), path_(std::move(path)) {}

SqliteConnection::~SqliteConnection() {
  endSnapshot();
  sqlite3_close_v2(db_);
}

VekRC SqliteConnection::beginSnapshot() {
  if (inSnapshot_) return ODB_E_OBJECTOPEN;
  VekRC rc = run("BEGIN", "Can't begin reading");
  if (rc != VEK_S_OK) return rc;
  // A deferred transaction takes its snapshot at its first read.
  rc = run(kSchemaRead, "Can't begin reading");
  if (rc != VEK_S_OK) {
    sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
    return rc;
  }
  inSnapshot_ = true;
  return VEK_S_OK;
}

void SqliteConnection::endSnapshot() {
  if (!inSnapshot_) return;
  // A read transaction has nothing to keep; ending it lets writers go on.
  sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
  inSnapshot_ = false;
}

VekRC SqliteConnection::execute(const char16_t* query, int count, ColumnBinding* bindings,
                                std::unique_ptr<OdbCursor>& cursor) {
  sqlite3_stmt* statement = nullptr;
  const VekRC rc = prepareQuery(query, count, statement);
  if (rc != VEK_S_OK) return rc;
  auto running = std::make_unique<SqliteCursor>(shared_from_this(), statement, count, bindings);
  const VekRC started = running->start();
  if (started != VEK_S_OK) return started;
  cursor = std::move(running);
  return VEK_S_OK;
}

VekRC SqliteConnection::prepareQuery(const char16_t* query, int count, sqlite3_stmt*& statement) {
  const int result = sqlite3_prepare16_v2(db_, query, -1, &statement, nullptr);
  if (result != SQLITE_OK) {
    const VekRC rc = sqliteQueryFailureCode(db_, result);
    PelMessageSelection::error(kOdbMessageSource, __LINE__)
        << "Query failed: " << sqlite3_errmsg(db_) << ": " << query << ". rc = 0x" << PelHex
        << rc << PelEndl;
    return rc;
  }
  // Only a query that gives rows may run: a statement without result
  // columns (BEGIN, COMMIT, ...) could end the session's snapshot.
  const int columns = statement == nullptr ? 0 : sqlite3_column_count(statement);
  if (columns == 0 || columns < count) {
    PelMessageSelection::error(kOdbMessageSource, __LINE__)
        << "Query gives " << columns << " columns, " << count << " bound: " << query
        << ". rc = 0x" << PelHex << VEK_E_INVALIDARG << PelEndl;
    sqlite3_finalize(statement);
    statement = nullptr;
    return VEK_E_INVALIDARG;
  }
  return VEK_S_OK;
}

VekRC SqliteConnection::run(const char* sql, const char* purpose) {
  sqlite3_stmt* statement = nullptr;
  int result = sqlite3_prepare_v2(db_, sql, -1, &statement, nullptr);
  if (result == SQLITE_OK) {
    do {
      result = sqlite3_step(statement);
    } while (result == SQLITE_ROW);
  }
  if (result == SQLITE_DONE) result = SQLITE_OK;
  VekRC rc = VEK_S_OK;
  if (result != SQLITE_OK) {
    rc = sqliteFailureCode(db_, result);
    PelMessageSelection::error(kOdbMessageSource, __LINE__)
        << purpose << " " << path_ << ": " << sqlite3_errmsg(db_) << ". rc = 0x" << PelHex << rc
        << PelEndl;
  }
  sqlite3_finalize(statement);
  return rc;
}
