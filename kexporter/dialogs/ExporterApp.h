#ifndef KEXPORTER_DIALOGS_EXPORTERAPP_H
#define KEXPORTER_DIALOGS_EXPORTERAPP_H

#include <optional>
#include <string>

class InstanceGuard;

// The program's start-up on a display: the start dialog, the output folder
// dialog and one export run with its progress and result windows. A second
// copy that asks the guard to raise this one brings the visible window to the
// front. Both operations return the process exit status: 0 the export ended
// normally, 1 it ended with an error, 3 the operator cancelled the start or
// the output folder dialog (Cancel, Esc or the close box; nothing is written).
class ExporterApp {
 public:
  struct Options {
    bool yes = false;                   // the start is confirmed without asking
    std::optional<std::string> output;  // the output folder field starts with it
  };

  // Creates the QApplication from argc and argv and runs start().
  // REQUIRES: guard.acquired(); a display (or QT_QPA_PLATFORM) is available.
  static int run(int& argc, char** argv, const Options& options, InstanceGuard& guard);

  // The start-up sequence in the QApplication that exists. The export runs on
  // a worker thread while this thread runs the event loop for its windows.
  static int start(const Options& options, InstanceGuard& guard);
};

#endif
