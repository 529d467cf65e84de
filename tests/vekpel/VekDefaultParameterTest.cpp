#include <gtest/gtest.h>

#include <latch>
#include <thread>
#include <vector>

#include "Pelcore/PelMessage.h"
#include "Pelcore/PelParameter.h"
#include "RegistryScenario.h"
#include "VekPel/VekDefaultParameter.h"

TEST(VekDefaultParameter, FirstParameterSourceWinsWithOneDebugMessage) {
  withRegistry("\"Where\"=\"server\"\n", [] {
    PelMessageRecorder recorder;
    // Before a source is set, reads go below the empty source and find nothing.
    EXPECT_EQ(VekDefaultParameter::getString(u"Where"), PelUnicodeString());

    VekDefaultParameter::setParameterSource(kServerKey);
    VekDefaultParameter::setParameterSource(u"HKEY_LOCAL_MACHINE\\SOFTWARE\\Other");
    const std::u16string withVek = std::u16string(kServerKey) + u"\\VEK";
    EXPECT_EQ(VekDefaultParameter::parameterSource().str(), withVek);
    EXPECT_EQ(VekDefaultParameter::getString(u"Where"), PelUnicodeString(u"server"));

    const std::vector<PelMessage> messages = recorder.messages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].level, PelMessageLevel::Debug);
    EXPECT_EQ(messages[0].source + " " + messages[0].text, "VekPel set [" + pelUtf16ToUtf8(withVek) + "]");
  }, false);
}

TEST(VekDefaultParameter, CachesKeepTheirFirstValueAndAllItsBits) {
  withRegistry("\"Three\"=dword:00000003\n\"Big\"=dword:ffffffff\n", [] {
    EXPECT_EQ(VekDefaultParameter::getCachedInteger(u"Three"), 3);
    EXPECT_TRUE(VekDefaultParameter::setInteger(u"Three", 5));
    EXPECT_EQ(VekDefaultParameter::getInteger(u"Three"), 5);
    EXPECT_EQ(VekDefaultParameter::getCachedInteger(u"Three"), 3);

    // Each family has its own cache, so each reads the value once.
    const std::uint64_t before = PelParameter::storeReadCount();
    EXPECT_EQ(VekDefaultParameter::getCachedUnsignedLong(u"Big"), 0xFFFFFFFFu);
    EXPECT_EQ(VekDefaultParameter::getCachedUnsignedLong(u"Big"), 0xFFFFFFFFu);
    EXPECT_EQ(VekDefaultParameter::getCachedPelSize(u"Big"), 0xFFFFFFFFu);
    EXPECT_EQ(VekDefaultParameter::getCachedPelFileSize(u"Big"), 4294967295ULL);
    EXPECT_EQ(PelParameter::storeReadCount() - before, 3u);
    EXPECT_EQ(VekDefaultParameter::getPelFileSize(u"Big"), 4294967295ULL);
  });
}

TEST(VekDefaultParameter, ManyThreadsAskingANewKeyReadTheStoreOnce) {
  withRegistry("\"Shared\"=\"value\"\n", [] {
    constexpr int kThreads = 16;
    std::latch start(kThreads);
    std::vector<const PelUnicodeString*> seen(kThreads);
    std::vector<std::thread> threads;
    const std::uint64_t before = PelParameter::storeReadCount();
    for (int t = 0; t < kThreads; ++t) {
      threads.emplace_back([&, t] {
        start.arrive_and_wait();
        seen[t] = &VekDefaultParameter::getCachedString(u"Shared");
      });
    }
    for (auto& thread : threads) thread.join();
    EXPECT_EQ(PelParameter::storeReadCount() - before, 1u);
    EXPECT_EQ(std::vector<const PelUnicodeString*>(kThreads, seen[0]), seen);
    EXPECT_EQ(*seen[0], PelUnicodeString(u"value"));
  });
}
