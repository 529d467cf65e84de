#include "ExporterApp.h"

#include <QApplication>
#include <QEventLoop>
#include <QMetaObject>
#include <QWidget>

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

#include "DialogResources.h"
#include "DialogUnits.h"
#include "Frontend.h"
#include "InstanceGuard.h"
#include "OutputFolderDialog.h"
#include "QtFrontend.h"
#include "StartDialog.h"
#include "StartupFlow.h"

namespace {

// The window a second copy brings to the front: the modal one the operator
// works in, else any visible window of the program.
QWidget* visibleProgramWindow() {
  if (QWidget* modal = QApplication::activeModalWidget()) return modal;
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    if (widget->isVisible() && widget->windowTitle() == DialogResources::programTitle()) {
      return widget;
    }
  }
  return nullptr;
}

void raiseVisibleWindow() {
  QWidget* window = visibleProgramWindow();
  if (!window) return;
  window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
  window->raise();
  window->activateWindow();
}

// Carries the guard's raise requests from its thread to the GUI thread for as
// long as the receiver exists; the guard may call after start() returned.
class RaiseForwarder {
 public:
  RaiseForwarder(InstanceGuard& guard, QObject* receiver)
      : guard_(guard), target_(std::make_shared<Target>()) {
    target_->receiver = receiver;
    guard_.onRaiseRequest([target = target_] {
      std::lock_guard<std::mutex> lock(target->mutex);
      if (target->receiver) {
        QMetaObject::invokeMethod(target->receiver, &raiseVisibleWindow, Qt::QueuedConnection);
      }
    });
  }
  ~RaiseForwarder() {
    {
      std::lock_guard<std::mutex> lock(target_->mutex);
      target_->receiver = nullptr;
    }
    guard_.onRaiseRequest(nullptr);
  }

 private:
  struct Target {
    std::mutex mutex;
    QObject* receiver = nullptr;  // Guarded by mutex.
  };
  InstanceGuard& guard_;
  std::shared_ptr<Target> target_;
};

void prepareApplication() {
  // The program's windows come and go one after another; the loop ends when
  // the export has, not when a window closes.
  QApplication::setQuitOnLastWindowClosed(false);
  DialogUnits::installFontAlias();
  QApplication::setFont(DialogUnits::dialogFont());
  QApplication::setWindowIcon(DialogResources::programIcon());
  DialogResources::installJapanese();
}

// The dialogs' side of the start-up. The export runs on a worker thread
// while this thread serves its windows.
class DialogOperator : public StartupOperator {
 public:
  Answer confirmStart() override {
    StartDialog dialog;
    return dialog.exec() == QDialog::Accepted ? Answer::Yes : Answer::No;
  }

  Answer chooseOutputFolder(const std::optional<std::string>& given) override {
    OutputFolderDialog dialog;
    if (given) dialog.setFieldText(QString::fromStdString(*given));
    return dialog.exec() == QDialog::Accepted ? Answer::Yes : Answer::No;
  }

  Frontend& frontend() override { return qtFrontend_; }

  void serveWhile(const std::function<void()>& exportRun) override {
    std::atomic<bool> finished = false;
    QEventLoop loop;
    std::thread worker([&] {
      exportRun();
      finished = true;
      QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });
    while (!finished) loop.exec();
    worker.join();
  }

 private:
  QtFrontend qtFrontend_;
};

}  // namespace

int ExporterApp::run(int& argc, char** argv, const StartupFlow::Options& options, InstanceGuard& guard) {
  QApplication app(argc, argv);
  return start(options, guard);
}

int ExporterApp::start(const StartupFlow::Options& options, InstanceGuard& guard) {
  prepareApplication();
  QObject raiseReceiver;
  RaiseForwarder forwarder(guard, &raiseReceiver);
  DialogOperator dialogs;
  return StartupFlow::run(options, dialogs);
}
