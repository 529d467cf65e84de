#include "StartDialog.h"

#include <QPushButton>

#include "Frontend.h"

namespace {

// The window's own spelling of the version, spaces after the dots included:
// a fixed text of the layout, not the --version output.
const char* const kVersionText = "Version 1. 0. 1. 0";

}  // namespace

StartDialog::StartDialog(QWidget* parent)
    : ProgramDialog(273, 95, WindowDecoration::Kind::CaptionAndCloseBox, parent) {
  placeLabel(kStopServiceText, 15, 14, 243, 10);
  placeLabel(kStartText, 14, 25, 196, 10);
  placeLabel(kVersionText, 14, 77, 57, 8);
  okButton_ = placeOkButton(163, 74);
  cancelButton_ = placeCancelButton(215, 74);

  okButton_->setDefault(true);
  okButton_->setFocus();
  connect(okButton_, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancelButton_, &QPushButton::clicked, this, &QDialog::reject);
}
