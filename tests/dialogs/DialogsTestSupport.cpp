#include "DialogsTestSupport.h"

#include <QApplication>
#include <QDir>

#include "WarningBox.h"

void saveScreenshot(QWidget& widget, const QString& name) {
  QDir().mkpath(KEXPORTER_SCREENSHOT_DIR);
  widget.grab().save(KEXPORTER_SCREENSHOT_DIR "/" + name + ".png");
}

ModalDriver::ModalDriver(std::function<void(QWidget*)> act) : act_(std::move(act)) {
  qApp->installEventFilter(this);
}

ModalDriver::~ModalDriver() { qApp->removeEventFilter(this); }

bool ModalDriver::eventFilter(QObject* watched, QEvent* event) {
  auto* window = qobject_cast<QWidget*>(watched);
  if (event->type() == QEvent::Show && window && window->isWindow() && window->isModal()) {
    // Queued, so that exec() has entered its loop; the context object drops
    // the call if the window is gone by then.
    QMetaObject::invokeMethod(window, [this, window] { act_(window); }, Qt::QueuedConnection);
  }
  return false;
}

WarningRecorder::WarningRecorder() {
  WarningBox::setRecorder([this](const QString& text) { warnings << text; });
}

WarningRecorder::~WarningRecorder() { WarningBox::setRecorder(nullptr); }
