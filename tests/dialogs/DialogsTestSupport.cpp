#include "DialogsTestSupport.h"

#include <QApplication>
#include <QDir>

#include <algorithm>
#include <cstdlib>
#include <stdexcept>

#include "WarningBox.h"

namespace fs = std::filesystem;

void saveScreenshot(QWidget& widget, const QString& name) {
  QDir().mkpath(QStringLiteral(KEXPORTER_SCREENSHOT_DIR));
  widget.grab().save(QStringLiteral(KEXPORTER_SCREENSHOT_DIR "/") + name + ".png");
}

ModalDriver::ModalDriver(std::function<void(QWidget*)> act) : act_(std::move(act)) {
  QObject::connect(&timer_, &QTimer::timeout, [this] { poll(); });
  timer_.start(20);
}

void ModalDriver::poll() {
  QWidget* modal = QApplication::activeModalWidget();
  if (!modal || !modal->isVisible()) return;
  std::erase_if(seen_, [](const QPointer<QWidget>& window) { return window.isNull(); });
  if (std::find(seen_.begin(), seen_.end(), modal) != seen_.end()) return;
  seen_.emplace_back(modal);
  act_(modal);
}

WarningRecorder::WarningRecorder() {
  WarningBox::setRecorder([this](const QString& text) { warnings << text; });
}

WarningRecorder::~WarningRecorder() { WarningBox::setRecorder(nullptr); }

TempFolder::TempFolder() {
  std::string pattern = (fs::temp_directory_path() / "kexporter-dialogs-XXXXXX").string();
  if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
  path_ = pattern;
}

TempFolder::~TempFolder() {
  std::error_code ignored;
  fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ignored);
  for (auto& entry : fs::recursive_directory_iterator(path_, ignored))
    fs::permissions(entry.path(), fs::perms::owner_all, fs::perm_options::add, ignored);
  fs::remove_all(path_, ignored);
}
