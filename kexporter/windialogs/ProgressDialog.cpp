#include "ProgressDialog.h"

#include <commctrl.h>

#include "DialogResources.h"
#include "Pelcore/PelWin32Text.h"

namespace {

// Sent by end(): the window ends itself on its own thread.
const UINT kEndMessage = WM_APP + 1;

}  // namespace

ProgressDialog::ProgressDialog() : ModalDialog(IDD_PROGRESS) {
  thread_ = std::thread([this] { runModalLoop(); });
  std::unique_lock<std::mutex> lock(mutex_);
  readyChanged_.wait(lock, [this] { return ready_; });
}

ProgressDialog::~ProgressDialog() { end(); }

void ProgressDialog::end() {
  if (window() != nullptr) SendMessageW(window(), kEndMessage, 0, 0);
  if (thread_.joinable()) thread_.join();
}

void ProgressDialog::showMessage(const std::string& text) {
  if (window() == nullptr) return;
  const std::wstring wide = widened(text);
  HWND field = control(IDC_PROGRESS_TEXT);
  SendMessageW(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(wide.c_str()));
  const bool lineBreakAtEnd = wide.size() >= 2 && wide.compare(wide.size() - 2, 2, L"\r\n") == 0;
  const WPARAM caret = wide.size() - (lineBreakAtEnd ? 2 : 0);
  SendMessageW(field, EM_SETSEL, caret, static_cast<LPARAM>(caret));
  SendMessageW(field, EM_SCROLLCARET, 0, 0);
}

void ProgressDialog::showPercent(int percent) {
  if (window() == nullptr) return;
  SendMessageW(control(IDC_PROGRESS_BAR), PBM_SETPOS, percent, 0);
}

void ProgressDialog::runModalLoop() {
  // A window that could not be made must not leave the export waiting.
  if (showModal() == -1) markReady();
}

void ProgressDialog::markReady() {
  std::lock_guard<std::mutex> lock(mutex_);
  ready_ = true;
  readyChanged_.notify_all();
}

bool ProgressDialog::onInit() {
  SendMessageW(control(IDC_PROGRESS_BAR), PBM_SETRANGE32, 0, 100);
  // The last step: from here on the export may send its updates.
  markReady();
  return true;
}

// Neither Esc (IDCANCEL) nor Enter (IDOK) ends it: the export cannot be
// stopped.
bool ProgressDialog::onCommand(int, int) { return true; }

bool ProgressDialog::onMessage(UINT message, WPARAM, LPARAM) {
  if (message != kEndMessage) return false;
  ModalDialog::end(1);
  return true;
}
