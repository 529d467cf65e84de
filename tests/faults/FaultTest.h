#ifndef TESTS_FAULTS_FAULTTEST_H
#define TESTS_FAULTS_FAULTTEST_H

#include <gtest/gtest.h>
#include <map>
#include <optional>
#include <set>
#include <string>

#include "Installation.h"
#include "TestSupport.h"

// A test on a fresh installation whose program copy is named after the test,
// so that tests running side by side do not meet in the single-instance
// guard. Every run is checked afterwards: outside the output folder and the
// files a run writes beside it, the installation is as it was, the source
// databases byte for byte.
class FaultTest : public ::testing::Test {
 protected:
  FaultTest();

  // Starts an export without questions in the background (see
  // RunningProgram for `gated` and the file-size limit).
  void start(bool gated = false, rlim_t fileSizeLimit = RLIM_INFINITY);
  bool holdWhen(const std::function<bool()>& reached) { return program_->holdWhen(reached); }
  void signal(int sig) const { program_->signal(sig); }
  // Waits at most a minute as RunningProgram::finish; checks the installation.
  ProgramRun finish();
  ProgramRun exportChecked(rlim_t fileSizeLimit = RLIM_INFINITY) {
    start(false, fileSizeLimit);
    return finish();
  }
  // Empties the output folder for a further run.
  void clearOutput();

  Installation installation;

 private:
  std::map<std::string, std::string> untouchedPart() const;

  std::map<std::string, std::string> before_;
  std::optional<RunningProgram> program_;
};

// SQL that adds `count` accounts from `firstId` on, with a tray; their GUIDs.
std::string accountRows(int count, int firstId = 1);
std::string accountGuid(int id);
// Whole CR LF lines: empty or ending in CR LF, no line feed without CR.
bool wholeLines(const std::string& bytes);
std::size_t occurrences(const std::string& text, const std::string& part);

#endif
