#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>

#include "ConsoleApp.h"
#include "ExitStatus.h"
#include "InstanceGuard.h"
#include "ProcessSignals.h"
#include "ProgramOptions.h"
#ifdef KEXPORTER_WITH_DIALOGS
#include "ExporterApp.h"
#endif

namespace {

// The guard is keyed by the executable's base name: a copy under another
// name counts as another program and runs on its own.
std::string executableBaseName(const char* argv0) {
  std::error_code error;
  std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error) exe = argv0;
  return exe.stem().string();
}

bool hasDisplay() {
  const char* x11 = std::getenv("DISPLAY");
  const char* wayland = std::getenv("WAYLAND_DISPLAY");
  return (x11 && *x11) || (wayland && *wayland);
}

}  // namespace

int main(int argc, char** argv) {
  ProcessSignals::install();
  ProgramOptions options;
  if (std::optional<int> status = options.parse(argc, argv)) return *status;

  bool dialogs = false;
#ifdef KEXPORTER_WITH_DIALOGS
  dialogs = !options.console && !options.check && hasDisplay();
#endif

  InstanceGuard guard(executableBaseName(argv[0]));
  if (!guard.acquired()) {
    if (dialogs) guard.requestRaise();
    return kExitAnotherCopy;
  }

  if (options.check) return ConsoleApp(std::cin, std::cout).check();
#ifdef KEXPORTER_WITH_DIALOGS
  if (dialogs) {
    ExporterApp::Options dialogOptions{options.yes, options.output};
    return ExporterApp::run(argc, argv, dialogOptions, guard);
  }
#endif
  ConsoleApp::Options consoleOptions{options.yes, options.output};
  return ConsoleApp(std::cin, std::cout).run(consoleOptions);
}
