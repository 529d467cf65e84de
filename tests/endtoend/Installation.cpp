#include "Installation.h"

#include <fcntl.h>
#include <sched.h>
#include <sqlite3.h>
#include <sys/ioctl.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <optional>
#include <stdexcept>

Installation::Installation(const std::string& programName) : programName_(programName) {
  if (programName_.empty()) programName_ = "Kexporterrun-" + root_.filename().string();
  fs::create_directories(out_);
  fs::create_directories(root_ / "bin");
  fs::copy_file(KEXPORTERRUN_PATH, program());
  fs::create_directory_symlink(KEXPORTER_LIB_DIR, root_ / "lib");
  for (const char* generation : {"nxv5", "nxv4"}) {
    fs::create_directories(root_ / generation / "data");
    sql("create table umAccount(ac_guid TEXT, ac_id INTEGER, ac_name TEXT, ac_storeTray INTEGER, ac_mail TEXT);"
        "create table umGroup(gr_ownerguid TEXT, gr_guid TEXT);"
        "create table umTSI(ts_code TEXT, ts_guid TEXT, ts_sender TEXT);",
        generation);
  }
  registry(registryText());
}

void Installation::sql(const std::string& statements, const std::string& generation) {
  sqlite3* db = nullptr;
  sqlite3_open(database(generation).c_str(), &db);
  char* error = nullptr;
  int rc = sqlite3_exec(db, statements.c_str(), nullptr, nullptr, &error);
  std::string message = error ? error : "";
  sqlite3_free(error);
  sqlite3_close(db);
  if (rc != SQLITE_OK) throw std::runtime_error("test SQL failed: " + message);
}

std::string windowsPath(const fs::path& path) {
  std::string text = "Z:" + path.string();
  for (char& c : text) c = c == '/' ? '\\' : c;
  return text;
}

std::string Installation::registryText(const std::string& nxv5Top, const std::string& nxv5Connection,
                                       bool windows) const {
  std::string text = "Windows Registry Editor Version 5.00\r\n";
  for (const std::string generation : {"NXV5", "NXV4"}) {
    const fs::path top = root_ / (generation == "NXV5" ? nxv5Top : "nxv4");
    std::string escaped;
    for (char c : windows ? windowsPath(top) : top.string()) escaped += c == '\\' ? "\\\\" : std::string(1, c);
    text += "\r\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Tarvik\\Fenwick\\" + generation + "\\GW\\VEK]\r\n\"VekPath\"=\"" +
            escaped + "\"\r\n" + (generation == "NXV5" ? nxv5Connection : kInProcessConnection);
  }
  return text;
}

ProgramRun Installation::run(const std::vector<std::string>& args, const std::string& input) const {
  return RunningProgram(*this, args, {input, false, RLIM_INFINITY, {}, {}}).finish();
}

std::vector<std::string> Installation::outputNames() const {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(out_)) names.push_back(entry.path().filename());
  std::sort(names.begin(), names.end());
  return names;
}

std::vector<std::string> Installation::logLines() const { return runLogLines(output("Kexporter.log")); }

constexpr int kPage = 4096;  // the gate FIFO's size

RunningProgram::RunningProgram(const Installation& installation, const std::vector<std::string>& args,
                               const ProgramOptions& options)
    : root_(installation.root()) {
  const fs::path in = root_ / "stdin.txt", out = root_ / "stdout.txt", err = root_ / "stderr.txt",
                 fifo = root_ / "messages.fifo";
  writeFile(in, options.input);
  if (options.gated) {
    fs::remove(fifo);
    mkfifo(fifo.c_str(), 0600);
    // Reading and writing end: the program's opens never wait for a reader.
    fifo_ = open(fifo.c_str(), O_RDWR | O_NONBLOCK);
    fcntl(fifo_, F_SETPIPE_SZ, kPage);
  }
  // Made before fork: the child makes only async-signal-safe calls.
  const ScopedEnvironment registry("PEL_REGISTRY", (root_ / "registry.reg").c_str()),
      messages("PEL_MESSAGE_FILE", (options.gated ? fifo : root_ / "messages.log").c_str()),
      display("DISPLAY", options.offscreenDisplay ? ":0" : nullptr), wayland("WAYLAND_DISPLAY", nullptr),
      platform("QT_QPA_PLATFORM", options.offscreenDisplay ? "offscreen" : nullptr);
  std::optional<ScopedEnvironment> level;
  if (options.gated) level.emplace("PEL_MESSAGE_LEVEL", "debug");
  const std::string program = installation.program().string(), name = installation.program().filename();
  std::vector<char*> argv{const_cast<char*>(name.c_str())};
  for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
  argv.push_back(nullptr);
  const rlimit limit{options.fileSizeLimit, options.fileSizeLimit};
  pid_ = fork();
  if (pid_ != 0) return;
  dup2(open(in.c_str(), O_RDONLY), 0);
  dup2(open((options.standardOutput.empty() ? out : options.standardOutput).c_str(), O_WRONLY | O_CREAT | O_TRUNC,
            0600),
       1);
  dup2(open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600), 2);
  setrlimit(RLIMIT_FSIZE, &limit);
  // The resolver becomes the child's /etc/resolv.conf in a mount namespace of its own.
  if (!options.resolver.empty() &&
      (unshare(CLONE_NEWNS) != 0 || mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
       mount(options.resolver.c_str(), "/etc/resolv.conf", nullptr, MS_BIND, nullptr) != 0))
    _exit(126);
  execv(program.c_str(), argv.data());
  _exit(127);
}

RunningProgram::~RunningProgram() {
  if (pid_ > 0) {
    kill(pid_, SIGKILL);
    waitpid(pid_, nullptr, 0);
  }
  if (fifo_ >= 0) close(fifo_);
}

void RunningProgram::drain() const {
  char buffer[65536];
  while (fifo_ >= 0 && read(fifo_, buffer, sizeof buffer) > 0) {
  }
}

bool RunningProgram::holdWhen(const std::function<bool()>& reached) {
  return waitUntil([&] {
    int queued = 0;
    ioctl(fifo_, FIONREAD, &queued);
    // Less room than a message takes: the program waits in its next one.
    const bool full = queued > kPage - 256;
    if (full && reached()) return true;
    if (full) drain();
    return false;
  });
}

ProgramRun RunningProgram::finish(std::chrono::seconds limit) {
  if (pid_ <= 0) return {};
  const auto deadline = std::chrono::steady_clock::now() + limit;
  int status = 0;
  pid_t done = 0;
  while ((done = waitpid(pid_, &status, WNOHANG)) == 0 && std::chrono::steady_clock::now() < deadline) {
    drain();
    usleep(2000);
  }
  const bool ended = done == pid_;
  if (!ended) {
    kill(pid_, SIGKILL);
    waitpid(pid_, nullptr, 0);
  }
  pid_ = -1;
  return {!ended ? -1 : WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status),
          readFile(root_ / "stdout.txt"), readFile(root_ / "stderr.txt")};
}
