#include "RunLog.h"

#include <gtest/gtest.h>

#include "FilesTestSupport.h"

namespace {

TEST_F(RunLogTest, AppendsWholeStampedLinesAndShowsTheMessageAfterWriting) {
  const std::string longMessage = std::string(5000, 'x') + "日本語の終わり";
  writeFile(folder / "Kexporter.log", "earlier run\r\n");
  RunLog::open();
  RunLog::write(kTagFailure, "データベースの初期化が失敗しました。", true);
  RunLog::write(kTagFailure, "", false);
  RunLog::write(kTagSuccess, longMessage, false);
  RunLog::close();
  RunLog::write(kTagSuccess, "after close", true);

  EXPECT_EQ(logText(folder / "Kexporter.log"),
            "earlier run\r\nT ,【Failure】, データベースの初期化が失敗しました。\r\nT ,【Failure】, \r\n"
            "T ,【Success】, " + longMessage + "\r\n");
  EXPECT_EQ(screen.warnings, std::vector<std::string>{"データベースの初期化が失敗しました。"});
}

}  // namespace
