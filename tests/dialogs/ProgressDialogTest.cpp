#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QEventLoop>
#include <QTest>
#include <QWindow>

#include <thread>
#include <vector>

#include "DialogsTestSupport.h"
#include "GuiThread.h"
#include "ProgressDialog.h"
#include "ProgressRelay.h"

// As the export drives it, from its own thread: 200 rows, the bar after
// setTotal and after rows 1, 2, 199 and 200, then for a total of 0, as the
// window shows it when each call has returned.
TEST(ProgressDialog, TheBarShowsWholePercentOfTheRows) {
  std::vector<int> shown;
  QEventLoop loop;
  std::thread worker([&] {
    {
      ProgressRelay relay;
      auto look = [&] { GuiThread::call([&] { shown.push_back(relay.dialog()->percent()); }); };
      relay.setTotal(200);
      look();
      for (int done : {1, 2, 199, 200}) {
        relay.setPosition(done);
        look();
      }
      relay.setTotal(0);
      relay.setPosition(5);
      look();
    }  // the window goes before the loop that serves it ends
    QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
  });
  loop.exec();
  worker.join();
  EXPECT_EQ(shown, (std::vector<int>{0, 0, 1, 99, 100, 0}));
}

// The export cannot be stopped, so its window must not vanish while it runs:
// no buttons, no close box (nor hints asking a window manager for one), and
// Esc does nothing.
TEST(ProgressDialog, KeepsTheCaretBeforeTheFinalLineBreakAndOnlyEndCloses) {
  ProgressDialog dialog;
  EXPECT_FALSE(dialog.windowFlags() & (Qt::WindowCloseButtonHint | Qt::WindowSystemMenuHint));
  EXPECT_TRUE(dialog.findChildren<QAbstractButton*>().isEmpty());
  dialog.show();
  if (onX11()) {
    EXPECT_EQ(motifHints(dialog), kProgressHints);
  }
  dialog.setMessage("TSIをエクスポート中です。\r\n");
  EXPECT_EQ(dialog.message(), "TSIをエクスポート中です。\n");  // nothing stray
  EXPECT_EQ(dialog.caretPosition(), QString("TSIをエクスポート中です。").size());
  dialog.setPercent(37);
  saveScreenshot(dialog, "ProgressDialog");

  QTest::keyClick(&dialog, Qt::Key_Escape);
  dialog.windowHandle()->close();
  EXPECT_TRUE(dialog.isVisible());
  dialog.end();
  EXPECT_FALSE(dialog.isVisible());
}
