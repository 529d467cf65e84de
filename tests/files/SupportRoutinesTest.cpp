#include "SupportRoutines.h"

#include <gtest/gtest.h>

#include <filesystem>

TEST(SupportRoutinesTest, ProgramFolderIsTheExecutablesFolderWithItsSeparator) {
  std::string folder = programFolder();
  std::string executable = std::filesystem::read_symlink("/proc/self/exe").string();
  ASSERT_FALSE(folder.empty());
  EXPECT_EQ(folder.back(), '/');
  EXPECT_EQ(executable.rfind(folder, 0), 0u);
  EXPECT_EQ(executable.find('/', folder.size()), std::string::npos);
}
