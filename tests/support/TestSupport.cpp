#include "TestSupport.h"

#include <gtest/gtest.h>
#include <iconv.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace fs = std::filesystem;

TempFolder::TempFolder() {
  std::string pattern = (fs::temp_directory_path() / "kexporter-test-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  path_ = pattern;
}

TempFolder::~TempFolder() {
  // Tests take write and search bits away; give them back so that all goes.
  std::error_code ignored;
  fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ignored);
  for (auto it = fs::recursive_directory_iterator(path_, ignored);
       it != fs::recursive_directory_iterator(); it.increment(ignored)) {
    if (it->is_directory(ignored) && !it->is_symlink(ignored)) {
      fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ignored);
    }
  }
  fs::remove_all(path_, ignored);
}

std::string readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

void writeFile(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

bool runInChildProcess(const std::function<void()>& scenario) {
  std::fflush(nullptr);
  const pid_t child = fork();
  if (child < 0) return false;
  if (child == 0) {
    scenario();
    std::fflush(nullptr);
    _exit(testing::Test::HasFailure() ? 1 : 0);
  }
  int status = 0;
  return waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

ScopedEnvironment::ScopedEnvironment(const char* name, const char* value) : name_(name) {
  if (const char* before = std::getenv(name)) before_ = before;
  if (value) setenv(name, value, 1);
  else unsetenv(name);
}

ScopedEnvironment::~ScopedEnvironment() {
  if (before_) setenv(name_.c_str(), before_->c_str(), 1);
  else unsetenv(name_.c_str());
}

ScopedWorkingFolder::ScopedWorkingFolder(const std::string& folder) : before_(fs::current_path()) {
  fs::current_path(folder);
}

ScopedWorkingFolder::~ScopedWorkingFolder() {
  std::error_code ignored;  // the folder before may be gone; nothing better to go to
  fs::current_path(before_, ignored);
}

namespace {

std::string convert(const std::string& text, const char* to, const char* from) {
  iconv_t cd = iconv_open(to, from);
  std::string out(text.size() * 4 + 4, '\0');
  char* in = const_cast<char*>(text.data());
  char* o = out.data();
  size_t inLeft = text.size(), outLeft = out.size();
  const bool converted = iconv(cd, &in, &inLeft, &o, &outLeft) != static_cast<size_t>(-1);
  iconv_close(cd);
  if (!converted) throw std::runtime_error("test text does not convert: " + text);
  out.resize(out.size() - outLeft);
  return out;
}

}  // namespace

std::string cp932(const std::string& utf8) { return convert(utf8, "CP932", "UTF-8"); }
std::string fromCp932(const std::string& bytes) { return convert(bytes, "UTF-8", "CP932"); }
