#ifndef KEXPORTER_DIALOGS_OUTPUTFOLDERDIALOG_H
#define KEXPORTER_DIALOGS_OUTPUTFOLDERDIALOG_H

#include <functional>

#include "ProgramDialog.h"

class QLineEdit;
class QPushButton;

// Asks where the export is to be written and lets the operator leave with OK
// only for a folder that exists, can be written to and is empty; that
// folder's full path is then in outputFolder. exec() returns Accepted for OK,
// Rejected for Cancel, Esc and the close box.
class OutputFolderDialog : public ProgramDialog {
  Q_OBJECT

 public:
  // Shows a folder chooser owned by owner with title as its caption, starting
  // at startFolder (the chooser's own choice when empty); returns the chosen
  // folder, or an empty text when the operator cancelled.
  using FolderChooser = std::function<QString(QWidget* owner, const QString& title,
                                              const QString& startFolder)>;

  explicit OutputFolderDialog(QWidget* parent = nullptr);

  // The field's text; setting it also sets whether OK is enabled.
  void setFieldText(const QString& text);
  QString fieldText() const;

  // Replaces the platform's folder chooser (tests choose without a person).
  void setFolderChooser(FolderChooser chooser) { chooseFolder_ = std::move(chooser); }

  // The browse button: opens the chooser at the field's full path when the
  // field holds 1 to 240 CP932 bytes, else without a start folder; stores the
  // choice in outputFolder and in the field, so a cancelled browse empties
  // both (and disables OK).
  void browse();
  // The OK button: checks the field. The full path goes into outputFolder for
  // every non-empty field; a failed check shows its message in a warning box
  // and leaves the window open; a passed check ends it with Accepted.
  void onOk();

  QLineEdit* field() const { return field_; }
  QPushButton* browseButton() const { return browseButton_; }
  QPushButton* okButton() const { return okButton_; }
  QPushButton* cancelButton() const { return cancelButton_; }

  // The folder chooser: Qt's own folder dialog rather than the desktop's, so
  // that it speaks the program's language, has the program's title bar and
  // opens sized to its owner's screen.
  static QString chooseWithFileDialog(QWidget* owner, const QString& title,
                                      const QString& startFolder);

 private:
  QLineEdit* field_;
  QPushButton* browseButton_;
  QPushButton* okButton_;
  QPushButton* cancelButton_;
  FolderChooser chooseFolder_ = &OutputFolderDialog::chooseWithFileDialog;
};

#endif
