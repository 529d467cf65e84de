#include <gtest/gtest.h>
#include <unistd.h>
#ifndef _WIN32
#include <sys/stat.h>
#endif

#include <algorithm>
#include <cctype>
#include <sstream>
#include <thread>
#include <vector>

#include "Pelcore/PelMessage.h"
#include "TestSupport.h"

namespace {

class PelMessageTest : public ::testing::Test {
 protected:
  void SetUp() override {
    setEnvironment("PEL_MESSAGE_FILE", (folder_ / "messages.log").c_str());
    setEnvironment("PEL_MESSAGE_LEVEL", nullptr);
    PelMessageStream::setCommandName("TarvikNX", -1);
  }
  void TearDown() override { setEnvironment("PEL_MESSAGE_FILE", nullptr); }
  std::string written() const { return readFile(folder_ / "messages.log"); }
  // The lines written, each without its "YYYY-MM-DD hh:mm:ss TarvikNX[pid] "
  // prefix; a line whose prefix has another shape stays whole.
  std::vector<std::string> lines() const {
    const std::string stamp = "0000-00-00 00:00:00 ", program = "TarvikNX[" + std::to_string(::getpid()) + "] ";
    std::vector<std::string> out;
    std::istringstream text(written());
    for (std::string line; std::getline(text, line);) {
      bool prefixed = line.compare(stamp.size(), program.size(), program) == 0;
      for (std::size_t i = 0; prefixed && i < stamp.size(); ++i)
        prefixed = stamp[i] == '0' ? std::isdigit(static_cast<unsigned char>(line[i])) : line[i] == stamp[i];
      out.push_back(prefixed ? line.substr(stamp.size() + program.size()) : line);
    }
    return out;
  }

  TempFolder folder_;
};

}  // namespace

TEST_F(PelMessageTest, WritesEveryKindOfOperandOnOneLineInTheMessageFormat) {
  PelMessageSelection::normal("Src", 7)
      << "a\r\nb " << -42 << " " << PelHex << -1 << " " << 255 << " " << u"日本"
      << PelUnicodeString(u" x") << " " << PelException(2, 5002, "held") << PelEndl;
  // Not ended by PelEndl: written when the statement ends.
  PelMessageSelection::normal("Src", 8) << "unended";
  EXPECT_EQ(lines(), (std::vector<std::string>{
                         "normal Src:7 a  b -42 ffffffff 255 日本 x PelException(module=2, error=5002): held",
                         "normal Src:8 unended"}));
  EXPECT_TRUE(written().ends_with("\n"));
}

TEST_F(PelMessageTest, LevelSelectsWhatIsWritten) {
  // Lines in the file after one message of each level, per PEL_MESSAGE_LEVEL.
  const std::pair<const char*, int> cases[] = {{nullptr, 2}, {"error", 3}, {"debug", 6}};
  for (const auto& [level, lines] : cases) {
    if (level) setEnvironment("PEL_MESSAGE_LEVEL", level);
    PelMessageStream::setCommandName("TarvikNX", -1);  // which reads the level
    PelMessageSelection::error("S", 1) << "e" << PelEndl;
    PelMessageSelection::normal("S", 2) << "n" << PelEndl;
    PelMessageSelection::debug("S", 3) << "d" << PelEndl;
    const std::string text = written();
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), lines) << (level ? level : "default");
  }
  setEnvironment("PEL_MESSAGE_LEVEL", nullptr);
  PelMessageStream::setCommandName("TarvikNX", -1);
}

TEST_F(PelMessageTest, ConcurrentWritersNeverInterleaveLines) {
  std::vector<std::thread> threads;
  for (int t = 0; t < 8; ++t) {
    threads.emplace_back([t] {
      const std::string payload(300, static_cast<char>('a' + t));
      for (int i = 0; i < 200; ++i) PelMessageSelection::error("T", t) << payload << " " << i << PelEndl;
    });
  }
  for (auto& thread : threads) thread.join();

  const std::vector<std::string> written = lines();
  for (const std::string& line : written) {
    ASSERT_TRUE(line.starts_with("error T:") && line.size() >= 312) << line;
    EXPECT_EQ(line.substr(10, 301), std::string(300, static_cast<char>('a' + line[8] - '0')) + " ") << line;
  }
  EXPECT_EQ(written.size(), 8u * 200);
}

#ifndef _WIN32
// A FIFO that nobody reads does not hold the program at its first message:
// the message goes to standard error instead.
TEST_F(PelMessageTest, FifoWithoutAReaderIsNotWaitedOn) {
  const std::string fifo = folder_ / "messages.fifo";
  ASSERT_EQ(0, mkfifo(fifo.c_str(), 0600));
  setEnvironment("PEL_MESSAGE_FILE", fifo.c_str());
  testing::internal::CaptureStderr();
  PelMessageSelection::error("S", 1) << "to standard error" << PelEndl;
  EXPECT_NE(std::string::npos, testing::internal::GetCapturedStderr().find(" S:1 to standard error\n"));
}
#endif
