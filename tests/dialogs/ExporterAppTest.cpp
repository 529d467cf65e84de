#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QWindow>

#include <cstdlib>
#include <functional>
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

// Acts for the person at the screen: calls act for every modal window
// (dialog in exec(), message box, progress window) shown while it exists,
// from the event loop right after the window has been shown.
class ModalDriver : public QObject {
 public:
  explicit ModalDriver(std::function<void(QWidget*)> act) : act_(std::move(act)) {
    qApp->installEventFilter(this);
  }
  ~ModalDriver() override { qApp->removeEventFilter(this); }

  bool eventFilter(QObject* watched, QEvent* event) override {
    auto* window = qobject_cast<QWidget*>(watched);
    if (event->type() == QEvent::Show && window && window->isWindow() && window->isModal()) {
      // Queued, so that exec() has entered its loop; the context object
      // drops the call if the window is gone by then.
      QMetaObject::invokeMethod(window, [this, window] { act_(window); }, Qt::QueuedConnection);
    }
    return false;
  }

 private:
  std::function<void(QWidget*)> act_;
};

// A demo installation from the demo tool, the registry pointing at it and an
// empty output folder.
class DemoRun : public testing::Test {
 protected:
  void SetUp() override {
    const std::string demo = KEXPORTER_DEMO_PATH " --dir " + temp_.path() + "/demo > /dev/null";
    ASSERT_EQ(std::system(demo.c_str()), 0);
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
