#include "DialogUnits.h"

#include <fontconfig/fontconfig.h>

#include <QFile>
#include <QFontMetrics>
#include <QString>

#include "DialogLayout.h"
#include "DialogResources.h"

namespace {

const char* const kDialogFontFamily = KEXPORTER_DIALOG_FONT_FACE;
const char* const kSubstituteFamily = "IPAPGothic";
const int kDialogFontPoints = KEXPORTER_DIALOG_FONT_POINTS;
const char* const kFontAliasResource = ":/kexporter/fonts.conf";

const char* const kLatinLetters = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";

// Windows' MulDiv: a * b / c rounded to the nearest integer.
int mulDiv(int a, int b, int c) { return (a * b + c / 2) / c; }

bool loadFontconfigAlias() {
  QFile file(kFontAliasResource);
  if (!file.open(QIODevice::ReadOnly)) return false;
  QByteArray config = file.readAll();
  FcConfig* current = FcConfigGetCurrent();
  if (!current) return false;
  return FcConfigParseAndLoadFromMemory(
             current, reinterpret_cast<const FcChar8*>(config.constData()), FcTrue) == FcTrue;
}

}  // namespace

DialogUnits::DialogUnits(const QFont& font) {
  QFontMetrics metrics(font);
  int letters = metrics.horizontalAdvance(QString::fromLatin1(kLatinLetters));
  // GdiGetCharDimensions: ((width / 26) + 1) / 2 over the 52 letters.
  baseWidth_ = (letters / 26 + 1) / 2;
  baseHeight_ = metrics.height();
  if (baseWidth_ <= 0) baseWidth_ = 1;
  if (baseHeight_ <= 0) baseHeight_ = 1;
}

int DialogUnits::x(int units) const { return mulDiv(units, baseWidth_, 4); }

int DialogUnits::y(int units) const { return mulDiv(units, baseHeight_, 8); }

QRect DialogUnits::rect(int x, int y, int width, int height) const {
  return QRect(this->x(x), this->y(y), this->x(width), this->y(height));
}

QSize DialogUnits::size(int width, int height) const { return QSize(x(width), y(height)); }

QFont DialogUnits::dialogFont() {
  QFont font(QString::fromUtf8(kDialogFontFamily), kDialogFontPoints);
  font.setStyleHint(QFont::SansSerif);
  return font;
}

bool DialogUnits::installFontAlias() {
  static const bool loaded = [] {
    DialogResources::ensureLoaded();
    QFont::insertSubstitution(QString::fromUtf8(kDialogFontFamily),
                              QString::fromLatin1(kSubstituteFamily));
    return loadFontconfigAlias();
  }();
  return loaded;
}
