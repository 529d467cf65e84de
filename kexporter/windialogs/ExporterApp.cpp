#include "ExporterApp.h"

#include <windows.h>
#include <commctrl.h>

#include "DialogFrontend.h"
#include "OutputFolderDialog.h"
#include "StartDialog.h"

namespace {

// The progress bar is a common control: its class exists once registered.
void registerCommonControls() {
  INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_PROGRESS_CLASS};
  InitCommonControlsEx(&controls);
}

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

int ExporterApp::run(int&, char**, const StartupFlow::Options& options, InstanceGuard&) {
  registerCommonControls();
  DialogOperator dialogs;
  return StartupFlow::run(options, dialogs);
}
