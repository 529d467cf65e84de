#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "AutoCloseDatabase.h"
#include "AutoCloseRowset.h"
#include "DatabaseTestSupport.h"
#include "OdbTestSupport.h"
#include "QueryTesStub.h"
#include "RowValueText.h"
#include "VekOdb/OdbCodes.h"
#include "VekOdb/OdbDataSource.h"
#include "VekPel/VekDefaultParameter.h"

namespace {

using Lines = std::vector<std::string>;

const char* const kNxv4Gw = "HKEY_LOCAL_MACHINE\\SOFTWARE\\Tarvik\\Fenwick\\NXV4\\GW";
const char* const kNxv5Gw = "HKEY_LOCAL_MACHINE\\SOFTWARE\\Tarvik\\Fenwick\\NXV5\\GW";
const char* const kNxv5EdK1 = "HKEY_LOCAL_MACHINE\\SOFTWARE\\Tarvik\\Fenwick\\NXV5\\ED-K1";

// Three installations at different top paths, each with a user database
// whose one account is named after the installation.
void writeThreeInstallations(TestInstallation& installation) {
  for (const char* name : {"nxv4gw", "nxv5gw", "nxv5edk1"}) {
    runSql(installation.databasePath("ud_gwAddress", name),
           std::string("CREATE TABLE umAccount(ac_name TEXT); INSERT INTO umAccount VALUES('") +
               name + "');");
  }
  installation.writeRegistry({{kNxv4Gw, installation.vekPathValue("nxv4gw")},
                              {kNxv5Gw, installation.vekPathValue("nxv5gw")},
                              {kNxv5EdK1, installation.vekPathValue("nxv5edk1")}});
}

// The name of the one account of the user database the client opens.
std::string openedInstallation() {
  AutoCloseDatabase database(u"localhost", u"ud_gwAddress", u"L", u"");
  if (database.Open() != VEK_S_OK) return "(not opened)";
  ColumnBinding name;
  name.type = kColumnText;
  AutoCloseRowset rowset(&database, u"select ac_name from umAccount", 0, 0, 1, &name);
  rowset.Initialize();
  return database.GetNextRow(0) == VEK_S_OK ? columnText(name, 1) : "(no row)";
}

struct ServerChoice {
  int serverType;
  std::string version;
  std::string installation;
};

}  // namespace

TEST(QueryTesStub, ServerTypeAndVersionChooseTheInstallation) {
  const std::vector<ServerChoice> choices = {
      {0, "V3", "nxv4gw"}, {0, "V2", "nxv4gw"},   {0, "v3", "nxv5gw"},   {0, "V4", "nxv5gw"},
      {0, "", "nxv5gw"},   {0, "V3 ", "nxv5gw"},  {1, "V3", "nxv5edk1"}, {1, "", "nxv5edk1"},
  };
  for (const ServerChoice& choice : choices) {
    SCOPED_TRACE("server type " + std::to_string(choice.serverType) + ", version \"" +
                 choice.version + "\"");
    inFreshProcess([&] {
      TestInstallation installation;
      writeThreeInstallations(installation);
      ASSERT_EQ(QueryTesStub::initializeTessel(choice.serverType, choice.version), VEK_S_OK);
      EXPECT_TRUE(QueryTesStub::clientStarted());
      EXPECT_EQ(QueryTesStub::serverType(), choice.serverType);
      EXPECT_EQ(openedInstallation(), choice.installation);
      EXPECT_EQ(QueryTesStub::terminateTessel(), VEK_S_OK);
    });
  }
}

TEST(QueryTesStub, UnknownServerTypeIsRejectedAndChangesNothing) {
  inFreshProcess([] {
    TestInstallation installation;
    writeThreeInstallations(installation);
    PelMessageRecorder recorder;
    EXPECT_EQ(QueryTesStub::initializeTessel(5, "V3"), VEK_E_INVALIDARG);
    EXPECT_EQ(messageLines(recorder),
              (Lines{"debug QueryTesStub:85 initializeTessel",
                     "error QueryTesStub:107 Bad Parameter : ServerType is 5. rc = 0x80070057",
                     "normal QueryTesStub:131 VekRC caught: 0x80070057"}));
    EXPECT_FALSE(QueryTesStub::clientStarted());
    EXPECT_EQ(QueryTesStub::serverType(), 2);
    EXPECT_TRUE(VekDefaultParameter::parameterSource().empty());
    EXPECT_EQ(QueryTesStub::initializeTessel(-1, ""), VEK_E_INVALIDARG);
  });
}

TEST(QueryTesStub, SecondStartChangesNothingAndTerminateResets) {
  inFreshProcess([] {
    TestInstallation installation;
    writeThreeInstallations(installation);
    ASSERT_EQ(QueryTesStub::initializeTessel(0, "V3"), VEK_S_OK);
    PelMessageRecorder recorder;
    EXPECT_EQ(QueryTesStub::initializeTessel(1, ""), VEK_S_OK);
    EXPECT_EQ(QueryTesStub::serverType(), 0);
    EXPECT_EQ(openedInstallation(), "nxv4gw");

    EXPECT_EQ(QueryTesStub::terminateTessel(), VEK_S_OK);
    EXPECT_EQ(reportedLines(recorder), Lines{});
    EXPECT_FALSE(QueryTesStub::clientStarted());
    EXPECT_EQ(QueryTesStub::serverType(), 2);
    EXPECT_EQ(openedInstallation(), "(not opened)");  // the client has ended
    EXPECT_EQ(QueryTesStub::terminateTessel(), VEK_S_OK);

    // Started again; the parameter source set first stays in force.
    EXPECT_EQ(QueryTesStub::initializeTessel(0, "V3"), VEK_S_OK);
    EXPECT_EQ(openedInstallation(), "nxv4gw");
  });
}

TEST(QueryTesStub, FailedClientStartIsLoggedTwice) {
  inFreshProcess([] {
    TestInstallation installation;
    installation.writeRegistry({{kNxv5Gw, ""}});
    PelMessageRecorder recorder;
    EXPECT_EQ(QueryTesStub::initializeTessel(0, ""), VEK_E_UNEXPECTED);
    EXPECT_FALSE(QueryTesStub::clientStarted());
    EXPECT_EQ(QueryTesStub::serverType(), 0);

    // The client already runs on another thread.
    installation.writeRegistry();
    std::thread([] { OdbDataSource::InitializeTessel(u"NXV5"); }).join();
    EXPECT_EQ(QueryTesStub::initializeTessel(0, ""), ODB_E_WRONGTHREAD);
    EXPECT_EQ(reportedLines(recorder),
              (Lines{"error VekPel Bad configuration: required key VekPath not found.",
                     "error QueryTesStub:125 OdbDataSource::InitializeTessel Error. rc = 0x8000ffff",
                     "error QueryTesStub:131 Unexpected exception occurred",
                     "error QueryTesStub:125 OdbDataSource::InitializeTessel Error. rc = 0x8001010e",
                     "normal QueryTesStub:131 VekRC caught: 0x8001010e"}));
    EXPECT_FALSE(QueryTesStub::clientStarted());
  });
}
