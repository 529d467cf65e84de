#include "ProgramDialog.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

#include "DialogLayout.h"
#include "DialogResources.h"

namespace {

QFont aliasedDialogFont() {
  DialogUnits::installFontAlias();
  return DialogUnits::dialogFont();
}

}  // namespace

ProgramDialog::ProgramDialog(int widthUnits, int heightUnits, WindowDecoration::Kind titleBar,
                             QWidget* parent)
    : QDialog(parent), units_(aliasedDialogFont()) {
  WindowDecoration::apply(*this, titleBar);
  setFont(DialogUnits::dialogFont());
  setFixedSize(units_.size(widthUnits, heightUnits));
  setWindowTitle(DialogResources::programTitle());
  setWindowIcon(DialogResources::programIcon());
}

void ProgramDialog::place(QWidget* control, int x, int y, int width, int height) {
  control->setParent(this);
  control->setGeometry(units_.rect(x, y, width, height));
}

QLabel* ProgramDialog::placeLabel(const char* utf8Text, int x, int y, int width, int height) {
  QLabel* label = new QLabel(QString::fromUtf8(utf8Text));
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  place(label, x, y, width, height);
  return label;
}

QPushButton* ProgramDialog::placeOkButton(int x, int y, int width, int height) {
  QPushButton* button = new QPushButton(QString::fromUtf8(KEXPORTER_OK_TEXT));
  place(button, x, y, width, height);
  return button;
}

QPushButton* ProgramDialog::placeCancelButton(int x, int y, int width, int height) {
  QPushButton* button = new QPushButton(QString::fromUtf8(KEXPORTER_CANCEL_TEXT));
  place(button, x, y, width, height);
  return button;
}

QPlainTextEdit* ProgramDialog::placeReadOnlyText(int x, int y, int width, int height) {
  QPlainTextEdit* text = new QPlainTextEdit;
  text->setReadOnly(true);
  text->setTextInteractionFlags(Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse);
  place(text, x, y, width, height);
  return text;
}

QString ProgramDialog::withPlainLineBreaks(const QString& text) {
  QString plain = text;
  plain.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  return plain;
}
