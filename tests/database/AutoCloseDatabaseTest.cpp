#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "AutoCloseDatabase.h"
#include "AutoCloseRowset.h"
#include "DatabaseTestSupport.h"
#include "OdbTestSupport.h"
#include "Pelcore/PelException.h"
#include "QueryTesStub.h"
#include "RowValueText.h"
#include "VekOdb/OdbCodes.h"

namespace {

using Lines = std::vector<std::string>;

// Runs `scenario` in a fresh process with the client started for a new
// installation whose user database holds the exporter's tables.
void withStartedClient(const std::function<void(TestInstallation&, const std::string&)>& scenario,
                       bool createDatabase = true) {
  inFreshProcess([&] {
    TestInstallation installation;
    installation.writeRegistry();
    const std::string path = installation.databasePath("ud_gwAddress");
    if (createDatabase) runSql(path, kUserTables);
    ASSERT_EQ(QueryTesStub::initializeTessel(0, ""), VEK_S_OK);
    scenario(installation, path);
    QueryTesStub::terminateTessel();
  });
}

class UserDatabase : public AutoCloseDatabase {
 public:
  UserDatabase() : AutoCloseDatabase(u"localhost", u"ud_gwAddress", u"L", u"") {}
};

// The rows of umAccount as CSV lines, read as the export reads them.
Lines accountLines(AutoCloseDatabase& database) {
  ColumnBinding b[4];
  b[0].type = kColumnText;
  b[1].type = kColumnInteger;
  b[2].type = kColumnText;
  b[3].type = kColumnInteger;
  AutoCloseRowset rowset(&database,
                         u"select ac_guid, ac_id, ac_name, ac_storeTray from umAccount order by rowid",
                         0, 0, 4, b);
  EXPECT_EQ(rowset.Initialize(), VEK_S_OK);
  Lines lines;
  while (database.GetNextRow(0) == VEK_S_OK) {
    lines.push_back(columnText(b[0], 0) + "," + columnText(b[1], 0) + "," + columnText(b[2], 0) +
                    "," + columnText(b[3], 0));
  }
  return lines;
}

}  // namespace

TEST(AutoCloseDatabase, OpensCountsFetchesAndReleasesEverything) {
  withStartedClient([](TestInstallation&, const std::string& path) {
    const std::string before = fileBytes(path);
    PelMessageRecorder recorder;
    {
      UserDatabase database;
      ASSERT_EQ(database.Open(), VEK_S_OK);
      ASSERT_EQ(database.Open(), VEK_S_OK);
      EXPECT_EQ(openDescriptorsOf(path), 1);  // the first connection was closed
      ColumnBinding count;
      count.type = kColumnInteger;
      {
        AutoCloseRowset rowset(&database, u"select count(*) from umAccount", 0, 0, 1, &count);
        ASSERT_EQ(rowset.Initialize(), VEK_S_OK);
        ASSERT_EQ(database.GetNextRow(0), VEK_S_OK);
        EXPECT_EQ(columnInt(count), 3);
        EXPECT_EQ(database.GetNextRow(0), VEK_E_NOMOREROWS);
      }
      // The rowset's end closed it: a fetch now fails, and says so.
      EXPECT_EQ(database.GetNextRow(0), VEK_E_UNEXPECTED);
      EXPECT_EQ(messageLines(recorder),
                (Lines{"debug AutoCloseDatabase:341 Initialize",
                       "debug AutoCloseDatabase:220 CreateRowset",
                       "debug AutoCloseDatabase:241 GetNextRow",
                       "debug AutoCloseDatabase:241 GetNextRow",
                       "debug AutoCloseDatabase:252 CloseRowset",
                       "debug AutoCloseDatabase:241 GetNextRow",
                       "error AutoCloseDatabase:246 Unexpected exception occurred"}));

      EXPECT_EQ(accountLines(database),
                (Lines{"\"g1\",-5,\"say \"\"hi\"\"\",1", "\"g2\",7,\"\",0",
                       "\"g3\",\"null\",\"𠮷野家\",\"null\""}));
      EXPECT_EQ(database.Close(VEK_S_OK), VEK_S_OK);
      EXPECT_EQ(openDescriptorsOf(path), 0);
      EXPECT_EQ(database.Close(VEK_S_OK), VEK_S_OK);
    }
    EXPECT_EQ(fileBytes(path), before);
  });
}

TEST(AutoCloseDatabase, MissingOrBrokenDatabaseFailsOpenWithItsMessages) {
  withStartedClient(
      [](TestInstallation&, const std::string& path) {
        PelMessageRecorder recorder;
        UserDatabase database;
        EXPECT_EQ(database.Open(), ODB_E_FILENOTFOUND);
        EXPECT_FALSE(std::filesystem::exists(path));
        // The run goes on to count and close after a failed open.
        ColumnBinding count;
        count.type = kColumnInteger;
        AutoCloseRowset rowset(&database, u"select count(*) from umAccount", 0, 0, 1, &count);
        EXPECT_EQ(rowset.Initialize(), VEK_E_UNEXPECTED);
        EXPECT_NE(database.GetNextRow(0), VEK_S_OK);
        EXPECT_EQ(reportedLines(recorder),
                  (Lines{"error VekOdb Can't open database " + path +
                             ": unable to open database file. rc = 0x80070002",
                         "error AutoCloseDatabase:70 Can't initialize OdbDataSourceTessel: "
                         "ud_gwAddress. rc = 0x80070002",
                         "error AutoCloseDatabase:225 CreateRowset failed. rc = 0x8000ffff",
                         "error AutoCloseDatabase:234 Unexpected exception occurred",
                         "error AutoCloseDatabase:246 Unexpected exception occurred"}));
        EXPECT_EQ(database.Close(VEK_E_FAIL), VEK_E_FAIL);

        writeBytes(path, "SQLite format 2\n" + std::string(1000, '\0'));
        recorder.clear();
        UserDatabase broken;
        EXPECT_EQ(broken.Open(), ODB_E_NOTADATABASE);
        const Lines lines = reportedLines(recorder);
        ASSERT_EQ(lines.size(), 2u);
        EXPECT_EQ(lines[1], "error AutoCloseDatabase:70 Can't initialize OdbDataSourceTessel: "
                            "ud_gwAddress. rc = 0x80070570");
        EXPECT_EQ(broken.Close(VEK_S_OK), VEK_S_OK);
        EXPECT_EQ(openDescriptorsOf(path), 0);
      },
      false);
}

TEST(AutoCloseDatabase, QueryErrorsAreLoggedTwiceAndTheConnectionGoesOn) {
  withStartedClient([](TestInstallation&, const std::string& path) {
    const std::string before = fileBytes(path);
    UserDatabase database;
    ASSERT_EQ(database.Open(), VEK_S_OK);
    PelMessageRecorder recorder;
    ColumnBinding count;
    count.type = kColumnInteger;
    {
      AutoCloseRowset rowset(&database, u"select count(*) from umNothing", 0, 0, 1, &count);
      EXPECT_EQ(rowset.Initialize(), ODB_E_NOTABLE);
      EXPECT_NE(database.GetNextRow(0), VEK_S_OK);
    }
    EXPECT_EQ(database.CreateRowset(u"select count(* from umAccount", 0, 0, 1, &count),
              ODB_E_ERRORSINCOMMAND);
    EXPECT_EQ(reportedLines(recorder),
              (Lines{"error VekOdb Query failed: no such table: umNothing: "
                     "select count(*) from umNothing. rc = 0x80040e37",
                     "error AutoCloseDatabase:231 Rowset Initialize failed. rc = 0x80040e37",
                     "normal AutoCloseDatabase:234 VekRC caught: 0x80040e37",
                     "error VekOdb GetNextRow without a query. rc = 0x8000ffff",
                     "error VekOdb Query failed: near \"from\": syntax error: "
                     "select count(* from umAccount. rc = 0x80040e14",
                     "error AutoCloseDatabase:231 Rowset Initialize failed. rc = 0x80040e14",
                     "normal AutoCloseDatabase:234 VekRC caught: 0x80040e14"}));

    EXPECT_EQ(accountLines(database).size(), 3u);
    EXPECT_EQ(database.Close(VEK_S_OK), VEK_S_OK);
    EXPECT_EQ(openDescriptorsOf(path), 0);
    EXPECT_EQ(fileBytes(path), before);
  });
}

namespace {

// A database whose AfterClose throws, to drive Close's catch block.
class ThrowingDatabase : public UserDatabase {
 public:
  explicit ThrowingDatabase(std::function<void()> thrower) : thrower_(std::move(thrower)) {}
  void AfterClose() override {
    ++afterCloseCalls;
    thrower_();
  }
  int afterCloseCalls = 0;

 private:
  std::function<void()> thrower_;
};

struct CloseCase {
  std::function<void()> thrower;
  VekRC carriedIn;
  VekRC expected;
  std::string message;
};

}  // namespace

TEST(AutoCloseDatabase, CloseTurnsWhatItCatchesIntoCodes) {
  const PelException cancelled(2, 2028, "cancelled");
  const PelException other(2, 5002, "mutex destroyed while held");
  const std::vector<CloseCase> cases = {
      {[&] { throw cancelled; }, 0, VEK_E_PELEXCEPTION, "error AutoCloseDatabase:133 " + cancelled.describe()},
      {[&] { throw other; }, 0, VEK_E_UNEXPECTED, "error AutoCloseDatabase:133 " + other.describe()},
      {[] { throw VEK_E_UNEXPECTED; }, 0, VEK_E_UNEXPECTED,
       "error AutoCloseDatabase:133 Unexpected exception occurred"},
      {[] { throw VEK_E_FAIL; }, 0, VEK_E_FAIL, "normal AutoCloseDatabase:133 VekRC caught: 0x80004005"},
      {[] { throw 42; }, 0, VEK_E_UNEXPECTED, "error AutoCloseDatabase:133 Exception occurred"},
      {[] { throw VEK_E_FAIL; }, VEK_E_PASSON, VEK_E_PASSON,
       "normal AutoCloseDatabase:133 VekRC caught: 0x80004005"},
  };
  inFreshProcess([&] {
    for (const CloseCase& c : cases) {
      ThrowingDatabase database(c.thrower);
      // Without a started client the open fails, but the data source is held.
      EXPECT_EQ(database.Open(), ODB_E_NOTSTARTED);
      PelMessageRecorder recorder;
      EXPECT_EQ(database.Close(c.carriedIn), c.expected) << c.message;
      EXPECT_EQ(reportedLines(recorder), Lines{c.message});
      EXPECT_EQ(database.Close(VEK_S_OK), VEK_S_OK);
      EXPECT_EQ(database.afterCloseCalls, 1);
    }
    ThrowingDatabase neverOpened([] { throw 1; });
    EXPECT_EQ(neverOpened.Close(VEK_S_OK), VEK_S_OK);
    EXPECT_EQ(neverOpened.afterCloseCalls, 0);
  });
}
