#ifndef PELCORE_PELEXCEPTION_H
#define PELCORE_PELEXCEPTION_H

#include <string>

// The common library's exception: a module number, an error number and a
// readable text. Error level decides whether handlers log it.
class PelException {
 public:
  enum Level { Debug = 0, Normal = 1, Error = 2 };

  PelException(int module, int errorNumber, std::string text = std::string(),
               Level level = Error);

  int module() const { return module_; }
  int errorNumber() const { return errorNumber_; }
  Level level() const { return level_; }
  const std::string& text() const { return text_; }

  // "PelException(module=2, error=5002): text", as written to the message streams.
  std::string describe() const;

 private:
  int module_;
  int errorNumber_;
  std::string text_;
  Level level_;
};

class PelErrorHandle {
 public:
  // True when an exception of this level should be written to the messages
  // at the current message level (PEL_MESSAGE_LEVEL).
  static bool shouldOutputMessage(const PelException& e);
};

#endif
