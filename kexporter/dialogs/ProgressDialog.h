#ifndef KEXPORTER_DIALOGS_PROGRESSDIALOG_H
#define KEXPORTER_DIALOGS_PROGRESSDIALOG_H

#include "ProgramDialog.h"

class QPlainTextEdit;
class QProgressBar;

// What the export is doing and how far it has come: the phase text above a
// bar from 0 to 100 percent. No buttons and no close box; the export cannot
// be stopped, so neither Esc nor a close request ends the window, only end().
// Lives on the GUI thread; the export reaches it through ProgressRelay.
class ProgressDialog : public ProgramDialog {
  Q_OBJECT

 public:
  explicit ProgressDialog(QWidget* parent = nullptr);

  // Replaces the whole phase text. Lines may end in CR LF; the caret stands
  // before the final line break (at the end when there is none) and is
  // scrolled into view.
  void setMessage(const QString& text);
  // Moves the bar; percent is clamped to 0..100.
  void setPercent(int percent);
  // Closes the window for good (result Accepted).
  void end();

  QString message() const;
  int percent() const;
  int caretPosition() const;

 public slots:
  // Ignored until end(): Esc and the window manager's close request land here.
  void reject() override;

 private:
  QPlainTextEdit* text_;
  QProgressBar* bar_;
  bool ended_ = false;
};

#endif
