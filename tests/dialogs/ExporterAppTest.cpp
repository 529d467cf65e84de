#include <gtest/gtest.h>

#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QAbstractProxyModel>
#include <QTreeView>
#include <QRegularExpression>
#include <QFileSystemModel>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QWindow>

#include <cstdlib>
#include <tuple>

#include "DialogsTestSupport.h"
#include "ExporterApp.h"
#include "InstanceGuard.h"
#include "OutputFolder.h"
#include "OutputFolderDialog.h"
#include "ResultDialog.h"
#include "StartDialog.h"
#include "TestSupport.h"

namespace fs = std::filesystem;

namespace {

// A demo installation from the demo tool, the registry pointing at it and an
// empty output folder.
class DemoRun : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(makeDemoInstallation("--dir " + temp_ / "demo"), 0);
    setenv("PEL_REGISTRY", (temp_ / "demo/registry.reg").c_str(), 1);
    fs::create_directories(output_);
  }
  void TearDown() override { unsetenv("PEL_REGISTRY"); }

  TempFolder temp_;
  std::string output_ = temp_ / "out";
  InstanceGuard guard_{"kexporter-dialogs-tests-" + std::to_string(getpid())};
};

}  // namespace

// Confirms every window as the operator would, noting what each showed; the
// run ends normally, then once more with the installation gone: the warning
// comes from the export thread and the run ends with status 1.
TEST_F(DemoRun, AWholeRunThroughTheDialogsExportsTheDemoInstallation) {
  QStringList seen;
  ModalDriver person([&](QWidget* window) {
    seen << window->metaObject()->className();
    if (auto* start = qobject_cast<StartDialog*>(window)) start->okButton()->click();
    if (auto* folder = qobject_cast<OutputFolderDialog*>(window)) folder->okButton()->click();
    if (auto* result = qobject_cast<ResultDialog*>(window)) {
      seen << result->shownText();
      saveScreenshot(*result, "ResultDialog");
      result->okButton()->click();
    }
    if (auto* box = qobject_cast<QMessageBox*>(window)) {
      seen << box->text();
      saveScreenshot(*box, "WarningBox-run");
      box->button(QMessageBox::Ok)->click();
    }
  });
  EXPECT_EQ(ExporterApp::start({false, output_}, guard_), 0);
  const QString out = QString::fromStdString(output_);
  ASSERT_EQ(seen.size(), 5) << seen.join("\n").toStdString();
  EXPECT_EQ(seen.mid(0, 4),
            (QStringList{"StartDialog", "OutputFolderDialog", "ProgressDialog", "ResultDialog"}));
  EXPECT_TRUE(seen[4].contains("\n正常終了しました。\n詳細は" + out + "を確認してください。"))
      << seen[4].toStdString();
  EXPECT_EQ(outputFolder, output_);
  EXPECT_TRUE(fs::exists(output_ + "/destination_1.csv"));

  seen.clear();
  fs::remove_all(temp_ / "demo");
  fs::create_directories(temp_ / "empty");
  EXPECT_EQ(ExporterApp::start({true, temp_ / "empty"}, guard_), 1);
  EXPECT_EQ(seen, (QStringList{"OutputFolderDialog", "QMessageBox",
                               "Orvel Document Routerがインストールされている環境で利用してください。"}));
}

// Esc or the close box in the start dialog, or (after --yes) the close box
// in the folder dialog.
TEST_F(DemoRun, CancellingEitherDialogEndsWithStatus3AndWritesNothing) {
  const std::tuple<bool, bool, QString> cases[] = {
      {false, true, "StartDialog"}, {false, false, "StartDialog"}, {true, false, "OutputFolderDialog"}};
  for (const auto& [yes, escape, dialog] : cases) {
    QStringList seen;
    ModalDriver person([&, escape = escape](QWidget* window) {
      seen << window->metaObject()->className();
      if (escape) QTest::keyClick(window, Qt::Key_Escape);
      else window->windowHandle()->close();
    });
    EXPECT_EQ(ExporterApp::start({yes, output_}, guard_), 3);
    EXPECT_EQ(seen, QStringList{dialog});
  }
  EXPECT_TRUE(fs::is_empty(output_));
}

// The browse button opens Qt's folder chooser in Japanese under the C locale
// (ctest's), with the program's title bar and within the screen, at a scale
// factor of 1 and (dialogs_tests_scaled) 2; the operator cancels both.
TEST_F(DemoRun, TheFolderChooserSpeaksJapaneseAndFitsTheScreen) {
  QStringList texts, dates;
  ModalDriver person([&](QWidget* window) {
    if (auto* folder = qobject_cast<OutputFolderDialog*>(window)) {
      folder->browseButton()->click();
      folder->cancelButton()->click();
    }
    auto* chooser = qobject_cast<QFileDialog*>(window);
    if (!chooser) return;
    for (auto* label : chooser->findChildren<QLabel*>()) texts << label->text();
    for (auto* button : chooser->findChild<QDialogButtonBox*>()->buttons()) texts << button->text();
    // The listing's type and date of the output folder, in the parent's rows.
    const QAbstractProxyModel* columns = chooser->proxyModel();
    ASSERT_NE(columns, nullptr);
    const auto* files = static_cast<const QFileSystemModel*>(columns->sourceModel());
    const QModelIndex folder = columns->mapFromSource(files->index(QString::fromStdString(output_)));
    const QAbstractItemModel* listing = chooser->findChild<QTreeView*>()->model();
    texts << listing->data(folder.siblingAtColumn(2)).toString();
    dates << listing->data(folder.siblingAtColumn(3)).toString();
    if (onX11()) {
      ASSERT_TRUE(waitForFrame(*chooser));
      const QRect frame = chooser->frameGeometry();
      EXPECT_TRUE(chooser->screen()->availableGeometry().contains(frame))
          << frame.width() << "x" << frame.height() << " at " << frame.x() << "," << frame.y();
      EXPECT_EQ(motifHints(*chooser), kResizableDialogHints);
    }
    const bool scaled = chooser->devicePixelRatio() > 1;
    saveScreenshot(*chooser, scaled ? "FolderChooser-scaled" : "FolderChooser");
    chooser->reject();
  });
  EXPECT_EQ(ExporterApp::start({true, output_}, guard_), 3);
  EXPECT_EQ(texts,
            (QStringList{"アドレス:", "ディレクトリ:", "ファイルの種類:", "選択(&C)", "キャンセル", "フォルダー"}));
  ASSERT_EQ(dates.size(), 1);
  EXPECT_TRUE(QRegularExpression(R"(^\d{4}/\d\d/\d\d \d\d?:\d\d$)").match(dates[0]).hasMatch()) << dates[0].toStdString();
}
