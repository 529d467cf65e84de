#include "MessageSink.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <ctime>
#include <strings.h>

#include "Pelcore/PelFileWrite.h"

MessageSink& MessageSink::instance() {
  static MessageSink* sink = new MessageSink;
  return *sink;
}

MessageSink::MessageSink() : commandName_(program_invocation_short_name) { tzset(); }

PelMessageLevel MessageSink::selectedLevel() {
  const char* value = std::getenv("PEL_MESSAGE_LEVEL");
  if (value == nullptr) return PelMessageLevel::Normal;
  if (strcasecmp(value, "error") == 0) return PelMessageLevel::Error;
  if (strcasecmp(value, "debug") == 0) return PelMessageLevel::Debug;
  return PelMessageLevel::Normal;
}

void MessageSink::setCommandName(std::string name) {
  std::lock_guard<std::mutex> guard(mutex_);
  commandName_ = std::move(name);
}

std::string MessageSink::commandName() {
  std::lock_guard<std::mutex> guard(mutex_);
  return commandName_;
}

std::string MessageSink::formatLine(const PelMessage& message) {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char stamp[32];
  std::strftime(stamp, sizeof stamp, "%Y-%m-%d %H:%M:%S", &local);

  std::string line = stamp;
  line += ' ';
  line += commandName();
  line += '[' + std::to_string(getpid()) + "] ";
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
void MessageSink::writeLine(const std::string& line) {
  int fd = STDERR_FILENO;
  const char* path = std::getenv("PEL_MESSAGE_FILE");
  const bool toFile = path != nullptr && *path != '\0';
  if (toFile) {
    fd = ::open(path, O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0) fd = STDERR_FILENO;  // a message is never dropped for a bad path
  }
  pelWriteAll(fd, line.data(), line.size());
  if (fd != STDERR_FILENO) ::close(fd);
}

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
