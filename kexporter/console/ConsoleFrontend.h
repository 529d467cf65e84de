#ifndef KEXPORTER_CONSOLE_CONSOLEFRONTEND_H
#define KEXPORTER_CONSOLE_CONSOLEFRONTEND_H

#include "Frontend.h"

// The export's operator on a terminal: warnings on standard error prefixed by
// the program title, without waiting; progress on standard error; the result
// text on standard output.
class ConsoleFrontend : public Frontend {
 public:
  void showWarning(const std::string& text) override;
  std::unique_ptr<ProgressView> startProgress() override;
  void showResult(const std::string& text) override;
};

#endif
