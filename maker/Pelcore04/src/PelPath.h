#ifndef PELCORE_PELPATH_H
#define PELCORE_PELPATH_H

// The characters that end a folder in a path: "/" on POSIX; on Windows the
// backslash and "/". Defined by each platform's PelProcess twin.
extern const char* const kPelPathSeparators;

#endif
