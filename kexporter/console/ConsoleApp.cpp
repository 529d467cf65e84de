#include "ConsoleApp.h"

#include <istream>
#include <ostream>

#include "CheckReport.h"
#include "ConsoleStreams.h"
#include "ExitStatus.h"
#include "ExportJob.h"
#include "Frontend.h"
#include "ScopedFrontend.h"

namespace {

const char* const kStartQuestion = "実行しますか？ [y/N] ";
const char* const kFolderPrompt = "データ出力先: ";

bool isYes(const std::string& answer) {
  return answer == "y" || answer == "Y" || answer == "yes" || answer == "Yes" || answer == "YES";
}

}  // namespace

StartupOperator::Answer ConsoleApp::confirmStart() {
  out_ << kProgramTitle << "\n" << kStopServiceText << "\n" << kStartText << "\n"
       << kStartQuestion << std::flush;
  std::string answer;
  if (!std::getline(in_, answer)) return Answer::No;
  return isYes(answer) ? Answer::Yes : Answer::No;
}

StartupOperator::Answer ConsoleApp::chooseOutputFolder(const std::optional<std::string>& given) {
  if (given) return StartupFlow::acceptOutputFolder(*given) ? Answer::Yes : Answer::Refused;
  std::string text;
  while (true) {
    out_ << kFolderPrompt << std::flush;
    if (!std::getline(in_, text)) return Answer::No;
    if (StartupFlow::acceptOutputFolder(text)) return Answer::Yes;
  }
}

int ConsoleApp::check() {
  ScopedFrontend inUse(console_);
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
