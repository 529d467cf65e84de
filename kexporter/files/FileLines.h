#ifndef KEXPORTER_FILES_FILELINES_H
#define KEXPORTER_FILES_FILELINES_H

#include <string>

// The line end of every file the export writes.
inline constexpr const char* kLineEnd = "\r\n";

// Writes one finished line (its bytes, line end included) to the open file
// descriptor fd with one write call, unbuffered, so that the line is in the
// file when this returns. Should the system take only part of it, the rest
// follows at once; if the rest cannot be written, the part already written
// is taken back, so that a line is never cut. Returns false when writing
// failed.
bool writeLine(int fd, const std::string& bytes);

// For the handler of a signal that ends the program (SIGTERM and the like):
// lets `sig` end the process with its default action, on the thread that
// writes the files, between two of its system calls (the signal is passed
// on to that thread when another one caught it). So a file ends in a whole
// line however the program is ended, SIGKILL included: that signal cannot
// be handled, but in practice it ends the writer between its one-call
// lines, not within one. Only a line that a full disk took in part and that
// could not be taken back stays cut. Async-signal-safe.
void endBetweenLines(int sig);

#endif
