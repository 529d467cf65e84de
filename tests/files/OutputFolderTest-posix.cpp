#include "OutputFolder.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "OpenOutputFolder.h"
#include "RunLog.h"
#include "TestSupport.h"

namespace fs = std::filesystem;

namespace {

// The check messages are compared by the end-to-end and dialog tests; here
// the paths they do not reach.
TEST(OutputFolderTest, FullPathsAreNormalisedByTheirTextAlone) {
  const std::string longest = "/" + std::string(518, 'a');
  const std::pair<std::string, std::string> cases[] = {
      {"/out/a/../sub/.", "/out/sub"}, {"//out///sub/", "/out/sub/"}, {"/../..", "/"},
      {"./out/", fs::current_path().string() + "/out/"}, {longest, longest}, {longest + "a", ""},
  };
  for (const auto& [text, full] : cases) EXPECT_EQ(fullPathOf(text), full) << text;
}

TEST(OutputFolderTest, TheWriteProbeNeverTouchesAnExistingFile) {
  TempFolder folder;
  TempFolder elsewhere;
  writeFile(folder / "dummy.tmp", "keep me");
  writeFile(elsewhere / "target", "keep me too");
  fs::create_symlink(elsewhere / "target", folder / "dummy-link.tmp");

  EXPECT_EQ(checkOutputFolder(folder.path()).failure, kFolderNotEmpty);
  EXPECT_EQ(checkOutputFolder(folder / "dummy.tmp").failure, kFolderNotFound);
  // The export would not follow a link at the folder's name.
  TempFolder empty;
  fs::create_directory_symlink(empty.path(), elsewhere / "link");
  EXPECT_EQ(checkOutputFolder(elsewhere / "link").failure, kFolderNotFound);
  EXPECT_EQ(checkOutputFolder(elsewhere / "link/").failure, kFolderNotFound);
  EXPECT_EQ(readFile(folder / "dummy.tmp"), "keep me");
  EXPECT_EQ(readFile(elsewhere / "target"), "keep me too");
  EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), fs::directory_iterator()), 2);

  fs::remove(folder / "dummy.tmp");
  fs::remove(folder / "dummy-link.tmp");
  const FolderCheck passed = checkOutputFolder(folder / "./x/../");
  EXPECT_TRUE(passed.passed()) << passed.failure;
  EXPECT_EQ(passed.fullPath, folder.path() + "/");
  EXPECT_TRUE(fs::is_empty(folder.path()));  // the probe is gone
}

// The folder checked is the folder written into: a parent swapped for a
// link to another installation's folder after the check changes nothing.
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
  RunLog::close();
  EXPECT_TRUE(fs::exists(root / "moved/out/Kexporter.log"));
  EXPECT_EQ((std::vector<std::string>{"keep.txt"}), [&] {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(root / "other/out")) names.push_back(entry.path().filename());
    return names;
  }());
  OpenOutputFolder::hold(nullptr);
}

}  // namespace
