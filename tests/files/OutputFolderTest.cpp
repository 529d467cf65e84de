#include "OutputFolder.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "Cp932Text.h"
#include "OpenOutputFolder.h"
#include "TestSupport.h"

namespace fs = std::filesystem;

namespace {

// Each check with the case that fails it, in their order (the first failure
// wins), and a folder that passes them all.
TEST(OutputFolderTest, ChecksTheFolderInTheirOrder) {
  TempFolder folder;
  const auto at = [&folder](const std::string& name) { return folder.path() + kPathSeparator + name; };
  fs::create_directories(at("full/empty-subfolder"));
  fs::create_directories(at("hidden"));
  addHiddenEntry(at("hidden"));
  fs::create_directories(at("empty"));
  writeFile(at("file"), "");
  // 240 CP932 bytes pass the length check, 241 fail it: a Japanese
  // character counts two bytes.
  std::string longest = at("");
  while (cp932Length(longest) + 2 <= 240) longest += "日";
  if (cp932Length(longest) < 240) longest += "a";
  ASSERT_EQ(cp932Length(longest), 240u);

  const std::pair<std::string, const char*> cases[] = {
      {"", kFolderNotGiven},
      {longest + "b", kFolderTooLong},
      {longest, kFolderNotFound},
      {at("missing"), kFolderNotFound},
      {at("file"), kFolderNotFound},
      {readOnlyFolderIn(folder.path()), kFolderNotFound},
      {at("full"), kFolderNotEmpty},
      {at("hidden"), kFolderNotEmpty},
  };
  for (const auto& [text, failure] : cases) EXPECT_EQ(checkOutputFolder(text).failure, failure) << text;

  const std::string sep = kPathSeparator;
  const FolderCheck passed = checkOutputFolder(at("empty") + sep + "." + sep + "x" + sep + ".." + sep);
  EXPECT_TRUE(passed.passed()) << passed.failure;
  EXPECT_EQ(passed.fullPath, at("empty") + sep);
  EXPECT_TRUE(fs::is_empty(at("empty")));  // the probe is gone
  OpenOutputFolder::hold(nullptr);
}

}  // namespace
