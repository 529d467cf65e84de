#include <gtest/gtest.h>
#include <sqlite3.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>

#include "AutoCloseDatabase.h"
#include "AutoCloseRowset.h"
#include "CatchBlocks.h"
#include "DatabaseTestSupport.h"
#include "Pelcore/PelException.h"
#include "QueryTesStub.h"
#include "RowValueText.h"
#include "VekOdb/OdbCodes.h"

namespace {

using Lines = std::vector<std::string>;

// Values that go through every conversion: quotes, empty text, a surrogate
// pair, a negative number, nulls and date-times.
const char* const kAccounts =
    "CREATE TABLE umAccount(ac_guid TEXT, ac_id INTEGER, ac_name TEXT, ac_created TEXT);"
    "INSERT INTO umAccount VALUES('g1', -5, 'say \"hi\"', '2009-03-07 04:05:06.007');"
    "INSERT INTO umAccount VALUES('g2', 7, '', '2010-12-31 23:59:58');"
    "INSERT INTO umAccount VALUES('g3', NULL, '𠮷野家', NULL);";

// Derived as the program derives its databases: by value, never deleted
// through the base, whose destructor is not virtual.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
class UserDatabase : public AutoCloseDatabase {
 public:
  explicit UserDatabase(const char16_t* name = u"ud_gwAddress")
      : AutoCloseDatabase(u"localhost", name, u"L", u"") {}
};

// Runs `scenario` in a process of its own, the client started for an
// installation whose user database holds kAccounts.
void withClient(const std::function<void(TestInstallation&, const std::string&)>& scenario) {
  EXPECT_TRUE(runInChildProcess([&] {
    TestInstallation installation;
    installation.writeRegistry();
    const std::string path = installation.databasePath("ud_gwAddress");
    runSql(path, kAccounts);
    ASSERT_EQ(QueryTesStub::initializeTessel(0, ""), VEK_S_OK);
    scenario(installation, path);
    QueryTesStub::terminateTessel();
  }));
}

std::string codeText(VekRC rc) {
  char text[32];
  std::snprintf(text, sizeof text, "rc 0x%08x", static_cast<unsigned>(rc));
  return text;
}

// Runs `query` with columns of `types` to the end: each row as CSV text, a
// failed query or fetch as its code.
Lines fetchAll(AutoCloseDatabase& database, const char16_t* query,
               std::vector<std::int32_t> types) {
  std::vector<ColumnBinding> bindings(types.size());
  for (std::size_t i = 0; i < types.size(); ++i) bindings[i].type = types[i];
  AutoCloseRowset rowset(&database, query, 0, 0, static_cast<int>(types.size()), bindings.data());
  if (const VekRC rc = rowset.Initialize(); rc != VEK_S_OK) return {codeText(rc)};
  Lines rows;
  for (VekRC rc; (rc = database.GetNextRow(0)) != VEK_E_NOMOREROWS && rows.size() < 10;) {
    std::string row;
    for (const ColumnBinding& b : bindings)
      row += (row.empty() ? "" : ",") + columnText(b, kNullQuoted);
    rows.push_back(rc == VEK_S_OK ? row : codeText(rc));
  }
  return rows;
}

#pragma GCC diagnostic pop

}  // namespace

TEST(AutoCloseDatabase, ReadsEveryValueReleasesEverythingAndLeavesTheFileAsItWas) {
  withClient([](TestInstallation&, const std::string& path) {
    const std::string before = readFile(path);
    PelMessageRecorder recorder;
    UserDatabase database;
    ASSERT_EQ(database.Open(), VEK_S_OK);
    ASSERT_EQ(database.Open(), VEK_S_OK);
    EXPECT_EQ(openDescriptorsOf(path), 1);  // the first connection was closed
    EXPECT_EQ(fetchAll(database, u"select count(*) from umAccount", {kColumnInteger}), Lines{"3"});
    EXPECT_EQ(database.GetNextRow(0), VEK_E_UNEXPECTED);  // the rowset's end closed it
    EXPECT_EQ(
        messageLines(recorder, true),
        (Lines{"debug AutoCloseDatabase:341 Initialize", "debug AutoCloseDatabase:220 CreateRowset",
               "debug AutoCloseDatabase:241 GetNextRow", "debug AutoCloseDatabase:241 GetNextRow",
               "debug AutoCloseDatabase:252 CloseRowset", "debug AutoCloseDatabase:241 GetNextRow",
               "error AutoCloseDatabase:246 Unexpected exception occurred"}));
    EXPECT_EQ(
        fetchAll(database, u"select * from umAccount order by rowid",
                 {kColumnText, kColumnInteger, kColumnText, kColumnDateTime}),
        (Lines{"\"g1\",-5,\"say \"\"hi\"\"\",2009-03-07 04:05:06.007",
               "\"g2\",7,\"\",2010-12-31 23:59:58.000", "\"g3\",\"null\",\"𠮷野家\",\"null\""}));
    EXPECT_EQ(database.Close(VEK_S_OK), VEK_S_OK);
    EXPECT_EQ(openDescriptorsOf(path), 0);
    EXPECT_EQ(database.Close(VEK_S_OK), VEK_S_OK);
    EXPECT_EQ(readFile(path), before);
  });
}

TEST(AutoCloseDatabase, FailuresGiveTheirCodesAndMessagesAndLeaveNothingOpen) {
  withClient([](TestInstallation& installation, const std::string& path) {
    runSql(path, "CREATE TABLE v(x); INSERT INTO v VALUES(1099511627776), ('abc'), ('12');");
    writeFile(installation.databasePath("broken"), "SQLite format 2\n" + std::string(1000, '\0'));
    runSql(installation.databasePath("locked"), "CREATE TABLE t(x);");
    const std::string before = readFile(path);
    // The delivery service holds this one while the table runs.
    sqlite3* service = nullptr;
    sqlite3_open(installation.databasePath("locked").c_str(), &service);
    ASSERT_EQ(sqlite3_exec(service, "BEGIN EXCLUSIVE; INSERT INTO t VALUES(1);", nullptr, nullptr,
                           nullptr),
              SQLITE_OK);
    const struct {
      const char16_t* database;
      const char16_t* query;
      std::vector<std::int32_t> types;
      Lines result;    // the failed open's code, then the query's rows or code
      Lines messages;  // not compared when empty
    } cases[] = {
        {u"absent", u"select count(*) from umAccount", {kColumnInteger},
         {codeText(ODB_E_FILENOTFOUND), codeText(VEK_E_UNEXPECTED)},
         {"error VekOdb Can't open database " + installation.databasePath("absent") +
              ": unable to open database file. rc = 0x80070002",
          "error AutoCloseDatabase:70 Can't initialize OdbDataSourceTessel: absent."
          " rc = 0x80070002",
          "error AutoCloseDatabase:225 CreateRowset failed. rc = 0x8000ffff",
          "error AutoCloseDatabase:234 Unexpected exception occurred"}},
        {u"broken", u"select 1", {kColumnInteger},
         {codeText(ODB_E_NOTADATABASE), codeText(VEK_E_UNEXPECTED)},
         {"error VekOdb Can't read database " + installation.databasePath("broken") +
              ": file is not a database. rc = 0x80070570",
          "error AutoCloseDatabase:70 Can't initialize OdbDataSourceTessel: broken."
          " rc = 0x80070570",
          "error AutoCloseDatabase:225 CreateRowset failed. rc = 0x8000ffff",
          "error AutoCloseDatabase:234 Unexpected exception occurred"}},
        {u"locked", u"select 1", {kColumnInteger},
         {codeText(ODB_E_TIMEOUT), codeText(VEK_E_UNEXPECTED)}, {}},
        {u"../inst/data/ud_gwAddress", u"select 1", {kColumnInteger},
         {codeText(VEK_E_INVALIDARG), codeText(VEK_E_UNEXPECTED)}, {}},
        {u"ud_gwAddress", u"select count(*) from umNothing", {kColumnInteger},
         {codeText(ODB_E_NOTABLE)},
         {"error VekOdb Query failed: no such table: umNothing: select count(*) from umNothing."
          " rc = 0x80040e37",
          "error AutoCloseDatabase:231 Rowset Initialize failed. rc = 0x80040e37",
          "normal AutoCloseDatabase:234 VekRC caught: 0x80040e37"}},
        {u"ud_gwAddress", u"select count(* from v", {kColumnInteger},
         {codeText(ODB_E_ERRORSINCOMMAND)},
         {"error VekOdb Query failed: near \"from\": syntax error: select count(* from v."
          " rc = 0x80040e14",
          "error AutoCloseDatabase:231 Rowset Initialize failed. rc = 0x80040e14",
          "normal AutoCloseDatabase:234 VekRC caught: 0x80040e14"}},
        // A statement without rows could end the session's snapshot.
        {u"ud_gwAddress", u"commit", {}, {codeText(VEK_E_INVALIDARG)}, {}},
        {u"ud_gwAddress", u"select x from v", {kColumnInteger, kColumnInteger},
         {codeText(VEK_E_INVALIDARG)}, {}},
        {u"ud_gwAddress", u"select x from v", {99}, {codeText(VEK_E_INVALIDARG)}, {}},
        {u"ud_gwAddress", u"select x from v order by rowid", {kColumnInteger},
         {codeText(ODB_E_DATAOVERFLOW), codeText(ODB_E_CANTCONVERTVALUE), "12"}, {}},
        {u"ud_gwAddress", u"select '2009-13-07 04:05:06' union all select '2009-03-07 04:05:06.5'",
         {kColumnDateTime}, {codeText(ODB_E_CANTCONVERTVALUE), "2009-03-07 04:05:06.500"}, {}},
    };
    // A short wait for the locked database; a wait of the default 5 seconds
    // would show that the library ignores the setting.
    const double wait = 0.3;
    setEnvironment(kOdbBusyTimeoutVariable, "300");
    for (const auto& c : cases) {
      const std::string name = pelUtf16ToUtf8(c.database);
      SCOPED_TRACE(name + ": " + pelUtf16ToUtf8(c.query));
      PelMessageRecorder recorder;
      UserDatabase database(c.database);
      const auto start = std::chrono::steady_clock::now();
      const VekRC opened = database.Open();
      const double seconds =
          std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
      EXPECT_LT(seconds, wait + 2);
      EXPECT_TRUE(opened != ODB_E_TIMEOUT || seconds >= wait * 0.9);
      Lines result = opened == VEK_S_OK ? Lines{} : Lines{codeText(opened)};
      for (const std::string& row : fetchAll(database, c.query, c.types)) result.push_back(row);
      EXPECT_EQ(result, c.result);
      EXPECT_TRUE(c.messages.empty() || messageLines(recorder) == c.messages)
          << testing::PrintToString(messageLines(recorder));
      EXPECT_EQ(database.Close(VEK_S_OK), VEK_S_OK);
    }
    // Closed only now: SQLite keeps a closed connection's descriptor while
    // another connection of the process holds a lock on the file.
    sqlite3_close(service);
    for (const char* name : {"ud_gwAddress", "broken", "locked"}) {
      EXPECT_EQ(openDescriptorsOf(installation.databasePath(name)), 0) << name;
    }
    EXPECT_FALSE(std::filesystem::exists(installation.databasePath("absent")));
    EXPECT_EQ(readFile(path), before);
  });
}

TEST(AutoCloseDatabase, SessionReadsOneSnapshotWhileAnotherConnectionWrites) {
  withClient([](TestInstallation&, const std::string& path) {
    runSql(path, "PRAGMA journal_mode=WAL;");
    UserDatabase database;
    ASSERT_EQ(database.Open(), VEK_S_OK);
    // The delivery service writes after the open, before the first query.
    runSql(path, "INSERT INTO umAccount(ac_guid) VALUES('g4');"
                 "DELETE FROM umAccount WHERE ac_guid='g1';");
    const char16_t* const query = u"select ac_guid from umAccount order by rowid";
    EXPECT_EQ(fetchAll(database, query, {kColumnText}), (Lines{"\"g1\"", "\"g2\"", "\"g3\""}));
    // And between two queries of the session: the counts and the rows agree.
    runSql(path, "DELETE FROM umAccount WHERE ac_guid='g2';");
    EXPECT_EQ(fetchAll(database, query, {kColumnText}), (Lines{"\"g1\"", "\"g2\"", "\"g3\""}));
    UserDatabase later;  // a new session sees the writes
    ASSERT_EQ(later.Open(), VEK_S_OK);
    EXPECT_EQ(fetchAll(later, query, {kColumnText}), (Lines{"\"g3\"", "\"g4\""}));
  });
}

// What the libraries may throw into a catch block of the database layer
// becomes a code. Close's own block is reached by nothing the program does:
// its AfterClose throws nothing.
TEST(CatchBlocks, StandardCatchTurnsWhatItCatchesIntoCodes) {
  const PelException cancelled(2, 2028, "cancelled");
  const PelException other(2, 5002, "mutex destroyed while held");
  const struct {
    std::function<void()> thrower;
    VekRC expected;
    std::string message;
  } cases[] = {
      {[&] { throw cancelled; }, VEK_E_PELEXCEPTION, "error here:7 " + cancelled.describe()},
      {[&] { throw other; }, VEK_E_UNEXPECTED, "error here:7 " + other.describe()},
      {[] { throw VEK_E_FAIL; }, VEK_E_FAIL, "normal here:7 VekRC caught: 0x80004005"},
      {[] { throw 42; }, VEK_E_UNEXPECTED, "error here:7 Exception occurred"},
  };
  for (const auto& c : cases) {
    PelMessageRecorder recorder;
    try {
      c.thrower();
    } catch (...) {
      EXPECT_EQ(standardCatch("here", 7), c.expected) << c.message;
    }
    EXPECT_EQ(messageLines(recorder), Lines{c.message});
  }
}
