#ifndef TESTS_ENDTOEND_INSTALLATION_H
#define TESTS_ENDTOEND_INSTALLATION_H

#include <signal.h>
#include <sys/resource.h>
#include <sys/types.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "TestSupport.h"

namespace fs = std::filesystem;

// An installation's connection values in regedit lines: its own files.
inline const std::string kInProcessConnection = "\"VekTesselConnection\"=\"InProcess\"\r\n";

// The Windows path through which Wine sees a Linux path (drive Z: is "/").
std::string windowsPath(const fs::path& path);

// What one run of the program left behind.
struct ProgramRun {
  int status = -1;
  std::string out, err;
};

// A complete installation in a temporary folder: a registry file naming
// nxv5/ and nxv4/ with their databases of the three tables, a program copy
// with its settings file, an empty output folder. The copy's own name keeps
// tests that run at the same time apart in the single-instance guard.
class Installation {
 public:
  explicit Installation(const std::string& programName = "");

  // Runs SQL on the NXV5 (or NXV4) database.
  void sql(const std::string& statements, const std::string& generation = "nxv5");
  void settings(const std::string& iniText) { writeFile(root_ / "bin" / "Kexporter.ini", iniText); }
  void registry(const std::string& regText) { writeFile(root_ / "registry.reg", regText); }
  // The regedit text of the installation's keys: NXV5's top folder
  // `nxv5Top` below the root with the connection values `nxv5Connection`,
  // NXV4's "nxv4", InProcess. With `windows` the paths are the Windows
  // build's under Wine (drive Z:, backslashes escaped as regedit reads them).
  std::string registryText(const std::string& nxv5Top = "nxv5",
                           const std::string& nxv5Connection = kInProcessConnection, bool windows = false) const;

  // Runs the program copy with the given arguments and standard input, for
  // at most a minute (as RunningProgram::finish).
  ProgramRun run(const std::vector<std::string>& args, const std::string& input = "") const;
  // An export without questions into the output folder.
  std::vector<std::string> exportArgs() const { return {"--console", "--yes", "--output", out_.string()}; }
  ProgramRun exportAll() const { return run(exportArgs()); }

  // A file of the output folder as bytes; "" when it is missing.
  std::string output(const std::string& name) const { return readFile(out_ / name); }
  std::vector<std::string> outputNames() const;
  // The run log's lines without their time stamps, converted to UTF-8.
  std::vector<std::string> logLines() const;

  const fs::path& root() const { return root_; }
  const fs::path& outputFolder() const { return out_; }
  fs::path database(const std::string& generation = "nxv5") const {
    return root_ / generation / "data" / "ud_gwAddress.db";
  }
  fs::path program() const { return root_ / "bin" / programName_; }

 private:
  TempFolder folder_;
  fs::path root_ = folder_.path();
  fs::path out_ = root_ / "out";
  std::string programName_;
};

// How RunningProgram starts the program.
struct ProgramOptions {
  std::string input;  // its standard input
  // Debug messages (one per fetched row) into a FIFO of one page, read only
  // while holdWhen() or finish() waits: the program stops mid-table.
  bool gated = false;
  rlim_t fileSizeLimit = RLIM_INFINITY;  // stands for a full disk
  fs::path resolver;  // seen by the program as /etc/resolv.conf (root only)
  fs::path standardOutput;  // instead of the file ProgramRun::out is read from
  bool offscreenDisplay = false;  // a display for the dialogs, Qt's offscreen one
};

// The installation's program copy running in the background with `args`,
// so that a test can act meanwhile. Registry and message file are the
// installation's; no display unless asked. Killed when the object goes.
class RunningProgram {
 public:
  RunningProgram(const Installation& installation, const std::vector<std::string>& args,
                 const ProgramOptions& options = {});
  ~RunningProgram();
  RunningProgram(const RunningProgram&) = delete;
  RunningProgram& operator=(const RunningProgram&) = delete;

  // Waits until the gated program stops at its full FIFO and `reached`
  // holds, a page of messages at a time (see waitUntil).
  bool holdWhen(const std::function<bool()>& reached);
  // The files the running program has mapped, as the system lists them.
  std::string mappedFiles() const { return readFile("/proc/" + std::to_string(pid_) + "/maps"); }
  void signal(int sig) const {
    if (pid_ > 0) kill(pid_, sig);  // never -1: that would reach every process
  }
  // Waits at most `limit`, then kills it (status -1); 128 + n after signal n.
  ProgramRun finish(std::chrono::seconds limit = std::chrono::seconds(60));

 private:
  void drain() const;

  fs::path root_;
  pid_t pid_ = -1;
  int fifo_ = -1;
};

#endif
