#include "OutputFolderDialog.h"

#include <QFileDialog>
#include <QLineEdit>
#include <QPushButton>

#include <string>

#include "Cp932Text.h"
#include "DialogResources.h"
#include "OutputFolder.h"
#include "WarningBox.h"
#include "WindowDecoration.h"

namespace {

const char* const kFieldLabel = "データ出力先";
const char* const kBrowseText = "参照(&R)...";

// The folder the chooser opens at: the field's full path while the field is
// short enough to be a usable folder, else none.
QString startFolderOf(const QString& fieldText) {
  std::string text = fieldText.toStdString();
  std::size_t length = cp932Length(text);
  if (length == 0 || length > kMaxOutputFolderBytes) return QString();
  return QString::fromStdString(fullPathOf(text));
}

}  // namespace

OutputFolderDialog::OutputFolderDialog(QWidget* parent)
    : ProgramDialog(253, 65, WindowDecoration::Kind::CaptionAndCloseBox, parent),
      field_(new QLineEdit),
      browseButton_(new QPushButton(QString::fromUtf8(kBrowseText))) {
  placeLabel(kFieldLabel, 7, 7, 80, 8);
  place(field_, 7, 18, 186, 14);
  place(browseButton_, 197, 18, 50, 14);
  okButton_ = placeOkButton(143, 44);
  cancelButton_ = placeCancelButton(197, 44);

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
  std::string text = field_->text().toStdString();
  FolderCheck check = checkOutputFolder(text);
  if (!text.empty()) outputFolder = check.fullPath;
  if (!check.passed()) {
    WarningBox::show(QString::fromStdString(check.failure));
    return;
  }
  accept();
}

QString OutputFolderDialog::chooseWithFileDialog(QWidget* owner, const QString& title,
                                                 const QString& startFolder) {
  return QFileDialog::getExistingDirectory(owner, title, startFolder,
                                           QFileDialog::ShowDirsOnly);
}
