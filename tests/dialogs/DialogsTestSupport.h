#ifndef TESTS_DIALOGS_DIALOGSTESTSUPPORT_H
#define TESTS_DIALOGS_DIALOGSTESTSUPPORT_H

#include <QDir>
#include <QWidget>

// Saves a picture of widget as <build>/screenshots/<name>.png for a person.
inline void saveScreenshot(QWidget& widget, const QString& name) {
  QDir().mkpath(KEXPORTER_SCREENSHOT_DIR);
  widget.grab().save(KEXPORTER_SCREENSHOT_DIR "/" + name + ".png");
}

#endif
