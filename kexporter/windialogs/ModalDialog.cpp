#include "ModalDialog.h"

#include "DialogResources.h"
#include "Frontend.h"
#include "Pelcore/PelWin32Text.h"

namespace {

// The program's window icon at the system's big or small icon size.
HICON programIcon(bool big) {
  const int size = GetSystemMetrics(big ? SM_CXICON : SM_CXSMICON);
  // Shared icons belong to the system's cache: nobody destroys them.
  return static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_PROGRAM),
                                       IMAGE_ICON, size, size, LR_SHARED));
}

// Gives window the program title and the program icon.
void decorate(HWND window) {
  SetWindowTextW(window, widened(kProgramTitle).c_str());
  SendMessageW(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(programIcon(true)));
  SendMessageW(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(programIcon(false)));
}

}  // namespace

INT_PTR ModalDialog::showModal() {
  return DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(resourceId_), nullptr,
                         &ModalDialog::procedure, reinterpret_cast<LPARAM>(this));
}

bool ModalDialog::onCommand(int, int) { return false; }

bool ModalDialog::onMessage(UINT, WPARAM, LPARAM) { return false; }

void ModalDialog::end(INT_PTR result) { EndDialog(window_, result); }

std::string ModalDialog::controlText(int id) const {
  HWND item = control(id);
  std::wstring text(GetWindowTextLengthW(item) + 1, L'\0');
  text.resize(GetWindowTextW(item, text.data(), static_cast<int>(text.size())));
  return utf8Of(text);
}

void ModalDialog::setControlText(int id, const std::string& utf8) const {
  SetDlgItemTextW(window_, id, widened(utf8).c_str());
}

INT_PTR CALLBACK ModalDialog::procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    auto* dialog = reinterpret_cast<ModalDialog*>(lParam);
    SetWindowLongPtrW(window, DWLP_USER, lParam);
    dialog->window_ = window;
    decorate(window);
    return dialog->onInit() ? TRUE : FALSE;
  }
  auto* dialog = reinterpret_cast<ModalDialog*>(GetWindowLongPtrW(window, DWLP_USER));
  if (dialog == nullptr) return FALSE;
  if (message == WM_NCDESTROY) {
    dialog->window_ = nullptr;
    return FALSE;
  }
  if (message == WM_COMMAND) {
    const int id = LOWORD(wParam);
    if (dialog->onCommand(id, HIWORD(wParam))) return TRUE;
    if (id != IDOK && id != IDCANCEL) return FALSE;
    dialog->end(id);
    return TRUE;
  }
  return dialog->onMessage(message, wParam, lParam) ? TRUE : FALSE;
}
