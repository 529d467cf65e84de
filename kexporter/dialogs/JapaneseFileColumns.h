#ifndef KEXPORTER_DIALOGS_JAPANESEFILECOLUMNS_H
#define KEXPORTER_DIALOGS_JAPANESEFILECOLUMNS_H

#include <QIdentityProxyModel>

// Put between Qt's folder chooser and its file system model: the type and
// date columns in Japanese whatever the environment's locale. Qt fills them
// from the system locale and from texts its Japanese translation lacks;
// the program speaks Japanese everywhere. REQUIRES: the source model is a
// QFileSystemModel.
class JapaneseFileColumns : public QIdentityProxyModel {
 public:
  using QIdentityProxyModel::QIdentityProxyModel;

  QVariant data(const QModelIndex& index, int role) const override;
};

#endif
