#include "WindowDecoration.h"

#include <QEvent>
#include <QGuiApplication>
#include <QObject>
#include <QWidget>

#include <cstdint>
#include <cstdlib>
#include <cstring>

#if KEXPORTER_HAVE_XCB
#include <xcb/xcb.h>
#endif

namespace {

// The five 32-bit fields of _MOTIF_WM_HINTS: flags, functions, decorations,
// input mode, status.
const std::uint32_t kHasFunctions = 1u << 0;
const std::uint32_t kHasDecorations = 1u << 1;
const std::uint32_t kFunctionResize = 1u << 1;
const std::uint32_t kFunctionMove = 1u << 2;
const std::uint32_t kFunctionClose = 1u << 5;
const std::uint32_t kDecorBorder = 1u << 1;
const std::uint32_t kDecorResizeHandle = 1u << 2;
const std::uint32_t kDecorTitle = 1u << 3;
const std::uint32_t kDecorMenu = 1u << 4;

void writeMotifHints(QWidget& window, WindowDecoration::Kind kind) {
#if KEXPORTER_HAVE_XCB
  // Elsewhere (Wayland, offscreen) the flags say it all. The offscreen
  // platform answers the X11 interface too, without an X server behind it.
  if (QGuiApplication::platformName() != QLatin1String("xcb")) return;
  auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
  xcb_connection_t* connection = x11 ? x11->connection() : nullptr;
  if (!connection) return;
  const char* const name = "_MOTIF_WM_HINTS";
  xcb_intern_atom_reply_t* atom = xcb_intern_atom_reply(
      connection, xcb_intern_atom(connection, 0, std::strlen(name), name), nullptr);
  if (!atom) return;

  std::uint32_t functions = kFunctionMove;
  std::uint32_t decorations = kDecorBorder | kDecorTitle;
  if (kind != WindowDecoration::Kind::Caption) {
    functions |= kFunctionClose;
    decorations |= kDecorMenu;
  }
  if (kind == WindowDecoration::Kind::ResizableWithCloseBox) {
    functions |= kFunctionResize;
    decorations |= kDecorResizeHandle;
  }
  const std::uint32_t hints[5] = {kHasFunctions | kHasDecorations, functions, decorations, 0, 0};
  xcb_change_property(connection, XCB_PROP_MODE_REPLACE, static_cast<xcb_window_t>(window.winId()),
                      atom->atom, atom->atom, 32, 5, hints);
  xcb_flush(connection);
  std::free(atom);
#else
  (void)window;
  (void)kind;
#endif
}

// Qt rewrites the hints from the flags whenever it creates the native window
// or the flags change, so they are written again on every Show, which Qt
// sends after both and before it maps the window.
class MotifHintsWriter : public QObject {
 public:
  MotifHintsWriter(QWidget& window, WindowDecoration::Kind kind)
      : QObject(&window), window_(window), kind_(kind) {
    window.installEventFilter(this);
  }

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched == &window_ && event->type() == QEvent::Show && !event->spontaneous()) {
      writeMotifHints(window_, kind_);
    }
    return false;
  }

 private:
  QWidget& window_;
  WindowDecoration::Kind kind_;
};

// The dialog window flags of kind.
Qt::WindowFlags flagsOf(WindowDecoration::Kind kind) {
  Qt::WindowFlags flags = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
  if (kind != WindowDecoration::Kind::Caption) {
    flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
  }
  return flags;
}

}  // namespace

void WindowDecoration::apply(QWidget& window, Kind kind) {
  window.setWindowFlags(flagsOf(kind));
  new MotifHintsWriter(window, kind);
}
