#ifndef TESTS_DIALOGS_DIALOGSTESTSUPPORT_H
#define TESTS_DIALOGS_DIALOGSTESTSUPPORT_H

#include <QStringList>
#include <QWidget>

#include <functional>

// Saves a picture of widget as <build>/screenshots/<name>.png for a person.
void saveScreenshot(QWidget& widget, const QString& name);

// Acts for the person at the screen: calls act for every modal window
// (dialog in exec(), message box, progress window) shown while the driver
// exists, from the event loop right after the window has been shown.
class ModalDriver : public QObject {
 public:
  explicit ModalDriver(std::function<void(QWidget*)> act);
  ~ModalDriver() override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  std::function<void(QWidget*)> act_;
};

// Takes the texts of the warning boxes while it exists; no box is shown.
struct WarningRecorder {
  WarningRecorder();
  ~WarningRecorder();
  QStringList warnings;
};

#endif
