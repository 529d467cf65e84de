#ifndef KEXPORTER_DIALOGS_GUITHREAD_H
#define KEXPORTER_DIALOGS_GUITHREAD_H

#include <functional>

// Windows live on the GUI thread; other threads reach them through here.
class GuiThread {
 public:
  // Runs work on the GUI thread and returns after it has run: directly when
  // called on the GUI thread (a queued call to itself would never run), else
  // as a blocking queued call that the GUI thread's event loop carries out.
  // REQUIRES: a QApplication exists; off the GUI thread, its event loop runs
  // or will run.
  static void call(const std::function<void()>& work);
};

#endif
