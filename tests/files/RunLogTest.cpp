#include "RunLog.h"

#include <gtest/gtest.h>

#include <ctime>
#include <regex>

#include "FilesTestSupport.h"

namespace {

class RunLogTest : public ::testing::Test {
 protected:
  void TearDown() override { RunLog::close(); }

  std::string log() const { return readBytes(folder / "Kexporter.log"); }

  TempFolder folder;
  RecordingFrontend screen;
};

std::string stampOf(std::time_t when) {
  std::tm local{};
  localtime_r(&when, &local);
  char stamp[32];
  std::strftime(stamp, sizeof stamp, "%Y/%m/%d %H:%M:%S", &local);
  return stamp;
}

TEST_F(RunLogTest, AppendsTimeStampedCp932LinesToAnExistingLog) {
  writeBytes(folder / "Kexporter.log", "earlier run\r\n");
  std::time_t before = std::time(nullptr);
  RunLog::open(folder.path());
  RunLog::write(kTagSuccess, "KLX to MPVコンバータ[エクスポータ]を開始しました", false);
  RunLog::write(kTagFailure, "", false);
  RunLog::close();
  std::time_t after = std::time(nullptr);
  RunLog::write(kTagSuccess, "after close", true);

  std::smatch line;
  std::string text = log();
  std::regex format(
      "earlier run\r\n"
      "(\\d{4}/\\d{2}/\\d{2} \\d{2}:\\d{2}:\\d{2}) (.*)\r\n"
      "(\\d{4}/\\d{2}/\\d{2} \\d{2}:\\d{2}:\\d{2}) (.*)\r\n");
  ASSERT_TRUE(std::regex_match(text, line, format)) << text;
  EXPECT_TRUE(line[1] == stampOf(before) || line[1] == stampOf(after));
  EXPECT_EQ(line[2], cp932(",【Success】, KLX to MPVコンバータ[エクスポータ]を開始しました"));
  EXPECT_EQ(line[4], cp932(",【Failure】, "));
  EXPECT_TRUE(screen.warnings.empty());
}

TEST_F(RunLogTest, ShowsTheMessageAfterWritingAndWritesLongLinesWhole) {
  std::string longMessage = std::string(5000, 'x') + "日本語の終わり";
  RunLog::open(folder.path());
  RunLog::write(kTagFailure, "データベースの初期化が失敗しました。", true);
  RunLog::write(kTagSuccess, longMessage, false);

  std::string text = log();
  std::string tail = cp932(" ,【Success】, " + longMessage + "\r\n");
  ASSERT_GT(text.size(), tail.size());
  EXPECT_EQ(text.substr(text.size() - tail.size()), tail);
  EXPECT_EQ(screen.warnings,
            std::vector<std::string>{"データベースの初期化が失敗しました。"});
}

TEST_F(RunLogTest, WarnsOnceWhenTheLogCannotBeOpenedAndDropsLaterLines) {
  RunLog::open(folder / "missing");
  EXPECT_FALSE(RunLog::isOpen());
  RunLog::write(kTagFailure, "not shown", true);
  EXPECT_EQ(screen.warnings,
            std::vector<std::string>{"ログファイル書き込みに失敗しました。"});
}

}  // namespace
