#ifndef KEXPORTER_DIALOGS_EXPORTERAPP_H
#define KEXPORTER_DIALOGS_EXPORTERAPP_H

#include "StartupFlow.h"

class InstanceGuard;

// The program's start-up on a display: the start dialog, the output folder
// dialog and one export run with its progress and result windows. A second
// copy that asks the guard to raise this one brings the visible window to the
// front. Both operations return the process exit status of StartupFlow::run
// (--output starts the folder field).
class ExporterApp {
 public:
  // Creates the QApplication from argc and argv and runs start().
  // REQUIRES: guard.acquired(); a display (or QT_QPA_PLATFORM) is available.
  static int run(int& argc, char** argv, const StartupFlow::Options& options, InstanceGuard& guard);

  // The start-up sequence in the QApplication that exists. The export runs on
  // a worker thread while this thread runs the event loop for its windows.
  static int start(const StartupFlow::Options& options, InstanceGuard& guard);
};

#endif
