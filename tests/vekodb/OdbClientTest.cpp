#include <gtest/gtest.h>

#include <thread>

#include "OdbReader.h"
#include "OdbTestSupport.h"
#include "VekOdb/OdbCodes.h"
#include "VekOdb/OdbDataSource.h"
#include "VekPel/VekDefaultParameter.h"

namespace {

template <typename Call>
VekRC onOtherThread(Call call) {
  VekRC rc = VEK_S_OK;
  std::thread([&] { rc = call(); }).join();
  return rc;
}

}  // namespace

TEST(OdbClient, BelongsToTheThreadThatStartedItUntilItEnds) {
  inFreshProcess([] {
    TestInstallation installation;
    installation.writeRegistry();
    runSql(installation.databasePath("ud_gwAddress"), "CREATE TABLE umTSI(ts_code TEXT);");
    VekDefaultParameter::setParameterSource(kGwKey);

    OdbReader early;
    EXPECT_EQ(early.open(u"ud_gwAddress"), ODB_E_NOTSTARTED);

    ASSERT_EQ(OdbDataSource::InitializeTessel(kGwKey), VEK_S_OK);
    EXPECT_EQ(OdbDataSource::InitializeTessel(kGwKey), VEK_S_OK);
    EXPECT_EQ(onOtherThread([] { return OdbDataSource::InitializeTessel(kGwKey); }),
              ODB_E_WRONGTHREAD);

    OdbReader reader;
    EXPECT_EQ(onOtherThread([&] { return reader.open(u"ud_gwAddress"); }), ODB_E_WRONGTHREAD);
    ASSERT_EQ(reader.open(u"ud_gwAddress"), VEK_S_OK);
    EXPECT_EQ(onOtherThread([&] { return reader.count(u"select count(*) from umTSI"); }), -1);
    EXPECT_EQ(reader.count(u"select count(*) from umTSI"), 0);
    EXPECT_EQ(onOtherThread([&] { return reader.next(); }), ODB_E_WRONGTHREAD);

    EXPECT_EQ(onOtherThread([] { return OdbDataSource::TerminateTessel(); }), ODB_E_WRONGTHREAD);
    EXPECT_EQ(reader.next(), VEK_E_NOMOREROWS);
    EXPECT_EQ(OdbDataSource::TerminateTessel(), VEK_S_OK);
    EXPECT_EQ(reader.next(), ODB_E_NOTSTARTED);

    // Started again, by another thread this time.
    EXPECT_EQ(onOtherThread([] { return OdbDataSource::InitializeTessel(kGwKey); }), VEK_S_OK);
    EXPECT_EQ(OdbDataSource::InitializeTessel(kGwKey), ODB_E_WRONGTHREAD);
  });
}

TEST(OdbClient, RemoteEngineThatCannotConnectFailsTheDataSourceWithOneMessage) {
  inFreshProcess([] {
    TestInstallation installation;
    // Nothing listens on port 1 of the loopback interface.
    installation.writeRegistry(
        "\"VekTesselConnection\"=\"Remote\"\n\"VekTesselHostName\"=\"127.0.0.1\"\n"
        "\"VekTesselPortNumber\"=dword:00000001\n");
    VekDefaultParameter::setParameterSource(kGwKey);
    EXPECT_EQ(OdbDataSource::InitializeTessel(kGwKey), VEK_S_OK);
    PelMessageRecorder recorder;
    OdbReader reader;
    EXPECT_EQ(reader.open(u"ud_gwAddress"), ODB_E_CANTCONNECT);
    const std::vector<std::string> lines = messageLines(recorder);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].rfind("error VekOdb:", 0), 0u) << lines[0];
    EXPECT_NE(lines[0].find("Can't connect to database ud_gwAddress on 127.0.0.1:1: "),
              std::string::npos) << lines[0];
  });
}
