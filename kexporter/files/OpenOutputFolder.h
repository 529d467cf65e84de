#ifndef KEXPORTER_FILES_OPENOUTPUTFOLDER_H
#define KEXPORTER_FILES_OPENOUTPUTFOLDER_H

#include <string>

// Holds outputFolder open while an export writes into it. The run log and
// the CSV files are created relative to this open folder, never by the
// folder's name again, so they land in the folder that passed the checks
// even when its name is later given to another folder or to a link; if that
// folder is gone, their creation fails. One at a time, owned by the export
// run; used by one thread.
class OpenOutputFolder {
 public:
  // Opens outputFolder, refusing a symbolic link at its name. A name that
  // is not a folder then holds nothing: every file created in it fails.
  OpenOutputFolder();
  ~OpenOutputFolder();
  OpenOutputFolder(const OpenOutputFolder&) = delete;
  OpenOutputFolder& operator=(const OpenOutputFolder&) = delete;

  bool isOpen() const { return folder_ >= 0; }

  // Opens `name` in the held folder with open(2)'s flags (O_NOFOLLOW and
  // O_CLOEXEC added, mode 0666 for a new file). Returns the descriptor, or
  // -1 with errno set, EBADF when no folder is held.
  static int openFile(const std::string& name, int flags);

 private:
  int folder_ = -1;
};

#endif
