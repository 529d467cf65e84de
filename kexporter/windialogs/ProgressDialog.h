#ifndef KEXPORTER_WINDIALOGS_PROGRESSDIALOG_H
#define KEXPORTER_WINDIALOGS_PROGRESSDIALOG_H

#include <windows.h>

#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>

#include "ModalDialog.h"
#include "ProgressView.h"

// What the export is doing and how far it has come: the phase text above a
// bar from 0 to 100 percent. The window runs its modal loop on a thread of
// its own, since the export's thread has no message loop while it works;
// every update is sent to it with SendMessage and so is applied when the
// call returns. No buttons and no close box; Esc is ignored: only end()
// closes it.
class ProgressDialog : public ProgressView, private ModalDialog {
 public:
  // Starts the window's thread and returns once the window is ready (or
  // could not be made: then every update is dropped).
  ProgressDialog();
  // Ends the window if end() was not called, and waits for its thread.
  ~ProgressDialog() override;

  ProgressDialog(const ProgressDialog&) = delete;
  ProgressDialog& operator=(const ProgressDialog&) = delete;

  // Closes the window (result 1) and waits for its thread to finish.
  void end() override;

  // The window while it is shown, else null; for tests.
  using ModalDialog::window;

 protected:
  // Replaces the text; the caret stands before a closing CR LF and is
  // scrolled into view.
  void showMessage(const std::string& text) override;
  void showPercent(int percent) override;

 private:
  bool onInit() override;
  bool onCommand(int id, int code) override;
  bool onMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void runModalLoop();
  void markReady();

  std::thread thread_;
  std::mutex mutex_;
  std::condition_variable readyChanged_;
  // Guarded by mutex_. The window is set by the window's thread before
  // ready_, and read by the caller's thread only after it saw ready_.
  bool ready_ = false;
};

#endif
