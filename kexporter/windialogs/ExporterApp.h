#ifndef KEXPORTER_WINDIALOGS_EXPORTERAPP_H
#define KEXPORTER_WINDIALOGS_EXPORTERAPP_H

#include <optional>
#include <string>

class InstanceGuard;

// The program's start-up with its Windows dialogs: the start dialog, the
// output folder dialog and one export run with its progress and result
// windows. Returns the process exit status: 0 the export ended normally, 1
// it ended with an error (also when no window can be made), 3 the operator
// cancelled the start or the output folder dialog (Cancel, Esc or the close
// box; nothing is written). A second copy finds these windows by their
// title (InstanceGuard::requestRaise).
class ExporterApp {
 public:
  struct Options {
    bool yes = false;                   // the start is confirmed without asking
    std::optional<std::string> output;  // the output folder field starts with it
  };

  // The start-up sequence; the export runs on the calling thread. argc, argv
  // and guard are the Qt build's needs, unused here.
  static int run(int& argc, char** argv, const Options& options, InstanceGuard& guard);
};

#endif
