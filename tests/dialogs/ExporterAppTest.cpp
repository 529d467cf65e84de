#include <gtest/gtest.h>
#include <unistd.h>

#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QWindow>

#include <cstdlib>

#include "DialogsTestSupport.h"
#include "TestSupport.h"
#include "ExporterApp.h"
#include "InstanceGuard.h"
#include "OutputFolder.h"
#include "OutputFolderDialog.h"
#include "ProgressDialog.h"
#include "ResultDialog.h"
#include "StartDialog.h"

namespace fs = std::filesystem;

namespace {

std::string guardName() { return "kexporter-dialogs-tests-" + std::to_string(getpid()); }

// A demo installation from the demo tool, the registry pointing at it and an
// empty output folder.
class DemoRun : public testing::Test {
 protected:
  void SetUp() override {
    std::string demo = std::string(KEXPORTER_DEMO_PATH) + " --dir " + temp_.path() + "/demo";
    ASSERT_EQ(std::system((demo + " > /dev/null").c_str()), 0);
    setenv("PEL_REGISTRY", (temp_ / "demo/registry.reg").c_str(), 1);
    fs::create_directories(output_);
  }
  void TearDown() override { unsetenv("PEL_REGISTRY"); }

  TempFolder temp_;
  std::string output_ = temp_ / "out";
  InstanceGuard guard_{guardName()};
};

// Confirms every window as the operator would, noting what each showed.
struct Operator {
  QStringList seen;
  int lastBar = -1;
  ModalDriver driver{[this](QWidget* window) {
    if (auto* start = qobject_cast<StartDialog*>(window)) {
      seen << "start";
      start->okButton()->click();
    } else if (auto* folder = qobject_cast<OutputFolderDialog*>(window)) {
      seen << "folder " + folder->fieldText();
      folder->okButton()->click();
    } else if (auto* progress = qobject_cast<ProgressDialog*>(window)) {
      seen << "progress";
      QObject::connect(progress->findChild<QProgressBar*>(), &QProgressBar::valueChanged,
                       [this](int value) { lastBar = value; });
    } else if (auto* result = qobject_cast<ResultDialog*>(window)) {
      seen << "result " + result->shownText();
      saveScreenshot(*result, "ResultDialog-run");
      result->okButton()->click();
    } else if (auto* box = qobject_cast<QMessageBox*>(window)) {
      seen << "warning " + box->text();
      saveScreenshot(*box, "WarningBox-run");
      box->button(QMessageBox::Ok)->click();
    }
  }};
};

}  // namespace

TEST_F(DemoRun, AWholeRunThroughTheDialogsExportsTheDemoInstallation) {
  Operator person;
  EXPECT_EQ(ExporterApp::start({false, output_}, guard_), 0);
  QString out = QString::fromStdString(output_);
  ASSERT_EQ(person.seen.size(), 4) << person.seen.join("\n").toStdString();
  EXPECT_EQ(person.seen.mid(0, 3), (QStringList{"start", "folder " + out, "progress"}));
  EXPECT_TRUE(person.seen[3].contains("\n正常終了しました。\n詳細は" + out + "を確認してください。"))
      << person.seen[3].toStdString();
  EXPECT_EQ(person.lastBar, 100);
  EXPECT_EQ(outputFolder, output_);
  EXPECT_TRUE(fs::exists(output_ + "/destination_1.csv"));
}

TEST_F(DemoRun, AnEarlyFailureWarnsFromTheExportThreadAndEndsWithStatus1) {
  setenv("PEL_REGISTRY", (temp_ / "no-registry.reg").c_str(), 1);
  Operator person;
  EXPECT_EQ(ExporterApp::start({true, output_}, guard_), 1);
  EXPECT_EQ(person.seen, (QStringList{"folder " + QString::fromStdString(output_),
                                      "warning Orvel Document Routerがインストールされている"
                                      "環境で利用してください。"}));
}

TEST_F(DemoRun, CancellingEitherDialogEndsWithStatus3AndWritesNothing) {
  {
    ModalDriver person([](QWidget* window) { QTest::keyClick(window, Qt::Key_Escape); });
    EXPECT_EQ(ExporterApp::start({false, output_}, guard_), 3);
  }
  QStringList seen;
  ModalDriver person([&](QWidget* window) {
    seen << window->metaObject()->className();
    window->windowHandle()->close();  // the close box
  });
  EXPECT_EQ(ExporterApp::start({true, output_}, guard_), 3);  // --yes: no start dialog
  EXPECT_EQ(seen, QStringList{"OutputFolderDialog"});
  EXPECT_TRUE(fs::is_empty(output_));
}

TEST_F(DemoRun, ASecondCopyBringsTheVisibleDialogToTheFront) {
  bool raised = false;
  ModalDriver person([&](QWidget* window) {
    window->setWindowState(Qt::WindowMinimized);
    QTest::qWait(100);  // the platform reports the new state a moment later
    InstanceGuard second(guardName());
    EXPECT_TRUE(second.requestRaise());
    raised = QTest::qWaitFor([&] { return !(window->windowState() & Qt::WindowMinimized); });
    QTest::keyClick(window, Qt::Key_Escape);
  });
  EXPECT_EQ(ExporterApp::start({}, guard_), 3);
  EXPECT_TRUE(raised);
}
