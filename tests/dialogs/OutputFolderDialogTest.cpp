#include <gtest/gtest.h>

#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

#include "DialogsTestSupport.h"
#include "OutputFolder.h"
#include "OutputFolderDialog.h"
#include "QtFrontend.h"
#include "ScopedFrontend.h"
#include "TestSupport.h"
#include "WarningBox.h"

namespace fs = std::filesystem;

namespace {

// Takes the texts of the warning boxes while it exists; no box is shown.
struct WarningRecorder {
  WarningRecorder() { WarningBox::setRecorder([this](const QString& text) { warnings << text; }); }
  ~WarningRecorder() { WarningBox::setRecorder(nullptr); }
  QStringList warnings;
};

}  // namespace

// The checks themselves are the files tests'; here what the window adds: a
// failed check shows its warning and keeps the window and the typed text,
// and stores the full path of every attempt.
TEST(OutputFolderDialog, AFailedCheckKeepsTheWindowAndTheTypedText) {
  TempFolder temp;
  // The dialog warns through the front end in use, as in the program.
  QtFrontend qtFrontend;
  ScopedFrontend inUse(qtFrontend);
  OutputFolderDialog dialog;
  dialog.show();
  WarningRecorder recorder;
  const std::string typed = temp / "./x/../missing";
  dialog.setFieldText(QString::fromStdString(typed));
  dialog.onOk();  // what the OK button does
  EXPECT_TRUE(dialog.isVisible());
  EXPECT_EQ(dialog.fieldText().toStdString(), typed);
  EXPECT_EQ(recorder.warnings, QStringList{"指定したデータ出力先が見つかりません。"});
  EXPECT_EQ(outputFolder, temp / "missing");
}

// OK follows the field as it is typed, filled (as --output fills it) and
// emptied by a cancelled browse.
TEST(OutputFolderDialog, BrowseStartsAtTheFieldsFolderAndACancelEmptiesTheFieldAndDisablesOk) {
  TempFolder temp;
  OutputFolderDialog dialog;
  QStringList starts;
  QString choice = QString::fromStdString(temp.path());
  dialog.setFolderChooser([&](QWidget* owner, const QString&, const QString& start) {
    EXPECT_EQ(owner, &dialog);
    starts << start;
    return choice;
  });
  dialog.show();
  EXPECT_FALSE(dialog.okButton()->isEnabled());
  QTest::keyClicks(dialog.field(), QString::fromStdString(temp / "a/../b"));
  EXPECT_TRUE(dialog.okButton()->isEnabled());
  saveScreenshot(dialog, "OutputFolderDialog");
  QTest::mouseClick(dialog.browseButton(), Qt::LeftButton);
  EXPECT_EQ(dialog.fieldText(), choice);

  dialog.setFieldText(QString(241, 'x'));  // 241 bytes: no start folder
  EXPECT_TRUE(dialog.okButton()->isEnabled());
  choice.clear();  // the operator cancels
  dialog.browse();
  EXPECT_EQ(starts, (QStringList{QString::fromStdString(temp / "b"), QString()}));
  EXPECT_EQ(dialog.fieldText(), "");
  EXPECT_EQ(outputFolder, "");
  EXPECT_FALSE(dialog.okButton()->isEnabled());
}

// A one-word message must not leave the box too narrow for its title, which
// window managers draw in a bold face beside the icon and the buttons.
TEST(WarningBox, IsWideEnoughForItsWholeTitle) {
  int width = 0;
  QString title;
  ModalDriver person([&](QWidget* window) {
    auto* box = qobject_cast<QMessageBox*>(window);
    if (!box) return;
    width = box->width();
    title = box->windowTitle();
    if (onX11()) {
      EXPECT_EQ(motifHints(*box), kDialogHints);
    }
    saveScreenshot(*box, "WarningBox");
    box->button(QMessageBox::Ok)->click();
  });
  WarningBox::show("失敗");
  // At the least the title in a bold dialog font, the icon and three buttons.
  QFont caption = QApplication::font();
  caption.setBold(true);
  const QFontMetrics metrics(caption);
  EXPECT_EQ(title, "KLX to MPVコンバータ[エクスポータ]");
  EXPECT_GE(width, metrics.horizontalAdvance(title) + 4 * metrics.height());
}
