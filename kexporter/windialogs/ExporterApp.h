#ifndef KEXPORTER_WINDIALOGS_EXPORTERAPP_H
#define KEXPORTER_WINDIALOGS_EXPORTERAPP_H

#include "StartupFlow.h"

class InstanceGuard;

// The program's start-up with its Windows dialogs: the start dialog, the
// output folder dialog and one export run with its progress and result
// windows. Returns the exit status of StartupFlow::run (--output starts
// the folder field; a dialog that cannot be made ends the run with 1). A
// second copy finds these windows by their title (InstanceGuard::requestRaise).
class ExporterApp {
 public:
  // The start-up sequence; the export runs on the calling thread. argc, argv
  // and guard are the Qt build's needs, unused here.
  static int run(int& argc, char** argv, const StartupFlow::Options& options, InstanceGuard& guard);
};

#endif
