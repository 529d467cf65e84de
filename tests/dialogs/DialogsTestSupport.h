#ifndef TESTS_DIALOGS_DIALOGSTESTSUPPORT_H
#define TESTS_DIALOGS_DIALOGSTESTSUPPORT_H

#include <QPointer>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <QWidget>

#include <filesystem>
#include <functional>
#include <vector>
#include <string>

// Saves a picture of widget as <build>/screenshots/<name>.png for a person to
// look at.
void saveScreenshot(QWidget& widget, const QString& name);

// Acts for the person at the screen: calls act once for every modal window
// that appears while the driver exists (dialogs in exec(), message boxes).
class ModalDriver {
 public:
  explicit ModalDriver(std::function<void(QWidget*)> act);

 private:
  void poll();

  std::function<void(QWidget*)> act_;
  // Windows already acted on; a destroyed one drops out, since the next
  // window may be built at its address.
  std::vector<QPointer<QWidget>> seen_;
  QTimer timer_;
};

// The texts of every warning box while the recorder exists; no box is shown.
class WarningRecorder {
 public:
  WarningRecorder();
  ~WarningRecorder();
  QStringList warnings;
};

// A new empty folder under the system's temporary folder, removed with all
// it holds at the end.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  const std::filesystem::path& path() const { return path_; }
  std::string str() const { return path_.string(); }

 private:
  std::filesystem::path path_;
};

#endif
