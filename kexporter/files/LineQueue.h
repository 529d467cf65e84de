#ifndef KEXPORTER_FILES_LINEQUEUE_H
#define KEXPORTER_FILES_LINEQUEUE_H

#include <string>

#include "FileLines.h"

// Told of each queued line that could not be written, in the order the
// lines were queued.
class LineFailures {
 public:
  virtual void lineFailed() = 0;

 protected:
  ~LineFailures() = default;
};

// The finished lines waiting to be written, in the order given, for up to
// four files at once: one queue for the process, used by the one thread
// that writes the files (and by endBetweenLines). Lines go to the system in
// batches of whole lines of at most a page per file, each file's in one
// write, a longer line alone, so that the few write calls cut a file no
// more often than one call per line would; whatever ends the program from
// outside writes the waiting lines first. After a write that the system
// took only in part, every file is taken back to the first line lost, that
// line is told to its owner, and the lines after it are written one by one,
// each failure told; a reader never sees part of a line.
class LineQueue {
 public:
  // Queues `line` (its bytes, line end included) for `file`, first writing
  // the waiting lines when the batch is full. `owner` is told of the line if
  // it cannot be written, now or later.
  static void add(NativeFile file, const std::string& line, LineFailures& owner);
  // Writes every waiting line. The owners' reports may log, which writes
  // the waiting lines again: that inner call does nothing.
  static void writeAll();
  // Writes the waiting lines for endBetweenLines, which ends the process
  // next: nobody is told of a failure. Async-signal-safe; on POSIX only on
  // the writing thread, on Windows with endings held.
  static void writeBeforeEnd();
};

#endif
