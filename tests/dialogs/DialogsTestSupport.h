#ifndef TESTS_DIALOGS_DIALOGSTESTSUPPORT_H
#define TESTS_DIALOGS_DIALOGSTESTSUPPORT_H

#include <xcb/xcb.h>

#include <QApplication>
#include <QDir>
#include <QGuiApplication>
#include <QScreen>
#include <QTest>
#include <QWidget>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <vector>

// True when the windows go to an X server (the suite's runs under ctest).
inline bool onX11() { return QGuiApplication::platformName() == "xcb"; }

// Waits until the window manager has framed a shown window; a limit as
// long as the other waits', as a loaded machine may take seconds.
inline bool waitForFrame(QWidget& window) {
  constexpr int kLimit = 60000;
  return QTest::qWaitForWindowExposed(&window, kLimit) &&
         QTest::qWaitFor(
             [&] {
               const QRect frame = window.frameGeometry();
               return frame != window.geometry() && frame.contains(window.geometry());
             },
             kLimit);
}

// Saves a picture of widget as <build>/screenshots/<name>.png for a person:
// on an X server as the screen shows it, title bar and frame included.
inline void saveScreenshot(QWidget& widget, const QString& name) {
  QDir().mkpath(KEXPORTER_SCREENSHOT_DIR);
  QPixmap picture = widget.grab();
  if (onX11() && widget.isWindow() && waitForFrame(widget)) {
    QTest::qWait(300);  // the window manager draws the frame after placing it
    const QRect frame = widget.frameGeometry();
    picture = widget.screen()->grabWindow(0, frame.x(), frame.y(), frame.width(), frame.height());
  }
  picture.save(KEXPORTER_SCREENSHOT_DIR "/" + name + ".png");
}

// The _MOTIF_WM_HINTS of a shown window as the X server holds them: flags,
// functions, decorations, input mode, status; empty when none are set.
inline std::vector<std::uint32_t> motifHints(QWidget& window) {
  auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
  xcb_connection_t* connection = x11->connection();
  const char* const name = "_MOTIF_WM_HINTS";
  xcb_intern_atom_reply_t* atom = xcb_intern_atom_reply(
      connection, xcb_intern_atom(connection, 1, std::strlen(name), name), nullptr);
  std::vector<std::uint32_t> hints;
  if (!atom) return hints;
  xcb_get_property_reply_t* property = xcb_get_property_reply(
      connection,
      xcb_get_property(connection, 0, static_cast<xcb_window_t>(window.winId()), atom->atom,
                       XCB_ATOM_ANY, 0, 5),
      nullptr);
  if (property && property->format == 32) {
    const auto* values = static_cast<const std::uint32_t*>(xcb_get_property_value(property));
    hints.assign(values, values + xcb_get_property_value_length(property) / 4);
  }
  std::free(property);
  std::free(atom);
  return hints;
}

// The hints of the program's windows: move and close, a border, the caption
// and its menu; the progress window moves only and has no menu.
inline const std::vector<std::uint32_t> kDialogHints = {0x3, 0x24, 0x1a, 0, 0};
inline const std::vector<std::uint32_t> kProgressHints = {0x3, 0x04, 0x0a, 0, 0};
// The folder chooser can also be resized.
inline const std::vector<std::uint32_t> kResizableDialogHints = {0x3, 0x26, 0x1e, 0, 0};

// Acts for the person at the screen: calls act for every modal window
// (dialog in exec(), message box, progress window) shown while it exists,
// from the event loop right after the window has been shown.
class ModalDriver : public QObject {
 public:
  explicit ModalDriver(std::function<void(QWidget*)> act) : act_(std::move(act)) {
    qApp->installEventFilter(this);
  }
  ~ModalDriver() override { qApp->removeEventFilter(this); }

  bool eventFilter(QObject* watched, QEvent* event) override {
    auto* window = qobject_cast<QWidget*>(watched);
    if (event->type() == QEvent::Show && window && window->isWindow() && window->isModal()) {
      // Queued, so that exec() has entered its loop; the context object
      // drops the call if the window is gone by then.
      QMetaObject::invokeMethod(window, [this, window] { act_(window); }, Qt::QueuedConnection);
    }
    return false;
  }

 private:
  std::function<void(QWidget*)> act_;
};

#endif
