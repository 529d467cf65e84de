#ifndef KEXPORTER_FRONTEND_EXITSTATUS_H
#define KEXPORTER_FRONTEND_EXITSTATUS_H

// The program's exit statuses, whichever front end ran.
enum ExitStatus : int {
  kExitNormal = 0,       // the export ended normally, also with nothing to
                         // export; --help and --version
  kExitError = 1,        // the export ended with an error, early or late
  kExitBadUsage = 2,     // bad usage, or --output failed the folder checks
                         // where nobody can be asked again
  kExitCancelled = 3,    // the operator cancelled
  kExitAnotherCopy = 4,  // another copy of the program is running
};

#endif
