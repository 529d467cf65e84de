#include "OutputFolder.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "TestSupport.h"

namespace fs = std::filesystem;

namespace {

TEST(OutputFolderTest, FullPathsAreNormalisedByTheirText) {
  const std::string current = fs::current_path().string();
  const std::string longest = "/" + std::string(518, 'a');
  const std::pair<std::string, std::string> cases[] = {
      {"/out/./sub", "/out/sub"},     {"/out/a/../sub/.", "/out/sub"}, {"//out///sub/", "/out/sub/"},
      {"/", "/"},                     {"/../..", "/"},                 {"out", current + "/out"},
      {"./out/", current + "/out/"},  {longest, longest},              {longest + "a", ""},
  };
  for (const auto& [text, full] : cases) EXPECT_EQ(fullPathOf(text), full) << text;

  // A symbolic link is not followed: ".." leaves the link's own folder.
  TempFolder folder;
  fs::create_directories(folder / "real/inner");
  fs::create_directory_symlink(folder / "real/inner", folder / "link");
  EXPECT_EQ(fullPathOf(folder / "link/.."), folder.path());
}

TEST(OutputFolderTest, ChecksGiveTheFirstFailureAndTheFullPath) {
  TempFolder folder;
  fs::create_directories(folder / "parent/child");
  fs::create_directory(folder / "empty");
  writeFile(folder / "file", "");
  // Cases the terminal and dialog tests do not reach.
  EXPECT_EQ(checkOutputFolder(folder / "file").failure, kFolderNotFound);
  EXPECT_EQ(checkOutputFolder(folder / "parent").failure, kFolderNotEmpty);
  EXPECT_EQ(checkOutputFolder("/" + std::string(600, 'a')).failure, kFolderNotFound);

  FolderCheck passed = checkOutputFolder(folder / "parent/./child/../../empty");
  EXPECT_TRUE(passed.passed()) << passed.failure;
  EXPECT_EQ(passed.fullPath, folder / "empty");
  EXPECT_TRUE(fs::is_empty(folder / "empty"));  // the probe is gone
}

TEST(OutputFolderTest, TheWriteProbeNeverTouchesAnExistingFile) {
  TempFolder folder;
  TempFolder elsewhere;
  writeFile(folder / "dummy.tmp", "keep me");
  writeFile(elsewhere / "target", "keep me too");
  fs::create_symlink(elsewhere / "target", folder / "dummy-link.tmp");
  struct stat before {};
  stat((folder / "dummy.tmp").c_str(), &before);

  EXPECT_EQ(checkOutputFolder(folder.path()).failure, kFolderNotEmpty);

  struct stat after {};
  stat((folder / "dummy.tmp").c_str(), &after);
  EXPECT_EQ(readFile(folder / "dummy.tmp"), "keep me");
  EXPECT_EQ(after.st_mtim.tv_nsec, before.st_mtim.tv_nsec);
  EXPECT_EQ(readFile(elsewhere / "target"), "keep me too");
  EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), fs::directory_iterator()), 2);
}

}  // namespace
