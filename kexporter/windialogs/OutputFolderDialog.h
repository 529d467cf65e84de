#ifndef KEXPORTER_WINDIALOGS_OUTPUTFOLDERDIALOG_H
#define KEXPORTER_WINDIALOGS_OUTPUTFOLDERDIALOG_H

#include <string>

#include "ModalDialog.h"

// Asks where the export is to be written and lets the operator leave with OK
// only for a folder that exists, can be written to and is empty; that
// folder's full path is then in outputFolder. showModal() gives IDOK, or
// IDCANCEL for Cancel, Esc and the close box. The field has the focus; OK
// is the default button and is enabled only while the field is not empty.
class OutputFolderDialog : public ModalDialog {
 public:
  OutputFolderDialog();

  // The text the field starts with (--output).
  void setFieldText(const std::string& text) { initialText_ = text; }

  // The browse button: the shell's folder browser, owned by this window,
  // with title as its instruction, opened at the full path of the field's
  // text when that has 1 to 240 CP932 bytes. Returns the chosen folder, or
  // an empty text when the operator cancelled.
  std::string browse(const std::string& title);
  // The OK button: checks the field. The full path goes into outputFolder
  // for every non-empty field; a failed check shows its message in a
  // warning box and leaves the window open; a passed check ends it with OK.
  void onOk();

 protected:
  bool onInit() override;
  bool onCommand(int id, int code) override;

 private:
  void enableOkForField();

  std::string initialText_;
};

#endif
