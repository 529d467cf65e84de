#include "Pelcore/PelMessage.h"

#include <cstring>

#include "MessageSink.h"

const char* pelMessageLevelName(PelMessageLevel level) {
  switch (level) {
    case PelMessageLevel::Error: return "error";
    case PelMessageLevel::Normal: return "normal";
    case PelMessageLevel::Debug: return "debug";
  }
  return "error";
}

namespace {

// Line breaks inside a text would split one message over several lines.
std::string oneLine(std::string text) {
  for (char& c : text) {
    if (c == '\r' || c == '\n') c = ' ';
  }
  return text;
}

}  // namespace

PelMessageStreamWrapper::PelMessageStreamWrapper(PelMessageLevel level, const char* source,
                                                 int line)
    : message_{level, {}, line, {}},
      enabled_(MessageSink::instance().recording() || PelMessageSelection::isSelected(level)) {
  // Trace messages stand in per-row paths: one that is not written costs
  // no copy.
  if (enabled_ && source != nullptr) message_.source = oneLine(source);
}

PelMessageStreamWrapper::~PelMessageStreamWrapper() {
  if (pending_) finish();
}

PelMessageStreamWrapper& PelMessageStreamWrapper::operator<<(const char* text) {
  pending_ = true;
  if (enabled_ && text != nullptr) message_.text += oneLine(text);
  return *this;
}

PelMessageStreamWrapper& PelMessageStreamWrapper::operator<<(const std::string& text) {
  pending_ = true;
  if (enabled_) message_.text += oneLine(text);
  return *this;
}

PelMessageStreamWrapper& PelMessageStreamWrapper::operator<<(const char16_t* text) {
  pending_ = true;
  if (enabled_ && text != nullptr) message_.text += oneLine(pelUtf16ToUtf8(text));
  return *this;
}

PelMessageStreamWrapper& PelMessageStreamWrapper::operator<<(const PelUnicodeString& text) {
  pending_ = true;
  if (enabled_) message_.text += oneLine(text.toUtf8());
  return *this;
}

// A signed number in hexadecimal prints the two's complement of its own
// width, as printf's %x does.
PelMessageStreamWrapper& PelMessageStreamWrapper::operator<<(int value) {
  if (hexNext_ || value >= 0) appendNumber(static_cast<unsigned int>(value), false);
  else appendNumber(0ULL - static_cast<unsigned long long>(value), true);
  return *this;
}

PelMessageStreamWrapper& PelMessageStreamWrapper::operator<<(unsigned int value) {
  appendNumber(value, false);
  return *this;
}

PelMessageStreamWrapper& PelMessageStreamWrapper::operator<<(long value) {
  if (hexNext_ || value >= 0) appendNumber(static_cast<unsigned long>(value), false);
  else appendNumber(0ULL - static_cast<unsigned long long>(value), true);
  return *this;
}

PelMessageStreamWrapper& PelMessageStreamWrapper::operator<<(unsigned long value) {
  appendNumber(value, false);
  return *this;
}

PelMessageStreamWrapper& PelMessageStreamWrapper::operator<<(long long value) {
  if (hexNext_ || value >= 0) appendNumber(static_cast<unsigned long long>(value), false);
  else appendNumber(0ULL - static_cast<unsigned long long>(value), true);
  return *this;
}

PelMessageStreamWrapper& PelMessageStreamWrapper::operator<<(unsigned long long value) {
  appendNumber(value, false);
  return *this;
}

PelMessageStreamWrapper& PelMessageStreamWrapper::operator<<(const PelException& e) {
  pending_ = true;
  if (enabled_) message_.text += oneLine(e.describe());
  return *this;
}

PelMessageStreamWrapper& PelMessageStreamWrapper::operator<<(PelHexTag) {
  hexNext_ = true;
  return *this;
}

PelMessageStreamWrapper& PelMessageStreamWrapper::operator<<(PelEndlTag) {
  finish();
  return *this;
}

void PelMessageStreamWrapper::appendNumber(unsigned long long magnitude, bool negative) {
  pending_ = true;
  const bool hex = hexNext_;
  hexNext_ = false;
  if (!enabled_) return;
  const int base = hex ? 16 : 10;
  char digits[32];
  int n = 0;
  do {
    digits[n++] = "0123456789abcdef"[magnitude % base];
    magnitude /= base;
  } while (magnitude != 0);
  if (negative) message_.text += '-';
  while (n > 0) message_.text += digits[--n];
}

void PelMessageStreamWrapper::finish() {
  if (enabled_) MessageSink::instance().emit(message_);
  message_.text.clear();
  pending_ = false;
  hexNext_ = false;
}

PelMessageStreamWrapper PelMessageSelection::error(const char* source, int line) {
  return PelMessageStreamWrapper(PelMessageLevel::Error, source, line);
}

PelMessageStreamWrapper PelMessageSelection::normal(const char* source, int line) {
  return PelMessageStreamWrapper(PelMessageLevel::Normal, source, line);
}

PelMessageStreamWrapper PelMessageSelection::debug(const char* source, int line) {
  return PelMessageStreamWrapper(PelMessageLevel::Debug, source, line);
}

bool PelMessageSelection::isSelected(PelMessageLevel level) {
  return static_cast<int>(level) <= static_cast<int>(MessageSink::selectedLevel());
}

void PelMessageStream::setCommandName(const char* name, int length) {
  if (name == nullptr) return;
  const std::size_t size =
      length < 0 ? std::strlen(name) : strnlen(name, static_cast<std::size_t>(length));
  std::string text(name, size);
  MessageSink::instance().setCommandName(oneLine(std::move(text)));
}

std::string PelMessageStream::commandName() { return MessageSink::instance().commandName(); }

PelMessageRecorder::PelMessageRecorder() { MessageSink::instance().startRecording(); }

PelMessageRecorder::~PelMessageRecorder() { MessageSink::instance().stopRecording(); }

std::vector<PelMessage> PelMessageRecorder::messages() const {
  return MessageSink::instance().recorded();
}

void PelMessageRecorder::clear() { MessageSink::instance().clearRecorded(); }
