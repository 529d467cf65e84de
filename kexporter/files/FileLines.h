#ifndef KEXPORTER_FILES_FILELINES_H
#define KEXPORTER_FILES_FILELINES_H

#include <cstdint>
#include <string>

// The line end of every file the export writes.
inline constexpr const char* kLineEnd = "\r\n";

// A file the export writes: a file descriptor on POSIX, a HANDLE's value on
// Windows (whose INVALID_HANDLE_VALUE is -1 too). Made by OpenOutputFolder.
using NativeFile = std::intptr_t;
inline constexpr NativeFile kNoFile = -1;

// Writes one finished line (its bytes, line end included) to the open file
// with one write call, unbuffered, so that the line is in the file when
// this returns. Should the system take only part of it, the rest follows at
// once; if the rest cannot be written, the part already written is taken
// back, so that a line is never cut. Returns false when writing failed.
bool writeLine(NativeFile file, const std::string& bytes);

// Whether the open file still has a name in its folder: false once it was
// removed while open (with its folder, say), so that nobody finds its lines.
bool hasName(NativeFile file);

// Closes the file; kNoFile is left alone.
void closeFile(NativeFile file);

// For what ends the program from outside (on POSIX a signal such as
// SIGTERM, on Windows a console control event): ends the process between
// two lines, so that a file ends in a whole line however the program is
// ended. On POSIX `code` is the signal, whose default action ends the
// process on the thread that writes the files, between two of its system
// calls (SIGKILL cannot be handled, but in practice it ends the writer
// between its one-call lines too); async-signal-safe. On Windows `code` is
// the exit code, and the process ends with it as soon as no line is being
// written. Only a line that a full disk took in part and that could not be
// taken back stays cut.
void endBetweenLines(int code);

#endif
