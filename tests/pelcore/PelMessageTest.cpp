#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <regex>
#include <thread>
#include <vector>

#include "Pelcore/PelMessage.h"
#include "TempFolder.h"

namespace {

class PelMessageTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ::setenv("PEL_MESSAGE_FILE", folder_.file("messages.log").c_str(), 1);
    ::unsetenv("PEL_MESSAGE_LEVEL");
    PelMessageStream::setCommandName("TarvikNX", -1);
  }
  void TearDown() override {
    ::unsetenv("PEL_MESSAGE_FILE");
    ::unsetenv("PEL_MESSAGE_LEVEL");
  }
  std::string written() const { return readFile(folder_.file("messages.log")); }
  std::string prefix(const char* level) const {
    return R"(\d{4}-\d\d-\d\d \d\d:\d\d:\d\d TarvikNX\[)" + std::to_string(::getpid()) + "\\] " +
           level + " ";
  }

  TempFolder folder_;
};

}  // namespace

TEST_F(PelMessageTest, WritesOneLineInTheMessageFormat) {
  const std::uint32_t rc = 0x80040E14;
  PelMessageSelection::error("AutoCloseDatabase", 225)
      << "CreateRowset failed. rc = 0x" << PelHex << rc << PelEndl;
  EXPECT_TRUE(std::regex_match(
      written(), std::regex(prefix("error") + R"(AutoCloseDatabase:225 CreateRowset failed\. rc = 0x80040e14\n)")))
      << written();
}

TEST_F(PelMessageTest, FormatsEveryKindOfOperandOnOneLine) {
  PelMessageSelection::normal("Src", 7)
      << "a\r\nb " << -42 << " " << PelHex << -1 << " " << 255 << " " << u"日本"
      << PelUnicodeString(u" x") << " " << PelException(2, 5002, "held") << PelEndl;
  // Not ended by PelEndl: written when the statement ends.
  PelMessageSelection::normal("Src", 8) << "unended";
  EXPECT_TRUE(std::regex_match(
      written(), std::regex(prefix("normal") + R"(Src:7 a  b -42 ffffffff 255 日本 x PelException\(module=2, error=5002\): held\n)" +
                            prefix("normal") + R"(Src:8 unended\n)")))
      << written();
}

TEST_F(PelMessageTest, LevelSelectsWhatIsWritten) {
  const auto writeAll = [] {
    PelMessageSelection::error("S", 1) << "e" << PelEndl;
    PelMessageSelection::normal("S", 2) << "n" << PelEndl;
    PelMessageSelection::debug("S", 3) << "d" << PelEndl;
  };
  const auto countLines = [this] {
    const std::string text = written();
    return std::count(text.begin(), text.end(), '\n');
  };
  writeAll();
  EXPECT_EQ(countLines(), 2);  // normal by default
  ::setenv("PEL_MESSAGE_LEVEL", "error", 1);
  writeAll();
  EXPECT_EQ(countLines(), 3);
  EXPECT_FALSE(PelErrorHandle::shouldOutputMessage(PelException(2, 1, "", PelException::Normal)));
  ::setenv("PEL_MESSAGE_LEVEL", "debug", 1);
  writeAll();
  EXPECT_EQ(countLines(), 6);
}

TEST_F(PelMessageTest, ConcurrentWritersNeverInterleaveLines) {
  constexpr int kThreads = 8;
  constexpr int kPerThread = 200;
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([t] {
      const std::string payload(300, static_cast<char>('a' + t));
      for (int i = 0; i < kPerThread; ++i) {
        PelMessageSelection::error("T", t) << payload << " " << i << PelEndl;
      }
    });
  }
  for (auto& thread : threads) thread.join();

  std::istringstream lines(written());
  const std::regex shape(prefix("error") + R"(T:(\d) ([a-h])\2{299} \d+)");
  std::string line;
  int count = 0;
  while (std::getline(lines, line)) {
    ++count;
    ASSERT_TRUE(std::regex_match(line, shape)) << line;
  }
  EXPECT_EQ(count, kThreads * kPerThread);
}

TEST_F(PelMessageTest, RecorderKeepsEveryLevelInsteadOfWriting) {
  {
    PelMessageRecorder recorder;
    PelMessageSelection::debug("VekPel", 105) << "set [" << u"K\\VEK" << "]" << PelEndl;
    PelMessageSelection::error("VekPel", 300) << "x" << PelEndl;
    const std::vector<PelMessage> messages = recorder.messages();
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0].level, PelMessageLevel::Debug);
    EXPECT_EQ(messages[0].source, "VekPel");
    EXPECT_EQ(messages[0].line, 105);
    EXPECT_EQ(messages[0].text, "set [K\\VEK]");
  }
  EXPECT_EQ(written(), "");
}
