#include <fcntl.h>
#include <gtest/gtest.h>
#include <iconv.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <stdexcept>

#include "TestSupport.h"

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

int makeDemoInstallation(const std::string& options) {
  const int status = std::system((KEXPORTER_DEMO_PROGRAM " " + options + " >/dev/null 2>&1").c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

namespace {

std::string convert(const std::string& text, const char* to, const char* from) {
  iconv_t cd = iconv_open(to, from);
  std::string out(text.size() * 4 + 4, '\0');
  char *in = const_cast<char*>(text.data()), *o = out.data();
  size_t inLeft = text.size(), outLeft = out.size();
  const bool converted = iconv(cd, &in, &inLeft, &o, &outLeft) != static_cast<size_t>(-1);
  iconv_close(cd);
  if (!converted) throw std::runtime_error("test text does not convert: " + text);
  out.resize(out.size() - outLeft);
  return out;
}

}  // namespace

std::string readOnlyFolderIn(const std::string& parent) {
  const std::string folder = parent + "/read-only";
  std::filesystem::create_directory(folder);
  std::filesystem::permissions(folder, std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
  return folder;
}

void addHiddenEntry(const std::string& folder) { writeFile(folder + "/.keep", ""); }

bool plantSymbolicLink(const std::string& target, const std::string& link) {
  return symlink(target.c_str(), link.c_str()) == 0;
}

bool underWine() { return false; }

bool makeFifo(const std::string& path, bool withReader) {
  if (mkfifo(path.c_str(), 0600) != 0) return false;
  return !withReader || open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC) >= 0;
}

std::string cp932(const std::string& utf8) { return convert(utf8, "CP932", "UTF-8"); }
std::string fromCp932(const std::string& bytes) { return convert(bytes, "UTF-8", "CP932"); }

void setEnvironment(const std::string& name, const char* value) {
  value ? setenv(name.c_str(), value, 1) : unsetenv(name.c_str());
}
