#include <gtest/gtest.h>

#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>

#include "DialogsTestSupport.h"
#include "ResultDialog.h"

TEST(ResultDialog, ShowsTheSummaryLinesWithAScrollBar) {
  const QString summary =
      "正常終了しました。\r\nあて先数：120\r\nグループあて先数：8\r\n"
      "受信トレイが設定されていないあて先数：3\r\nTSI数：40\r\n"
      "詳細は/srv/export/Kexporter.logを確認してください。\r\n";
  ResultDialog dialog;
  dialog.setText(summary);
  dialog.show();
  EXPECT_EQ(dialog.shownText(), QString(summary).replace("\r\n", "\n"));  // no stray CR
  EXPECT_TRUE(dialog.textField()->isReadOnly());
  EXPECT_GT(dialog.textField()->verticalScrollBar()->maximum(), 0);
  EXPECT_TRUE(dialog.okButton()->isDefault());
  saveScreenshot(dialog, "ResultDialog");
}
