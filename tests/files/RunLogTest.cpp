#include "RunLog.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "FilesTestSupport.h"

namespace fs = std::filesystem;

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

  EXPECT_EQ(runLogLines(readFile(folder / "Kexporter.log")),
            (std::vector<std::string>{"UNSTAMPED: earlier run", ",【Failure】, データベースの初期化が失敗しました。",
                                      ",【Failure】, ", ",【Success】, " + longMessage}));
  EXPECT_EQ(screen.warnings, std::vector<std::string>{"データベースの初期化が失敗しました。"});
}

// Whatever is planted at the log's name, the log neither leaves the folder
// nor waits: one warning, later lines dropped.
TEST_F(RunLogTest, WarnsOnceWhenTheLogCannotBeOpenedAndDropsLaterLines) {
  TempFolder elsewhere;
  const std::string target = elsewhere.path() + kPathSeparator + "target";
  const std::string missing = elsewhere.path() + kPathSeparator + "new";
  writeFile(target, "target content");
  // What each case plants at the log's name in `log`; false where it cannot
  // be made on this platform or by this user.
  const std::pair<const char*, std::function<bool(const std::string& log)>> cases[] = {
      {"no folder", [&](const std::string&) { return true; }},
      {"folder", [](const std::string& log) { return fs::create_directory(log); }},
      {"link", [&](const std::string& log) { return plantSymbolicLink(target, log); }},
      {"dangling link", [&](const std::string& log) { return plantSymbolicLink(missing, log); }},
      {"FIFO", [](const std::string& log) { return makeFifo(log); }},
      {"FIFO being read", [](const std::string& log) { return makeFifo(log, true); }},
  };
  int number = 0;
  for (const auto& [what, plant] : cases) {
    SCOPED_TRACE(what);
    // A folder of each case's own: nothing planted is removed again.
    const std::string held = folder.path() + kPathSeparator + "case" + std::to_string(++number);
    if (std::string(what) != "no folder") fs::create_directory(held);
    output.hold(held);
    screen.warnings.clear();
    if (!plant(held + kPathSeparator + "Kexporter.log")) continue;
    RunLog::open();
    EXPECT_FALSE(RunLog::isOpen());
    RunLog::write(kTagFailure, "not shown", true);
    EXPECT_EQ(screen.warnings, std::vector<std::string>{"ログファイル書き込みに失敗しました。"});
  }
  EXPECT_EQ(readFile(target), "target content");
  // Wine makes the file a dangling Unix link names before the program can
  // tell what it opened; Windows opens the link itself, as POSIX refuses it.
  if (!underWine()) {
    EXPECT_FALSE(fs::exists(missing));
  }
}

}  // namespace
