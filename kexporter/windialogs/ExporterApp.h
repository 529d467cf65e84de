#ifndef KEXPORTER_WINDIALOGS_EXPORTERAPP_H
#define KEXPORTER_WINDIALOGS_EXPORTERAPP_H

#include "StartupFlow.h"

class InstanceGuard;

// The program's start-up with its Windows dialogs: the start dialog, the
// output folder dialog and one export run with its progress and result
// windows. Returns the exit status of StartupFlow::run (--output starts
// the folder field; a dialog that cannot be made ends the run with 1).
// Meanwhile a second copy's request through the guard brings the window the
// operator works in to the front.
class ExporterApp {
 public:
  // The start-up sequence; the export runs on the calling thread. argc and
  // argv are the Qt build's needs, unused here. REQUIRES: guard.acquired().
  static int run(int& argc, char** argv, const StartupFlow::Options& options, InstanceGuard& guard);
};

#endif
