#include "DialogsModule.h"

#include "ExporterApp.h"

// The Windows dialogs come from the program's resources and map nothing
// that a terminal run would not.
int DialogsModule::run(int& argc, char** argv, const StartupFlow::Options& options, InstanceGuard& guard) {
  return ExporterApp::run(argc, argv, options, guard);
}
