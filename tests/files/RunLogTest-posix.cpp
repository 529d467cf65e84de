#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <functional>

#include "FilesTestSupport.h"
#include "RunLog.h"

namespace fs = std::filesystem;

namespace {

// Whatever is planted at the log's name, the log neither leaves the folder
// nor waits: one warning, later lines dropped.
TEST_F(RunLogTest, WarnsOnceWhenTheLogCannotBeOpenedAndDropsLaterLines) {
  TempFolder elsewhere;
  writeFile(elsewhere / "target", "target content");
  const std::string log = folder / "Kexporter.log";
  int reader = -1;
  const std::pair<const char*, std::function<void()>> cases[] = {
      {"no folder", [&] { output.hold(folder / "missing"); }},
      {"link", [&] { fs::create_symlink(elsewhere / "target", log); }},
      {"dangling link", [&] { fs::create_symlink(elsewhere / "new", log); }},
      {"FIFO", [&] { mkfifo(log.c_str(), 0600); }},
      {"FIFO being read", [&] {
         mkfifo(log.c_str(), 0600);
         reader = open(log.c_str(), O_RDONLY | O_NONBLOCK);
       }},
      {"folder", [&] { fs::create_directory(log); }},
  };
  for (const auto& [what, plant] : cases) {
    SCOPED_TRACE(what);
    output.hold(folder.path());
    fs::remove_all(log);
    screen.warnings.clear();
    plant();
    RunLog::open();
    EXPECT_FALSE(RunLog::isOpen());
    RunLog::write(kTagFailure, "not shown", true);
    EXPECT_EQ(screen.warnings, std::vector<std::string>{"ログファイル書き込みに失敗しました。"});
  }
  char byte;
  EXPECT_LE(read(reader, &byte, 1), 0);  // nothing was written to the FIFO
  close(reader);
  EXPECT_EQ(readFile(elsewhere / "target"), "target content");
  EXPECT_FALSE(fs::exists(elsewhere / "new"));
}

}  // namespace
