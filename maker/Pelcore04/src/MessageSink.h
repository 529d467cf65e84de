#ifndef PELCORE_MESSAGESINK_H
#define PELCORE_MESSAGESINK_H

#include <atomic>
#include <mutex>
#include <string>
#include <vector>

#include "Pelcore/PelMessage.h"

// Where finished messages go: the recorder while one exists, else one line
// to PEL_MESSAGE_FILE (appended) or to standard error. Process-wide, never
// destroyed, so that messages written during exit still find it.
class MessageSink {
 public:
  static MessageSink& instance();

  // The level selected by PEL_MESSAGE_LEVEL when the sink was made or the
  // command was last named; "normal" when unset or unknown. Read then, not
  // at each message: a debug trace stands on per-row paths, and a search
  // of the environment there costs more than the row.
  static PelMessageLevel selectedLevel() { return instance().level_.load(std::memory_order_relaxed); }

  // Names the command and reads the level again.
  void setCommandName(std::string name);
  std::string commandName();

  // Records or writes one finished message; the line is written whole with
  // one write call under mutex_, so lines of concurrent writers never mix.
  void emit(const PelMessage& message);

  // The full line for `message`, newline included.
  std::string formatLine(const PelMessage& message);

  bool recording() const { return recording_.load(std::memory_order_acquire); }
  void startRecording();
  void stopRecording();
  std::vector<PelMessage> recorded();
  void clearRecorded();

 private:
  MessageSink();
  void writeLine(const std::string& line);
  static PelMessageLevel levelOfEnvironment();

  std::atomic<PelMessageLevel> level_;

  std::mutex mutex_;
  std::string commandName_;              // Guarded by mutex_.
  std::vector<PelMessage> recorded_;     // Guarded by mutex_.
  std::atomic<bool> recording_{false};
};

#endif
