#include "ConsoleStreams.h"

#include <unistd.h>

#include <iostream>

bool isTerminal(std::FILE* stream) { return isatty(fileno(stream)) == 1; }

void writeText(std::FILE* stream, const std::string& utf8) {
  std::fwrite(utf8.data(), 1, utf8.size(), stream);
  std::fflush(stream);
}

std::istream& standardInput() { return std::cin; }
std::ostream& standardOutput() { return std::cout; }
