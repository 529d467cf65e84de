#include "StartDialog.h"

#include <QPushButton>

#include "DialogLayout.h"

StartDialog::StartDialog(QWidget* parent)
    : ProgramDialog(START_DIALOG_SIZE, WindowDecoration::Kind::CaptionAndCloseBox, parent) {
  placeLabel(START_STOP_SERVICE_TEXT, START_STOP_SERVICE_RECT);
  placeLabel(START_TEXT, START_TEXT_RECT);
  placeLabel(KEXPORTER_VERSION_TEXT, START_VERSION_RECT);
  okButton_ = placeOkButton(START_OK_RECT);
  cancelButton_ = placeCancelButton(START_CANCEL_RECT);

  okButton_->setDefault(true);
  okButton_->setFocus();
  connect(okButton_, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancelButton_, &QPushButton::clicked, this, &QDialog::reject);
}
