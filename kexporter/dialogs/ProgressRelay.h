#ifndef KEXPORTER_DIALOGS_PROGRESSRELAY_H
#define KEXPORTER_DIALOGS_PROGRESSRELAY_H

#include "ProgressView.h"

class ProgressDialog;

// The export's progress view on a worker thread: shows a ProgressDialog on
// the GUI thread and hands it every update as a blocking call, so each call
// returns after the window applied it. Usable from the GUI thread as well.
class ProgressRelay : public ProgressView {
 public:
  // Creates and shows the window; returns once it is on screen.
  ProgressRelay();
  // Ends the window if end() was not called, and destroys it on the GUI thread.
  ~ProgressRelay() override;

  ProgressRelay(const ProgressRelay&) = delete;
  ProgressRelay& operator=(const ProgressRelay&) = delete;

  void end() override;

  // The window, for tests; only to be touched on the GUI thread.
  ProgressDialog* dialog() const { return dialog_; }

 protected:
  void showMessage(const std::string& text) override;
  void showPercent(int percent) override;

 private:
  ProgressDialog* dialog_ = nullptr;  // Owned; lives on the GUI thread.
};

#endif
