#include <gtest/gtest.h>

#include <QFontInfo>
#include <QLabel>
#include <QPushButton>

#include "DialogUnits.h"
#include "DialogsTestSupport.h"
#include "OutputFolderDialog.h"
#include "ResultDialog.h"
#include "StartDialog.h"

// Esc and the close box are pressed in the start-up tests of ExporterApp.
TEST(StartDialog, ShowsItsTextsWholeInJapaneseGlyphs) {
  StartDialog dialog;
  QStringList texts;
  for (QLabel* label : dialog.findChildren<QLabel*>()) {
    texts << label->text();
    EXPECT_LE(label->sizeHint().width(), label->width()) << "clipped";
  }
  EXPECT_EQ(texts.size(), 3);
  EXPECT_TRUE(dialog.okButton()->isDefault());
  EXPECT_FALSE(dialog.windowIcon().isNull());

  // The shipped alias makes IPAPGothic stand in, and it has every glyph.
  EXPECT_TRUE(DialogUnits::installFontAlias());
  EXPECT_EQ(QFontInfo(dialog.font()).family(), "IPAPGothic");
  QFontMetrics metrics(dialog.font());
  for (QChar c : texts.join("") + dialog.cancelButton()->text()) {
    EXPECT_TRUE(metrics.inFont(c)) << int(c.unicode());
  }

  dialog.show();
  saveScreenshot(dialog, "StartDialog");
  dialog.windowIcon().pixmap(64).save(KEXPORTER_SCREENSHOT_DIR "/ProgramIcon.png");
}

// What the X server holds is what a window manager draws from: a caption with
// its menu and close box; no minimise or maximise button, no resize handle.
TEST(WindowDecoration, EveryDialogAsksForACaptionAndACloseBoxOnly) {
  if (!onX11()) GTEST_SKIP() << "the hints live on an X server";
  StartDialog start;
  OutputFolderDialog folder;
  ResultDialog result;
  for (QDialog* dialog : {static_cast<QDialog*>(&start), static_cast<QDialog*>(&folder),
                          static_cast<QDialog*>(&result)}) {
    dialog->show();
    EXPECT_EQ(motifHints(*dialog), kDialogHints) << dialog->metaObject()->className();
    dialog->hide();
  }
}
