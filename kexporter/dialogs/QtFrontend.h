#ifndef KEXPORTER_DIALOGS_QTFRONTEND_H
#define KEXPORTER_DIALOGS_QTFRONTEND_H

#include "Frontend.h"

// The export's operator at the screen. The export runs on a worker thread
// while the GUI thread runs the event loop; every call shows its window on
// the GUI thread and returns after it (a warning or the result: once the
// operator closed it). Called on the GUI thread itself, it works directly.
class QtFrontend : public Frontend {
 public:
  // A WarningBox.
  void showWarning(const std::string& text) override;
  // A ProgressDialog, driven through a ProgressRelay.
  std::unique_ptr<ProgressView> startProgress() override;
  // A ResultDialog, shown modally.
  void showResult(const std::string& text) override;
};

#endif
