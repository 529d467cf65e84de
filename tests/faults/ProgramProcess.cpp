#include "ProgramProcess.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <sstream>
#include <thread>

namespace {

const char* const kInFile = "faults-stdin.txt";
const char* const kOutFile = "faults-stdout.txt";
const char* const kErrFile = "faults-stderr.txt";

std::string readAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// What the child needs, made before fork: between fork and exec only
// async-signal-safe calls may run, so nothing is allocated there.
struct ChildSetUp {
  std::string program, in, out, err;
  std::vector<std::string> args;
  std::vector<char*> argv;
  rlim_t fileSizeLimit;
  int closedPipe;  // the writing end of a pipe without reader, or -1
};

[[noreturn]] void execProgram(ChildSetUp& child) {
  const int out = child.closedPipe >= 0 ? child.closedPipe : open(child.out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  const int err = child.closedPipe >= 0 ? child.closedPipe : open(child.err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  dup2(open(child.in.c_str(), O_RDONLY), 0);
  dup2(out, 1);
  dup2(err, 2);
  if (child.fileSizeLimit != RLIM_INFINITY) {
    rlimit limit{child.fileSizeLimit, child.fileSizeLimit};
    setrlimit(RLIMIT_FSIZE, &limit);
  }
  execv(child.program.c_str(), child.argv.data());
  _exit(127);
}

}  // namespace

const std::vector<std::string> ProgramProcess::kCaptureFiles = {kInFile, kOutFile, kErrFile};

ProgramProcess::ProgramProcess(const Installation& installation, const LaunchOptions& options)
    : installation_(installation) {
  const fs::path root = installation.root();
  std::ofstream(root / kInFile, std::ios::binary) << options.input;
  ChildSetUp child{installation.program().string(), (root / kInFile).string(),
                   (root / kOutFile).string(), (root / kErrFile).string(), options.args,
                   {}, options.fileSizeLimit, -1};
  if (child.args.empty())
    child.args = {"--console", "--yes", "--output", installation.outputFolder().string()};
  child.args.insert(child.args.begin(), installation.program().filename().string());
  for (std::string& arg : child.args) child.argv.push_back(arg.data());
  child.argv.push_back(nullptr);
  // The environment is set up here, before fork, where allocating is safe.
  setenv("PEL_REGISTRY", (root / "registry.reg").c_str(), 1);
  setenv("PEL_MESSAGE_FILE", (root / "messages.log").c_str(), 1);
  unsetenv("PEL_MESSAGE_LEVEL");
  for (const auto& [name, value] : options.env) setenv(name.c_str(), value.c_str(), 1);
  unsetenv("DISPLAY");
  unsetenv("WAYLAND_DISPLAY");
  int pipeEnds[2] = {-1, -1};
  if (options.outputToClosedPipe && pipe2(pipeEnds, O_CLOEXEC) == 0) close(pipeEnds[0]);
  child.closedPipe = pipeEnds[1];
  start_ = std::chrono::steady_clock::now();
  pid_ = fork();
  if (pid_ == 0) execProgram(child);
  if (pipeEnds[1] >= 0) close(pipeEnds[1]);
  unsetenv("PEL_MESSAGE_LEVEL");
}

ProgramProcess::~ProgramProcess() {
  if (pid_ <= 0) return;
  kill(pid_, SIGKILL);
  waitpid(pid_, nullptr, 0);
}

ProgramRun ProgramProcess::wait(std::chrono::milliseconds limit) {
  if (pid_ <= 0) return run_;
  const auto deadline = std::chrono::steady_clock::now() + limit;
  int status = 0;
  rusage usage{};
  pid_t done = 0;
  while ((done = wait4(pid_, &status, WNOHANG, &usage)) == 0 &&
         std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  elapsed_ = std::chrono::duration_cast<std::chrono::milliseconds>(
      std::chrono::steady_clock::now() - start_);
  ProgramRun run;
  if (done == pid_) {
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    peakKib_ = usage.ru_maxrss;
  } else {
    kill(pid_, SIGKILL);
    waitpid(pid_, nullptr, 0);
    run.status = -1;
  }
  pid_ = -1;
  run.out = readAll(installation_.root() / kOutFile);
  run.err = readAll(installation_.root() / kErrFile);
  run_ = run;
  return run;
}

void ProgramProcess::signal(int sig) const { kill(pid_, sig); }

bool ProgramProcess::running() const {
  if (pid_ <= 0) return false;
  siginfo_t info{};
  if (waitid(P_PID, pid_, &info, WEXITED | WNOHANG | WNOWAIT) != 0) return false;
  return info.si_pid == 0;
}
