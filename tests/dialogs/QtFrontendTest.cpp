#include <gtest/gtest.h>

#include <QEventLoop>
#include <QMessageBox>
#include <QPushButton>

#include <atomic>
#include <thread>
#include <vector>

#include "DialogsTestSupport.h"
#include "QtFrontend.h"
#include "ResultDialog.h"

TEST(QtFrontend, WarningsAndTheResultWaitForTheOperatorOnTheGuiThread) {
  QtFrontend frontend;
  QStringList seen;
  std::vector<bool> exportGoneOnAtClose;
  std::atomic<bool> workerReturned = false;
  // Closes every box and result window as a person would.
  ModalDriver person([&](QWidget* window) {
    if (auto* box = qobject_cast<QMessageBox*>(window)) {
      seen << "warning:" + box->windowTitle() + ":" + box->text();
      EXPECT_EQ(box->icon(), QMessageBox::Warning);
      saveScreenshot(*box, "WarningBox");
      exportGoneOnAtClose.push_back(workerReturned);
      box->button(QMessageBox::Ok)->click();
    } else if (auto* result = qobject_cast<ResultDialog*>(window)) {
      seen << "result:" + result->shownText();
      exportGoneOnAtClose.push_back(workerReturned);
      result->okButton()->click();
    }
  });
  QEventLoop loop;
  std::thread worker([&] {
    frontend.showWarning("データベースの初期化が失敗しました。");
    frontend.showResult("エラーが発生しました。\r\n");
    workerReturned = true;
    QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
  });
  loop.exec();
  worker.join();
  // Called on the GUI thread itself, the same call runs directly.
  frontend.showWarning("direct");

  QString title = QString::fromUtf8("KLX to MPVコンバータ[エクスポータ]");
  EXPECT_EQ(seen, (QStringList{
                      "warning:" + title + ":" +
                          QString::fromUtf8("データベースの初期化が失敗しました。"),
                      "result:" + QString::fromUtf8("エラーが発生しました。\n"),
                      "warning:" + title + ":direct"}));
  EXPECT_EQ(exportGoneOnAtClose, (std::vector<bool>{false, false, true}));
}
