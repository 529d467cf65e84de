#ifndef PELCORE_PELMESSAGE_H
#define PELCORE_PELMESSAGE_H

#include <cstdint>
#include <string>
#include <vector>

#include "Pelcore/PelException.h"
#include "Pelcore/PelUnicodeString.h"

// Diagnostic messages. One statement on a stream makes one message line:
//   PelMessageSelection::error("AutoCloseDatabase", 225)
//       << "CreateRowset failed. rc = 0x" << PelHex << rc << PelEndl;
// which is written as
//   2026-12-06 10:00:00 TarvikNX[4242] error AutoCloseDatabase:225 CreateRowset failed. rc = 0x80040e14
// to standard error, or appended to the file named by PEL_MESSAGE_FILE.
// PEL_MESSAGE_LEVEL selects what is written: "error", "normal" (default), "debug".
// Lines of concurrent writers never interleave.

enum class PelMessageLevel { Error = 0, Normal = 1, Debug = 2 };

const char* pelMessageLevelName(PelMessageLevel level);

struct PelMessage {
  PelMessageLevel level;
  std::string source;
  int line;
  std::string text;
};

struct PelHexTag {};
inline constexpr PelHexTag PelHex{};   // the next number is printed in hexadecimal
struct PelEndlTag {};
inline constexpr PelEndlTag PelEndl{}; // ends the message and writes it

class PelMessageStreamWrapper {
 public:
  PelMessageStreamWrapper(PelMessageLevel level, const char* source, int line);
  PelMessageStreamWrapper(const PelMessageStreamWrapper&) = delete;
  PelMessageStreamWrapper& operator=(const PelMessageStreamWrapper&) = delete;
  // Writes a message that was not ended by PelEndl, so nothing is lost.
  ~PelMessageStreamWrapper();

  PelMessageStreamWrapper& operator<<(const char* text);
  PelMessageStreamWrapper& operator<<(const std::string& text);
  PelMessageStreamWrapper& operator<<(const char16_t* text);
  PelMessageStreamWrapper& operator<<(const PelUnicodeString& text);
  PelMessageStreamWrapper& operator<<(int value);
  PelMessageStreamWrapper& operator<<(unsigned int value);
  PelMessageStreamWrapper& operator<<(long value);
  PelMessageStreamWrapper& operator<<(unsigned long value);
  PelMessageStreamWrapper& operator<<(long long value);
  PelMessageStreamWrapper& operator<<(unsigned long long value);
  PelMessageStreamWrapper& operator<<(const PelException& e);
  PelMessageStreamWrapper& operator<<(PelHexTag);
  PelMessageStreamWrapper& operator<<(PelEndlTag);

 private:
  void appendNumber(unsigned long long magnitude, bool negative);
  void finish();

  PelMessage message_;
  bool enabled_;
  bool pending_ = false;
  bool hexNext_ = false;
};

class PelMessageSelection {
 public:
  static PelMessageStreamWrapper error(const char* source, int line);
  static PelMessageStreamWrapper normal(const char* source, int line);
  static PelMessageStreamWrapper debug(const char* source, int line);
  // True when messages of this level are written at the current level.
  static bool isSelected(PelMessageLevel level);
};

class PelMessageStream {
 public:
  // Names the process in every message line; length -1 means the whole text.
  // Also takes the message level from PEL_MESSAGE_LEVEL as it is now, which
  // is otherwise read once, at the first message.
  static void setCommandName(const char* name, int length);
  static std::string commandName();
  // Part of the message interface, called after a message; a message is
  // written whole at PelEndl, so there is nothing left to release.
  static void unlock() {}
};

// While a recorder exists, every message of every level is recorded here
// instead of being written out. For tests; one recorder at a time.
class PelMessageRecorder {
 public:
  PelMessageRecorder();
  ~PelMessageRecorder();
  PelMessageRecorder(const PelMessageRecorder&) = delete;
  PelMessageRecorder& operator=(const PelMessageRecorder&) = delete;

  std::vector<PelMessage> messages() const;
  void clear();
};

#endif
