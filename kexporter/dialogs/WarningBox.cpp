#include "WarningBox.h"

#include <QFontMetrics>
#include <QGridLayout>
#include <QMessageBox>
#include <QSpacerItem>

#include "DialogResources.h"
#include "WindowDecoration.h"

namespace {

WarningBox::Recorder recorder;  // Used on the GUI thread only.

// Window managers draw the caption in a bold face of their own, often larger
// than the dialog font, beside the window icon and up to three buttons; a box
// sized for a short message alone would cut the program title.
const double kCaptionFontScale = 1.25;
// Room for the icon, the buttons and the frame, in heights of that face.
const int kCaptionExtrasInLines = 6;

int titleBarWidth(const QString& title, const QFont& font) {
  QFont caption = font;
  caption.setBold(true);
  caption.setPointSizeF(font.pointSizeF() * kCaptionFontScale);
  QFontMetrics metrics(caption);
  return metrics.horizontalAdvance(title) + kCaptionExtrasInLines * metrics.height();
}

// QMessageBox sizes itself from its layout; a row of that width keeps it wide.
void keepWideEnoughForTitle(QMessageBox& box) {
  auto* grid = qobject_cast<QGridLayout*>(box.layout());
  if (!grid) return;
  const int width = titleBarWidth(box.windowTitle(), box.font());
  grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Fixed, QSizePolicy::Minimum),
                grid->rowCount(), 0, 1, grid->columnCount());
}

}  // namespace

void WarningBox::show(const QString& text) {
  if (recorder) {
    recorder(text);
    return;
  }
  QMessageBox box(QMessageBox::Warning, DialogResources::programTitle(), text,
                  QMessageBox::Ok);
  WindowDecoration::apply(box, WindowDecoration::Kind::CaptionAndCloseBox);
  box.setWindowIcon(DialogResources::programIcon());
  box.setWindowModality(Qt::ApplicationModal);
  keepWideEnoughForTitle(box);
  box.exec();
}

void WarningBox::setRecorder(Recorder newRecorder) { recorder = std::move(newRecorder); }
