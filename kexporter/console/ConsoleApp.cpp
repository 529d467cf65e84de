#include "ConsoleApp.h"

#include <istream>
#include <ostream>

#include "CheckReport.h"
#include "ConsoleFrontend.h"
#include "ConsoleStreams.h"
#include "ExitStatus.h"
#include "ExportJob.h"
#include "Frontend.h"
#include "OutputFolder.h"
#include "ScopedFrontend.h"

namespace {

const char* const kStartQuestion = "実行しますか？ [y/N] ";
const char* const kFolderPrompt = "データ出力先: ";

bool isYes(const std::string& answer) {
  return answer == "y" || answer == "Y" || answer == "yes" || answer == "Yes" || answer == "YES";
}

}  // namespace

bool ConsoleApp::confirmStart() {
  out_ << kProgramTitle << "\n" << kStopServiceText << "\n" << kStartText << "\n"
       << kStartQuestion << std::flush;
  std::string answer;
  if (!std::getline(in_, answer)) return false;
  return isYes(answer);
}

bool ConsoleApp::acceptOutputFolder(const std::string& text) {
  FolderCheck check = checkOutputFolder(text);
  outputFolder = check.fullPath;
  if (check.passed()) return true;
  showWarning(check.failure.c_str());
  return false;
}

bool ConsoleApp::askOutputFolder() {
  std::string text;
  while (true) {
    out_ << kFolderPrompt << std::flush;
    if (!std::getline(in_, text)) return false;
    if (acceptOutputFolder(text)) return true;
  }
}

int ConsoleApp::run(const Options& options) {
  ConsoleFrontend console;
  ScopedFrontend inUse(console);
  if (!options.yes && !confirmStart()) return kExitCancelled;
  if (options.output) {
    if (!acceptOutputFolder(*options.output)) return kExitBadUsage;
  } else if (!askOutputFolder()) {
    return kExitCancelled;
  }
  ExportJob job;
  job.run();
  return job.outcome() == ExportJob::Outcome::Succeeded ? kExitNormal : kExitError;
}

int ConsoleApp::check() {
  ConsoleFrontend console;
  ScopedFrontend inUse(console);
  CheckReport report(out_);
  ExportJob job;
  job.check(report);
  // A report lost to a full or closed standard output must not read as a
  // clean check.
  if (!out_.flush()) {
    writeText(stderr, std::string(kProgramTitle) + ": the check's report could not be written to standard output\n");
    return kExitError;
  }
  return job.outcome() == ExportJob::Outcome::Succeeded ? kExitNormal : kExitError;
}
