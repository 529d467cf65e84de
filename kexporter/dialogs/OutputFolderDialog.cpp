#include "OutputFolderDialog.h"

#include <QFileDialog>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>

#include <string>

#include "Cp932Text.h"
#include "DialogLayout.h"
#include "DialogResources.h"
#include "JapaneseFileColumns.h"
#include "OutputFolder.h"
#include "StartupFlow.h"
#include "WindowDecoration.h"

namespace {

// The folder the chooser opens at: the field's full path while the field is
// short enough to be a usable folder, else none.
QString startFolderOf(const QString& fieldText) {
  std::string text = fieldText.toStdString();
  std::size_t length = cp932Length(text);
  if (length == 0 || length > kMaxOutputFolderBytes) return QString();
  return QString::fromStdString(fullPathOf(text));
}

// What a window manager adds around a window, as it framed owner; before
// anything is framed, room for a caption and thin borders.
QMargins frameMarginsOf(const QWidget* owner) {
  if (owner && owner->isVisible() && owner->frameGeometry() != owner->geometry()) {
    const QRect frame = owner->frameGeometry();
    const QRect client = owner->geometry();
    return QMargins(client.left() - frame.left(), client.top() - frame.top(),
                    frame.right() - client.right(), frame.bottom() - client.bottom());
  }
  return QMargins(4, 30, 4, 4);
}

// Sizes window, frame included, to the room of owner's available screen: the
// size it asks for where it fits, else the room, and shrinks its minimum size
// with it, since a window larger than the screen hides its own buttons.
void fitIntoScreen(QWidget& window, const QWidget* owner) {
  QScreen* screen = owner ? owner->screen() : QGuiApplication::primaryScreen();
  if (!screen) return;
  const QSize room = screen->availableGeometry().size().shrunkBy(frameMarginsOf(owner));
  window.setMinimumSize(window.minimumSizeHint().boundedTo(room));
  window.resize(window.sizeHint().boundedTo(room));
}

}  // namespace

OutputFolderDialog::OutputFolderDialog(QWidget* parent)
    : ProgramDialog(FOLDER_DIALOG_SIZE, WindowDecoration::Kind::CaptionAndCloseBox, parent),
      field_(new QLineEdit),
      browseButton_(new QPushButton(QString::fromUtf8(FOLDER_BROWSE_TEXT))) {
  placeLabel(FOLDER_LABEL_TEXT, FOLDER_LABEL_RECT);
  place(field_, FOLDER_FIELD_RECT);
  place(browseButton_, FOLDER_BROWSE_RECT);
  okButton_ = placeOkButton(FOLDER_OK_RECT);
  cancelButton_ = placeCancelButton(FOLDER_CANCEL_RECT);

  okButton_->setDefault(true);
  okButton_->setEnabled(false);
  field_->setFocus();
  connect(field_, &QLineEdit::textChanged, this,
          [this](const QString& text) { okButton_->setEnabled(!text.isEmpty()); });
  connect(browseButton_, &QPushButton::clicked, this, &OutputFolderDialog::browse);
  connect(okButton_, &QPushButton::clicked, this, &OutputFolderDialog::onOk);
  connect(cancelButton_, &QPushButton::clicked, this, &QDialog::reject);
}

void OutputFolderDialog::setFieldText(const QString& text) {
  field_->setText(text);
  okButton_->setEnabled(!text.isEmpty());
}

QString OutputFolderDialog::fieldText() const { return field_->text(); }

void OutputFolderDialog::browse() {
  QString chosen =
      chooseFolder_(this, DialogResources::programTitle(), startFolderOf(field_->text()));
  outputFolder = chosen.toStdString();
  setFieldText(chosen);
}

void OutputFolderDialog::onOk() {
  if (StartupFlow::acceptOutputFolder(field_->text().toStdString())) accept();
}

QString OutputFolderDialog::chooseWithFileDialog(QWidget* owner, const QString& title,
                                                 const QString& startFolder) {
  QFileDialog chooser(owner, title, startFolder);
  chooser.setFileMode(QFileDialog::Directory);
  chooser.setOptions(QFileDialog::ShowDirsOnly | QFileDialog::DontUseNativeDialog);
  chooser.setProxyModel(new JapaneseFileColumns(&chooser));
  WindowDecoration::apply(chooser, WindowDecoration::Kind::ResizableWithCloseBox);
  fitIntoScreen(chooser, owner);
  if (chooser.exec() != QDialog::Accepted) return QString();
  return chooser.selectedFiles().value(0);
}
