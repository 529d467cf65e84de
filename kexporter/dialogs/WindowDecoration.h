#ifndef KEXPORTER_DIALOGS_WINDOWDECORATION_H
#define KEXPORTER_DIALOGS_WINDOWDECORATION_H

class QWidget;

// The title bar of every window of the program. Qt's window flags alone leave
// X11 window managers free to draw every button (Qt hints the functions, not
// the decorations), so on X11 the window also carries the decoration hints
// (_MOTIF_WM_HINTS) that ask for just this title bar.
class WindowDecoration {
 public:
  enum class Kind {
    Caption,                 // the progress window: a caption, no menu, no buttons
    CaptionAndCloseBox,      // the dialogs and boxes: a caption, the menu and the close box
    ResizableWithCloseBox,   // the folder chooser: as the dialogs, and resize handles
  };

  // Gives window the flags of kind and, on X11, writes the decoration hints
  // every time it is about to be mapped (after Qt wrote its own).
  // REQUIRES: window is top-level and not shown yet.
  static void apply(QWidget& window, Kind kind);
};

#endif
