#ifndef KEXPORTER_WINDIALOGS_RESULTDIALOG_H
#define KEXPORTER_WINDIALOGS_RESULTDIALOG_H

#include <string>

#include "ModalDialog.h"

// The closing summary of an export run in a read-only multi-line field with
// a vertical scroll bar. OK (the default button), Esc and the close box end
// it. OK has the focus, so the summary shows from its first line, unselected;
// Tab reaches the field.
class ResultDialog : public ModalDialog {
 public:
  ResultDialog();

  // Stores the summary (UTF-8, lines ending in CR LF); the field shows it
  // from the next showing on.
  void setText(const std::string& text) { text_ = text; }

 protected:
  bool onInit() override;

 private:
  std::string text_;
};

#endif
