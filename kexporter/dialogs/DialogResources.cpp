#include "DialogResources.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>
#include <QTranslator>

#include "Frontend.h"

// Q_INIT_RESOURCE must be called from the global namespace.
static void initDialogsResource() { Q_INIT_RESOURCE(dialogs); }

namespace {
const char* const kIconResource = ":/kexporter/Kexporter.svg";
const int kIconSizes[] = {16, 24, 32, 48, 64};
const char* const kQtTranslation = "qtbase_ja";
}  // namespace

void DialogResources::ensureLoaded() {
  static const bool loaded = [] {
    initDialogsResource();
    return true;
  }();
  (void)loaded;
}

QString DialogResources::programTitle() { return QString::fromUtf8(kProgramTitle); }

QIcon DialogResources::programIcon() {
  ensureLoaded();
  // Rendered here rather than through the SVG icon plugin, so the icon does
  // not depend on which image plugins the machine has.
  QSvgRenderer renderer{QString::fromLatin1(kIconResource)};
  QIcon icon;
  for (int size : kIconSizes) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    renderer.render(&painter);
    painter.end();
    icon.addPixmap(pixmap);
  }
  return icon;
}

bool DialogResources::installJapanese() {
  QLocale::setDefault(QLocale(QLocale::Japanese, QLocale::Japan));
  QCoreApplication* app = QCoreApplication::instance();
  const QString name = QString::fromLatin1(kQtTranslation);
  if (app->findChild<QTranslator*>(name, Qt::FindDirectChildrenOnly)) return true;
  auto* translator = new QTranslator(app);
  translator->setObjectName(name);
  if (!translator->load(name, QLibraryInfo::path(QLibraryInfo::TranslationsPath)) ||
      !QCoreApplication::installTranslator(translator)) {
    delete translator;
    return false;
  }
  return true;
}
