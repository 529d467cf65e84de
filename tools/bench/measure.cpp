// kexporter-bench-measure: runs one command and prints
//   <wall seconds> <peak resident KiB> <exit status>
// on one line, so that the benchmark needs no /usr/bin/time. With
// --stdout FILE the command's standard output goes to FILE.
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstring>

namespace {

int usage() {
  std::fprintf(stderr, "usage: kexporter-bench-measure [--stdout FILE] -- COMMAND [ARG...]\n");
  return 2;
}

// The child: standard output redirected when asked, then the command.
[[noreturn]] void runChild(const char* outPath, char** command) {
  if (outPath != nullptr) {
    int out = ::open(outPath, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (out < 0 || dup2(out, STDOUT_FILENO) < 0) _exit(126);
  }
  execvp(command[0], command);
  std::perror(command[0]);
  _exit(127);
}

}  // namespace

int main(int argc, char** argv) {
  const char* outPath = nullptr;
  int i = 1;
  if (i + 1 < argc && std::strcmp(argv[i], "--stdout") == 0) {
    outPath = argv[i + 1];
    i += 2;
  }
  if (i >= argc || std::strcmp(argv[i], "--") != 0 || i + 1 >= argc) return usage();
  char** command = argv + i + 1;

  const auto start = std::chrono::steady_clock::now();
  const pid_t pid = fork();
  if (pid < 0) {
    std::perror("fork");
    return 1;
  }
  if (pid == 0) runChild(outPath, command);
  int status = 0;
  rusage usage{};
  if (wait4(pid, &status, 0, &usage) < 0) {
    std::perror("wait4");
    return 1;
  }
  const std::chrono::duration<double> wall = std::chrono::steady_clock::now() - start;
  const int exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  // ru_maxrss is in KiB on Linux.
  std::printf("%.3f %ld %d\n", wall.count(), usage.ru_maxrss, exitStatus);
  return 0;
}
