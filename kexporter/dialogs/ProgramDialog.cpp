#include "ProgramDialog.h"

#include <QLabel>

#include "DialogResources.h"

namespace {

QFont aliasedDialogFont() {
  DialogUnits::installFontAlias();
  return DialogUnits::dialogFont();
}

}  // namespace

ProgramDialog::ProgramDialog(int widthUnits, int heightUnits, Qt::WindowFlags flags,
                             QWidget* parent)
    : QDialog(parent, Qt::Dialog | flags), units_(aliasedDialogFont()) {
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
