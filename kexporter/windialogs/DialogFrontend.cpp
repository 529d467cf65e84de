#include "DialogFrontend.h"

#include "ProgressDialog.h"
#include "ResultDialog.h"
#include "WarningBox.h"

void DialogFrontend::showWarning(const std::string& text) { WarningBox::show(text); }

std::unique_ptr<ProgressView> DialogFrontend::startProgress() {
  return std::make_unique<ProgressDialog>();
}

void DialogFrontend::showResult(const std::string& text) {
  ResultDialog dialog;
  dialog.setText(text);
  dialog.showModal();
}
