#ifndef KEXPORTER_WINDIALOGS_MODALDIALOG_H
#define KEXPORTER_WINDIALOGS_MODALDIALOG_H

#include <windows.h>

#include <string>

// A dialog of the resource script shown modally without an owner, with the
// program title as its caption and the program icon as its big and small
// window icon. OK and Cancel (also Esc and the close box) end it with IDOK
// and IDCANCEL unless a subclass handles them.
class ModalDialog {
 public:
  virtual ~ModalDialog() = default;
  ModalDialog(const ModalDialog&) = delete;
  ModalDialog& operator=(const ModalDialog&) = delete;

  // Shows the window and returns how it ended (IDOK, IDCANCEL or what a
  // subclass passed to end()); -1 when the window could not be made.
  INT_PTR showModal();

  // The window while it is shown, else null.
  HWND window() const { return window_; }

 protected:
  explicit ModalDialog(int resourceId) : resourceId_(resourceId) {}

  // After the title and icons are set. Returns true for the platform's
  // focus (the first control that takes it), false when it set the focus.
  virtual bool onInit() { return true; }
  // A WM_COMMAND from control id with notification code; returns whether
  // it was handled (otherwise OK and Cancel end the dialog).
  virtual bool onCommand(int id, int code);
  // Any other message; returns whether it was handled.
  virtual bool onMessage(UINT message, WPARAM wParam, LPARAM lParam);

  void end(INT_PTR result);
  HWND control(int id) const { return GetDlgItem(window_, id); }
  std::string controlText(int id) const;
  void setControlText(int id, const std::string& utf8) const;

 private:
  static INT_PTR CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  int resourceId_;
  HWND window_ = nullptr;
};

#endif
