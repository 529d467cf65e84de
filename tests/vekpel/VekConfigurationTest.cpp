#include <gtest/gtest.h>

#include <utility>

#include "Pelcore/PelMessage.h"
#include "Pelcore/PelParameter.h"
#include "Pelcore/VekRC.h"
#include "RegistryScenario.h"
#include "VekPel/VekConfiguration.h"
#include "VekPel/VekDefaultParameter.h"

namespace {

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
  withRegistry("", [] {
    PelMessageRecorder recorder;
    for (int i = 0; i < 2; ++i) {
      EXPECT_EQ(raisedBy([] { VekConfiguration::getTopPath(); }), VEK_E_UNEXPECTED);
      EXPECT_EQ(raisedBy([] { VekConfiguration::getPath(u"data"); }), VEK_E_UNEXPECTED);
    }
    std::vector<std::string> lines;
    for (const PelMessage& m : recorder.messages()) {
      lines.push_back(std::string(pelMessageLevelName(m.level)) + " " + m.source + " " + m.text);
    }
    EXPECT_EQ(lines, std::vector<std::string>(
                         4, "error VekPel Bad configuration: required key VekPath not found."));

    ASSERT_TRUE(VekDefaultParameter::setString(u"VekPath", u"/opt/tarvik"));
    EXPECT_EQ(VekConfiguration::getTopPath(), PelUnicodeString(u"/opt/tarvik"));
    EXPECT_EQ(readsDuring([] {
                EXPECT_EQ(VekConfiguration::getPath(u"data"), PelUnicodeString(u"/opt/tarvik/data"));
              }),
              0u);
  });
}

TEST(VekConfiguration, ConnectionModeIgnoresLetterCaseAndDefaultsToInProcess) {
  const std::pair<std::string, int> cases[] = {
      {"\"VekTesselConnection\"=\"Remote\"\n", 2},    {"\"VekTesselConnection\"=\"remote\"\n", 2},
      {"\"VekTesselConnection\"=\"InProcess\"\n", 1}, {"\"VekTesselConnection\"=\"Elsewhere\"\n", 1},
      {"\"VekTesselConnection\"=\"\"\n", 1},          {"", 1},
  };
  for (const auto& [values, expected] : cases) {
    SCOPED_TRACE(values);
    withRegistry(values, [expected = expected] {
      EXPECT_EQ(VekConfiguration::getTesselConnection(), expected);
      VekDefaultParameter::setString(u"VekTesselConnection", expected == 2 ? u"InProcess" : u"Remote");
      EXPECT_EQ(VekConfiguration::getTesselConnection(), expected);
    });
  }
}

TEST(VekConfiguration, HostNameDefaultsToLocalhostAndIsReadOnce) {
  const std::pair<std::string, const char16_t*> cases[] = {
      {"", u"localhost"},
      {"\"VekTesselHostName\"=\"\"\n", u"localhost"},
      {"\"VekTesselHostName\"=\"db.example\"\n", u"db.example"},
  };
  for (const auto& [values, expected] : cases) {
    SCOPED_TRACE(values);
    withRegistry(values, [expected = expected] {
      EXPECT_EQ(VekConfiguration::getTesselHostName(), PelUnicodeString(expected));
      VekDefaultParameter::setString(u"VekTesselHostName", u"late.example");
      EXPECT_EQ(readsDuring([&] {
                  EXPECT_EQ(VekConfiguration::getTesselHostName(), PelUnicodeString(expected));
                }),
                0u);
    });
  }
}

TEST(VekConfiguration, PortNumberZeroIsReadAgainOtherNumbersOnce) {
  withRegistry("", [] {
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
}
