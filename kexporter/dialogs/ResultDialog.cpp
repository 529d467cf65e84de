#include "ResultDialog.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QShowEvent>

namespace {

const char* const kOkText = "OK";

const Qt::WindowFlags kTitleBar =
    Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
    Qt::WindowCloseButtonHint;

}  // namespace

ResultDialog::ResultDialog(QWidget* parent)
    : ProgramDialog(253, 99, kTitleBar, parent),
      text_(new QPlainTextEdit),
      okButton_(new QPushButton(QString::fromUtf8(kOkText))) {
  place(text_, 12, 13, 227, 54);
  place(okButton_, 191, 78, 50, 14);
  text_->setReadOnly(true);
  text_->setTextInteractionFlags(Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse);
  text_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  text_->setFocusPolicy(Qt::StrongFocus);
  // The field comes first in the tab order, as in the window's layout.
  setTabOrder(text_, okButton_);
  okButton_->setDefault(true);
  connect(okButton_, &QPushButton::clicked, this, &QDialog::accept);
}

void ResultDialog::setText(const QString& text) {
  summary_ = text;
  summary_.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

QString ResultDialog::shownText() const { return text_->toPlainText(); }

void ResultDialog::showEvent(QShowEvent* event) {
  if (!event->spontaneous()) text_->setPlainText(summary_);
  ProgramDialog::showEvent(event);
}
