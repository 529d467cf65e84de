#include "ProgressDialog.h"

#include "DialogLayout.h"

#include <QPlainTextEdit>
#include <QProgressBar>
#include <QTextCursor>

#include <algorithm>

ProgressDialog::ProgressDialog(QWidget* parent)
    : ProgramDialog(PROGRESS_DIALOG_SIZE, WindowDecoration::Kind::Caption, parent),
      bar_(new QProgressBar) {
  text_ = placeReadOnlyText(PROGRESS_TEXT_RECT);
  place(bar_, PROGRESS_BAR_RECT);
  bar_->setRange(0, 100);
  bar_->setValue(0);
  bar_->setTextVisible(false);
}

void ProgressDialog::setMessage(const QString& text) {
  QString plain = withPlainLineBreaks(text);
  text_->setPlainText(plain);
  int caret = plain.endsWith(QLatin1Char('\n')) ? plain.size() - 1 : plain.size();
  QTextCursor cursor = text_->textCursor();
  cursor.setPosition(caret);
  text_->setTextCursor(cursor);
  text_->ensureCursorVisible();
}

void ProgressDialog::setPercent(int percent) { bar_->setValue(std::clamp(percent, 0, 100)); }

void ProgressDialog::end() {
  ended_ = true;
  done(Accepted);
}

QString ProgressDialog::message() const { return text_->toPlainText(); }

int ProgressDialog::percent() const { return bar_->value(); }

int ProgressDialog::caretPosition() const { return text_->textCursor().position(); }

void ProgressDialog::reject() {
  if (ended_) QDialog::reject();
}
