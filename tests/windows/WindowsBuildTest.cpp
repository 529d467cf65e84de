#include <sqlite3.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "TestSupport.h"

TEST(SqliteBuild, WritesADatabaseAndReadsItBackReadOnly) {
  TempFolder folder;
  // A Japanese folder name: SQLite takes UTF-8 paths on Windows too.
  const std::string path = folder / "データ.db";
  sqlite3* db = nullptr;
  ASSERT_EQ(sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr), SQLITE_OK);
  EXPECT_EQ(sqlite3_exec(db, "CREATE TABLE t(x TEXT); INSERT INTO t VALUES('髙橋');", nullptr, nullptr, nullptr),
            SQLITE_OK);
  sqlite3_close(db);

  ASSERT_EQ(sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr), SQLITE_OK);
  sqlite3_stmt* statement = nullptr;
  ASSERT_EQ(sqlite3_prepare_v2(db, "SELECT x FROM t", -1, &statement, nullptr), SQLITE_OK);
  ASSERT_EQ(sqlite3_step(statement), SQLITE_ROW);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(sqlite3_column_text(statement, 0))), "髙橋");
  sqlite3_finalize(statement);
  EXPECT_NE(sqlite3_exec(db, "INSERT INTO t VALUES('x')", nullptr, nullptr, nullptr), SQLITE_OK);
  sqlite3_close(db);
  EXPECT_STREQ(sqlite3_sourceid(), SQLITE_SOURCE_ID);
}

TEST(WindowsBuild, RunsWithTheJapaneseAnsiCodePage) {
  // The narrow system calls and the settings file's bytes are CP932 there.
  EXPECT_EQ(GetACP(), 932u);
}
