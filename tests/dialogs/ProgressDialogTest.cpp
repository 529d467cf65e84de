#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QEventLoop>
#include <QPlainTextEdit>
#include <QTest>
#include <QWindow>

#include <thread>
#include <utility>
#include <vector>

#include "DialogsTestSupport.h"
#include "GuiThread.h"
#include "ProgressDialog.h"
#include "ProgressRelay.h"

namespace {

const char* const kTsiText = "TSIをエクスポート中です。\r\n";

// The bar after each of the export's calls, as the window shows it.
std::vector<int> barAfterEachCall(ProgressRelay& relay) {
  std::vector<int> shown;
  auto bar = [&] { GuiThread::call([&] { shown.push_back(relay.dialog()->percent()); }); };
  relay.setTotal(200);
  bar();
  for (int done : {1, 2, 199, 200}) {
    relay.setPosition(done);
    bar();
  }
  relay.setTotal(0);
  relay.setPosition(0);
  relay.setPosition(5);
  bar();
  return shown;
}

const std::vector<int> kExpectedBar = {0, 0, 1, 99, 100, 0};

}  // namespace

TEST(ProgressDialog, TheBarShowsWholePercentOfTheRowsFromAnyThread) {
  {
    ProgressRelay relay;  // on the GUI thread: the calls run directly
    EXPECT_EQ(barAfterEachCall(relay), kExpectedBar);
  }
  // From the export's worker thread each call returns after the window
  // applied it, while this thread serves the window.
  std::vector<int> shown;
  QEventLoop loop;
  std::thread worker([&] {
    ProgressRelay relay;
    shown = barAfterEachCall(relay);
    relay.end();
    QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
  });
  loop.exec();
  worker.join();
  EXPECT_EQ(shown, kExpectedBar);
}

TEST(ProgressDialog, SetMessageLeavesTheCaretBeforeTheFinalLineBreak) {
  ProgressDialog dialog;
  dialog.show();
  dialog.setMessage(QString::fromUtf8(kTsiText));
  QString line = QString::fromUtf8("TSIをエクスポート中です。");
  EXPECT_EQ(dialog.message(), line + "\n");  // CR LF is one line break, nothing stray
  EXPECT_EQ(dialog.caretPosition(), line.size());
  dialog.setMessage(QString::fromUtf8("あて先をエクスポート中です。\r\n"));
  EXPECT_EQ(dialog.caretPosition(), QString::fromUtf8("あて先をエクスポート中です。").size());
  dialog.setPercent(37);
  saveScreenshot(dialog, "ProgressDialog");
}

TEST(ProgressDialog, NeitherEscNorACloseRequestEndsItButEndDoes) {
  ProgressDialog dialog;
  EXPECT_FALSE(dialog.windowFlags() & Qt::WindowCloseButtonHint);
  EXPECT_FALSE(dialog.windowFlags() & Qt::WindowSystemMenuHint);
  EXPECT_TRUE(dialog.findChildren<QAbstractButton*>().isEmpty());
  dialog.show();
  QTest::keyClick(&dialog, Qt::Key_Escape);
  dialog.windowHandle()->close();
  dialog.close();
  EXPECT_TRUE(dialog.isVisible());
  dialog.end();
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
}
