#include "DialogResources.h"

#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>

#include "Frontend.h"

// Q_INIT_RESOURCE must be called from the global namespace.
static void initDialogsResource() { Q_INIT_RESOURCE(dialogs); }

namespace {
const char* const kIconResource = ":/kexporter/Kexporter.svg";
const int kIconSizes[] = {16, 24, 32, 48, 64};
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
