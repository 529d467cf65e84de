#ifndef KEXPORTER_CONSOLE_CONSOLESTREAMS_H
#define KEXPORTER_CONSOLE_CONSOLESTREAMS_H

#include <cstdio>
#include <iosfwd>
#include <string>

// The terminal's standard streams for the program's UTF-8 text. On POSIX
// they are the standard streams as they are. On Windows a standard stream
// that is a console is read with ReadConsoleW and written with
// WriteConsoleW, so that Japanese prompts, messages and folder names work
// whatever the console's code page; redirected, bytes pass as they are.

// Whether `stream` is a terminal (on Windows a console).
bool isTerminal(std::FILE* stream);

// Writes utf8 to `stream` and flushes it.
void writeText(std::FILE* stream, const std::string& utf8);

// Standard input and output as streams of UTF-8 text; the input is tied to
// the output, so a prompt shows before its answer is read. They live as
// long as the program.
std::istream& standardInput();
std::ostream& standardOutput();

#endif
