#ifndef KEXPORTER_DIALOGS_RESULTDIALOG_H
#define KEXPORTER_DIALOGS_RESULTDIALOG_H

#include "ProgramDialog.h"

class QPlainTextEdit;
class QPushButton;

// The closing summary of an export run in a read-only multi-line field with a
// vertical scroll bar. OK (the default button), Esc and the close box end it.
class ResultDialog : public ProgramDialog {
  Q_OBJECT

 public:
  explicit ResultDialog(QWidget* parent = nullptr);

  // Stores the summary (lines may end in CR LF); the field shows it from the
  // next time the window is shown.
  void setText(const QString& text);

  QString shownText() const;
  QPlainTextEdit* textField() const { return text_; }
  QPushButton* okButton() const { return okButton_; }

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  QPlainTextEdit* text_;
  QPushButton* okButton_;
  QString summary_;
};

#endif
