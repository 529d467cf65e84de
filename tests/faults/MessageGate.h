#ifndef TESTS_FAULTS_MESSAGEGATE_H
#define TESTS_FAULTS_MESSAGEGATE_H

#include <sys/types.h>

#include <atomic>
#include <filesystem>
#include <functional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace fs = std::filesystem;

// Holds the program at a point of its run chosen by what it has written,
// without relying on timing. The program's diagnostic messages go to a FIFO
// (PEL_MESSAGE_LEVEL=debug traces every fetched row) whose one-page buffer
// the gate keeps full, so the program waits in its next message write until
// the gate makes room; each round lets a page of messages through.
class MessageGate {
 public:
  // Makes the FIFO at `fifo`, opens it and fills its buffer.
  explicit MessageGate(fs::path fifo);
  // Stops draining and closes the FIFO. REQUIRES: the program has ended.
  ~MessageGate();
  MessageGate(const MessageGate&) = delete;
  MessageGate& operator=(const MessageGate&) = delete;

  // The variables that send the program's messages through the gate.
  std::vector<std::pair<std::string, std::string>> env() const;

  // Lets messages through until `reached` holds at a moment when the
  // program `pid` waits at the gate; it keeps waiting then. False when the
  // program ended first or did not come to the gate for ten seconds.
  bool holdWhen(pid_t pid, const std::function<bool()>& reached);
  // Lets all further messages through as they come.
  void release();

 private:
  void drainOnce();

  fs::path fifo_;
  int fd_ = -1;
  std::atomic<bool> draining_{false};
  std::thread drain_;
};

#endif
