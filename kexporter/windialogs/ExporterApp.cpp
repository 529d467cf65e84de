#include "ExporterApp.h"

#include <windows.h>
#include <commctrl.h>

#include "DialogFrontend.h"
#include "Frontend.h"
#include "InstanceGuard.h"
#include "OutputFolderDialog.h"
#include "Pelcore/PelWin32Text.h"
#include "StartDialog.h"

namespace {

// The progress bar is a common control: its class exists once registered.
void registerCommonControls() {
  INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_PROGRESS_CLASS};
  InitCommonControlsEx(&controls);
}

// The first visible window of this process with the program title: in
// the windows' order, the one on top, the dialog the operator works in.
BOOL CALLBACK findProgramWindow(HWND window, LPARAM found) {
  static const std::wstring title = widened(kProgramTitle);
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  wchar_t text[256] = {};
  GetWindowTextW(window, text, 256);
  if (process != GetCurrentProcessId() || !IsWindowVisible(window) || title != text) return TRUE;
  *reinterpret_cast<HWND*>(found) = window;
  return FALSE;
}

// What a second copy asks for; it handed this process the foreground right.
void raiseProgramWindow() {
  HWND window = nullptr;
  EnumWindows(&findProgramWindow, reinterpret_cast<LPARAM>(&window));
  if (window == nullptr) return;
  if (IsIconic(window)) ShowWindow(window, SW_RESTORE);
  SetForegroundWindow(window);
}

// Serves a second copy's raise requests while it lives.
class RaiseServer {
 public:
  explicit RaiseServer(InstanceGuard& guard) : guard_(guard) { guard_.onRaiseRequest(&raiseProgramWindow); }
  ~RaiseServer() { guard_.onRaiseRequest(nullptr); }
  RaiseServer(const RaiseServer&) = delete;
  RaiseServer& operator=(const RaiseServer&) = delete;

 private:
  InstanceGuard& guard_;
};

StartupOperator::Answer answerOf(INT_PTR dialogResult) {
  if (dialogResult == IDOK) return StartupOperator::Answer::Yes;
  return dialogResult == -1 ? StartupOperator::Answer::NoWindow : StartupOperator::Answer::No;
}

// The dialogs' side of the start-up; the export runs on this thread, whose
// dialogs' own loops serve the windows.
class DialogOperator : public StartupOperator {
 public:
  Answer confirmStart() override { return answerOf(StartDialog().showModal()); }

  Answer chooseOutputFolder(const std::optional<std::string>& given) override {
    OutputFolderDialog dialog;
    if (given) dialog.setFieldText(*given);
    return answerOf(dialog.showModal());
  }

  Frontend& frontend() override { return dialogs_; }

 private:
  DialogFrontend dialogs_;
};

}  // namespace

int ExporterApp::run(int&, char**, const StartupFlow::Options& options, InstanceGuard& guard) {
  registerCommonControls();
  const RaiseServer raising(guard);
  DialogOperator dialogs;
  return StartupFlow::run(options, dialogs);
}
