#ifndef TESTS_ENDTOEND_INSTALLATION_H
#define TESTS_ENDTOEND_INSTALLATION_H

#include <filesystem>
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
// folder. The program copy carries its own name, so that suites running at
// the same time do not meet in the single-instance guard.
class Installation {
 public:
  explicit Installation(const std::string& programName = "Kexporterrun-e2e");
  ~Installation();

  // Runs SQL on the NXV5 (or NXV4) database.
  void sql(const std::string& statements, const std::string& generation = "nxv5");
  void settings(const std::string& iniText);
  void registry(const std::string& regText);
  std::string defaultRegistry() const;

  // Runs the program copy with the given arguments and standard input.
  ProgramRun run(const std::vector<std::string>& args, const std::string& input = "") const;
  // Runs it with --console --yes --output <output folder>.
  ProgramRun exportAll() const;

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

// UTF-8 text as the CP932 bytes the export files carry (from test_support).
std::string cp932(const std::string& utf8);
std::string fromCp932(const std::string& bytes);

#endif
