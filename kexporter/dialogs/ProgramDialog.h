#ifndef KEXPORTER_DIALOGS_PROGRAMDIALOG_H
#define KEXPORTER_DIALOGS_PROGRAMDIALOG_H

#include <QDialog>

#include "DialogUnits.h"
#include "WindowDecoration.h"

class QLabel;
class QPlainTextEdit;
class QPushButton;

// A window of the program as its dialog layouts describe it: the dialog font,
// a fixed client size in dialog units, the program title and icon, its title
// bar, and controls placed at dialog-unit positions.
class ProgramDialog : public QDialog {
  Q_OBJECT

 protected:
  ProgramDialog(int widthUnits, int heightUnits, WindowDecoration::Kind titleBar,
                QWidget* parent);

  // Makes control a child of this window at x, y, width × height dialog
  // units (the rectangles of DialogLayout.h).
  void place(QWidget* control, int x, int y, int width, int height);
  // A static text, aligned to the top left of its box as Windows draws it.
  QLabel* placeLabel(const char* utf8Text, int x, int y, int width, int height);
  // The OK and Cancel ("ｷｬﾝｾﾙ") buttons.
  QPushButton* placeOkButton(int x, int y, int width, int height);
  QPushButton* placeCancelButton(int x, int y, int width, int height);
  // A multi-line text the operator can select and scroll but not change.
  QPlainTextEdit* placeReadOnlyText(int x, int y, int width, int height);

  // text with its CR LF line ends as the "\n" that Qt's text fields keep.
  static QString withPlainLineBreaks(const QString& text);

 private:
  DialogUnits units_;
};

#endif
