#include "Frontend.h"

#include <cstdio>

#include "DialogLayout.h"

const char* const kProgramTitle = KEXPORTER_TITLE;
const char* const kStopServiceText = START_STOP_SERVICE_TEXT;
const char* const kStartText = START_TEXT;

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
