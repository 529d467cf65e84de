#include "ConsoleStreams.h"

#include <io.h>
#include <windows.h>

#include <iostream>
#include <streambuf>

#include "Pelcore/PelWin32Text.h"

namespace {

HANDLE handleOf(std::FILE* stream) {
  return reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(stream)));
}

bool isConsole(HANDLE handle) {
  DWORD mode = 0;
  return GetConsoleMode(handle, &mode) != 0;
}

// The length of text's longest prefix that ends on a whole UTF-8 character,
// so that a character split between two writes is converted whole.
std::size_t wholeCharacters(const std::string& text) {
  const std::size_t size = text.size();
  for (std::size_t back = 1; back <= 3 && back <= size; ++back) {
    const unsigned char byte = static_cast<unsigned char>(text[size - back]);
    if ((byte & 0xC0) == 0x80) continue;  // a continuation byte: look further back
    const std::size_t length = byte >= 0xF0 ? 4 : byte >= 0xE0 ? 3 : byte >= 0xC0 ? 2 : 1;
    return length > back ? size - back : size;
  }
  return size;
}

void writeConsole(HANDLE console, const std::string& utf8) {
  // The progress line is redrawn with escape sequences; a console that
  // cannot take them shows them, and the progress goes on.
  static const bool escapes = [console] {
    DWORD mode = 0;
    return GetConsoleMode(console, &mode) && SetConsoleMode(console, mode | ENABLE_VIRTUAL_TERMINAL_PROCESSING);
  }();
  static_cast<void>(escapes);
  const std::wstring wide = widened(utf8);
  DWORD written = 0;
  WriteConsoleW(console, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
}

// Standard output on a console: each insertion written at once, whole
// characters only, so its text keeps its order with standard error's.
class ConsoleOutput : public std::streambuf {
 public:
  explicit ConsoleOutput(HANDLE console) : console_(console) {}

 protected:
  int overflow(int c) override {
    if (c == traits_type::eof()) return traits_type::not_eof(c);
    pending_ += static_cast<char>(c);
    writePending();
    return c;
  }
  std::streamsize xsputn(const char* text, std::streamsize size) override {
    pending_.append(text, static_cast<std::size_t>(size));
    writePending();
    return size;
  }

 private:
  void writePending() {
    const std::size_t whole = wholeCharacters(pending_);
    if (whole == 0) return;
    writeConsole(console_, pending_.substr(0, whole));
    pending_.erase(0, whole);
  }

  HANDLE console_;
  std::string pending_;  // the start of a character not yet whole
};

// Standard input on a console: lines as the operator typed them, in UTF-8,
// ending in "\n". Ctrl+Z at the start of a read ends the input.
class ConsoleInput : public std::streambuf {
 public:
  explicit ConsoleInput(HANDLE console) : console_(console) {}

 protected:
  int underflow() override {
    if (gptr() < egptr()) return traits_type::to_int_type(*gptr());
    wchar_t wide[512];
    DWORD read = 0;
    if (!ReadConsoleW(console_, wide, 512, &read, nullptr) || read == 0 || wide[0] == 0x1A) {
      return traits_type::eof();
    }
    line_.clear();
    for (char c : utf8Of(std::wstring(wide, read))) {
      if (c != '\r') line_ += c;
    }
    if (line_.empty()) return underflow();
    setg(line_.data(), line_.data(), line_.data() + line_.size());
    return traits_type::to_int_type(*gptr());
  }

 private:
  HANDLE console_;
  std::string line_;
};

}  // namespace

bool isTerminal(std::FILE* stream) { return isConsole(handleOf(stream)); }

void writeText(std::FILE* stream, const std::string& utf8) {
  const HANDLE handle = handleOf(stream);
  std::fflush(stream);
  if (isConsole(handle)) {
    writeConsole(handle, utf8);
    return;
  }
  std::fwrite(utf8.data(), 1, utf8.size(), stream);
  std::fflush(stream);
}

std::ostream& standardOutput() {
  static ConsoleOutput console(GetStdHandle(STD_OUTPUT_HANDLE));
  static std::ostream onConsole(&console);
  if (!isConsole(GetStdHandle(STD_OUTPUT_HANDLE))) return std::cout;
  return onConsole;
}

std::istream& standardInput() {
  static ConsoleInput console(GetStdHandle(STD_INPUT_HANDLE));
  static std::istream onConsole(&console);
  std::istream& input = isConsole(GetStdHandle(STD_INPUT_HANDLE)) ? onConsole : std::cin;
  input.tie(&standardOutput());
  return input;
}
