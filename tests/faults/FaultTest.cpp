#include "FaultTest.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>

constexpr int kPage = 4096;  // the gate FIFO's size

FaultTest::FaultTest()
    : installation("Kexporterrun-f-" + std::string(testing::UnitTest::GetInstance()->current_test_info()->name())) {}

FaultTest::~FaultTest() {
  if (pid_ <= 0) return;
  kill(pid_, SIGKILL);
  waitpid(pid_, nullptr, 0);
}

std::map<std::string, std::string> FaultTest::untouchedPart() const {
  static const std::set<std::string> written = {"out",        "stdout.txt",   "stderr.txt",
                                                "stdin.txt",  "messages.log", "messages.fifo"};
  std::map<std::string, std::string> entries;
  const fs::path& root = installation.root();
  for (auto it = fs::recursive_directory_iterator(root); it != fs::recursive_directory_iterator(); ++it) {
    const std::string name = it->path().lexically_relative(root).string();
    // SQLite's shared-memory index changes under readers too.
    if (written.count(name) || mayChange.count(name) || name.ends_with("-shm")) {
      it.disable_recursion_pending();
      continue;
    }
    const fs::file_status status = it->symlink_status();
    const bool file = status.type() == fs::file_type::regular;
    entries[name] = std::to_string(static_cast<int>(status.type())) + " mode " +
                    std::to_string(static_cast<int>(status.permissions())) +
                    (file ? " hash " + std::to_string(std::hash<std::string>{}(readFile(it->path()))) : "");
  }
  return entries;
}

void FaultTest::start(bool gated, rlim_t fileSizeLimit) {
  before_ = untouchedPart();
  const fs::path root = installation.root(), fifo = root / "messages.fifo";
  if (gated) {
    fs::remove(fifo);
    mkfifo(fifo.c_str(), 0600);
    // Reading and writing end: the program's opens never wait for a reader.
    fifo_ = open(fifo.c_str(), O_RDWR | O_NONBLOCK);
    fcntl(fifo_, F_SETPIPE_SZ, kPage);
    setenv("PEL_MESSAGE_LEVEL", "debug", 1);
  }
  setenv("PEL_REGISTRY", (root / "registry.reg").c_str(), 1);
  setenv("PEL_MESSAGE_FILE", (gated ? fifo : root / "messages.log").c_str(), 1);
  unsetenv("DISPLAY");
  unsetenv("WAYLAND_DISPLAY");
  // Made before fork: the child makes only async-signal-safe calls.
  const std::string program = installation.program().string(), name = installation.program().filename(),
                    output = installation.outputFolder().string(), out = (root / "stdout.txt").string(),
                    err = (root / "stderr.txt").string();
  const char* argv[] = {name.c_str(), "--console", "--yes", "--output", output.c_str(), nullptr};
  const rlimit limit{fileSizeLimit, fileSizeLimit};
  pid_ = fork();
  if (pid_ == 0) {
    dup2(open("/dev/null", O_RDONLY), 0);
    dup2(open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600), 1);
    dup2(open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600), 2);
    setrlimit(RLIMIT_FSIZE, &limit);
    execv(program.c_str(), const_cast<char* const*>(argv));
    _exit(127);
  }
  unsetenv("PEL_MESSAGE_LEVEL");
}

void FaultTest::drain() const {
  char buffer[65536];
  while (fifo_ >= 0 && read(fifo_, buffer, sizeof buffer) > 0) {
  }
}

bool FaultTest::holdWhen(const std::function<bool()>& reached) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (std::chrono::steady_clock::now() < deadline) {
    int queued = 0;
    ioctl(fifo_, FIONREAD, &queued);
    // Less room than a message takes: the program waits in its next one.
    const bool full = queued > kPage - 256;
    if (full && reached()) return true;
    if (full) drain();
    else usleep(1000);
  }
  return false;
}

void FaultTest::signal(int sig) const {
  if (pid_ > 0) kill(pid_, sig);  // never -1: that would reach every process
}

ProgramRun FaultTest::finish() {
  if (pid_ <= 0) {
    ADD_FAILURE() << "the program did not start";
    return {};
  }
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
  int status = 0;
  rusage usage{};
  pid_t done = 0;
  while ((done = wait4(pid_, &status, WNOHANG, &usage)) == 0 && std::chrono::steady_clock::now() < deadline) {
    drain();
    usleep(2000);
  }
  const bool ended = done == pid_;
  if (!ended) {
    kill(pid_, SIGKILL);
    waitpid(pid_, nullptr, 0);
  }
  pid_ = -1;
  if (fifo_ >= 0) close(fifo_);
  fifo_ = -1;
  peakKib = usage.ru_maxrss;
  ProgramRun run{!ended ? -1 : WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status),
                 readFile(installation.root() / "stdout.txt"), readFile(installation.root() / "stderr.txt")};
  EXPECT_EQ(before_, untouchedPart()) << "outside the output folder";
  return run;
}

void FaultTest::clearOutput() {
  for (const auto& entry : fs::directory_iterator(installation.outputFolder())) fs::remove_all(entry);
}

std::string accountGuid(int id) {
  char text[48];
  std::snprintf(text, sizeof text, "{%08X-0000-4000-8000-%012X}", id, id);
  return text;
}

std::string accountRows(int count, int firstId) {
  return "with recursive n(i) as (select " + std::to_string(firstId) +
         " union all select i + 1 from n where i < " + std::to_string(firstId + count - 1) +
         ") insert into umAccount(ac_guid, ac_id, ac_name, ac_storeTray) select "
         "printf('{%08X-0000-4000-8000-%012X}', i, i), i, '利用者 ' || i, 1 from n;";
}

bool wholeLines(const std::string& bytes) {
  return (bytes.empty() || bytes.ends_with("\r\n")) && occurrences(bytes, "\n") == occurrences(bytes, "\r\n");
}

std::size_t occurrences(const std::string& text, const std::string& part) {
  std::size_t count = 0;
  for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
  return count;
}
