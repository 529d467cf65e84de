#include <gtest/gtest.h>
#include <unistd.h>

#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QWindow>

#include <fstream>

#include "DialogsTestSupport.h"
#include "OutputFolder.h"
#include "OutputFolderDialog.h"

namespace fs = std::filesystem;

namespace {

const uid_t kNobody = 65534;

QString q(const std::string& text) { return QString::fromStdString(text); }

// A folder whose full path has exactly `bytes` bytes, created below base.
fs::path folderOfLength(const fs::path& base, std::size_t bytes) {
  std::string path = base.string() + "/";
  return path + std::string(bytes - path.size(), 'd');
}

// What one OK click does to a dialog showing text: the warnings it raised.
QStringList okWith(OutputFolderDialog& dialog, const std::string& text) {
  WarningRecorder recorder;
  dialog.setFieldText(q(text));
  dialog.okButton()->click();
  return recorder.warnings;
}

}  // namespace

TEST(OutputFolderDialog, OkIsEnabledOnlyWhileTheFieldHoldsText) {
  OutputFolderDialog dialog;
  dialog.show();
  EXPECT_FALSE(dialog.okButton()->isEnabled());
  QTest::keyClicks(dialog.field(), "/t");
  EXPECT_TRUE(dialog.okButton()->isEnabled());
  QTest::keyClick(dialog.field(), Qt::Key_Backspace);
  QTest::keyClick(dialog.field(), Qt::Key_Backspace);
  EXPECT_FALSE(dialog.okButton()->isEnabled());
  dialog.setFieldText("/srv/out");  // --output
  EXPECT_TRUE(dialog.okButton()->isEnabled());
  EXPECT_EQ(dialog.browseButton()->text(), QString::fromUtf8("参照(&R)..."));
  EXPECT_EQ(dialog.cancelButton()->text(), QString::fromUtf8("ｷｬﾝｾﾙ"));
  saveScreenshot(dialog, "OutputFolderDialog");
}

TEST(OutputFolderDialog, EachFailedCheckShowsItsMessageAndKeepsTheWindowOpen) {
  TempFolder temp;
  fs::create_directories(temp.path() / "full" / "empty-subfolder");
  fs::create_directories(temp.path() / "hidden");
  std::ofstream(temp.path() / "hidden" / ".keep") << "x";
  fs::create_directories(temp.path() / "readonly");
  fs::permissions(temp.path() / "readonly", fs::perms::owner_write | fs::perms::group_write |
                                                 fs::perms::others_write,
                  fs::perm_options::remove);
  fs::create_directories(folderOfLength(temp.path(), 241));

  OutputFolderDialog dialog;
  dialog.show();
  auto failsWith = [&](const std::string& text, const char* message) {
    EXPECT_EQ(okWith(dialog, text), QStringList{QString::fromUtf8(message)}) << text;
    EXPECT_TRUE(dialog.isVisible()) << text;
    EXPECT_EQ(dialog.fieldText(), q(text));
  };
  {
    // OK is disabled for an empty field; Enter cannot reach onOk either.
    WarningRecorder recorder;
    dialog.setFieldText("");
    dialog.onOk();
    EXPECT_EQ(recorder.warnings, QStringList{QString::fromUtf8("データ保存先を指定してください。")});
  }
  failsWith(folderOfLength(temp.path(), 241).string(),
            "データ出力先パスが長すぎます。240バイト以内で指定してください。");
  failsWith(temp.str() + "/missing", "指定したデータ出力先が見つかりません。");
  failsWith(temp.str() + "/readonly", "指定したデータ出力先が見つかりません。");
  failsWith(temp.str() + "/full", "指定したデータ出力先が空ではありません。");
  failsWith(temp.str() + "/hidden", "指定したデータ出力先が空ではありません。");
  // A folder with write bits that this process may not write in: root's own
  // folder seen by nobody, or the file-system root seen by anyone else.
  const char* notWritable = "指定したデータ出力先に書き込み権限がありません。";
  if (geteuid() == 0) {
    fs::permissions(temp.path(), fs::perms::owner_all | fs::perms::group_exec |
                                     fs::perms::others_exec | fs::perms::group_read |
                                     fs::perms::others_read);
    ASSERT_EQ(seteuid(kNobody), 0);
    failsWith(temp.str() + "/hidden", notWritable);
    ASSERT_EQ(seteuid(0), 0);
  } else if (access("/", W_OK) != 0) {
    failsWith("/", notWritable);
  }
  // Every attempt stores its full path, the failed ones too.
  okWith(dialog, temp.str() + "/./full/../missing");
  EXPECT_EQ(outputFolder, temp.str() + "/missing");
}

TEST(OutputFolderDialog, AnEmptyFolderEndsTheDialogWithItsFullPath) {
  TempFolder temp;
  fs::path exact = folderOfLength(temp.path(), 240);
  fs::create_directories(exact);
  OutputFolderDialog dialog;
  dialog.show();
  EXPECT_TRUE(okWith(dialog, exact.string() + "/.").isEmpty());
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_EQ(outputFolder, exact.string());
}

TEST(OutputFolderDialog, BrowseStartsAtTheFieldsFolderAndACancelEmptiesTheField) {
  TempFolder temp;
  OutputFolderDialog dialog;
  QStringList starts;
  QString choice = q(temp.str());
  dialog.setFolderChooser([&](QWidget* owner, const QString& title, const QString& start) {
    EXPECT_EQ(owner, &dialog);
    EXPECT_EQ(title, dialog.windowTitle());
    starts << start;
    return choice;
  });
  dialog.show();
  dialog.setFieldText(q(temp.str() + "/a/../b"));
  QTest::mouseClick(dialog.browseButton(), Qt::LeftButton);
  EXPECT_EQ(dialog.fieldText(), choice);
  EXPECT_EQ(outputFolder, temp.str());
  EXPECT_TRUE(dialog.okButton()->isEnabled());

  dialog.setFieldText(q("/" + std::string(240, 'x')));  // 241 bytes: no start folder
  choice.clear();
  dialog.browse();
  EXPECT_EQ(starts, (QStringList{q(temp.str() + "/b"), QString()}));
  EXPECT_EQ(dialog.fieldText(), "");
  EXPECT_EQ(outputFolder, "");
  EXPECT_FALSE(dialog.okButton()->isEnabled());
}

TEST(OutputFolderDialog, ThePlatformChooserOpensAtTheStartFolderForFoldersOnly) {
  TempFolder temp;
  QString shownFolder;
  QFileDialog::FileMode mode = QFileDialog::AnyFile;
  ModalDriver person([&](QWidget* window) {
    auto* chooser = qobject_cast<QFileDialog*>(window);
    ASSERT_NE(chooser, nullptr);
    shownFolder = chooser->directory().absolutePath();
    mode = chooser->fileMode();
    chooser->reject();
  });
  OutputFolderDialog dialog;
  QString chosen = OutputFolderDialog::chooseWithFileDialog(&dialog, "title", q(temp.str()));
  EXPECT_EQ(chosen, "");
  EXPECT_EQ(shownFolder, q(temp.str()));
  EXPECT_EQ(mode, QFileDialog::Directory);
}

TEST(OutputFolderDialog, EscAndTheCloseBoxCancel) {
  for (bool esc : {true, false}) {
    OutputFolderDialog dialog;
    dialog.setFieldText("/tmp");
    QTimer::singleShot(0, &dialog, [&] {
      if (esc) QTest::keyClick(&dialog, Qt::Key_Escape);
      else dialog.windowHandle()->close();
    });
    EXPECT_EQ(dialog.exec(), QDialog::Rejected);
  }
}
