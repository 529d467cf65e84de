#include <sqlite3.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "TestSupport.h"

// What the Windows build's other tests take for granted: the header and the
// library are the one SQLite built from Debian's sources, which takes UTF-8
// file names (the file lands under its Japanese name, not under the ANSI
// reading of its bytes), and the code page is a Japanese Windows' (the
// narrow system calls and the settings file's bytes are CP932 there).
TEST(WindowsBuild, SqliteTakesUtf8NamesUnderTheJapaneseAnsiCodePage) {
  EXPECT_EQ(GetACP(), 932u);
  EXPECT_STREQ(sqlite3_sourceid(), SQLITE_SOURCE_ID);
  TempFolder folder;
  const std::string path = folder / "データ.db";
  sqlite3* db = nullptr;
  ASSERT_EQ(sqlite3_open(path.c_str(), &db), SQLITE_OK);
  EXPECT_EQ(sqlite3_exec(db, "CREATE TABLE t(x TEXT)", nullptr, nullptr, nullptr), SQLITE_OK);
  sqlite3_close(db);
  EXPECT_TRUE(std::filesystem::exists(std::filesystem::u8path(path))) << path;
}
