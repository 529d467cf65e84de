#ifndef KEXPORTER_DIALOGS_WARNINGBOX_H
#define KEXPORTER_DIALOGS_WARNINGBOX_H

#include <QString>

#include <functional>

// The program's warning box: the program title, an exclamation-mark icon and
// OK only, no owner, modal for the whole program, and never narrower than its
// title bar needs to show the whole title.
class WarningBox {
 public:
  using Recorder = std::function<void(const QString& text)>;

  // Shows text and returns when the operator has closed the box.
  // REQUIRES: called on the GUI thread.
  static void show(const QString& text);

  // Tests hand every warning to recorder instead of showing a box, which
  // would wait for a person; an empty recorder brings the box back.
  static void setRecorder(Recorder recorder);
};

#endif
