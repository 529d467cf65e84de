#include "RunningProgram.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <thread>

RunningProgram::RunningProgram(const Installation& installation,
                               const std::vector<std::string>& args)
    : installation_(installation) {
  const fs::path root = installation.root();
  const std::string name = installation.program().filename();
  pid_ = ::fork();
  if (pid_ != 0) return;
  ::dup2(::open("/dev/null", O_RDONLY), 0);
  ::dup2(::open((root / "stdout.txt").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600), 1);
  ::dup2(::open((root / "stderr.txt").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600), 2);
  ::setenv("PEL_REGISTRY", (root / "registry.reg").c_str(), 1);
  ::setenv("PEL_MESSAGE_FILE", (root / "messages.log").c_str(), 1);
  ::unsetenv("DISPLAY");
  ::unsetenv("WAYLAND_DISPLAY");
  std::vector<char*> argv{const_cast<char*>(name.c_str())};
  for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
  argv.push_back(nullptr);
  ::execv(installation.program().c_str(), argv.data());
  ::_exit(127);
}

RunningProgram::~RunningProgram() {
  if (status_ >= 0 || pid_ <= 0) return;
  ::kill(pid_, SIGKILL);
  ::waitpid(pid_, nullptr, 0);
}

bool RunningProgram::running() {
  if (status_ >= 0) return false;
  int wait = 0;
  rusage usage{};
  if (::wait4(pid_, &wait, WNOHANG, &usage) == 0) return true;
  status_ = WIFEXITED(wait) ? WEXITSTATUS(wait) : 128 + WTERMSIG(wait);
  peakKibibytes_ = usage.ru_maxrss;
  return false;
}

bool RunningProgram::finish(double seconds) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
  while (running()) {
    if (std::chrono::steady_clock::now() > deadline) {
      ::kill(pid_, SIGKILL);
      ::waitpid(pid_, nullptr, 0);
      status_ = 128 + SIGKILL;
      return false;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return true;
}

std::string RunningProgram::err() const {
  std::ifstream in(installation_.root() / "stderr.txt", std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}
