#ifndef KEXPORTER_WINDIALOGS_STARTDIALOG_H
#define KEXPORTER_WINDIALOGS_STARTDIALOG_H

#include "ModalDialog.h"

// The first window: asks the operator to stop the delivery service and its
// management tool, and to confirm the start. showModal() gives IDOK for OK,
// IDCANCEL for Cancel, Esc and the close box. OK is the default button and
// takes the focus.
class StartDialog : public ModalDialog {
 public:
  StartDialog();
};

#endif
