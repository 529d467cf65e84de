#include "ResultDialog.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QShowEvent>

ResultDialog::ResultDialog(QWidget* parent)
    : ProgramDialog(253, 99, WindowDecoration::Kind::CaptionAndCloseBox, parent) {
  text_ = placeReadOnlyText(12, 13, 227, 54);
  okButton_ = placeOkButton(191, 78);
  text_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  text_->setFocusPolicy(Qt::StrongFocus);
  // The field comes first in the tab order, as in the window's layout.
  setTabOrder(text_, okButton_);
  okButton_->setDefault(true);
  connect(okButton_, &QPushButton::clicked, this, &QDialog::accept);
}

void ResultDialog::setText(const QString& text) { summary_ = withPlainLineBreaks(text); }

QString ResultDialog::shownText() const { return text_->toPlainText(); }

void ResultDialog::showEvent(QShowEvent* event) {
  if (!event->spontaneous()) text_->setPlainText(summary_);
  ProgramDialog::showEvent(event);
}
