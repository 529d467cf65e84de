#ifndef KEXPORTER_FILES_FILELINES_H
#define KEXPORTER_FILES_FILELINES_H

#include <cstddef>
#include <cstdint>
#include <string>

// The line end of every file the export writes.
inline constexpr const char* kLineEnd = "\r\n";

// A file the export writes: a file descriptor on POSIX, a HANDLE's value on
// Windows (whose INVALID_HANDLE_VALUE is -1 too). Made by OpenOutputFolder.
using NativeFile = std::intptr_t;
inline constexpr NativeFile kNoFile = -1;

// Writes one finished line (its bytes, line end included) to the open file
// at once, unbuffered, so that the line is in the file when this returns.
// Should the system take only part of it, the rest follows at once; if the
// rest cannot be written, the part already written is taken back, so that
// a line is never cut. Returns false when writing failed.
bool writeLine(NativeFile file, const std::string& bytes);

// Whether the open file still has a name in its folder: false once it was
// removed while open (with its folder, say), so that nobody finds its lines.
bool hasName(NativeFile file);

// Closes the file; kNoFile is left alone.
void closeFile(NativeFile file);

// For what ends the program from outside (on POSIX a signal such as
// SIGTERM, on Windows a console control event): writes the lines waiting
// in LineQueue, then ends the process between two lines, so that a file
// ends in a whole line however the program is ended. On POSIX `code` is the
// signal, whose default action ends the process on the thread that writes
// the files, between two of its system calls (SIGKILL cannot be handled,
// but it can cut a write only where it crosses a page of the file, which a
// batch of lines does no more often than a single line does);
// async-signal-safe. On Windows `code` is the exit code, and the process
// ends with it as soon as no line is being written. Only a line that a
// full disk took in part and that could not be taken back stays cut.
void endBetweenLines(int code);

// What the POSIX and Windows files give the writers above them.

// Writes the bytes, going on after a partial write; returns how many the
// system took (fewer than size when it refused the rest).
std::size_t writeBytes(NativeFile file, const char* data, std::size_t size);
// Takes back the last `written` bytes of the file, which the system took of
// a line it did not take whole, so that the file ends in a whole line.
void takeBack(NativeFile file, std::size_t written);
// The size of the pages in which the system writes a file.
std::size_t filePageSize();
// Between holdEnding and releaseEnding, what ends the program from outside
// waits (it ends the program at releaseEnding). Not nested; the calling
// thread is then the writing thread (see noteWritingThread).
void holdEnding();
void releaseEnding();
// Makes the calling thread the one on which an ending writes the waiting
// lines: the thread that queues them.
void noteWritingThread();

#endif
