#include "OutputFolder.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "CsvOutputFile.h"
#include "OpenOutputFolder.h"
#include "RunLog.h"
#include "TestSupport.h"

namespace fs = std::filesystem;

namespace {

TEST(OutputFolderTest, FullPathsAreNormalisedByTheirTextAlone) {
  const std::string longest = "/" + std::string(518, 'a');
  const std::pair<std::string, std::string> cases[] = {
      {"/out/a/../sub/.", "/out/sub"}, {"//out///sub/", "/out/sub/"}, {"/../..", "/"},
      {"./out/", fs::current_path().string() + "/out/"}, {longest, longest}, {longest + "a", ""},
  };
  for (const auto& [text, full] : cases) EXPECT_EQ(fullPathOf(text), full) << text;
}

// A name the probe could take is never touched, nor is a link at the
// folder's name followed.
TEST(OutputFolderTest, TheChecksTouchNoExistingFileNorFollowALink) {
  TempFolder folder;
  TempFolder elsewhere;
  writeFile(folder / "dummy.tmp", "keep me");
  writeFile(elsewhere / "target", "keep me too");
  fs::create_symlink(elsewhere / "target", folder / "dummy-link.tmp");
  EXPECT_EQ(checkOutputFolder(folder.path()).failure, kFolderNotEmpty);
  EXPECT_EQ(checkOutputFolder(folder / "dummy.tmp").failure, kFolderNotFound);
  TempFolder empty;
  fs::create_directory_symlink(empty.path(), elsewhere / "link");
  EXPECT_EQ(checkOutputFolder(elsewhere / "link").failure, kFolderNotFound);
  EXPECT_EQ(checkOutputFolder(elsewhere / "link/").failure, kFolderNotFound);
  EXPECT_EQ(readFile(folder / "dummy.tmp"), "keep me");
  EXPECT_EQ(readFile(elsewhere / "target"), "keep me too");
  EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), fs::directory_iterator()), 2);
}

// A folder with write bits that the process may not write in: root's
// folder as nobody sees it.
TEST(OutputFolderTest, AFolderThisUserMayNotWriteIsNotWritable) {
  if (geteuid() != 0) GTEST_SKIP() << "needs root to switch to nobody";
  TempFolder folder;
  fs::permissions(folder.path(), fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                                     fs::perms::others_read | fs::perms::others_exec);
  EXPECT_TRUE(runInChildProcess([&] {
    ASSERT_EQ(setuid(65534), 0);
    EXPECT_EQ(checkOutputFolder(folder.path()).failure, kFolderNotWritable);
  }));
}

// The folder checked is the folder written into: a parent swapped for a
// link to another folder after the check changes where neither the log nor
// a CSV file goes.
TEST(OutputFolderTest, TheCheckedFolderIsTheOneWrittenInto) {
  TempFolder root;
  fs::create_directories(root / "parent/out");
  fs::create_directories(root / "other/out");
  writeFile(root / "other/out/keep.txt", "keep");
  const FolderCheck check = checkOutputFolder(root / "parent/out");
  ASSERT_TRUE(check.passed()) << check.failure;
  fs::rename(root / "parent", root / "moved");
  fs::create_directory_symlink(root / "other", root / "parent");

  RunLog::open();
  CsvOutputFile tsis(0);
  tsis.open("tsi");
  tsis.writeRow({"t"});
  EXPECT_EQ(tsis.close(), 0);
  RunLog::close();
  EXPECT_TRUE(fs::exists(root / "moved/out/Kexporter.log"));
  EXPECT_EQ(readFile(root / "moved/out/tsi_1.csv"), "NAME,SENDER,DGUID\r\nt\r\n");
  EXPECT_EQ((std::vector<std::string>{"keep.txt"}), [&] {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(root / "other/out")) names.push_back(entry.path().filename());
    return names;
  }());
  OpenOutputFolder::hold(nullptr);
}

}  // namespace
