#include "StartDialog.h"

#include <QLabel>
#include <QPushButton>

namespace {

const char* const kStopServiceText =
    "配信サービスの停止と実行中の配信管理ツールの終了をしてから実行してください。";
// The missing space after "to" belongs to the text the operators know.
const char* const kStartText = "KLX toMPVコンバータ[エクスポータ]の実行を開始します。";
// Fixed in the window, as the program has always shown it.
const char* const kVersionText = "Version 1. 0. 1. 0";
const char* const kOkText = "OK";
const char* const kCancelText = "ｷｬﾝｾﾙ";

const Qt::WindowFlags kTitleBar =
    Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
    Qt::WindowCloseButtonHint;

}  // namespace

StartDialog::StartDialog(QWidget* parent)
    : ProgramDialog(273, 95, kTitleBar, parent),
      okButton_(new QPushButton(QString::fromUtf8(kOkText))),
      cancelButton_(new QPushButton(QString::fromUtf8(kCancelText))) {
  placeLabel(kStopServiceText, 15, 14, 243, 10);
  placeLabel(kStartText, 14, 25, 196, 10);
  placeLabel(kVersionText, 14, 77, 57, 8);
  place(okButton_, 163, 74, 50, 14);
  place(cancelButton_, 215, 74, 50, 14);

  okButton_->setDefault(true);
  okButton_->setFocus();
  connect(okButton_, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancelButton_, &QPushButton::clicked, this, &QDialog::reject);
}
