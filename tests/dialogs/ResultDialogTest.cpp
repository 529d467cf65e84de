#include <gtest/gtest.h>

#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include "DialogsTestSupport.h"
#include "ResultDialog.h"

TEST(ResultDialog, ShowsTheSummaryLinesWithAScrollBar) {
  QString summary =
      "正常終了しました。\r\nあて先数：120\r\nグループあて先数：8\r\n"
      "受信トレイが設定されていないあて先数：3\r\nTSI数：40\r\n"
      "詳細は/srv/export/Kexporter.logを確認してください。\r\n";
  QString shown = QString(summary).replace("\r\n", "\n");  // no stray CR
  ResultDialog dialog;
  dialog.setText(summary);
  EXPECT_EQ(dialog.shownText(), "");
  dialog.show();
  EXPECT_EQ(dialog.shownText(), shown);
  EXPECT_TRUE(dialog.textField()->isReadOnly());
  EXPECT_GT(dialog.textField()->verticalScrollBar()->maximum(), 0);
  EXPECT_TRUE(dialog.okButton()->isDefault());
  saveScreenshot(dialog, "ResultDialog");
  dialog.setText("later");  // only from the next showing
  EXPECT_EQ(dialog.shownText(), shown);

  for (auto key : {Qt::Key_Return, Qt::Key_Escape, Qt::Key_unknown}) {
    ResultDialog ending;
    QTimer::singleShot(0, &ending, [&] {
      if (key == Qt::Key_unknown) ending.windowHandle()->close();  // the close box
      else QTest::keyClick(&ending, key);
    });
    ending.exec();
    EXPECT_FALSE(ending.isVisible()) << key;
  }
}
