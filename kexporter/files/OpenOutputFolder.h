#ifndef KEXPORTER_FILES_OPENOUTPUTFOLDER_H
#define KEXPORTER_FILES_OPENOUTPUTFOLDER_H

#include <string>

#include "FileLines.h"

// Holds outputFolder open while an export writes into it, so the run log
// and the CSV files land in the folder that passed the checks. On POSIX
// they are created relative to the open folder, never by the folder's name
// again: when its name is later given to another folder or to a link, they
// still land in it; if it is gone, their creation fails. On Windows the
// folder is held without delete sharing, so that nobody can rename, remove
// or replace it while it is held, and files are created by its name. One at
// a time, owned by the export run; used by one thread.
class OpenOutputFolder {
 public:
  // Opens outputFolder, refusing a symbolic link (on Windows any reparse
  // point) at its name. A name that is not a folder then holds nothing:
  // every file created in it fails.
  OpenOutputFolder();
  ~OpenOutputFolder();
  OpenOutputFolder(const OpenOutputFolder&) = delete;
  OpenOutputFolder& operator=(const OpenOutputFolder&) = delete;

  bool isOpen() const { return folder_ != kNoFile; }

  // Creates `name` new in the held folder for writing, shared for reading
  // and writing. Returns the file, or kNoFile when no folder is held or the
  // name exists already (a link included, which is not followed).
  static NativeFile createNew(const std::string& name);
  // Opens `name` in the held folder for appending, creating it when
  // missing, shared for reading and writing. Returns the file, or kNoFile
  // when no folder is held or the name is anything but a regular file (a
  // link, a FIFO, a folder), which is neither followed nor waited on.
  static NativeFile openForAppend(const std::string& name);

 private:
  NativeFile folder_ = kNoFile;
};

#endif
