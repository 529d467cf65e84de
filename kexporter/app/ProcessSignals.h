#ifndef KEXPORTER_APP_PROCESSSIGNALS_H
#define KEXPORTER_APP_PROCESSSIGNALS_H

// How the program meets signals from outside. SIGTERM, SIGINT and SIGHUP
// still end it, but only between two lines of the files it writes. A
// file-size limit (SIGXFSZ) and a closed pipe (SIGPIPE) do not end it: the
// write fails instead, and the program reports a failed file write as it
// reports a full disk, and goes on where output nobody reads was lost.
// On Windows a console control handler does the same for Ctrl+C, Ctrl+Break,
// a closed console and the end of the session, through endBetweenLines with
// the exit status STATUS_CONTROL_C_EXIT.
class ProcessSignals {
 public:
  // Sets the handlers; call once, before other threads start.
  static void install();
};

#endif
