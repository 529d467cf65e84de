#include "StartDialog.h"

#include "DialogResources.h"

StartDialog::StartDialog() : ModalDialog(IDD_START) {}
