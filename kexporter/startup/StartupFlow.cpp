#include "StartupFlow.h"

#include <cstdio>
#include <exception>

#include "ExitStatus.h"
#include "ExportJob.h"
#include "Frontend.h"
#include "OutputFolder.h"
#include "RunLog.h"
#include "ScopedFrontend.h"

namespace {

const char* const kUnexpectedError = "予期しないエラーが発生しました。";

int exitStatusOf(StartupOperator::Answer answer) {
  switch (answer) {
    case StartupOperator::Answer::Yes:
      return kExitNormal;
    case StartupOperator::Answer::No:
      return kExitCancelled;
    case StartupOperator::Answer::Refused:
      return kExitBadUsage;
    case StartupOperator::Answer::NoWindow:
      std::fprintf(stderr, "%s: the dialogs cannot be shown; --console runs in the terminal\n", kProgramTitle);
      return kExitError;
  }
  return kExitError;
}

// An exception escaping the run ends it as a failure the operator sees in
// the run log and on screen, never as a crash or an unreported end.
void reportEscaped(const std::string& what) {
  const std::string message = std::string(kUnexpectedError) + "(" + what + ")";
  RunLog::write(kTagFailure, message, false);
  RunLog::close();
  showWarning(message.c_str());
}

bool runWithoutEscape(ExportJob& job) {
  try {
    job.run();
    return job.outcome() == ExportJob::Outcome::Succeeded;
  } catch (const std::exception& error) {
    reportEscaped(error.what());
  } catch (...) {
    reportEscaped("unknown exception");
  }
  return false;
}

}  // namespace

int StartupFlow::run(const Options& options, StartupOperator& op, ExportJob& job) {
  ScopedFrontend inUse(op.frontend());
  if (!options.yes) {
    const StartupOperator::Answer started = op.confirmStart();
    if (started != StartupOperator::Answer::Yes) return exitStatusOf(started);
  }
  const StartupOperator::Answer chosen = op.chooseOutputFolder(options.output);
  if (chosen != StartupOperator::Answer::Yes) return exitStatusOf(chosen);
  bool succeeded = false;
  op.serveWhile([&] { succeeded = runWithoutEscape(job); });
  return succeeded ? kExitNormal : kExitError;
}

int StartupFlow::run(const Options& options, StartupOperator& op) {
  ExportJob job;
  return run(options, op, job);
}

bool StartupFlow::acceptOutputFolder(const std::string& text) {
  const FolderCheck check = checkOutputFolder(text);
  if (!text.empty()) outputFolder = check.fullPath;
  if (check.passed()) return true;
  showWarning(check.failure.c_str());
  return false;
}
