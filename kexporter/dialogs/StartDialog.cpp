#include "StartDialog.h"

#include <QPushButton>

namespace {

const char* const kStopServiceText =
    "配信サービスの停止と実行中の配信管理ツールの終了をしてから実行してください。";
// The missing space after "to" belongs to the text the operators know.
const char* const kStartText = "KLX toMPVコンバータ[エクスポータ]の実行を開始します。";
// Fixed in the window, as the program has always shown it.
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
