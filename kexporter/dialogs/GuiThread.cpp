#include "GuiThread.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QThread>

namespace {

bool onGuiThread() {
  QCoreApplication* app = QCoreApplication::instance();
  return app && QThread::currentThread() == app->thread();
}

}  // namespace

void GuiThread::call(const std::function<void()>& work) {
  if (onGuiThread()) {
    work();
    return;
  }
  QMetaObject::invokeMethod(QCoreApplication::instance(), work, Qt::BlockingQueuedConnection);
}
