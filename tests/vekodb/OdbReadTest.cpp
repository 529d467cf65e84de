#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

#include "OdbReader.h"
#include "OdbTestSupport.h"
#include "VekOdb/OdbCodes.h"
#include "VekOdb/OdbDataSource.h"
#include "VekPel/VekDefaultParameter.h"

namespace {

using Lines = std::vector<std::string>;

const char* const kAccounts =
    "CREATE TABLE umAccount(ac_guid TEXT, ac_id INTEGER, ac_name TEXT, ac_storeTray INTEGER,"
    " ac_created TEXT);"
    "INSERT INTO umAccount VALUES('g1', -5, 'say \"hi\"', 1, '2009-03-07 04:05:06.007');"
    "INSERT INTO umAccount VALUES('g2', 2147483647, '', 0, '2010-12-31 23:59:58');"
    "INSERT INTO umAccount VALUES('g3', NULL, '𠮷野家😀', NULL, NULL);";

// Runs `scenario` in a fresh process whose client is started for a new
// installation.
void withClient(const std::function<void(TestInstallation&)>& scenario) {
  inFreshProcess([&] {
    TestInstallation installation;
    installation.writeRegistry();
    VekDefaultParameter::setParameterSource(kGwKey);
    ASSERT_EQ(OdbDataSource::InitializeTessel(kGwKey), VEK_S_OK);
    scenario(installation);
    OdbDataSource::TerminateTessel();
  });
}

std::string codeText(VekRC rc) {
  char text[32];
  std::snprintf(text, sizeof text, "rc 0x%08x", static_cast<unsigned>(rc));
  return text;
}

std::string valueText(const ColumnBinding& b) {
  if (b.status != kColumnValuePresent) return "NULL";
  if (b.type == kColumnText) return pelUtf16ToUtf8(b.text);
  if (b.type != kColumnDateTime) return std::to_string(b.value);
  char text[64];
  const auto& t = b.dateTime;
  std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d.%03d", t.year, t.month, t.day,
                t.hour, t.minute, t.second, t.milliseconds);
  return text;
}

// Runs `query` with columns of `types` and fetches to the end: each row as
// its values joined by "|", each failed query or fetch as its code.
Lines fetchAll(OdbReader& reader, const char16_t* query, const std::vector<std::int32_t>& types) {
  std::vector<ColumnBinding> bindings(types.size());
  for (std::size_t i = 0; i < types.size(); ++i) bindings[i].type = types[i];
  const VekRC rc = reader.query(query, static_cast<int>(types.size()), bindings.data());
  if (rc != VEK_S_OK) return {codeText(rc)};
  Lines rows;
  for (VekRC next; (next = reader.next()) != VEK_E_NOMOREROWS && rows.size() < 100;) {
    std::string row;
    for (const ColumnBinding& b : bindings) row += (row.empty() ? "" : "|") + valueText(b);
    rows.push_back(next == VEK_S_OK ? row : codeText(next));
  }
  return rows;
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
      EXPECT_EQ(fetchAll(reader,
                         u"select ac_guid, ac_id, ac_name, ac_storeTray, ac_created "
                         u"from umAccount order by rowid",
                         {kColumnText, kColumnInteger, kColumnText, kColumnBool, kColumnDateTime}),
                (Lines{"g1|-5|say \"hi\"|1|2009-03-07 04:05:06.007",
                       "g2|2147483647||0|2010-12-31 23:59:58.000", "g3|NULL|𠮷野家😀|NULL|NULL"}));
      EXPECT_EQ(reader.next(), VEK_E_NOMOREROWS);  // the query is not run again
    }
    EXPECT_EQ(openDescriptorsOf(path), 0);
    EXPECT_EQ(fileBytes(path), before);
  });
}

TEST(OdbRead, DatabaseNamesStayInTheDataFolder) {
  withClient([](TestInstallation& installation) {
    runSql(installation.databasePath("notes"), "CREATE TABLE t(x);");
    const std::pair<const char16_t*, VekRC> cases[] = {
        {u"../data/notes", VEK_E_INVALIDARG}, {u"", VEK_E_INVALIDARG}, {u"absent", ODB_E_FILENOTFOUND}};
    for (const auto& [name, rc] : cases) {
      OdbReader reader;
      EXPECT_EQ(reader.open(name), rc) << pelUtf16ToUtf8(name);
    }
    EXPECT_FALSE(std::filesystem::exists(installation.databasePath("absent")));

    if (::geteuid() != 0) {  // root reads whatever the mode says
      std::filesystem::permissions(installation.databasePath("notes"), std::filesystem::perms::none);
      OdbReader unreadable;
      EXPECT_EQ(unreadable.open(u"notes"), ODB_E_ACCESSDENIED);
    }
  });
}

TEST(OdbRead, QueriesMustGiveTheBoundColumnsAndValuesMustFitTheirType) {
  withClient([](TestInstallation& installation) {
    runSql(installation.databasePath("ud_gwAddress"),
           "CREATE TABLE v(x);"
           "INSERT INTO v VALUES(1099511627776);"  // 2^40
           "INSERT INTO v VALUES('abc');"
           "INSERT INTO v VALUES('12');"
           "INSERT INTO v VALUES(3.0);");
    OdbReader reader;
    ASSERT_EQ(reader.open(u"ud_gwAddress"), VEK_S_OK);
    const std::string invalid = codeText(VEK_E_INVALIDARG);
    EXPECT_EQ(fetchAll(reader, u"select count(*) from v", {kColumnInteger, kColumnInteger}), Lines{invalid});
    EXPECT_EQ(fetchAll(reader, u"select count(*) from v", {99}), Lines{invalid});
    // A statement without rows could end the session's snapshot.
    EXPECT_EQ(fetchAll(reader, u"commit", {}), Lines{invalid});
    EXPECT_EQ(reader.next(), VEK_E_UNEXPECTED);  // a rowset whose query did not run

    EXPECT_EQ(fetchAll(reader, u"select x from v order by rowid", {kColumnInteger}),
              (Lines{codeText(ODB_E_DATAOVERFLOW), codeText(ODB_E_CANTCONVERTVALUE), "12", "3"}));
    EXPECT_EQ(fetchAll(reader,
                       u"select '2009-13-07 04:05:06' union all select '2009-03-07'"
                       u" union all select '2009-03-07 04:05:06.5'",
                       {kColumnDateTime}),
              (Lines{codeText(ODB_E_CANTCONVERTVALUE), codeText(ODB_E_CANTCONVERTVALUE),
                     "2009-03-07 04:05:06.500"}));
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
    EXPECT_EQ(fetchAll(reader, u"select ac_guid from umAccount order by rowid", {kColumnText}),
              (Lines{"g1", "g2", "g3"}));

    OdbReader later;  // a new session sees the writes
    ASSERT_EQ(later.open(u"ud_gwAddress"), VEK_S_OK);
    EXPECT_EQ(later.count(u"select count(*) from umAccount"), 4);
  });
}

// A lock held before the open is met by the program's own fault tests; here
// the lock comes between the open and the session's snapshot.
TEST(OdbRead, WriterHoldingTheDatabaseFailsTheSessionWithinTheBusyTimeout) {
  withClient([](TestInstallation& installation) {
    const std::string path = installation.databasePath("ud_gwAddress");
    runSql(path, kAccounts);
    OtherConnection service(path);
    OdbReader reader;
    ASSERT_EQ(reader.source().Initialize(u"localhost", u"ud_gwAddress", u"L", u""), VEK_S_OK);
    service.run("BEGIN EXCLUSIVE; INSERT INTO umAccount(ac_guid) VALUES('g4');");
    OdbSession* session = nullptr;
    ASSERT_EQ(reader.source().CreateSession(&session), VEK_S_OK);
    VekRC rc = VEK_S_OK;
    const double seconds = secondsTaken([&] { rc = session->Initialize(&reader.source(), 1); });
    EXPECT_EQ(rc, ODB_E_TIMEOUT);
    EXPECT_GE(seconds, kOdbBusyTimeoutMilliseconds / 1000.0 * 0.9);
    EXPECT_LT(seconds, kOdbBusyTimeoutMilliseconds / 1000.0 + 5);
    reader.source().ReleaseSession(&session);
    service.run("ROLLBACK;");
  });
}
