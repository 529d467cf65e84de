#include <gtest/gtest.h>

#include "AutoCloseDatabase.h"
#include "AutoCloseRowset.h"
#include "DatabaseTestSupport.h"
#include "QueryTesStub.h"
#include "RowValueText.h"
#include "VekPel/VekDefaultParameter.h"

namespace {

using Lines = std::vector<std::string>;

// Three installations at different top paths, each with a user database
// whose one account is named after the installation.
void writeThreeInstallations(TestInstallation& installation) {
  for (const char* name : {"nxv4gw", "nxv5gw", "nxv5edk1"}) {
    runSql(installation.databasePath("ud_gwAddress", name),
           std::string("CREATE TABLE umAccount(ac_name TEXT); INSERT INTO umAccount VALUES('") +
               name + "');");
  }
  installation.writeRegistry(
      {{"HKEY_LOCAL_MACHINE\\SOFTWARE\\Tarvik\\Fenwick\\NXV4\\GW", "nxv4gw"},
       {kNxv5Gw, "nxv5gw"},
       {"HKEY_LOCAL_MACHINE\\SOFTWARE\\Tarvik\\Fenwick\\NXV5\\ED-K1", "nxv5edk1"}});
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

}  // namespace

TEST(QueryTesStub, ServerTypeAndVersionChooseTheInstallation) {
  const struct {
    int serverType;
    std::string version;
    VekRC rc;
    std::string installation;
    Lines messages;
  } cases[] = {
      {0, "V3", VEK_S_OK, "nxv4gw", {}},
      {0, "V2", VEK_S_OK, "nxv4gw", {}},
      {0, "v3", VEK_S_OK, "nxv5gw", {}},
      {0, "", VEK_S_OK, "nxv5gw", {}},
      {0, "V3 ", VEK_S_OK, "nxv5gw", {}},
      {1, "V3", VEK_S_OK, "nxv5edk1", {}},
      {5, "V3", VEK_E_INVALIDARG, "(not opened)",
       {"error QueryTesStub:107 Bad Parameter : ServerType is 5. rc = 0x80070057",
        "normal QueryTesStub:131 VekRC caught: 0x80070057"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE("server type " + std::to_string(c.serverType) + ", version \"" + c.version + "\"");
    EXPECT_TRUE(runInChildProcess([&] {
      TestInstallation installation;
      writeThreeInstallations(installation);
      PelMessageRecorder recorder;
      EXPECT_EQ(QueryTesStub::initializeTessel(c.serverType, c.version), c.rc);
      EXPECT_EQ(messageLines(recorder), c.messages);
      EXPECT_EQ(QueryTesStub::clientStarted(), c.rc == VEK_S_OK);
      EXPECT_EQ(QueryTesStub::serverType(), c.rc == VEK_S_OK ? c.serverType : 2);
      EXPECT_EQ(VekDefaultParameter::parameterSource().empty(), c.rc != VEK_S_OK);
      EXPECT_EQ(openedInstallation(), c.installation);
    }));
  }
}

TEST(QueryTesStub, FailedClientStartIsLoggedTwice) {
  EXPECT_TRUE(runInChildProcess([] {
    TestInstallation installation;
    installation.writeRegistry({{kNxv5Gw, ""}});
    PelMessageRecorder recorder;
    EXPECT_EQ(QueryTesStub::initializeTessel(0, ""), VEK_E_UNEXPECTED);
    EXPECT_FALSE(QueryTesStub::clientStarted());
    EXPECT_EQ(QueryTesStub::serverType(), 0);
    EXPECT_EQ(
        messageLines(recorder),
        (Lines{"error VekPel Bad configuration: required key VekPath not found.",
               "error QueryTesStub:125 OdbDataSource::InitializeTessel Error. rc = 0x8000ffff",
               "error QueryTesStub:131 Unexpected exception occurred"}));
  }));
}
