#ifndef TESTS_VEKPEL_FRESHPROCESS_H
#define TESTS_VEKPEL_FRESHPROCESS_H

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

// The library keeps its parameter source, caches and settings for the life
// of the process. Each scenario runs in a forked child of a test process
// that never touches them, so it meets the library as a new process does.
// The child prints its own failures; its exit status carries them here.
inline void inFreshProcess(const std::function<void()>& scenario) {
  std::fflush(nullptr);
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    scenario();
    std::fflush(nullptr);
    ::_exit(::testing::Test::HasFailure() ? 1 : 0);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the scenario failed in its process";
}

// A registry file in a fresh temporary folder, named by PEL_REGISTRY while
// the object lives.
class TempRegistry {
 public:
  explicit TempRegistry(const std::string& contents = "") {
    std::string pattern = (std::filesystem::temp_directory_path() / "vekpel-XXXXXX").string();
    folder_ = ::mkdtemp(pattern.data());
    path_ = (folder_ / "registry.reg").string();
    if (!contents.empty()) std::ofstream(path_, std::ios::binary) << contents;
    ::setenv("PEL_REGISTRY", path_.c_str(), 1);
  }
  ~TempRegistry() {
    ::unsetenv("PEL_REGISTRY");
    std::filesystem::remove_all(folder_);
  }

 private:
  std::filesystem::path folder_;
  std::string path_;
};

inline const std::string kVekKey = "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Tarvik\\Fenwick\\NXV5\\GW\\VEK]\n";
inline const char16_t* const kServerKey = u"HKEY_LOCAL_MACHINE\\SOFTWARE\\Tarvik\\Fenwick\\NXV5\\GW";

// A registry with the given value lines below the installed server's key.
inline std::string registryWith(const std::string& values) {
  return "Windows Registry Editor Version 5.00\n\n" + kVekKey + values;
}

#endif
