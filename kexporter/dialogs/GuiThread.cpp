#include "GuiThread.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QThread>

bool GuiThread::isCurrent() {
  QCoreApplication* app = QCoreApplication::instance();
  return app && QThread::currentThread() == app->thread();
}

void GuiThread::call(const std::function<void()>& work) {
  if (isCurrent()) {
    work();
    return;
  }
  QMetaObject::invokeMethod(QCoreApplication::instance(), work, Qt::BlockingQueuedConnection);
}
