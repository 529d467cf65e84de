#include <gtest/gtest.h>

#include <QFontInfo>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include "DialogUnits.h"
#include "DialogsTestSupport.h"
#include "StartDialog.h"

TEST(StartDialog, ShowsItsTextsInJapaneseGlyphsAtItsSize) {
  StartDialog dialog;
  QStringList texts;
  for (QLabel* label : dialog.findChildren<QLabel*>()) {
    texts << label->text();
    EXPECT_LE(label->sizeHint().width(), label->width()) << "clipped";
  }
  EXPECT_EQ(texts, (QStringList{
                       "配信サービスの停止と実行中の配信管理ツールの終了をしてから実行してください。",
                       "KLX toMPVコンバータ[エクスポータ]の実行を開始します。",
                       "Version 1. 0. 1. 0"}));
  EXPECT_EQ(dialog.cancelButton()->text(), "ｷｬﾝｾﾙ");
  EXPECT_TRUE(dialog.okButton()->isDefault());
  EXPECT_EQ(dialog.windowTitle(), "KLX to MPVコンバータ[エクスポータ]");
  EXPECT_FALSE(dialog.windowIcon().isNull());

  // The shipped alias makes IPAPGothic stand in, and it has every glyph.
  EXPECT_TRUE(DialogUnits::installFontAlias());
  EXPECT_EQ(QFontInfo(dialog.font()).family(), "IPAPGothic");
  QFontMetrics metrics(dialog.font());
  for (QChar c : texts.join("") + dialog.cancelButton()->text())
    EXPECT_TRUE(metrics.inFont(c)) << int(c.unicode());
  DialogUnits units(dialog.font());
  EXPECT_EQ(dialog.size(), units.size(273, 95));
  EXPECT_EQ(dialog.okButton()->geometry(), units.rect(163, 74, 50, 14));

  dialog.show();
  saveScreenshot(dialog, "StartDialog");
  dialog.windowIcon().pixmap(64).save(KEXPORTER_SCREENSHOT_DIR "/ProgramIcon.png");
}

TEST(StartDialog, OkAcceptsWhileEscCancelAndTheCloseBoxCancel) {
  using Act = std::function<void(StartDialog&)>;
  auto ending = [](Act act) {
    StartDialog dialog;
    QTimer::singleShot(0, &dialog, [&] { act(dialog); });
    return dialog.exec();
  };
  EXPECT_EQ(ending([](StartDialog& d) { QTest::keyClick(&d, Qt::Key_Return); }), QDialog::Accepted);
  EXPECT_EQ(ending([](StartDialog& d) { QTest::keyClick(&d, Qt::Key_Escape); }), QDialog::Rejected);
  EXPECT_EQ(ending([](StartDialog& d) { d.cancelButton()->click(); }), QDialog::Rejected);
  EXPECT_EQ(ending([](StartDialog& d) { d.windowHandle()->close(); }), QDialog::Rejected);
}
