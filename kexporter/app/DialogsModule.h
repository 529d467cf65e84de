#ifndef KEXPORTER_APP_DIALOGSMODULE_H
#define KEXPORTER_APP_DIALOGSMODULE_H

#include "StartupFlow.h"

class InstanceGuard;

// The program's dialogs. On POSIX the Qt dialogs are a module beside the
// program's libraries (../lib from its folder), loaded only when they are
// shown, so that a terminal run maps no Qt; on Windows they are part of
// the program.
class DialogsModule {
 public:
  // Runs the start-up on the dialogs (ExporterApp::run) and returns its exit
  // status. A module that cannot be loaded is told on standard error, with
  // the way to the terminal flow, and gives kExitError.
  static int run(int& argc, char** argv, const StartupFlow::Options& options, InstanceGuard& guard);
};

#endif
