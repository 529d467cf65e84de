#include "MessageSink.h"

#include <cstdlib>
#include <ctime>

#include "MessageOutput.h"
#include "Pelcore/PelProcess.h"
#include "Pelcore/PelAsciiText.h"

MessageSink& MessageSink::instance() {
  static MessageSink* sink = new MessageSink;
  return *sink;
}

MessageSink::MessageSink() : level_(levelOfEnvironment()), commandName_(pelProgramName()) {}

PelMessageLevel MessageSink::levelOfEnvironment() {
  const char* value = std::getenv("PEL_MESSAGE_LEVEL");
  if (value == nullptr) return PelMessageLevel::Normal;
  if (pelEqualsIgnoringAsciiCase(value, "error")) return PelMessageLevel::Error;
  if (pelEqualsIgnoringAsciiCase(value, "debug")) return PelMessageLevel::Debug;
  return PelMessageLevel::Normal;
}

void MessageSink::setCommandName(std::string name) {
  level_.store(levelOfEnvironment(), std::memory_order_relaxed);
  std::lock_guard<std::mutex> guard(mutex_);
  commandName_ = std::move(name);
}

std::string MessageSink::commandName() {
  std::lock_guard<std::mutex> guard(mutex_);
  return commandName_;
}

std::string MessageSink::formatLine(const PelMessage& message) {
  const std::tm local = localTimeOf(std::time(nullptr));
  char stamp[32];
  std::strftime(stamp, sizeof stamp, "%Y-%m-%d %H:%M:%S", &local);

  std::string line = stamp;
  line += ' ';
  line += commandName();
  line += '[' + std::to_string(currentProcessId()) + "] ";
  line += pelMessageLevelName(message.level);
  line += ' ';
  line += message.source;
  line += ':' + std::to_string(message.line) + ' ';
  line += message.text;
  line += '\n';
  return line;
}

void MessageSink::emit(const PelMessage& message) {
  if (recording()) {
    std::lock_guard<std::mutex> guard(mutex_);
    if (recording_.load()) {
      recorded_.push_back(message);
      return;
    }
  }
  const std::string line = formatLine(message);
  std::lock_guard<std::mutex> guard(mutex_);
  writeLine(line);
}

// REQUIRES: mutex_ held.
void MessageSink::writeLine(const std::string& line) { writeMessageLine(line); }

void MessageSink::startRecording() {
  std::lock_guard<std::mutex> guard(mutex_);
  recorded_.clear();
  recording_.store(true, std::memory_order_release);
}

void MessageSink::stopRecording() {
  std::lock_guard<std::mutex> guard(mutex_);
  recording_.store(false, std::memory_order_release);
  recorded_.clear();
}

std::vector<PelMessage> MessageSink::recorded() {
  std::lock_guard<std::mutex> guard(mutex_);
  return recorded_;
}

void MessageSink::clearRecorded() {
  std::lock_guard<std::mutex> guard(mutex_);
  recorded_.clear();
}
