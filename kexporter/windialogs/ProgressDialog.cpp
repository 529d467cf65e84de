#include "ProgressDialog.h"

#include <commctrl.h>

#include "DialogResources.h"
#include "ModalDialog.h"
#include "Pelcore/PelWin32Text.h"

namespace {

// Sent by end(): the window ends itself on its own thread.
const UINT kEndMessage = WM_APP + 1;

}  // namespace

ProgressDialog::ProgressDialog() {
  thread_ = std::thread([this] { runModalLoop(); });
  std::unique_lock<std::mutex> lock(mutex_);
  readyChanged_.wait(lock, [this] { return ready_; });
}

ProgressDialog::~ProgressDialog() { end(); }

void ProgressDialog::end() {
  if (window_ != nullptr) SendMessageW(window_, kEndMessage, 0, 0);
  if (thread_.joinable()) thread_.join();
  window_ = nullptr;
}

void ProgressDialog::showMessage(const std::string& text) {
  if (window_ == nullptr) return;
  const std::wstring wide = widened(text);
  HWND field = GetDlgItem(window_, IDC_PROGRESS_TEXT);
  SendMessageW(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(wide.c_str()));
  const bool lineBreakAtEnd = wide.size() >= 2 && wide.compare(wide.size() - 2, 2, L"\r\n") == 0;
  const WPARAM caret = wide.size() - (lineBreakAtEnd ? 2 : 0);
  SendMessageW(field, EM_SETSEL, caret, static_cast<LPARAM>(caret));
  SendMessageW(field, EM_SCROLLCARET, 0, 0);
}

void ProgressDialog::showPercent(int percent) {
  if (window_ == nullptr) return;
  SendMessageW(GetDlgItem(window_, IDC_PROGRESS_BAR), PBM_SETPOS, percent, 0);
}

void ProgressDialog::runModalLoop() {
  const INT_PTR result =
      DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_PROGRESS), nullptr,
                      &ProgressDialog::procedure, reinterpret_cast<LPARAM>(this));
  // A window that could not be made must not leave the export waiting.
  if (result == -1) markReady(nullptr);
}

void ProgressDialog::markReady(HWND window) {
  std::lock_guard<std::mutex> lock(mutex_);
  window_ = window;
  ready_ = true;
  readyChanged_.notify_all();
}

INT_PTR CALLBACK ProgressDialog::procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG: {
      ModalDialog::decorate(window);
      SendMessageW(GetDlgItem(window, IDC_PROGRESS_BAR), PBM_SETRANGE32, 0, 100);
      // The last step: from here on the export may send its updates.
      reinterpret_cast<ProgressDialog*>(lParam)->markReady(window);
      return TRUE;
    }
    case kEndMessage:
      EndDialog(window, 1);
      return TRUE;
    case WM_COMMAND:
      // Esc arrives as IDCANCEL: the export cannot be stopped.
      return LOWORD(wParam) == IDCANCEL ? TRUE : FALSE;
    default:
      return FALSE;
  }
}
