#include "OutputFolder.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "Cp932Text.h"
#include "FilesTestSupport.h"

namespace fs = std::filesystem;

namespace {

// Runs the checks with the current folder set to folder.
FolderCheck checkFrom(const std::string& folder, const std::string& text) {
  std::string previous = fs::current_path().string();
  fs::current_path(folder);
  FolderCheck check = checkOutputFolder(text);
  fs::current_path(previous);
  return check;
}

// A folder path below base whose full path has exactly bytes CP932 bytes,
// made of Japanese names (2 bytes each, 3 in UTF-8) and one half-width
// katakana (1 byte in CP932, 3 in UTF-8).
std::string japanesePathOf(const std::string& base, std::size_t bytes) {
  std::string path = base + "/ｶ";
  std::size_t name = 0;
  while (cp932Length(path) + 2 <= bytes) {
    // Linux allows 255 UTF-8 bytes per name: start a new one every 60.
    path += (name++ % 60 == 0) ? "/" : "日";
  }
  if (cp932Length(path) < bytes) path += "x";
  return path;
}

TEST(OutputFolderTest, FullPathsAreNormalisedByTheirText) {
  std::string current = fs::current_path().string();
  EXPECT_EQ(fullPathOf("/out/./sub"), "/out/sub");
  EXPECT_EQ(fullPathOf("/out/a/../sub/."), "/out/sub");
  EXPECT_EQ(fullPathOf("//out///sub/"), "/out/sub/");
  EXPECT_EQ(fullPathOf("/"), "/");
  EXPECT_EQ(fullPathOf("/../.."), "/");
  EXPECT_EQ(fullPathOf("out"), current + "/out");
  EXPECT_EQ(fullPathOf("./out/"), current + "/out/");
  EXPECT_EQ(fullPathOf("/" + std::string(519, 'a')), "");
  EXPECT_EQ(fullPathOf("/" + std::string(518, 'a')), "/" + std::string(518, 'a'));

  // A symbolic link is not followed: ".." leaves the link's own folder.
  TempFolder folder;
  fs::create_directory(folder / "real");
  fs::create_directory(folder / "real/inner");
  fs::create_directory_symlink(folder / "real/inner", folder / "link");
  EXPECT_EQ(fullPathOf(folder / "link/.."), folder.path());
}

TEST(OutputFolderTest, ChecksRunInOrderWithTheirMessages) {
  TempFolder folder;
  fs::create_directory(folder / "empty");
  fs::create_directory(folder / "hidden");
  writeBytes(folder / "hidden/.profile", "");
  fs::create_directory(folder / "parent");
  fs::create_directory(folder / "parent/child");
  fs::create_directory(folder / "readonly");
  chmod((folder / "readonly").c_str(), 0555);
  writeBytes(folder / "file", "");

  EXPECT_EQ(checkOutputFolder("").failure, kFolderNotGiven);
  EXPECT_EQ(checkOutputFolder(folder / "missing").failure, kFolderNotFound);
  EXPECT_EQ(checkOutputFolder(folder / "file").failure, kFolderNotFound);
  // Also as root, whose write probe would succeed there.
  EXPECT_EQ(checkOutputFolder(folder / "readonly").failure, kFolderNotFound);
  EXPECT_EQ(checkOutputFolder(folder / "hidden").failure, kFolderNotEmpty);
  EXPECT_EQ(checkOutputFolder(folder / "parent").failure, kFolderNotEmpty);
  EXPECT_EQ(checkOutputFolder("/" + std::string(600, 'a')).failure, kFolderNotFound);

  FolderCheck passed = checkOutputFolder(folder / "parent/./child/../../empty");
  EXPECT_TRUE(passed.passed()) << passed.failure;
  EXPECT_EQ(passed.fullPath, folder / "empty");
  EXPECT_TRUE(fs::is_empty(folder / "empty"));  // the probe is gone

  FolderCheck relative = checkFrom(folder.path(), "empty/");
  EXPECT_TRUE(relative.passed()) << relative.failure;
  EXPECT_EQ(relative.fullPath, folder / "empty/");
  EXPECT_EQ(checkFrom(folder / "empty", "..").failure, kFolderNotEmpty);
}

TEST(OutputFolderTest, PathLengthIsCountedInCp932Bytes) {
  TempFolder folder;
  std::string fits = japanesePathOf(folder.path(), 240);
  std::string over = japanesePathOf(folder.path(), 241);
  fs::create_directories(fits);
  fs::create_directories(over);
  ASSERT_GT(fits.size(), 300u);  // in UTF-8 far longer

  FolderCheck check = checkOutputFolder(fits);
  EXPECT_TRUE(check.passed()) << check.failure;
  EXPECT_EQ(check.fullPath, fits);
  check = checkOutputFolder(over);
  EXPECT_EQ(check.failure, kFolderTooLong);
  EXPECT_EQ(check.fullPath, over);
}

TEST(OutputFolderTest, TheWriteProbeNeverTouchesAnExistingFile) {
  TempFolder folder;
  TempFolder elsewhere;
  writeBytes(folder / "dummy.tmp", "keep me");
  writeBytes(elsewhere / "target", "keep me too");
  fs::create_symlink(elsewhere / "target", folder / "dummy-link.tmp");
  struct stat before {};
  stat((folder / "dummy.tmp").c_str(), &before);

  EXPECT_EQ(checkOutputFolder(folder.path()).failure, kFolderNotEmpty);

  struct stat after {};
  stat((folder / "dummy.tmp").c_str(), &after);
  EXPECT_EQ(readBytes(folder / "dummy.tmp"), "keep me");
  EXPECT_EQ(after.st_mtim.tv_nsec, before.st_mtim.tv_nsec);
  EXPECT_EQ(readBytes(elsewhere / "target"), "keep me too");
  EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), fs::directory_iterator()), 2);
}

}  // namespace
