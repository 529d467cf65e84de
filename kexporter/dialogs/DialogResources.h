#ifndef KEXPORTER_DIALOGS_DIALOGRESOURCES_H
#define KEXPORTER_DIALOGS_DIALOGRESOURCES_H

#include <QIcon>
#include <QString>

// What every window of the program shares: its title and its icon, and the
// resources they come from (compiled into this static library).
class DialogResources {
 public:
  // Registers the library's resources with Qt; idempotent.
  static void ensureLoaded();
  // "KLX to MPVコンバータ[エクスポータ]", the caption of every window.
  static QString programTitle();
  // The program icon, drawn from its SVG at the sizes title bars and task
  // bars use. REQUIRES: a QGuiApplication exists.
  static QIcon programIcon();
  // Makes Qt speak the program's language whatever the machine's locale:
  // Japanese dates and numbers, and Qt's own Japanese texts (qtbase_ja from
  // Qt's translations folder) for the folder chooser, the text fields' menus
  // and the standard buttons. Idempotent per application; returns false when
  // the translation could not be loaded (Qt's texts then stay English).
  static bool installJapanese();
};

#endif
