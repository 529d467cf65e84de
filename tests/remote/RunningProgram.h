#ifndef TESTS_REMOTE_RUNNINGPROGRAM_H
#define TESTS_REMOTE_RUNNINGPROGRAM_H

#include <sys/types.h>

#include <string>
#include <vector>

#include "Installation.h"

// The installation's program copy running in the background as
// Installation::run starts it (its registry, message file, no display),
// standard output and error going to files in the installation's folder.
class RunningProgram {
 public:
  RunningProgram(const Installation& installation, const std::vector<std::string>& args);
  // Kills a program still running.
  ~RunningProgram();
  RunningProgram(const RunningProgram&) = delete;
  RunningProgram& operator=(const RunningProgram&) = delete;

  pid_t pid() const { return pid_; }
  // False once the program has ended.
  bool running();
  // Waits at most `seconds` for the end. False, and the program killed, when
  // it did not end in time.
  bool finish(double seconds);
  // After finish: the exit status, peak memory and what it wrote.
  int status() const { return status_; }
  long peakKibibytes() const { return peakKibibytes_; }
  std::string err() const;

 private:
  const Installation& installation_;
  pid_t pid_ = -1;
  int status_ = -1;
  long peakKibibytes_ = 0;
};

#endif
