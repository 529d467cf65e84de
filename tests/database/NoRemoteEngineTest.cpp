#include <gtest/gtest.h>

#include "DatabaseTestSupport.h"
#include "Pelcore/PelParameter.h"
#include "QueryTesStub.h"
#include "VekOdb/OdbCodes.h"

// A build without the Remote engine (the Windows build) refuses a Remote
// installation when the client starts, as a client that does not start.
TEST(QueryTesStub, RemoteInstallationFailsAtTheStartWithoutTheRemoteEngine) {
  EXPECT_TRUE(runInChildProcess([] {
    TestInstallation installation;
    installation.writeRegistry();
    const PelUnicodeString vek = PelUnicodeString::fromUtf8(std::string(kNxv5Gw) + "\\VEK");
    ASSERT_TRUE(
        PelParameter::setString(vek, PelUnicodeString(u"VekTesselConnection"), PelUnicodeString(u"Remote")));
    PelMessageRecorder recorder;
    EXPECT_EQ(QueryTesStub::initializeTessel(0, ""), ODB_E_NOTIMPL);
    EXPECT_FALSE(QueryTesStub::clientStarted());
    EXPECT_EQ(messageLines(recorder),
              (std::vector<std::string>{
                  "error VekOdb The installation's VekTesselConnection is Remote, but this build has no Remote "
                  "engine (the Windows build has none yet). rc = 0x80004001",
                  "error QueryTesStub:125 OdbDataSource::InitializeTessel Error. rc = 0x80004001",
                  "normal QueryTesStub:131 VekRC caught: 0x80004001"}));
  }));
}
