#include "JapaneseFileColumns.h"

#include <QFileSystemModel>
#include <QLocale>

namespace {

// QFileSystemModel's columns.
enum { kTypeColumn = 2, kDateColumn = 3 };

const char* const kFolderType = "フォルダー";

}  // namespace

QVariant JapaneseFileColumns::data(const QModelIndex& index, int role) const {
  const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
  const bool shown = role == Qt::DisplayRole && files != nullptr && index.isValid();
  if (shown && index.column() == kTypeColumn && files->isDir(mapToSource(index))) {
    return QString::fromUtf8(kFolderType);
  }
  if (shown && index.column() == kDateColumn) {
    // QLocale() is the program's Japanese locale (DialogResources).
    return QLocale().toString(files->lastModified(mapToSource(index)), QLocale::ShortFormat);
  }
  return QIdentityProxyModel::data(index, role);
}
