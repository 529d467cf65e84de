#include <gtest/gtest.h>
#include <unistd.h>

#include <QApplication>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QWindow>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "DialogsTestSupport.h"
#include "ExporterApp.h"
#include "InstanceGuard.h"
#include "OutputFolder.h"
#include "OutputFolderDialog.h"
#include "ProgressDialog.h"
#include "ResultDialog.h"
#include "StartDialog.h"

namespace fs = std::filesystem;

namespace {

// A demo installation written by the demo tool, the registry pointing at it,
// an empty output folder and the program's single-instance guard.
class DemoRun : public testing::Test {
 protected:
  void SetUp() override {
    std::string command = std::string(KEXPORTER_DEMO_PATH) + " --dir '" + installation() +
                          "' > /dev/null";
    ASSERT_EQ(std::system(command.c_str()), 0);
    setenv("PEL_REGISTRY", (installation() + "/registry.reg").c_str(), 1);
    fs::create_directories(output());
    outputFolder.clear();
  }
  void TearDown() override { unsetenv("PEL_REGISTRY"); }

  std::string installation() const { return temp_.str() + "/installation"; }
  std::string output() const { return temp_.str() + "/out"; }
  std::vector<std::string> outputNames() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(output()))
      names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }

  TempFolder temp_;
  static std::string guardName() {
    return "kexporter-dialogs-tests-" + std::to_string(getpid());
  }

  InstanceGuard guard_{guardName()};
};

// The operator confirms every window and notes what each showed.
struct Operator {
  QStringList windows;
  QString result;
  int lastBar = -1;
  ModalDriver driver{[this](QWidget* window) { act(window); }};

  void act(QWidget* window) {
    if (auto* start = qobject_cast<StartDialog*>(window)) {
      windows << "start";
      start->okButton()->click();
    } else if (auto* folder = qobject_cast<OutputFolderDialog*>(window)) {
      windows << "folder:" + folder->fieldText();
      folder->okButton()->click();
    } else if (auto* progress = qobject_cast<ProgressDialog*>(window)) {
      windows << "progress";
      QObject::connect(progress->findChild<QProgressBar*>(), &QProgressBar::valueChanged,
                       [this](int value) { lastBar = value; });
      saveScreenshot(*progress, "ProgressDialog-run");
    } else if (auto* summary = qobject_cast<ResultDialog*>(window)) {
      windows << "result";
      result = summary->shownText();
      saveScreenshot(*summary, "ResultDialog-run");
      summary->okButton()->click();
    } else if (auto* box = qobject_cast<QMessageBox*>(window)) {
      windows << "warning:" + box->text();
      box->button(QMessageBox::Ok)->click();
    }
  }
};

}  // namespace

TEST_F(DemoRun, AWholeRunThroughTheDialogsExportsTheDemoInstallation) {
  Operator person;
  ExporterApp::Options options{false, output()};
  EXPECT_EQ(ExporterApp::start(options, guard_), 0);

  QString folder = QString::fromStdString(output());
  EXPECT_EQ(person.windows, (QStringList{"start", "folder:" + folder, "progress", "result"}));
  EXPECT_TRUE(person.result.contains(QString::fromUtf8("\n正常終了しました。\n")))
      << person.result.toStdString();
  EXPECT_TRUE(person.result.contains(folder)) << person.result.toStdString();
  EXPECT_EQ(person.lastBar, 100);
  EXPECT_EQ(outputFolder, output());
  std::vector<std::string> names = outputNames();
  EXPECT_NE(std::find(names.begin(), names.end(), "Kexporter.log"), names.end());
  EXPECT_NE(std::find(names.begin(), names.end(), "destination_1.csv"), names.end());
}

TEST_F(DemoRun, CancellingEitherDialogEndsTheProgramWithoutWritingAnything) {
  {
    ModalDriver person([](QWidget* window) { QTest::keyClick(window, Qt::Key_Escape); });
    EXPECT_EQ(ExporterApp::start(ExporterApp::Options{false, output()}, guard_), 3);
  }
  {
    // --yes: the folder dialog comes first; its close box cancels.
    QStringList windows;
    ModalDriver person([&](QWidget* window) {
      windows << window->metaObject()->className();
      window->windowHandle()->close();
    });
    EXPECT_EQ(ExporterApp::start(ExporterApp::Options{true, output()}, guard_), 3);
    EXPECT_EQ(windows, QStringList{"OutputFolderDialog"});
  }
  EXPECT_TRUE(outputNames().empty());
}

TEST_F(DemoRun, ASecondCopyBringsTheVisibleDialogToTheFront) {
  bool raised = false;
  ModalDriver person([&](QWidget* window) {
    window->setWindowState(Qt::WindowMinimized);
    InstanceGuard second(guardName());
    EXPECT_FALSE(second.acquired());
    EXPECT_TRUE(second.requestRaise());
    raised = QTest::qWaitFor([&] { return !(window->windowState() & Qt::WindowMinimized); });
    QTest::keyClick(window, Qt::Key_Escape);
  });
  EXPECT_EQ(ExporterApp::start(ExporterApp::Options{}, guard_), 3);
  EXPECT_TRUE(raised);
}
