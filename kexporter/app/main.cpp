#include <string>
#include <vector>

#include "ConsoleApp.h"
#include "ConsoleStreams.h"
#include "ExitStatus.h"
#include "InstanceGuard.h"
#include "ProcessSignals.h"
#include "ProgramEnvironment.h"
#include "ProgramOptions.h"
#ifdef KEXPORTER_WITH_DIALOGS
#include "DialogsModule.h"
#endif

int main(int argc, char** argv) {
  ProcessSignals::install();
  std::vector<std::string> arguments = programArguments(argc, argv);
  std::vector<char*> utf8Argv;
  for (std::string& argument : arguments) utf8Argv.push_back(argument.data());
  utf8Argv.push_back(nullptr);
  ProgramOptions options;
  if (std::optional<int> status = options.parse(static_cast<int>(arguments.size()), utf8Argv.data())) {
    return *status;
  }

  bool dialogs = false;
#ifdef KEXPORTER_WITH_DIALOGS
  dialogs = !options.console && !options.check && hasDisplay();
#endif

  InstanceGuard guard(executableBaseName(argv[0]));
  if (!guard.acquired()) {
    if (dialogs) guard.requestRaise();
    return kExitAnotherCopy;
  }

  if (options.check) return ConsoleApp(standardInput(), standardOutput()).check();
  const StartupFlow::Options startup{options.yes, options.output};
#ifdef KEXPORTER_WITH_DIALOGS
  if (dialogs) return DialogsModule::run(argc, argv, startup, guard);
#endif
  return ConsoleApp(standardInput(), standardOutput()).run(startup);
}
