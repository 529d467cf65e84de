#ifndef KEXPORTER_DIALOGS_PROGRAMDIALOG_H
#define KEXPORTER_DIALOGS_PROGRAMDIALOG_H

#include <QDialog>

#include "DialogUnits.h"

class QLabel;

// A window of the program as its dialog layouts describe it: the dialog font,
// a fixed client size in dialog units, the program title and icon, and
// controls placed at dialog-unit positions.
class ProgramDialog : public QDialog {
  Q_OBJECT

 protected:
  // flags: the title bar buttons the window has (Qt::Dialog is added).
  ProgramDialog(int widthUnits, int heightUnits, Qt::WindowFlags flags, QWidget* parent);

  // Makes control a child of this window at x, y, width × height dialog units.
  void place(QWidget* control, int x, int y, int width, int height);
  // A static text, aligned to the top left of its box as Windows draws it.
  QLabel* placeLabel(const char* utf8Text, int x, int y, int width, int height);

  const DialogUnits& units() const { return units_; }

 private:
  DialogUnits units_;
};

#endif
