#ifndef TESTS_FAULTS_FAULTTEST_H
#define TESTS_FAULTS_FAULTTEST_H

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "Installation.h"
#include "InstallationTree.h"
#include "ProgramProcess.h"

// A test on a fresh installation whose program copy is named after the
// test, so that tests running side by side do not meet in the
// single-instance guard. Every run is checked afterwards: outside the output
// folder and the program's message log, the installation is as it was
// (source databases byte for byte, registry, settings, program).
class FaultTest : public ::testing::Test {
 protected:
  FaultTest();

  // Records the installation as the next run must leave it. start() does
  // this itself unless it was done since the last start; a test that locks
  // a database calls it first, as reading a file drops the process's locks
  // on that file.
  void recordInstallation();
  // Starts the program in the background.
  std::unique_ptr<ProgramProcess> start(const LaunchOptions& options = {});
  // Waits for a started program and checks the installation.
  ProgramRun finish(ProgramProcess& process);
  // start + finish.
  ProgramRun runProgram(const LaunchOptions& options = {});
  // Empties the output folder for a further run.
  void clearOutput();

  // Paths below the installation that a test lets change as well.
  std::set<std::string> mayChange;
  Installation installation;

 private:
  std::optional<InstallationTree> tree_;
  bool recorded_ = false;
};

// The bytes of a file; "" when it is missing.
std::string readFile(const fs::path& path);

// Rows of the user-management tables made by SQL, numbered from 1.
std::string accountRows(int count, int firstId = 1, const std::string& tray = "1");
// The GUID that accountRows gives account `id`, with braces.
std::string accountGuid(int id);

// Checks that bytes are whole CR LF lines of CP932 text: empty or ending in
// CR LF, no line feed without its carriage return, and convertible.
::testing::AssertionResult wholeLines(const std::string& bytes);
// wholeLines for every file of the output folder.
void expectWholeOutputFiles(const Installation& installation);
// How often `part` occurs in `text`.
std::size_t occurrences(const std::string& text, const std::string& part);

// An early failure: the log holds `before` and then the failure line, the
// operator saw one warning, the status is 1 and no CSV file was made.
void expectEarlyFailure(const Installation& installation, const ProgramRun& run,
                        const std::vector<std::string>& before, const std::string& failure);

// The program's title, which prefixes every warning on standard error.
extern const std::string kTitle;
extern const std::string S;  // ",【Success】, ", as logLines gives it
extern const std::string F;  // ",【Failure】, "
extern const std::string kStarted;      // the first log line of a run
extern const std::string kInitialized;  // the log line of a started client
extern const std::string kNotInstalled; // the database cannot be opened
extern const std::string kAccessFailed;  // a query gave no or a broken row
extern const std::string kErrorResult;   // the result text of a failed run

#endif
