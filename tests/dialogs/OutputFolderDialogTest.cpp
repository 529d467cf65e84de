#include <gtest/gtest.h>
#include <unistd.h>

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

TEST(OutputFolderDialog, EachFailedCheckShowsItsMessageAndKeepsTheWindowOpen) {
  TempFolder temp;
  fs::create_directories(temp / "full/empty-subfolder");
  fs::create_directories(temp / "hidden");
  writeFile(temp / "hidden/.keep", "x");
  fs::create_directories(temp / "readonly");
  fs::permissions(temp / "readonly", fs::perms::owner_read | fs::perms::owner_exec);
  const std::string tooLong = temp / std::string(240 - temp.path().size(), 'd');  // 241 bytes
  fs::create_directories(tooLong);

  // The dialog warns through the front end in use, as in the program.
  QtFrontend qtFrontend;
  ScopedFrontend inUse(qtFrontend);
  OutputFolderDialog dialog;
  dialog.show();
  auto okShows = [&](const std::string& text) {
    WarningRecorder recorder;
    dialog.setFieldText(QString::fromStdString(text));
    dialog.onOk();  // what the OK button does; it is disabled for an empty field
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.fieldText().toStdString(), text);
    return recorder.warnings.join("|");
  };
  EXPECT_EQ(okShows(""), "データ保存先を指定してください。");
  EXPECT_EQ(okShows(tooLong), "データ出力先パスが長すぎます。240バイト以内で指定してください。");
  EXPECT_EQ(okShows(temp / "missing"), "指定したデータ出力先が見つかりません。");
  EXPECT_EQ(okShows(temp / "readonly"), "指定したデータ出力先が見つかりません。");
  EXPECT_EQ(okShows(temp / "full"), "指定したデータ出力先が空ではありません。");
  EXPECT_EQ(okShows(temp / "hidden"), "指定したデータ出力先が空ではありません。");
  // Every attempt stores its full path, failed ones too.
  okShows(temp / "./full/../missing");
  EXPECT_EQ(outputFolder, temp / "missing");

  // A folder with write bits that the process may not write in: root's
  // folder seen by nobody.
  if (geteuid() != 0) GTEST_SKIP() << "needs root to switch to nobody";
  fs::permissions(temp.path(), fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                                   fs::perms::others_read | fs::perms::others_exec);
  ASSERT_EQ(seteuid(65534), 0);
  const QString shown = okShows(temp / "hidden");
  ASSERT_EQ(seteuid(0), 0);
  EXPECT_EQ(shown, QString("指定したデータ出力先に書き込み権限がありません。"));
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
