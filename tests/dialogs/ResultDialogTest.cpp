#include <gtest/gtest.h>

#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QWindow>

#include "DialogsTestSupport.h"
#include "ResultDialog.h"

namespace {

const char* const kSummary =
    "正常終了しました。\r\n"
    "あて先数：120\r\n"
    "グループあて先数：8\r\n"
    "受信トレイが設定されていないあて先数：3\r\n"
    "TSI数：40\r\n"
    "詳細は/srv/export/Kexporter.logを確認してください。\r\n";

}  // namespace

TEST(ResultDialog, ShowsTheSummaryLinesWithAScrollBar) {
  ResultDialog dialog;
  dialog.setText(QString::fromUtf8(kSummary));
  EXPECT_EQ(dialog.shownText(), "");  // not before it is shown
  dialog.show();
  QString expected = QString::fromUtf8(kSummary).replace("\r\n", "\n");
  EXPECT_EQ(dialog.shownText(), expected);
  EXPECT_FALSE(dialog.shownText().contains('\r'));
  EXPECT_TRUE(dialog.textField()->isReadOnly());
  EXPECT_TRUE(dialog.textField()->verticalScrollBar()->isVisible());
  EXPECT_GT(dialog.textField()->verticalScrollBar()->maximum(), 0);  // six lines, room for four
  EXPECT_TRUE(dialog.okButton()->isDefault());
  saveScreenshot(dialog, "ResultDialog");

  dialog.setText("later");  // takes effect at the next showing
  EXPECT_EQ(dialog.shownText(), expected);
}

TEST(ResultDialog, OkEscAndTheCloseBoxEndIt) {
  for (int way = 0; way < 3; ++way) {
    ResultDialog dialog;
    QTimer::singleShot(0, &dialog, [&] {
      if (way == 0) QTest::keyClick(&dialog, Qt::Key_Return);
      if (way == 1) QTest::keyClick(&dialog, Qt::Key_Escape);
      if (way == 2) dialog.windowHandle()->close();
    });
    dialog.exec();
    EXPECT_FALSE(dialog.isVisible()) << way;
  }
}
