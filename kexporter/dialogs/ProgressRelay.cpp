#include "ProgressRelay.h"

#include "GuiThread.h"
#include "ProgressDialog.h"

ProgressRelay::ProgressRelay() {
  GuiThread::call([this] {
    dialog_ = new ProgressDialog;
    dialog_->setWindowModality(Qt::ApplicationModal);
    dialog_->show();
  });
}

ProgressRelay::~ProgressRelay() {
  GuiThread::call([this] {
    dialog_->end();
    delete dialog_;
  });
}

void ProgressRelay::end() {
  GuiThread::call([this] { dialog_->end(); });
}

void ProgressRelay::showMessage(const std::string& text) {
  QString message = QString::fromStdString(text);
  GuiThread::call([this, &message] { dialog_->setMessage(message); });
}

void ProgressRelay::showPercent(int percent) {
  GuiThread::call([this, percent] { dialog_->setPercent(percent); });
}
