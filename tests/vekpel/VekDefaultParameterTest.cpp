#include <gtest/gtest.h>

#include <latch>
#include <thread>
#include <vector>

#include "FreshProcess.h"
#include "Pelcore/PelMessage.h"
#include "Pelcore/PelParameter.h"
#include "Pelcore/PelProcess.h"
#include "VekPel/VekDefaultParameter.h"

namespace {

const std::u16string kSourceWithVek = std::u16string(kServerKey) + u"\\VEK";

}  // namespace

TEST(VekDefaultParameter, LoadingTheLibrarySetsTheProcessSettings) {
  EXPECT_EQ(PelMessageStream::commandName(), "TarvikNX");
  EXPECT_EQ(PelMemoryPool::totalLimit(), 0x3FFFFFu);
  EXPECT_EQ(PelOs::Process::_encodeingType.load(), 2);
}

TEST(VekDefaultParameter, FirstParameterSourceWinsWithOneDebugMessage) {
  inFreshProcess([] {
    TempRegistry registry(registryWith("\"Where\"=\"server\"\n"));
    PelMessageRecorder recorder;
    // Before a source is set, reads go below the empty source and find nothing.
    EXPECT_EQ(VekDefaultParameter::getString(u"Where"), PelUnicodeString());

    VekDefaultParameter::setParameterSource(kServerKey);
    VekDefaultParameter::setParameterSource(u"HKEY_LOCAL_MACHINE\\SOFTWARE\\Other");
    EXPECT_EQ(VekDefaultParameter::parameterSource().str(), kSourceWithVek);
    EXPECT_EQ(VekDefaultParameter::getString(u"Where"), PelUnicodeString(u"server"));

    const std::vector<PelMessage> messages = recorder.messages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].level, PelMessageLevel::Debug);
    EXPECT_EQ(messages[0].source, "VekPel");
    EXPECT_EQ(messages[0].text, "set [" + pelUtf16ToUtf8(kSourceWithVek) + "]");
  });
  inFreshProcess([] {
    VekDefaultParameter::setParameterSource(u"");
    EXPECT_EQ(VekDefaultParameter::parameterSource().str(), u"\\VEK");
  });
}

TEST(VekDefaultParameter, TypedReadsWritesAndFailedReads) {
  inFreshProcess([] {
    TempRegistry registry(registryWith("\"Big\"=dword:ffffffff\n\"Name\"=\"値\"\n"));
    VekDefaultParameter::setParameterSource(kServerKey);

    EXPECT_EQ(VekDefaultParameter::getPelFileSize(u"Big"), 4294967295ULL);
    PelFileSize fileSize = 0;
    EXPECT_TRUE(VekDefaultParameter::getPelFileSize(fileSize, u"Big"));
    EXPECT_EQ(fileSize, 4294967295ULL);
    EXPECT_EQ(VekDefaultParameter::getUnsignedLong(u"Big"), 0xFFFFFFFFu);
    EXPECT_EQ(VekDefaultParameter::getPelSize(u"Big"), 0xFFFFFFFFu);
    EXPECT_EQ(VekDefaultParameter::getInteger(u"Big"), -1);

    PelULong unsignedLong = 7;
    PelSize size = 8;
    fileSize = 9;
    EXPECT_FALSE(VekDefaultParameter::getUnsignedLong(unsignedLong, u"Missing"));
    EXPECT_FALSE(VekDefaultParameter::getPelSize(size, u"Missing"));
    EXPECT_FALSE(VekDefaultParameter::getPelFileSize(fileSize, u"Name"));  // a string
    EXPECT_EQ(unsignedLong, 7u);
    EXPECT_EQ(size, 8u);
    EXPECT_EQ(fileSize, 9u);

    char16_t buffer[16] = {u'x', u'x'};
    EXPECT_FALSE(VekDefaultParameter::getString(buffer, u"Missing"));
    EXPECT_EQ(buffer[0], u'\0');
    EXPECT_TRUE(VekDefaultParameter::getString(buffer, u"Name"));
    EXPECT_EQ(std::u16string(buffer), u"値");

    EXPECT_TRUE(VekDefaultParameter::setString(u"Text", u"a\\b"));
    EXPECT_TRUE(VekDefaultParameter::setUnsignedLong(u"Count", 4000000000u));
    EXPECT_TRUE(VekDefaultParameter::setBoolean(u"Flag", PelTrue));
    EXPECT_EQ(VekDefaultParameter::getString(u"text"), PelUnicodeString(u"a\\b"));
    EXPECT_EQ(VekDefaultParameter::getUnsignedLong(u"Count"), 4000000000u);
    EXPECT_EQ(VekDefaultParameter::getBoolean(u"Flag"), PelTrue);
    EXPECT_TRUE(VekDefaultParameter::deleteValue(u"Flag"));
    EXPECT_FALSE(VekDefaultParameter::deleteValue(u"Flag"));
    PelBoolean flag = 5;
    EXPECT_FALSE(VekDefaultParameter::getBoolean(flag, u"Flag"));
    EXPECT_EQ(flag, 5);
  });
}

TEST(VekDefaultParameter, CachesKeepTheirFirstValue) {
  inFreshProcess([] {
    TempRegistry registry(registryWith("\"Three\"=dword:00000003\n\"Big\"=dword:ffffffff\n"));
    VekDefaultParameter::setParameterSource(kServerKey);

    EXPECT_EQ(VekDefaultParameter::getCachedInteger(u"Three"), 3);
    EXPECT_TRUE(VekDefaultParameter::setInteger(u"Three", 5));
    EXPECT_EQ(VekDefaultParameter::getInteger(u"Three"), 5);
    EXPECT_EQ(VekDefaultParameter::getCachedInteger(u"Three"), 3);

    // A missing value is cached as what the plain read gives, 0.
    EXPECT_EQ(VekDefaultParameter::getCachedBoolean(u"Later"), PelFalse);
    EXPECT_TRUE(VekDefaultParameter::setBoolean(u"Later", PelTrue));
    EXPECT_EQ(VekDefaultParameter::getCachedBoolean(u"Later"), PelFalse);

    const std::u16string sameText = u"Missing";
    EXPECT_EQ(&VekDefaultParameter::getCachedString(u"Missing"),
              &VekDefaultParameter::getCachedString(sameText.c_str()));

    const std::uint64_t before = PelParameter::storeReadCount();
    EXPECT_EQ(VekDefaultParameter::getCachedUnsignedLong(u"Big"), 0xFFFFFFFFu);
    EXPECT_EQ(VekDefaultParameter::getCachedUnsignedLong(u"Big"), 0xFFFFFFFFu);
    EXPECT_EQ(PelParameter::storeReadCount() - before, 1u);
    // Each family has its own cache, so each reads the value once.
    EXPECT_EQ(VekDefaultParameter::getCachedPelSize(u"Big"), 0xFFFFFFFFu);
    EXPECT_EQ(VekDefaultParameter::getCachedPelFileSize(u"Big"), 4294967295ULL);
    EXPECT_EQ(PelParameter::storeReadCount() - before, 3u);
  });
}

TEST(VekDefaultParameter, ManyThreadsAskingANewKeyReadTheStoreOnce) {
  inFreshProcess([] {
    TempRegistry registry(registryWith("\"Shared\"=\"value\"\n\"Number\"=dword:0000002a\n"));
    VekDefaultParameter::setParameterSource(kServerKey);

    constexpr int kThreads = 16;
    std::latch start(kThreads);
    std::vector<const PelUnicodeString*> seen(kThreads);
    std::vector<int> numbers(kThreads);
    std::vector<std::thread> threads;
    const std::uint64_t before = PelParameter::storeReadCount();
    for (int t = 0; t < kThreads; ++t) {
      threads.emplace_back([&, t] {
        start.arrive_and_wait();
        seen[t] = &VekDefaultParameter::getCachedString(u"Shared");
        numbers[t] = VekDefaultParameter::getCachedInteger(u"Number");
      });
    }
    for (auto& thread : threads) thread.join();

    EXPECT_EQ(PelParameter::storeReadCount() - before, 2u);
    for (int t = 0; t < kThreads; ++t) {
      EXPECT_EQ(seen[t], seen[0]);
      EXPECT_EQ(numbers[t], 42);
    }
    EXPECT_EQ(*seen[0], PelUnicodeString(u"value"));
  });
}
