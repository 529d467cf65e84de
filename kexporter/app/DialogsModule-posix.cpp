#include "DialogsModule.h"

#include <dlfcn.h>

#include <cstdio>
#include <string>

#include "ExitStatus.h"
#include "SupportRoutines.h"

namespace {

using RunDialogs = int (*)(int*, char**, const StartupFlow::Options*, InstanceGuard*);

int cannotLoad(const std::string& path, const char* why) {
  std::fprintf(stderr, "Kexporterrun: the dialogs cannot be loaded from %s: %s\n"
               "Run it with --console to export in the terminal.\n", path.c_str(), why ? why : "");
  return kExitError;
}

}  // namespace

int DialogsModule::run(int& argc, char** argv, const StartupFlow::Options& options, InstanceGuard& guard) {
  const std::string path = programFolder() + "../lib/" KEXPORTER_DIALOGS_MODULE;
  // Never closed: Qt keeps threads and exit handlers of its own.
  void* module = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (module == nullptr) return cannotLoad(path, dlerror());
  const auto run = reinterpret_cast<RunDialogs>(dlsym(module, "kexporterRunDialogs"));
  if (run == nullptr) return cannotLoad(path, dlerror());
  return run(&argc, argv, &options, &guard);
}
