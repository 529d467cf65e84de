#include "QtFrontend.h"

#include "GuiThread.h"
#include "ProgressRelay.h"
#include "ResultDialog.h"
#include "WarningBox.h"

void QtFrontend::showWarning(const std::string& text) {
  QString warning = QString::fromStdString(text);
  GuiThread::call([&warning] { WarningBox::show(warning); });
}

std::unique_ptr<ProgressView> QtFrontend::startProgress() {
  return std::make_unique<ProgressRelay>();
}

void QtFrontend::showResult(const std::string& text) {
  QString summary = QString::fromStdString(text);
  GuiThread::call([&summary] {
    ResultDialog dialog;
    dialog.setText(summary);
    dialog.exec();
  });
}
