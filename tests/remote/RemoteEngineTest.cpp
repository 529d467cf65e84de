#include <gtest/gtest.h>

#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "OdbReader.h"
#include "OdbTestSupport.h"
#include "Pelcore/PelUnicodeString.h"
#include "PgTestServer.h"
#include "VekOdb/OdbCodes.h"
#include "VekOdb/OdbDataSource.h"
#include "VekPel/VekDefaultParameter.h"

namespace {

const char* const kValues =
    "CREATE TABLE t(k INTEGER, i BIGINT, s TEXT, r DOUBLE PRECISION, d TEXT);"
    "INSERT INTO t VALUES (1, 7, 'plain', 2.0, '2009-03-07 04:05:06.007'),"
    "(2, -2147483648, '髙橋 〜 ﾌｧｸｽ受信ﾄﾚｲ 𠮷 \"q\"', 2.5, NULL),"
    "(3, 2147483648, '', NULL, 'x'), (4, NULL, NULL, -3.0, '2010-12-31 23:59:58'),"
    "(5, 2147483647, '12', 1e300, '');";

// Starts the client in a fresh process for an installation whose database
// engine `values` describe, then runs `scenario`.
void withClient(const std::string& values,
                const std::function<void(TestInstallation&)>& scenario) {
  inFreshProcess([&] {
    TestInstallation installation;
    installation.writeRegistry(values);
    VekDefaultParameter::setParameterSource(kGwKey);
    ASSERT_EQ(OdbDataSource::InitializeTessel(kGwKey), VEK_S_OK);
    scenario(installation);
    OdbDataSource::TerminateTessel();
  });
}

// Every fetch of `query` with bindings of `types`: its code and bindings.
std::string readAll(OdbReader& reader, const char16_t* query, const std::vector<int>& types) {
  std::vector<ColumnBinding> bindings(types.size());
  for (std::size_t i = 0; i < types.size(); ++i) bindings[i].type = types[i];
  std::ostringstream dump;
  dump << std::hex << reader.query(query, types.size(), bindings.data()) << "\n" << std::dec;
  for (VekRC rc = VEK_S_OK; rc != VEK_E_NOMOREROWS;) {
    rc = reader.next();
    dump << std::hex << rc << std::dec;
    for (const ColumnBinding& b : bindings) {
      dump << " " << b.status << ":";
      if (b.status != kColumnValuePresent) continue;
      if (b.type == kColumnText) dump << pelUtf16ToUtf8(b.text);
      if (b.type == kColumnInteger || b.type == kColumnBool) dump << b.value;
      if (b.type == kColumnDateTime) dump << b.dateTime.year << "-" << +b.dateTime.month << "-" << b.dateTime.milliseconds;
    }
    dump << "\n";
  }
  return dump.str();
}

std::string readValues() {
  OdbReader reader;
  EXPECT_EQ(reader.open(u"ud_gwAddress"), VEK_S_OK);
  return readAll(reader, u"select k, i, s, d, s from t order by k",
                 {kColumnInteger, kColumnInteger, kColumnText, kColumnDateTime, kColumnInteger}) +
         readAll(reader, u"select r, i, s from t order by k",
                 {kColumnInteger, kColumnBool, kColumnText});
}

}  // namespace

TEST(RemoteEngine, BindingsAreThoseOfTheInProcessEngine) {
  const std::optional<PgServerSettings> server = sharedTestServer();
  if (!server) GTEST_SKIP() << "no test server: KEXPORTER_TEST_PGHOST is not set";
  PgTestSchema schema(*server);
  schema.sql(kValues);
  TestInstallation folder;
  const std::string fromFile = folder.topPath("dumps") + "/file.txt";
  const std::string fromServer = folder.topPath("dumps") + "/server.txt";

  withClient("", [&](TestInstallation& installation) {
    runSql(installation.databasePath("ud_gwAddress"), kValues);
    writeBytes(fromFile, readValues());
  });
  withClient(schema.registryValues(), [&](TestInstallation&) {
    writeBytes(fromServer, readValues());
  });

  const std::string expected = fileBytes(fromFile);
  EXPECT_EQ(fileBytes(fromServer), expected);
  // Values, nulls, and both kinds of failure are among them.
  for (const char* seen : {" 1:髙橋 〜 ﾌｧｸｽ受信ﾄﾚｲ 𠮷 \"q\"", " 3:", "80040e57", "80040e07",
                           " 1:2009-3-7"}) {
    EXPECT_NE(expected.find(seen), std::string::npos) << seen << " in\n" << expected;
  }
}

TEST(RemoteEngine, SessionReadsOneReadOnlySnapshotInBatches) {
  const std::optional<PgServerSettings> server = sharedTestServer();
  if (!server) GTEST_SKIP() << "no test server: KEXPORTER_TEST_PGHOST is not set";
  PgTestSchema schema(*server);
  schema.sql("CREATE TABLE t(k integer); INSERT INTO t SELECT g FROM generate_series(1, 2500) g;");

  withClient(schema.registryValues(), [&](TestInstallation&) {
    OdbReader reader;
    ASSERT_EQ(reader.open(u"ud_gwAddress"), VEK_S_OK);
    ColumnBinding settings[2];
    settings[0].type = settings[1].type = kColumnText;
    ASSERT_EQ(reader.query(u"select current_setting('transaction_isolation'),"
                           u" current_setting('transaction_read_only')", 2, settings),
              VEK_S_OK);
    ASSERT_EQ(reader.next(), VEK_S_OK);
    EXPECT_EQ(pelUtf16ToUtf8(settings[0].text) + "/" + pelUtf16ToUtf8(settings[1].text),
              "repeatable read/on");

    schema.sql("INSERT INTO t VALUES (2501);");  // another client, committed
    ColumnBinding k;
    k.type = kColumnInteger;
    ASSERT_EQ(reader.query(u"select k from t order by k", 1, &k), VEK_S_OK);
    int rows = 0;
    long sum = 0;
    for (; reader.next() == VEK_S_OK; ++rows) sum += k.value;
    EXPECT_EQ(rows, 2500);
    EXPECT_EQ(sum, 2500L * 2501 / 2);
    EXPECT_EQ(reader.next(), VEK_E_NOMOREROWS);

    // Only one query runs, and one that fails leaves the session usable.
    EXPECT_EQ(reader.query(u"delete from t", 1, &k), ODB_E_ERRORSINCOMMAND);
    EXPECT_EQ(reader.query(u"select k from t; commit", 1, &k), ODB_E_ERRORSINCOMMAND);
    EXPECT_EQ(reader.query(u"select k from missing", 1, &k), ODB_E_NOTABLE);
    EXPECT_EQ(reader.query(u"select k from t", 1, &k), VEK_S_OK);
    EXPECT_EQ(reader.next(), VEK_S_OK);  // left unfinished
    EXPECT_EQ(reader.count(u"select count(*) from t"), 2500);
    reader.close();

    OdbReader later;
    ASSERT_EQ(later.open(u"ud_gwAddress"), VEK_S_OK);
    EXPECT_EQ(later.count(u"select count(*) from t"), 2501);
  });
}
