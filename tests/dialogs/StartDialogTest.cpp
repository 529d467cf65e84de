#include <gtest/gtest.h>

#include <QFontInfo>
#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QWindow>

#include "DialogUnits.h"
#include "DialogsTestSupport.h"
#include "StartDialog.h"

namespace {

QStringList labelTexts(const QWidget& window) {
  QStringList texts;
  for (QLabel* label : window.findChildren<QLabel*>()) texts << label->text();
  return texts;
}

// Ends the start dialog's exec() by act once it is on screen.
int execWith(StartDialog& dialog, std::function<void()> act) {
  QTimer::singleShot(0, &dialog, act);
  return dialog.exec();
}

}  // namespace

TEST(StartDialog, ShowsItsTextsInTheDialogFontAtItsSize) {
  StartDialog dialog;
  EXPECT_EQ(dialog.windowTitle(), QString::fromUtf8("KLX to MPVコンバータ[エクスポータ]"));
  EXPECT_FALSE(dialog.windowIcon().isNull());
  dialog.windowIcon().pixmap(64).save(KEXPORTER_SCREENSHOT_DIR "/ProgramIcon.png");
  EXPECT_EQ(labelTexts(dialog),
            (QStringList{
                QString::fromUtf8("配信サービスの停止と実行中の配信管理ツールの終了をしてから"
                                  "実行してください。"),
                QString::fromUtf8("KLX toMPVコンバータ[エクスポータ]の実行を開始します。"),
                QString::fromUtf8("Version 1. 0. 1. 0")}));
  EXPECT_EQ(dialog.okButton()->text(), "OK");
  EXPECT_EQ(dialog.cancelButton()->text(), QString::fromUtf8("ｷｬﾝｾﾙ"));
  EXPECT_TRUE(dialog.okButton()->isDefault());

  EXPECT_TRUE(DialogUnits::installFontAlias());  // the shipped alias file is valid
  // IPAPGothic stands in for ＭＳ Ｐゴシック and has every glyph: no tofu.
  EXPECT_EQ(QFontInfo(dialog.font()).family(), "IPAPGothic");
  QFontMetrics metrics(dialog.font());
  QStringList texts = labelTexts(dialog) << dialog.cancelButton()->text();
  for (const QString& text : texts) {
    for (QChar c : text) EXPECT_TRUE(metrics.inFont(c)) << int(c.unicode());
  }
  // 9 pt gives Windows' base units of 6 × 12 pixels at 96 dpi, close enough.
  DialogUnits units(dialog.font());
  EXPECT_EQ(dialog.size(), units.size(273, 95));
  EXPECT_EQ(dialog.okButton()->geometry(), units.rect(163, 74, 50, 14));
  EXPECT_NEAR(units.baseWidth(), 6, 1);
  EXPECT_NEAR(units.baseHeight(), 12, 1);

  // Every text fits its box without clipping.
  for (QLabel* label : dialog.findChildren<QLabel*>()) {
    QSize needed = QFontMetrics(label->font()).size(0, label->text());
    EXPECT_LE(needed.width(), label->width()) << label->text().toStdString();
  }
  dialog.show();
  saveScreenshot(dialog, "StartDialog");
}

TEST(StartDialog, OkAcceptsWhileEscAndTheCloseBoxCancel) {
  StartDialog ok;
  EXPECT_EQ(execWith(ok, [&] { QTest::keyClick(&ok, Qt::Key_Return); }), QDialog::Accepted);
  StartDialog esc;
  EXPECT_EQ(execWith(esc, [&] { QTest::keyClick(&esc, Qt::Key_Escape); }), QDialog::Rejected);
  StartDialog closeBox;
  EXPECT_EQ(execWith(closeBox, [&] { closeBox.windowHandle()->close(); }), QDialog::Rejected);
  StartDialog cancel;
  EXPECT_EQ(execWith(cancel, [&] { cancel.cancelButton()->click(); }), QDialog::Rejected);
}
