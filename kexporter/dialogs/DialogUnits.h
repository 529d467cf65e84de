#ifndef KEXPORTER_DIALOGS_DIALOGUNITS_H
#define KEXPORTER_DIALOGS_DIALOGUNITS_H

#include <QFont>
#include <QRect>
#include <QSize>

// Turns the dialog units of the dialog layouts into pixels the way Windows
// does: a horizontal unit is a quarter of the font's average character width,
// a vertical unit an eighth of its height. Also owns the dialog font.
class DialogUnits {
 public:
  // The base units of font: the average width of the 52 Latin letters,
  // rounded as Windows rounds it, and the font height.
  explicit DialogUnits(const QFont& font);

  // Pixels of a horizontal or vertical length in dialog units.
  int x(int units) const;
  int y(int units) const;
  QRect rect(int x, int y, int width, int height) const;
  QSize size(int width, int height) const;

  // The dialog font, ＭＳ Ｐゴシック 9 pt. REQUIRES: installFontAlias() has
  // run, so that the family resolves to IPAPGothic where it is not installed.
  static QFont dialogFont();

  // Registers the program's fontconfig alias (ＭＳ Ｐゴシック → IPAPGothic)
  // and Qt's substitution for the same family. Idempotent; returns false when
  // fontconfig refused the alias (Qt's substitution still applies).
  static bool installFontAlias();

 private:
  int baseWidth_;
  int baseHeight_;
};

#endif
