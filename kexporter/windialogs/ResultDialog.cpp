#include "ResultDialog.h"

#include "DialogResources.h"

ResultDialog::ResultDialog() : ModalDialog(IDD_RESULT) {}

bool ResultDialog::onInit() {
  setControlText(IDC_RESULT_TEXT, text_);
  SetFocus(control(IDOK));
  return false;
}
