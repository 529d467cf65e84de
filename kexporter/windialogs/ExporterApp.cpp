#include "ExporterApp.h"

#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <exception>

#include "DialogFrontend.h"
#include "ExitStatus.h"
#include "ExportJob.h"
#include "Frontend.h"
#include "OutputFolderDialog.h"
#include "ScopedFrontend.h"
#include "StartDialog.h"

namespace {

// The progress bar is a common control: its class exists once registered.
void registerCommonControls() {
  INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_PROGRESS_CLASS};
  InitCommonControlsEx(&controls);
}

// IDOK, IDCANCEL, or -1 when the window could not be made.
INT_PTR chooseOutputFolder(const std::optional<std::string>& output) {
  OutputFolderDialog dialog;
  if (output) dialog.setFieldText(*output);
  return dialog.showModal();
}

int exitStatusOf(INT_PTR dialogResult) {
  if (dialogResult == -1) {
    std::fprintf(stderr, "%s: the dialogs cannot be shown; --console runs in the terminal\n",
                 kProgramTitle);
    return kExitError;
  }
  return kExitCancelled;
}

ExportJob::Outcome runExport() {
  DialogFrontend dialogs;
  ScopedFrontend inUse(dialogs);
  ExportJob job;
  // An escaped exception ends the run as failed, not the process unreported.
  try {
    job.run();
  } catch (const std::exception& error) {
    std::fprintf(stderr, "%s: %s\n", kProgramTitle, error.what());
    return ExportJob::Outcome::Failed;
  } catch (...) {
    std::fprintf(stderr, "%s: the export stopped on an unknown exception\n", kProgramTitle);
    return ExportJob::Outcome::Failed;
  }
  return job.outcome();
}

}  // namespace

int ExporterApp::run(int&, char**, const Options& options, InstanceGuard&) {
  registerCommonControls();
  if (!options.yes) {
    const INT_PTR started = StartDialog().showModal();
    if (started != IDOK) return exitStatusOf(started);
  }
  const INT_PTR chosen = chooseOutputFolder(options.output);
  if (chosen != IDOK) return exitStatusOf(chosen);
  return runExport() == ExportJob::Outcome::Succeeded ? kExitNormal : kExitError;
}
