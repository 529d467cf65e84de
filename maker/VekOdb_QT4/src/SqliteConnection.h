#ifndef VEKODB_SQLITECONNECTION_H
#define VEKODB_SQLITECONNECTION_H

#include <sqlite3.h>

#include <memory>
#include <string>

#include "OdbConnection.h"

// An SQLite database file opened read-only, the InProcess engine.
class SqliteConnection : public OdbConnection,
                         public std::enable_shared_from_this<SqliteConnection> {
 public:
  // Opens the file at `path` (UTF-8; relative to the working folder, never
  // read as a URI) read-only, never creating it, and reads its schema once
  // so that a file that is no database, or is locked beyond the busy
  // timeout, fails here. 0 and the connection, or the logged code.
  static VekRC open(const std::string& path, std::shared_ptr<OdbConnection>& connection);

  ~SqliteConnection() override;
  SqliteConnection(const SqliteConnection&) = delete;
  SqliteConnection& operator=(const SqliteConnection&) = delete;

  VekRC beginSnapshot() override;
  void endSnapshot() override;
  VekRC execute(const char16_t* query, int count, ColumnBinding* bindings,
                std::unique_ptr<OdbCursor>& cursor) override;

  const std::string& path() const { return path_; }

 private:
  SqliteConnection(sqlite3* db, std::string path);

  // Runs `sql` to its end, discarding rows; 0 or the code, logged with
  // `purpose`.
  VekRC run(const char* sql, const char* purpose);
  VekRC prepareQuery(const char16_t* query, int count, sqlite3_stmt*& statement);

  sqlite3* db_;
  std::string path_;
  bool inSnapshot_ = false;
};

#endif
