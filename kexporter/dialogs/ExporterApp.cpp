#include "ExporterApp.h"

#include <QApplication>
#include <QEventLoop>
#include <QMetaObject>
#include <QWidget>

#include <atomic>
#include <cstdio>
#include <exception>
#include <memory>
#include <mutex>
#include <thread>

#include "DialogResources.h"
#include "DialogUnits.h"
#include "ExitStatus.h"
#include "ExportJob.h"
#include "Frontend.h"
#include "InstanceGuard.h"
#include "OutputFolderDialog.h"
#include "QtFrontend.h"
#include "ScopedFrontend.h"
#include "StartDialog.h"

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

bool confirmStart() {
  StartDialog dialog;
  return dialog.exec() == QDialog::Accepted;
}

bool chooseOutputFolder(const std::optional<std::string>& output) {
  OutputFolderDialog dialog;
  if (output) dialog.setFieldText(QString::fromStdString(*output));
  return dialog.exec() == QDialog::Accepted;
}

// Runs the export on a worker thread; this thread serves its windows until
// the run has returned.
ExportJob::Outcome runExport() {
  QtFrontend qtFrontend;
  ScopedFrontend inUse(qtFrontend);
  ExportJob job;
  std::atomic<bool> finished = false;
  QEventLoop loop;
  std::thread worker([&] {
    // An escaped exception must not leave the window loop running forever;
    // the run then counts as failed (its outcome is not Succeeded).
    try {
      job.run();
    } catch (const std::exception& error) {
      std::fprintf(stderr, "%s: %s\n", kProgramTitle, error.what());
    } catch (...) {
      std::fprintf(stderr, "%s: the export stopped on an unknown exception\n", kProgramTitle);
    }
    finished = true;
    QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
  });
  while (!finished) loop.exec();
  worker.join();
  return job.outcome();
}

}  // namespace

int ExporterApp::run(int& argc, char** argv, const Options& options, InstanceGuard& guard) {
  QApplication app(argc, argv);
  return start(options, guard);
}

int ExporterApp::start(const Options& options, InstanceGuard& guard) {
  prepareApplication();
  QObject raiseReceiver;
  RaiseForwarder forwarder(guard, &raiseReceiver);
  if (!options.yes && !confirmStart()) return kExitCancelled;
  if (!chooseOutputFolder(options.output)) return kExitCancelled;
  return runExport() == ExportJob::Outcome::Succeeded ? kExitNormal : kExitError;
}
