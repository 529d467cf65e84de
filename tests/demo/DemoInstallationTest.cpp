#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "TestSupport.h"

namespace fs = std::filesystem;

namespace {

class DemoInstallationTest : public ::testing::Test {
 protected:
  int run(const std::string& options) { return makeDemoInstallation(options); }
  std::string dir(const std::string& name) { return root_ / name; }
  fs::path current(const std::string& name) { return dir(name) + "/nxv5/data/ud_gwAddress.db"; }
  fs::path older(const std::string& name) { return dir(name) + "/nxv4/data/ud_gwAddress.db"; }

  TempFolder root_;
};

// The data and the Linux registry go through whole exports in the tests
// that use them; here that they are the same every time, and that the
// Windows registry names the same folders as Wine shows them.
TEST_F(DemoInstallationTest, DefaultDataAreTheSameEveryTimeForBothBuilds) {
  ASSERT_EQ(run("--dir " + dir("a")), 0);
  ASSERT_EQ(run("--dir " + dir("d")), 0);
  EXPECT_EQ(readFile(current("a")), readFile(current("d")));
  EXPECT_EQ(readFile(older("a")), readFile(older("d")));
  // For the Windows build under Wine: the same folders through drive Z:,
  // backslashes escaped as regedit writes them.
  ASSERT_EQ(run("--windows --dir " + dir("w")), 0);
  std::string windowsFolder = "Z:";
  for (char c : dir("w")) windowsFolder += c == '/' ? std::string("\\\\") : std::string(1, c);
  const std::string registry = readFile(dir("w") + "/registry.reg");
  for (const char* generation : {"nxv4", "nxv5"}) {
    const std::string line = "\"VekPath\"=\"" + windowsFolder + "\\\\" + generation + "\"\n";
    EXPECT_NE(registry.find(line), std::string::npos) << line << " not in " << registry;
  }
  EXPECT_EQ(readFile(current("w")), readFile(current("d")));
}

// Bad options and a folder that holds files of someone else's change nothing
// but with --force, which keeps what is not the generator's.
TEST_F(DemoInstallationTest, NonEmptyFolderNeedsForce) {
  ASSERT_EQ(run("--dir " + dir("d")), 0);
  fs::create_directories(dir("full") + "/nxv5/data");
  writeFile(dir("full") + "/keep.txt", "mine");
  writeFile(dir("full") + "/nxv5/data/ud_gwAddress.db-journal", "stale");
  EXPECT_EQ(run("--dir " + dir("full")), 1);
  EXPECT_FALSE(fs::exists(dir("full") + "/registry.reg"));

  for (const char* bad : {" --accounts 5 --groups 6", " --groups 5 --members 4", " --accounts -1"}) {
    EXPECT_EQ(run("--dir " + dir("full") + bad), 2) << bad;
  }
  EXPECT_EQ(run("--accounts 10"), 2);
  EXPECT_FALSE(fs::exists(dir("full") + "/registry.reg"));

  ASSERT_EQ(run("--dir " + dir("full") + " --force"), 0);
  EXPECT_EQ(readFile(dir("full") + "/keep.txt"), "mine");
  EXPECT_FALSE(fs::exists(dir("full") + "/nxv5/data/ud_gwAddress.db-journal"));
  EXPECT_EQ(readFile(current("full")), readFile(current("d")));
}

}  // namespace
