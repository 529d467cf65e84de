#include <gtest/gtest.h>

#include <filesystem>

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
    EXPECT_EQ(recorder.messages().size(), 4u);
    for (const PelMessage& m : recorder.messages()) {
      EXPECT_EQ(pelMessageLevelName(m.level) + (" " + m.source + " " + m.text),
                "error VekPel Bad configuration: required key VekPath not found.");
    }

    ASSERT_TRUE(VekDefaultParameter::setString(u"VekPath", u"/opt/tarvik"));
    EXPECT_EQ(readsDuring([] {
                const char16_t separator = std::filesystem::path::preferred_separator;
                EXPECT_EQ(VekConfiguration::getPath(u"data"),
                          PelUnicodeString(u"/opt/tarvik" + std::u16string(1, separator) + u"data"));
              }),
              1u);
  });
}

// Connection and host name are read once; the connection ignores the letter
// case of ASCII letters only, and anything but Remote is in-process.
TEST(VekConfiguration, ConnectionAndHostNameDefaultAndAreReadOnce) {
  struct Case {
    std::string values;
    int connection;
    const char16_t* host;
  };
  const Case cases[] = {
      {"", 1, u"localhost"},
      {"\"VekTesselConnection\"=\"Remote\"\n\"VekTesselHostName\"=\"\"\n", 2, u"localhost"},
      {"\"VekTesselConnection\"=\"remote\"\n\"VekTesselHostName\"=\"db.example\"\n", 2, u"db.example"},
      {"\"VekTesselConnection\"=\"Elsewhere\"\n", 1, u"localhost"},
      {"\"VekTesselConnection\"=\"ＲＥＭＯＴＥ\"\n", 1, u"localhost"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.values);
    withRegistry(c.values, [&c] {
      EXPECT_EQ(VekConfiguration::getTesselConnection(), c.connection);
      EXPECT_EQ(VekConfiguration::getTesselHostName(), PelUnicodeString(c.host));
      VekDefaultParameter::setString(u"VekTesselConnection", c.connection == 2 ? u"InProcess" : u"Remote");
      VekDefaultParameter::setString(u"VekTesselHostName", u"late.example");
      EXPECT_EQ(readsDuring([&c] {
                  EXPECT_EQ(VekConfiguration::getTesselConnection(), c.connection);
                  EXPECT_EQ(VekConfiguration::getTesselHostName(), PelUnicodeString(c.host));
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
