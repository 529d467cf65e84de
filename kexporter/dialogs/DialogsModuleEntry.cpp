// The one entry of the dialogs module, looked up by name when the program
// loads it (DialogsModule).
#include "ExporterApp.h"
#include "InstanceGuard.h"
#include "StartupFlow.h"

extern "C" __attribute__((visibility("default"))) int kexporterRunDialogs(
    int* argc, char** argv, const StartupFlow::Options* options, InstanceGuard* guard) {
  return ExporterApp::run(*argc, argv, *options, *guard);
}
