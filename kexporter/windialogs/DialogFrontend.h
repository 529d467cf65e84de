#ifndef KEXPORTER_WINDIALOGS_DIALOGFRONTEND_H
#define KEXPORTER_WINDIALOGS_DIALOGFRONTEND_H

#include "Frontend.h"

// The export's operator at the screen on Windows. The export runs on the
// calling thread; warnings and the result are modal windows of that thread,
// the progress window has a thread of its own.
class DialogFrontend : public Frontend {
 public:
  // A WarningBox.
  void showWarning(const std::string& text) override;
  // A ProgressDialog.
  std::unique_ptr<ProgressView> startProgress() override;
  // A ResultDialog, shown modally.
  void showResult(const std::string& text) override;
};

#endif
