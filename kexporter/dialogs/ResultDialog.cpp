#include "ResultDialog.h"

#include "DialogLayout.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QShowEvent>

ResultDialog::ResultDialog(QWidget* parent)
    : ProgramDialog(RESULT_DIALOG_SIZE, WindowDecoration::Kind::CaptionAndCloseBox, parent) {
  text_ = placeReadOnlyText(RESULT_TEXT_RECT);
  okButton_ = placeOkButton(RESULT_OK_RECT);
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
