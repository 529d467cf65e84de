#ifndef VEKODB_SQLITECURSOR_H
#define VEKODB_SQLITECURSOR_H

#include <sqlite3.h>

#include <memory>
#include <string>
#include <vector>

#include "OdbCursor.h"
#include "VekOdb/ColumnBinding.h"

class SqliteConnection;

// A prepared SQLite query and its rows.
class SqliteCursor : public OdbCursor {
 public:
  // Takes ownership of `statement`; keeps the connection open while it runs.
  SqliteCursor(std::shared_ptr<SqliteConnection> connection, sqlite3_stmt* statement, int count,
               ColumnBinding* bindings);
  ~SqliteCursor() override;
  SqliteCursor(const SqliteCursor&) = delete;
  SqliteCursor& operator=(const SqliteCursor&) = delete;

  // Runs the query up to its first row, so that it fails here rather than at
  // the first fetch. 0, or the code, logged.
  VekRC start();
  VekRC fetch() override;

 private:
  VekRC step();
  VekRC storeRow();

  std::shared_ptr<SqliteConnection> connection_;
  sqlite3_stmt* statement_;
  int count_;
  ColumnBinding* bindings_;
  std::vector<std::u16string> texts_;  // the text values of the current row
  bool rowPending_ = false;           // a stepped row not yet fetched
  bool done_ = false;
  // Stepping again after an error or the end would run the query anew.
  VekRC failure_ = VEK_S_OK;
};

#endif
