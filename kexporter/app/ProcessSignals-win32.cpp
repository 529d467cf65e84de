#include <windows.h>

#include "FileLines.h"
#include "ProcessSignals.h"

namespace {

// Ctrl+C, Ctrl+Break, the console window closed, the session ending: each
// ends the program as SIGINT, SIGHUP and SIGTERM do on Linux, between two
// lines of the files, with the status Windows gives a program that Ctrl+C
// ended. The system runs this on a thread of its own.
BOOL WINAPI onControlEvent(DWORD event) {
  switch (event) {
    case CTRL_C_EVENT:
    case CTRL_BREAK_EVENT:
    case CTRL_CLOSE_EVENT:
    case CTRL_LOGOFF_EVENT:
    case CTRL_SHUTDOWN_EVENT:
      endBetweenLines(static_cast<int>(STATUS_CONTROL_C_EXIT));
      return TRUE;
    default:
      return FALSE;
  }
}

}  // namespace

void ProcessSignals::install() { SetConsoleCtrlHandler(onControlEvent, TRUE); }
