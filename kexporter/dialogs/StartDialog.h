#ifndef KEXPORTER_DIALOGS_STARTDIALOG_H
#define KEXPORTER_DIALOGS_STARTDIALOG_H

#include "ProgramDialog.h"

class QPushButton;

// The first window: asks the operator to stop the delivery service and its
// management tool, and to confirm the start. exec() returns Accepted for OK,
// Rejected for Cancel, Esc and the close box.
class StartDialog : public ProgramDialog {
  Q_OBJECT

 public:
  explicit StartDialog(QWidget* parent = nullptr);

  QPushButton* okButton() const { return okButton_; }
  QPushButton* cancelButton() const { return cancelButton_; }

 private:
  QPushButton* okButton_;
  QPushButton* cancelButton_;
};

#endif
