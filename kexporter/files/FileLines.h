#ifndef KEXPORTER_FILES_FILELINES_H
#define KEXPORTER_FILES_FILELINES_H

#include <string>

// Writes one finished line (its bytes, line end included) to the open file
// descriptor fd with one write call, unbuffered, so that the line is in the
// file when this returns. Should the system take only part of it, the rest
// follows at once; if the rest cannot be written, the part already written
// is taken back, so that a line is never cut. Returns false when writing
// failed.
bool writeLine(int fd, const std::string& bytes);

#endif
