#include <gtest/gtest.h>
#include <sqlite3.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "TestSupport.h"

namespace fs = std::filesystem;

namespace {

class DemoInstallationTest : public ::testing::Test {
 protected:
  int run(const std::string& options) { return makeDemoInstallation(options); }
  std::string dir(const std::string& name) { return root_ / name; }
  fs::path current(const std::string& name) { return dir(name) + "/nxv5/data/ud_gwAddress.db"; }
  fs::path older(const std::string& name) { return dir(name) + "/nxv4/data/ud_gwAddress.db"; }

  TempFolder root_;
};

// Every row of the query, its columns joined by "|", NULL as "NULL".
std::vector<std::string> query(const fs::path& db, const std::string& sql) {
  sqlite3* handle = nullptr;
  EXPECT_EQ(sqlite3_open_v2(db.c_str(), &handle, SQLITE_OPEN_READONLY, nullptr), SQLITE_OK);
  sqlite3_stmt* statement = nullptr;
  EXPECT_EQ(sqlite3_prepare_v2(handle, sql.c_str(), -1, &statement, nullptr), SQLITE_OK)
      << sqlite3_errmsg(handle);
  std::vector<std::string> rows;
  while (statement && sqlite3_step(statement) == SQLITE_ROW) {
    std::string row;
    for (int c = 0; c < sqlite3_column_count(statement); ++c) {
      const unsigned char* text = sqlite3_column_text(statement, c);
      row += (c > 0 ? "|" : "") + std::string(text ? reinterpret_cast<const char*>(text) : "NULL");
    }
    rows.push_back(row);
  }
  sqlite3_finalize(statement);
  sqlite3_close(handle);
  return rows;
}

// The export of this data through the dialogs is checked by their tests;
// here the cases the data must hold for the export to meet them.
TEST_F(DemoInstallationTest, DefaultDataAreTheSameEveryTimeAndHoldTheCasesTheExportDecidesOn) {
  ASSERT_EQ(run("--dir " + dir("a")), 0);
  ASSERT_EQ(run("--dir " + dir("d")), 0);
  EXPECT_EQ(readFile(current("a")), readFile(current("d")));
  EXPECT_EQ(readFile(older("a")), readFile(older("d")));
  EXPECT_EQ(readFile(dir("d") + "/registry.reg"),
            "Windows Registry Editor Version 5.00\n"
            "\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Tarvik\\Fenwick\\NXV4\\GW\\VEK]\n"
            "\"VekPath\"=\"" + dir("d") + "/nxv4\"\n"
            "\"VekTesselConnection\"=\"InProcess\"\n"
            "\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Tarvik\\Fenwick\\NXV5\\GW\\VEK]\n"
            "\"VekPath\"=\"" + dir("d") + "/nxv5\"\n"
            "\"VekTesselConnection\"=\"InProcess\"\n");
  // For the Windows build under Wine: the same folders through drive Z:,
  // backslashes escaped as regedit writes them.
  ASSERT_EQ(run("--windows --dir " + dir("w")), 0);
  std::string windowsFolder = "Z:";
  for (char c : dir("w")) windowsFolder += c == '/' ? std::string("\\\\") : std::string(1, c);
  const std::string registry = readFile(dir("w") + "/registry.reg");
  for (const char* generation : {"nxv4", "nxv5"}) {
    const std::string line = "\"VekPath\"=\"" + windowsFolder + "\\\\" + generation + "\"\n";
    EXPECT_NE(registry.find(line), std::string::npos) << line << " not in " << registry;
  }
  EXPECT_EQ(readFile(current("w")), readFile(current("d")));

  // The cases the export decides on: every tray value, the special trays'
  // names, TSIs without a sender.
  const fs::path db = current("d");
  EXPECT_EQ(query(db, "select distinct quote(ac_storeTray) from umAccount order by 1"),
            (std::vector<std::string>{"0", "1", "2", "NULL"}));
  EXPECT_EQ(query(db, "select count(distinct ac_name || quote(ac_storeTray)) from umAccount"
                      " where ac_name in ('ﾌｧｸｽ受信ﾄﾚｲ', '未転送ﾄﾚｲ', 'ファクス受信トレイ', '未転送トレイ')"),
            std::vector<std::string>{"6"});
  EXPECT_EQ(query(db, "select count(*) > 0 from umTSI where ts_sender is null"), std::vector<std::string>{"1"});
}

// Bad options and a folder that holds files of someone else's change nothing
// but with --force, which keeps what is not the generator's.
TEST_F(DemoInstallationTest, NonEmptyFolderNeedsForce) {
  ASSERT_EQ(run("--dir " + dir("d")), 0);
  fs::create_directories(dir("full") + "/nxv5/data");
  writeFile(dir("full") + "/keep.txt", "mine");
  writeFile(dir("full") + "/nxv5/data/ud_gwAddress.db-journal", "stale");
  EXPECT_EQ(run("--dir " + dir("full")), 1);
  EXPECT_FALSE(fs::exists(dir("full") + "/registry.reg"));

  for (const char* bad : {" --accounts 5 --groups 6", " --groups 5 --members 4", " --accounts -1"}) {
    EXPECT_EQ(run("--dir " + dir("full") + bad), 2) << bad;
  }
  EXPECT_EQ(run("--accounts 10"), 2);
  EXPECT_FALSE(fs::exists(dir("full") + "/registry.reg"));

  ASSERT_EQ(run("--dir " + dir("full") + " --force"), 0);
  EXPECT_EQ(readFile(dir("full") + "/keep.txt"), "mine");
  EXPECT_FALSE(fs::exists(dir("full") + "/nxv5/data/ud_gwAddress.db-journal"));
  EXPECT_EQ(readFile(current("full")), readFile(current("d")));
}

}  // namespace
