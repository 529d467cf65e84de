#ifndef TESTS_FAULTS_FAULTTEST_H
#define TESTS_FAULTS_FAULTTEST_H

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/types.h>

#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

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
  // Kills a program still running.
  ~FaultTest() override;

  // Starts an export (--console --yes --output) in the background. When
  // gated, the diagnostic messages (debug level: one per fetched row) go to
  // a FIFO of one page that is only read while finish() waits, so the
  // program stops in the middle of its first table. A file-size limit
  // stands for a full disk.
  void start(bool gated = false, rlim_t fileSizeLimit = RLIM_INFINITY);
  // Waits until the gated program stops at its full FIFO and `reached`
  // holds, letting a page of messages through at a time; false when that
  // does not happen within ten seconds.
  bool holdWhen(const std::function<bool()>& reached);
  void signal(int sig) const;
  // Waits at most a minute (then kills: status -1), 128 + n for an end by
  // signal n; checks the installation.
  ProgramRun finish();
  ProgramRun exportChecked(rlim_t fileSizeLimit = RLIM_INFINITY) {
    start(false, fileSizeLimit);
    return finish();
  }
  // Empties the output folder for a further run.
  void clearOutput();

  Installation installation;
  // Paths below the installation that a test lets change as well.
  std::set<std::string> mayChange;
  long peakKib = 0;  // of the last finished run

 private:
  std::map<std::string, std::string> untouchedPart() const;
  void drain() const;

  std::map<std::string, std::string> before_;
  pid_t pid_ = -1;
  int fifo_ = -1;
};

// SQL that adds `count` accounts from `firstId` on, with a tray; their GUIDs.
std::string accountRows(int count, int firstId = 1);
std::string accountGuid(int id);
// Whole CR LF lines: empty or ending in CR LF, no line feed without CR.
bool wholeLines(const std::string& bytes);
std::size_t occurrences(const std::string& text, const std::string& part);

#endif
