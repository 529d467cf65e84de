#include <gtest/gtest.h>

#include <utility>

#include "FreshProcess.h"
#include "Pelcore/PelMessage.h"
#include "Pelcore/PelParameter.h"
#include "Pelcore/VekRC.h"
#include "VekPel/VekConfiguration.h"
#include "VekPel/VekDefaultParameter.h"

namespace {

// Runs `scenario` in a fresh process with the server's key as the source
// and `values` below it.
void withSettings(const std::string& values, const std::function<void()>& scenario) {
  inFreshProcess([&] {
    TempRegistry registry(registryWith(values));
    VekDefaultParameter::setParameterSource(kServerKey);
    scenario();
  });
}

VekRC raisedBy(const std::function<void()>& call) {
  try {
    call();
  } catch (VekRC rc) {
    return rc;
  }
  return VEK_S_OK;
}

std::uint64_t readsDuring(const std::function<void()>& calls) {
  const std::uint64_t before = PelParameter::storeReadCount();
  calls();
  return PelParameter::storeReadCount() - before;
}

}  // namespace

TEST(VekConfiguration, MissingTopPathRaisesAtEveryCallUntilItExists) {
  withSettings("", [] {
    PelMessageRecorder recorder;
    for (int i = 0; i < 2; ++i) {
      EXPECT_EQ(raisedBy([] { VekConfiguration::getTopPath(); }), VEK_E_UNEXPECTED);
      EXPECT_EQ(raisedBy([] { VekConfiguration::getPath(u"data"); }), VEK_E_UNEXPECTED);
    }
    const std::vector<PelMessage> messages = recorder.messages();
    ASSERT_EQ(messages.size(), 4u);
    for (const PelMessage& m : messages) {
      EXPECT_EQ(m.level, PelMessageLevel::Error);
      EXPECT_EQ(m.source, "VekPel");
      EXPECT_EQ(m.text, "Bad configuration: required key VekPath not found.");
    }

    ASSERT_TRUE(VekDefaultParameter::setString(u"VekPath", u"/opt/tarvik"));
    EXPECT_EQ(VekConfiguration::getTopPath(), PelUnicodeString(u"/opt/tarvik"));
    EXPECT_EQ(readsDuring([] {
                EXPECT_EQ(VekConfiguration::getPath(u"data"), PelUnicodeString(u"/opt/tarvik/data"));
              }),
              0u);
    EXPECT_EQ(&VekConfiguration::getTopPath(), &VekConfiguration::getTopPath());
  });
  withSettings("\"VekPath\"=\"\"\n", [] {
    EXPECT_EQ(VekConfiguration::getPath(u"data"), PelUnicodeString(u"/data"));
  });
}

TEST(VekConfiguration, ConnectionModeIgnoresLetterCaseAndDefaultsToInProcess) {
  const std::pair<std::string, int> cases[] = {
      {"\"VekTesselConnection\"=\"Remote\"\n", 2},
      {"\"VekTesselConnection\"=\"remote\"\n", 2},
      {"\"VekTesselConnection\"=\"InProcess\"\n", 1},
      {"\"VekTesselConnection\"=\"Elsewhere\"\n", 1},
      {"\"VekTesselConnection\"=\"\"\n", 1},
      {"", 1},
  };
  for (const auto& [values, expected] : cases) {
    SCOPED_TRACE(values);
    withSettings(values, [expected = expected] {
      EXPECT_EQ(VekConfiguration::getTesselConnection(), expected);
      VekDefaultParameter::setString(u"VekTesselConnection", expected == 2 ? u"InProcess" : u"Remote");
      EXPECT_EQ(VekConfiguration::getTesselConnection(), expected);
    });
  }
}

TEST(VekConfiguration, HostNameDefaultsToLocalhostAndIsReadOnce) {
  for (const std::string values : {"", "\"VekTesselHostName\"=\"\"\n"}) {
    withSettings(values, [] {
      EXPECT_EQ(VekConfiguration::getTesselHostName(), PelUnicodeString(u"localhost"));
      VekDefaultParameter::setString(u"VekTesselHostName", u"late.example");
      EXPECT_EQ(readsDuring([] {
                  EXPECT_EQ(VekConfiguration::getTesselHostName(), PelUnicodeString(u"localhost"));
                }),
                0u);
    });
  }
  withSettings("\"VekTesselHostName\"=\"db.example\"\n", [] {
    EXPECT_EQ(VekConfiguration::getTesselHostName(), PelUnicodeString(u"db.example"));
  });
}

TEST(VekConfiguration, PortNumberZeroIsReadAgainOtherNumbersOnce) {
  withSettings("", [] {
    EXPECT_EQ(readsDuring([] {
                EXPECT_EQ(VekConfiguration::getTesselPortNumber(), 0);
                EXPECT_EQ(VekConfiguration::getTesselPortNumber(), 0);
              }),
              2u);
    VekDefaultParameter::setInteger(u"VekTesselPortNumber", 5432);
    EXPECT_EQ(VekConfiguration::getTesselPortNumber(), 5432);
    VekDefaultParameter::setInteger(u"VekTesselPortNumber", 1);
    EXPECT_EQ(readsDuring([] { EXPECT_EQ(VekConfiguration::getTesselPortNumber(), 5432); }), 0u);
  });
  withSettings("\"VekTesselPortNumber\"=dword:ffffffff\n", [] {
    EXPECT_EQ(VekConfiguration::getTesselPortNumber(), -1);
  });
}

TEST(VekConfiguration, FullTextOnMemoryIsReadOnceAndDefaultsToFalse) {
  withSettings("", [] {
    EXPECT_EQ(VekConfiguration::getFullTextOnMemory(), PelFalse);
    VekDefaultParameter::setBoolean(u"VekFullTextOnMemory", PelTrue);
    EXPECT_EQ(VekConfiguration::getFullTextOnMemory(), PelFalse);
  });
  withSettings("\"VekFullTextOnMemory\"=dword:00000001\n", [] {
    EXPECT_EQ(VekConfiguration::getFullTextOnMemory(), PelTrue);
  });
}
