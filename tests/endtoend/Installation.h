#ifndef TESTS_ENDTOEND_INSTALLATION_H
#define TESTS_ENDTOEND_INSTALLATION_H

#include <sys/resource.h>
#include <sys/types.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace fs = std::filesystem;

class TempFolder;

// What one run of the program left behind.
struct ProgramRun {
  int status = -1;
  std::string out;
  std::string err;
};

// A complete installation in a temporary folder: a registry file naming
// nxv5/ and nxv4/, their user-management databases with the three tables, a
// copy of the program with its own settings file, and an empty output
// folder. The program copy carries its own name, by default one of its own
// folder, so that tests running at the same time do not meet in the
// single-instance guard.
class Installation {
 public:
  explicit Installation(const std::string& programName = "");
  ~Installation();

  // Runs SQL on the NXV5 (or NXV4) database.
  void sql(const std::string& statements, const std::string& generation = "nxv5");
  void settings(const std::string& iniText);
  void registry(const std::string& regText);
  std::string defaultRegistry() const;

  // Runs the program copy with the given arguments and standard input, for
  // at most a minute (as RunningProgram::finish).
  ProgramRun run(const std::vector<std::string>& args, const std::string& input = "") const;
  // --console --yes --output <output folder>: an export without questions.
  std::vector<std::string> exportArgs() const;
  ProgramRun exportAll() const { return run(exportArgs()); }

  // A file of the output folder as bytes; "" when it is missing.
  std::string output(const std::string& name) const;
  std::vector<std::string> outputNames() const;
  // The run log's lines without their time stamps, converted to UTF-8.
  std::vector<std::string> logLines() const;

  const fs::path& root() const { return root_; }
  const fs::path& outputFolder() const { return out_; }
  fs::path database(const std::string& generation = "nxv5") const;
  fs::path program() const { return root_ / "bin" / programName_; }

 private:
  std::unique_ptr<TempFolder> folder_;
  fs::path root_;
  fs::path out_;
  std::string programName_;
};

// How RunningProgram starts the program.
struct ProgramOptions {
  std::string input;  // its standard input
  // Diagnostic messages at debug level (one per fetched row) into a FIFO of
  // one page that is read only while holdWhen() or finish() waits, so that
  // the program stops in the middle of a table.
  bool gated = false;
  rlim_t fileSizeLimit = RLIM_INFINITY;  // stands for a full disk
  fs::path resolver;  // seen by the program as /etc/resolv.conf (root only)
};

// The installation's program copy running in the background with `args`,
// so that a test can act meanwhile. Registry and message file are the
// installation's; no display. Killed when the object goes.
class RunningProgram {
 public:
  RunningProgram(const Installation& installation, const std::vector<std::string>& args,
                 const ProgramOptions& options = {});
  ~RunningProgram();
  RunningProgram(const RunningProgram&) = delete;
  RunningProgram& operator=(const RunningProgram&) = delete;

  // Waits until the gated program stops at its full FIFO and `reached`
  // holds, letting a page of messages through at a time; false when that
  // does not happen within ten seconds.
  bool holdWhen(const std::function<bool()>& reached);
  void signal(int sig) const;
  // Waits at most `limit`, then kills it (status -1); 128 + n for an end by
  // signal n.
  ProgramRun finish(std::chrono::seconds limit = std::chrono::seconds(60));

  pid_t pid() const { return pid_; }
  long peakKib = 0;  // the most memory it held, once finished

 private:
  void drain() const;

  fs::path root_;
  pid_t pid_ = -1;
  int fifo_ = -1;
};

// UTF-8 text as the CP932 bytes the export files carry (from test_support).
std::string cp932(const std::string& utf8);
std::string fromCp932(const std::string& bytes);

#endif
