#include "RunLog.h"

#include <gtest/gtest.h>

#include <ctime>

#include "FilesTestSupport.h"

namespace {

class RunLogTest : public ::testing::Test {
 protected:
  void TearDown() override { RunLog::close(); }

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
  writeFile(folder / "Kexporter.log", "earlier run\r\n");
  const std::string before = stampOf(std::time(nullptr));
  RunLog::open(folder.path());
  RunLog::write(kTagSuccess, "KLX to MPVコンバータ[エクスポータ]を開始しました", false);
  RunLog::write(kTagFailure, "", false);
  RunLog::close();
  const std::string after = stampOf(std::time(nullptr));
  RunLog::write(kTagSuccess, "after close", true);

  EXPECT_EQ(logLines(folder / "Kexporter.log"),
            (std::vector<std::string>{"UNSTAMPED: earlier run",
                                      ",【Success】, KLX to MPVコンバータ[エクスポータ]を開始しました",
                                      ",【Failure】, "}));
  const std::string stamp = readFile(folder / "Kexporter.log").substr(13, 19);
  EXPECT_TRUE(stamp == before || stamp == after) << stamp;
  EXPECT_TRUE(screen.warnings.empty());
}

TEST_F(RunLogTest, ShowsTheMessageAfterWritingAndWritesLongLinesWhole) {
  const std::string longMessage = std::string(5000, 'x') + "日本語の終わり";
  RunLog::open(folder.path());
  RunLog::write(kTagFailure, "データベースの初期化が失敗しました。", true);
  RunLog::write(kTagSuccess, longMessage, false);

  EXPECT_EQ(logLines(folder / "Kexporter.log"),
            (std::vector<std::string>{",【Failure】, データベースの初期化が失敗しました。",
                                      ",【Success】, " + longMessage}));
  EXPECT_EQ(screen.warnings, std::vector<std::string>{"データベースの初期化が失敗しました。"});
}

TEST_F(RunLogTest, WarnsOnceWhenTheLogCannotBeOpenedAndDropsLaterLines) {
  RunLog::open(folder / "missing");
  EXPECT_FALSE(RunLog::isOpen());
  RunLog::write(kTagFailure, "not shown", true);
  EXPECT_EQ(screen.warnings, std::vector<std::string>{"ログファイル書き込みに失敗しました。"});
}

}  // namespace
