#include <gtest/gtest.h>
#include <unistd.h>

#include <string>

#include "OdbReader.h"
#include "OdbTestSupport.h"
#include "VekOdb/OdbCodes.h"
#include "VekOdb/OdbDataSource.h"
#include "VekPel/VekDefaultParameter.h"

namespace {

const char* const kAccounts =
    "CREATE TABLE umAccount(ac_guid TEXT, ac_id INTEGER, ac_name TEXT, ac_storeTray INTEGER,"
    " ac_created TEXT);"
    "INSERT INTO umAccount VALUES('g1', -5, 'say \"hi\"', 1, '2009-03-07 04:05:06.007');"
    "INSERT INTO umAccount VALUES('g2', 2147483647, '', 0, '2010-12-31 23:59:58');"
    "INSERT INTO umAccount VALUES('g3', NULL, '𠮷野家😀', NULL, NULL);";

// Runs `scenario` in a fresh process whose client is started for a new
// installation; `values` go below its key beside VekPath.
void withClient(const std::function<void(TestInstallation&)>& scenario,
                const std::string& values = "") {
  inFreshProcess([&] {
    TestInstallation installation;
    installation.writeRegistry(values);
    VekDefaultParameter::setParameterSource(kGwKey);
    ASSERT_EQ(OdbDataSource::InitializeTessel(kGwKey), VEK_S_OK);
    scenario(installation);
    OdbDataSource::TerminateTessel();
  });
}

struct AccountRow {
  ColumnBinding guid, id, name, tray, created;
};

void bindAccountRow(AccountRow& row) {
  row.guid.type = kColumnText;
  row.id.type = kColumnInteger;
  row.name.type = kColumnText;
  row.tray.type = kColumnBool;
  row.created.type = kColumnDateTime;
}

void expectDateTime(const ColumnBinding& b, int year, int month, int day, int hour, int minute,
                    int second, int millis) {
  EXPECT_EQ(b.status, kColumnValuePresent);
  EXPECT_EQ(b.dateTime.year, year);
  EXPECT_EQ(b.dateTime.month, month);
  EXPECT_EQ(b.dateTime.day, day);
  EXPECT_EQ(b.dateTime.hour, hour);
  EXPECT_EQ(b.dateTime.minute, minute);
  EXPECT_EQ(b.dateTime.second, second);
  EXPECT_EQ(b.dateTime.milliseconds, millis);
}

}  // namespace

TEST(OdbRead, DeliversEveryTypeAndLeavesTheFileAsItWas) {
  withClient([](TestInstallation& installation) {
    const std::string path = installation.databasePath("ud_gwAddress");
    runSql(path, kAccounts);
    const std::string before = fileBytes(path);
    {
      OdbReader reader;
      ASSERT_EQ(reader.open(u"ud_gwAddress"), VEK_S_OK);
      EXPECT_EQ(reader.count(u"select count(*) from umAccount"), 3);

      AccountRow row;
      bindAccountRow(row);
      ASSERT_EQ(reader.query(u"select ac_guid, ac_id, ac_name, ac_storeTray, ac_created "
                             u"from umAccount order by rowid",
                             5, &row.guid),
                VEK_S_OK);
      ASSERT_EQ(reader.next(), VEK_S_OK);
      EXPECT_EQ(std::u16string(row.guid.text), u"g1");
      EXPECT_EQ(row.id.value, -5);
      EXPECT_EQ(std::u16string(row.name.text), u"say \"hi\"");
      EXPECT_EQ(row.tray.value, 1);
      expectDateTime(row.created, 2009, 3, 7, 4, 5, 6, 7);

      ASSERT_EQ(reader.next(), VEK_S_OK);
      EXPECT_EQ(row.id.value, 2147483647);
      EXPECT_EQ(row.name.status, kColumnValuePresent);
      EXPECT_EQ(std::u16string(row.name.text), u"");
      EXPECT_EQ(row.tray.status, kColumnValuePresent);
      EXPECT_EQ(row.tray.value, 0);
      expectDateTime(row.created, 2010, 12, 31, 23, 59, 58, 0);

      ASSERT_EQ(reader.next(), VEK_S_OK);
      EXPECT_EQ(std::u16string(row.name.text), u"𠮷野家😀");
      EXPECT_NE(row.id.status, kColumnValuePresent);
      EXPECT_NE(row.tray.status, kColumnValuePresent);
      EXPECT_NE(row.created.status, kColumnValuePresent);

      EXPECT_EQ(reader.next(), VEK_E_NOMOREROWS);
      EXPECT_EQ(reader.next(), VEK_E_NOMOREROWS);  // the query is not run again
    }
    EXPECT_EQ(openDescriptorsOf(path), 0);
    EXPECT_EQ(fileBytes(path), before);
  });
}

TEST(OdbRead, DatabaseNamesStayInTheDataFolder) {
  withClient([](TestInstallation& installation) {
    runSql(installation.databasePath("notes"), "CREATE TABLE t(x);");
    OdbReader pathLike;
    EXPECT_EQ(pathLike.open(u"../data/notes"), VEK_E_INVALIDARG);
    OdbReader unnamed;
    EXPECT_EQ(unnamed.open(u""), VEK_E_INVALIDARG);
    OdbReader missing;
    EXPECT_EQ(missing.open(u"absent"), ODB_E_FILENOTFOUND);
    EXPECT_FALSE(std::filesystem::exists(installation.databasePath("absent")));

    if (::geteuid() != 0) {  // root reads whatever the mode says
      std::filesystem::permissions(installation.databasePath("notes"),
                                   std::filesystem::perms::none);
      OdbReader unreadable;
      EXPECT_EQ(unreadable.open(u"notes"), ODB_E_ACCESSDENIED);
    }
  });
}

TEST(OdbRead, QueriesMustGiveTheBoundColumns) {
  withClient([](TestInstallation& installation) {
    runSql(installation.databasePath("ud_gwAddress"), kAccounts);
    OdbReader reader;
    ASSERT_EQ(reader.open(u"ud_gwAddress"), VEK_S_OK);
    ColumnBinding binding;
    binding.type = kColumnInteger;
    EXPECT_EQ(reader.query(u"select count(*) from umAccount", 2, &binding), VEK_E_INVALIDARG);
    // A statement without rows could end the session's snapshot.
    EXPECT_EQ(reader.query(u"commit", 0, nullptr), VEK_E_INVALIDARG);
    binding.type = 99;
    EXPECT_EQ(reader.query(u"select count(*) from umAccount", 1, &binding), VEK_E_INVALIDARG);
    EXPECT_EQ(reader.next(), VEK_E_UNEXPECTED);  // a rowset whose query did not run
    EXPECT_EQ(reader.count(u"select count(*) from umAccount"), 3);
  });
}

TEST(OdbRead, ValuesThatDoNotFitTheirTypeFailTheFetch) {
  withClient([](TestInstallation& installation) {
    runSql(installation.databasePath("ud_gwAddress"),
           "CREATE TABLE v(x);"
           "INSERT INTO v VALUES(1099511627776);"  // 2^40
           "INSERT INTO v VALUES('abc');"
           "INSERT INTO v VALUES('12');"
           "INSERT INTO v VALUES(3.0);");
    OdbReader reader;
    ASSERT_EQ(reader.open(u"ud_gwAddress"), VEK_S_OK);
    ColumnBinding binding;
    binding.type = kColumnInteger;
    ASSERT_EQ(reader.query(u"select x from v order by rowid", 1, &binding), VEK_S_OK);
    EXPECT_EQ(reader.next(), ODB_E_DATAOVERFLOW);
    EXPECT_EQ(reader.next(), ODB_E_CANTCONVERTVALUE);
    ASSERT_EQ(reader.next(), VEK_S_OK);
    EXPECT_EQ(binding.value, 12);
    ASSERT_EQ(reader.next(), VEK_S_OK);
    EXPECT_EQ(binding.value, 3);

    binding.type = kColumnDateTime;
    ASSERT_EQ(reader.query(u"select '2009-13-07 04:05:06' union all select '2009-03-07'"
                           u" union all select '2009-03-07 04:05:06.5'",
                           1, &binding),
              VEK_S_OK);
    EXPECT_EQ(reader.next(), ODB_E_CANTCONVERTVALUE);
    EXPECT_EQ(reader.next(), ODB_E_CANTCONVERTVALUE);
    ASSERT_EQ(reader.next(), VEK_S_OK);
    expectDateTime(binding, 2009, 3, 7, 4, 5, 6, 500);
  });
}

TEST(OdbRead, SessionReadsOneSnapshotWhileAnotherConnectionWrites) {
  withClient([](TestInstallation& installation) {
    const std::string path = installation.databasePath("ud_gwAddress");
    runSql(path, std::string("PRAGMA journal_mode=WAL;") + kAccounts);
    OtherConnection service(path);  // the delivery service, writing meanwhile
    service.run("SELECT count(*) FROM umAccount;");

    OdbReader reader;
    ASSERT_EQ(reader.open(u"ud_gwAddress"), VEK_S_OK);
    service.run("INSERT INTO umAccount(ac_guid) VALUES('g4');");
    EXPECT_EQ(reader.count(u"select count(*) from umAccount"), 3);
    service.run("INSERT INTO umAccount(ac_guid) VALUES('g5'); DELETE FROM umAccount WHERE ac_guid='g1';");
    EXPECT_EQ(reader.count(u"select count(*) from umAccount"), 3);
    ColumnBinding guid;
    guid.type = kColumnText;
    ASSERT_EQ(reader.query(u"select ac_guid from umAccount order by rowid", 1, &guid), VEK_S_OK);
    ASSERT_EQ(reader.next(), VEK_S_OK);
    EXPECT_EQ(std::u16string(guid.text), u"g1");

    // A new session sees the writes.
    reader.close();
    OdbSession* session = nullptr;
    ASSERT_EQ(reader.source().CreateSession(&session), VEK_S_OK);
    EXPECT_EQ(session->Initialize(&reader.source(), 1), VEK_S_OK);
    OdbSession* second = nullptr;
    ASSERT_EQ(reader.source().CreateSession(&second), VEK_S_OK);
    EXPECT_EQ(second->Initialize(&reader.source(), 1), ODB_E_OBJECTOPEN);
    reader.source().ReleaseSession(&second);
    OdbRowset* rowset = nullptr;
    ASSERT_EQ(session->CreateRowset(&rowset), VEK_S_OK);
    ColumnBinding count;
    count.type = kColumnInteger;
    ASSERT_EQ(rowset->Initialize(session, u"select count(*) from umAccount", 10, 0, 0, 1, &count),
              VEK_S_OK);
    ASSERT_EQ(rowset->GetNextRow(0), VEK_S_OK);
    EXPECT_EQ(count.value, 4);
    session->ReleaseRowset(&rowset);
    EXPECT_EQ(rowset, nullptr);
    reader.source().ReleaseSession(&session);
    EXPECT_EQ(session, nullptr);
  });
}

TEST(OdbRead, WriterHoldingTheDatabaseFailsOpenAndSessionWithinTheBusyTimeout) {
  withClient([](TestInstallation& installation) {
    const std::string path = installation.databasePath("ud_gwAddress");
    runSql(path, kAccounts);
    OtherConnection service(path);
    const double limit = kOdbBusyTimeoutMilliseconds / 1000.0;

    service.run("BEGIN EXCLUSIVE; INSERT INTO umAccount(ac_guid) VALUES('g4');");
    OdbReader blocked;
    VekRC rc = VEK_S_OK;
    double seconds = secondsTaken([&] { rc = blocked.open(u"ud_gwAddress"); });
    EXPECT_EQ(rc, ODB_E_TIMEOUT);
    EXPECT_GE(seconds, limit * 0.9);
    EXPECT_LT(seconds, limit + 5);
    service.run("COMMIT;");

    // Connected first, then locked out of the snapshot.
    OdbReader late;
    ASSERT_EQ(late.source().Initialize(u"localhost", u"ud_gwAddress", u"L", u""), VEK_S_OK);
    service.run("BEGIN EXCLUSIVE; INSERT INTO umAccount(ac_guid) VALUES('g5');");
    OdbSession* session = nullptr;
    ASSERT_EQ(late.source().CreateSession(&session), VEK_S_OK);
    seconds = secondsTaken([&] { rc = session->Initialize(&late.source(), 1); });
    EXPECT_EQ(rc, ODB_E_TIMEOUT);
    EXPECT_LT(seconds, limit + 5);
    late.source().ReleaseSession(&session);
    service.run("ROLLBACK;");
  });
}
