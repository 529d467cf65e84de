#ifndef PELCORE_PELFILEWRITE_H
#define PELCORE_PELFILEWRITE_H

#include <cstddef>

// Writes the size bytes at data to the open file descriptor fd: one write
// call when the system takes them all, further calls for the rest after a
// partial write or an interrupted call. Returns how many bytes were
// written: size, or fewer when the system refused the rest (errno tells
// why; a call that takes nothing counts as refused).
std::size_t pelWriteAll(int fd, const char* data, std::size_t size);

#endif
