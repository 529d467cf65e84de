#include "ConsoleApp.h"

#include <istream>
#include <ostream>

#include "CheckReport.h"
#include "ConsoleFrontend.h"
#include "ExportJob.h"
#include "OutputFolder.h"

namespace {

// The start dialog's texts; the missing space after "to" is the product's.
const char* const kStopServiceText =
    "配信サービスの停止と実行中の配信管理ツールの終了をしてから実行してください。";
const char* const kStartText = "KLX toMPVコンバータ[エクスポータ]の実行を開始します。";
const char* const kStartQuestion = "実行しますか？ [y/N] ";
const char* const kFolderPrompt = "データ出力先: ";

enum ExitStatus { kNormal = 0, kError = 1, kBadUsage = 2, kCancelled = 3 };

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
  setFrontend(&console);
  if (!options.yes && !confirmStart()) return kCancelled;
  if (options.output) {
    if (!acceptOutputFolder(*options.output)) return kBadUsage;
  } else if (!askOutputFolder()) {
    return kCancelled;
  }
  ExportJob job;
  job.run();
  setFrontend(nullptr);
  return job.outcome() == ExportJob::Outcome::Succeeded ? kNormal : kError;
}

int ConsoleApp::check() {
  ConsoleFrontend console;
  setFrontend(&console);
  CheckReport report(out_);
  ExportJob job;
  job.check(report);
  setFrontend(nullptr);
  return job.outcome() == ExportJob::Outcome::Succeeded ? kNormal : kError;
}
