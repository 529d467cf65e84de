#ifndef KEXPORTER_WINDIALOGS_WARNINGBOX_H
#define KEXPORTER_WINDIALOGS_WARNINGBOX_H

#include <string>

// The program's warning box: MessageBoxW without owner, modal for the whole
// program, the program title, the exclamation-mark icon and OK only.
class WarningBox {
 public:
  // Shows text (UTF-8) and returns when the operator has closed the box.
  static void show(const std::string& text);
};

#endif
