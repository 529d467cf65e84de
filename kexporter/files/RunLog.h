#ifndef KEXPORTER_FILES_RUNLOG_H
#define KEXPORTER_FILES_RUNLOG_H

#include <string>

// The tags between a log line's time stamp and its message.
inline constexpr const char* kTagSuccess = ",【Success】,";
inline constexpr const char* kTagFailure = ",【Failure】,";

// The run log's file name in the output folder.
inline constexpr const char* kRunLogFileName = "Kexporter.log";

// The warning shown when the run log cannot be opened or a line cannot be
// composed; a line the system does not take is not reported.
extern const char* const kRunLogFailed;

// The operator's record of one export run: "Kexporter.log" in the output
// folder, one line per step,
//   "%d/%02d/%02d %02d:%02d:%02d %s %s\r\n" (local time, tag, message),
// in CP932 (a character CP932 lacks is written as "?"), appended with one
// write call per line, unbuffered. One process-wide log, used only by the
// thread that runs the export; no lock.
class RunLog {
 public:
  // Opens or creates "Kexporter.log" for appending in the output folder
  // that OpenOutputFolder holds; an existing regular file keeps its content.
  // Anything else at the name (a symbolic link, a FIFO, a folder), or no
  // folder held, is a log that cannot be opened: shows the warning
  // kRunLogFailed and the log stays closed. A log already open is closed
  // first.
  static void open();
  // Appends one line, written whole however long. With showMessage, then
  // shows message in a warning box. While the log is closed nothing is
  // written and nothing shown. A failure while composing the line shows the
  // warning kRunLogFailed; a failed write is not reported.
  static void write(const std::string& tag, const std::string& message,
                    bool showMessage);
  // Closes the log; closing a closed log has no effect.
  static void close();
  static bool isOpen();
};

#endif
