#include "Frontend.h"

#include <cstdio>

const char* const kProgramTitle = "KLX to MPVコンバータ[エクスポータ]";
const char* const kStopServiceText =
    "配信サービスの停止と実行中の配信管理ツールの終了をしてから実行してください。";
// The missing space after "to" belongs to the text the operators know.
const char* const kStartText = "KLX toMPVコンバータ[エクスポータ]の実行を開始します。";

namespace {

class SilentProgress : public ProgressView {
 public:
  void end() override {}

 protected:
  void showMessage(const std::string&) override {}
  void showPercent(int) override {}
};

// Used until the program sets its front end: warnings still reach someone.
class StandardErrorFrontend : public Frontend {
 public:
  void showWarning(const std::string& text) override {
    std::fprintf(stderr, "%s: %s\n", kProgramTitle, text.c_str());
  }
  std::unique_ptr<ProgressView> startProgress() override {
    return std::make_unique<SilentProgress>();
  }
  void showResult(const std::string&) override {}
};

StandardErrorFrontend standardErrorFrontend;
Frontend* current = &standardErrorFrontend;

}  // namespace

void setFrontend(Frontend* frontend) {
  current = frontend ? frontend : &standardErrorFrontend;
}

Frontend& frontend() { return *current; }

void showWarning(const char* text) { current->showWarning(text ? text : ""); }
