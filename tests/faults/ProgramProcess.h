#ifndef TESTS_FAULTS_PROGRAMPROCESS_H
#define TESTS_FAULTS_PROGRAMPROCESS_H

#include <sys/resource.h>
#include <sys/types.h>

#include <chrono>
#include <string>
#include <utility>
#include <vector>

#include "Installation.h"

// How to start the program copy of an installation.
struct LaunchOptions {
  // Arguments; empty means --console --yes --output <output folder>.
  std::vector<std::string> args;
  std::string input;
  // RLIMIT_FSIZE of the program: a write beyond it fails as on a full disk
  // (or ends a program that does not ignore SIGXFSZ).
  rlim_t fileSizeLimit = RLIM_INFINITY;
  // Standard output and error go to a pipe that nobody reads any more.
  bool outputToClosedPipe = false;
  // Variables set on top of PEL_REGISTRY and PEL_MESSAGE_FILE (which names
  // messages.log in the installation unless given here).
  std::vector<std::pair<std::string, std::string>> env;
};

// The program of an installation started in the background, so that a test
// can act while it runs. Standard output and error go to files in the
// installation's top folder (names in kCaptureFiles).
class ProgramProcess {
 public:
  static const std::vector<std::string> kCaptureFiles;

  ProgramProcess(const Installation& installation, const LaunchOptions& options = {});
  // Kills and reaps a program still running.
  ~ProgramProcess();
  ProgramProcess(const ProgramProcess&) = delete;
  ProgramProcess& operator=(const ProgramProcess&) = delete;

  // Waits for the end, at most `limit`: a program still running then is
  // killed and its status is -1. Status 128 + n for a program ended by
  // signal n. Waiting again gives the same run.
  ProgramRun wait(std::chrono::milliseconds limit = std::chrono::seconds(60));
  void signal(int sig) const;
  // True while the program has not ended (it is not reaped here).
  bool running() const;
  pid_t pid() const { return pid_; }
  // After wait: the wall time and peak resident memory of the program.
  std::chrono::milliseconds elapsed() const { return elapsed_; }
  long peakKib() const { return peakKib_; }

 private:
  const Installation& installation_;
  pid_t pid_ = -1;
  std::chrono::steady_clock::time_point start_;
  std::chrono::milliseconds elapsed_{0};
  long peakKib_ = 0;
  ProgramRun run_;
};

#endif
