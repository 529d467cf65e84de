#include "WarningBox.h"

#include <QMessageBox>

#include "DialogResources.h"
#include "WindowDecoration.h"

namespace {
WarningBox::Recorder recorder;  // Used on the GUI thread only.
}  // namespace

void WarningBox::show(const QString& text) {
  if (recorder) {
    recorder(text);
    return;
  }
  QMessageBox box(QMessageBox::Warning, DialogResources::programTitle(), text,
                  QMessageBox::Ok);
  WindowDecoration::apply(box, WindowDecoration::Kind::CaptionAndCloseBox);
  box.setWindowIcon(DialogResources::programIcon());
  box.setWindowModality(Qt::ApplicationModal);
  box.exec();
}

void WarningBox::setRecorder(Recorder newRecorder) { recorder = std::move(newRecorder); }
